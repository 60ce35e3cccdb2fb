#pragma once

#include "platform/SafeWrite.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThreadPool>
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
class RecoveryJournal
{
public:
    // `root` is the folder of all instances' journals (DefaultRoot() in the program).
    explicit RecoveryJournal(const QString &root);
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal &) = delete;
    RecoveryJournal &operator=(const RecoveryJournal &) = delete;

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
    // Everything was saved or deliberately dropped: the instance leaves no journal behind.
    void cleanExit();

    // Entries of earlier runs that ended without a clean exit. Their folders stay
    // claimed (another instance cannot take them) until releaseClaimed().
    QList<RecoveryEntry> claimLeftEntries();
    static void discard(const RecoveryEntry &entry);
    void releaseClaimed();

private:
    QString entryPath(int id) const;
    bool writeEntry(const QString &path, const RecoveryMeta &meta, QByteArrayView text);

    QString m_root;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    std::vector<std::unique_ptr<QLockFile>> m_claimed;
    QStringList m_claimedFolders;
    int m_lastId = 0;
    QThreadPool m_pool;
    QMutex m_mutex;
    QHash<int, quint64> m_generation;  // under m_mutex; a queued write older than this is skipped
};
