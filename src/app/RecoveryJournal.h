#pragma once

#include "platform/SafeWrite.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QLockFile;

// What the journal keeps of one document besides its text.
struct RecoveryMeta
{
    QString fileName;  // empty for an untitled document
    QString caption;
    bool utf8 = true;  // how the display read the bytes
    int caret = 0;
    DiskStamp loaded;  // the file as the text was loaded or saved, to notice later changes
};

// One entry found in the journal of an earlier run.
struct RecoveryEntry
{
    QString path;  // the entry's own file
    RecoveryMeta meta;
    qint64 size = 0;  // bytes of text
    QDateTime written;
    // The document's text, read from the entry; empty with ok false when unreadable.
    QByteArray text(bool *ok = nullptr) const;
};

// Reads an entry's header from the start of `file`, leaving it at the text.
// False for anything but a whole entry: its text must be exactly the size recorded.
bool ReadRecoveryHeader(QIODevice &file, RecoveryEntry &entry);

// Copies of unsaved documents on disk, so a crash or power cut loses nothing.
// Each running instance owns one folder under the root, held by a lock file;
// a folder whose lock no live instance holds was left by a run that did not
// end cleanly. Writes go to a background thread, one after another.
// A folder that cannot be made or an entry that cannot be written is a
// problem() until a later write succeeds.
class RecoveryJournal : public QObject
{
    Q_OBJECT
public:
    // `root` is the folder of all instances' journals (DefaultRoot() in the program).
    explicit RecoveryJournal(const QString &root);
    ~RecoveryJournal() override;

    static QString DefaultRoot();
    bool isActive() const { return !m_folder.isEmpty(); }
    QString folder() const { return m_folder; }

    int newId() { return ++m_lastId; }
    // Replaces the document's entry in the background; a later call for the same id wins.
    void write(int id, const RecoveryMeta &meta, QByteArray text);
    // The same, done before returning.
    bool writeNow(int id, const RecoveryMeta &meta, QByteArrayView text);
    void remove(int id);
    void waitForWrites();
    // Makes this run's folder again when it could not be made or has gone; true when it is there.
    bool retry();
    // Why entries are not being written (empty while they are); safe from any thread.
    QString problem() const;
    // The run ends without the user's say (a signal, the session): entries are
    // still written but no longer removed, whatever the windows do on their way out.
    void keepEntries() { m_keep = true; }
    bool keepsEntries() const { return m_keep; }
    // Everything was saved or deliberately dropped: the instance leaves no journal behind.
    void cleanExit();

    // Entries of earlier runs that ended without a clean exit. Their folders stay
    // claimed (another instance cannot take them) until releaseClaimed().
    QList<RecoveryEntry> claimLeftEntries();
    static void discard(const RecoveryEntry &entry);
    void releaseClaimed();

signals:
    // problem() changed; emitted from the thread that noticed, often the writer's.
    void problemChanged();

private:
    QString entryPath(int id) const;
    bool writeEntry(const QString &path, const RecoveryMeta &meta, QByteArrayView text, QString *error);
    bool setUp();
    void setSetupProblem(const QString &problem);
    // Records how the write of an entry went; an empty error is success.
    void noteWrite(int id, const QString &error);
    void updateProblem(const std::function<void()> &change);

    QString m_root;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    std::vector<std::unique_ptr<QLockFile>> m_claimed;
    QStringList m_claimedFolders;
    int m_lastId = 0;
    QThreadPool m_pool;
    mutable QMutex m_mutex;
    QHash<int, quint64> m_generation;  // under m_mutex; a queued write older than this is skipped
    QString m_setupProblem;            // under m_mutex
    QHash<int, QString> m_failed;      // under m_mutex: entries whose last write failed, and why
    bool m_keep = false;
};
