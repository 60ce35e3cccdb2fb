#pragma once

#include "platform/SafeWrite.h"

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class TMDIChild;

// Notices when another program changes or removes a document's file. The user
// is asked when the document window is next active; nothing reloads silently.
class DiskWatch : public QObject
{
    Q_OBJECT
public:
    explicit DiskWatch(TMDIChild *child);

    // The file as it is now is what the editor holds (just loaded or saved).
    void fileInEditor(const QString &fileName);
    // The editor holds text based on the file as it was at `loaded` (a recovered
    // document): saving asks if it changed since, but nothing is asked before.
    void fileInEditor(const QString &fileName, const DiskStamp &loaded);
    // The file as last loaded or saved.
    DiskStamp loadedStamp() const;
    // Whether the file differs from what was last loaded or saved.
    bool changedSinceLoadOrSave() const;
    // Asks about a change not asked about yet; called when the window becomes active.
    void checkNow();
    // Replaces the text with the file's, as one undo step. False when it cannot be read.
    bool reload();

signals:
    // The file was removed or renamed: the document's text is now only in the editor.
    void fileGone();

private:
    void fileSignal();

    TMDIChild *m_child;
    QFileSystemWatcher *m_watcher;
    QString m_fileName;
    DiskStamp m_loaded;  // when loaded or saved
    DiskStamp m_seen;    // last state the user was told about
    bool m_asking = false;
};
