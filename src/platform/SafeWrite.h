#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <span>

// Writes a whole file so that a failure at any point leaves the old contents
// whole, and the file keeps what the user set up around it:
// - a symbolic link stays a link; the file it points to is replaced;
// - a file with several hard links is rewritten in place, so every link sees
//   the new text; a backup copy beside it is kept until the write succeeded;
// - owner, group, mode and extended attributes (ACLs among them) are carried
//   over; where the owner cannot be kept (another user's file) the file is
//   rewritten in place, as with hard links, instead of becoming ours.
// Every byte is written by our own loop and the file and its folder are synced
// before success is reported. `error` gets the system's reason for a failure.
bool WriteFileSafely(const QString &fileName, QByteArrayView bytes, QString *error = nullptr);
// The same for a file made of several pieces, without joining them first.
bool WriteFileSafely(const QString &fileName, std::span<const QByteArrayView> pieces, QString *error = nullptr);

// For tests: every change of a file's owner is refused, as it is for another
// user's file when we are not root.
void SetOwnerChangeRefusedForTests(bool refused);

// Size and times of a file, to notice changes made by other programs.
struct DiskStamp
{
    bool exists = false;
    qint64 size = -1;
    qint64 mtimeNs = 0;
    qint64 inode = 0;  // a file replaced by rename gets a new one
    // The status change time: a program can put the modification time back
    // (`touch -r`, `rsync -t`), never this one. 0 when not known (a stamp kept
    // by an older version), and then not compared.
    qint64 ctimeNs = 0;
    bool regular = false;  // a folder, FIFO or device at the path is never read

    static DiskStamp of(const QString &fileName);
    bool operator==(const DiskStamp &o) const
    {
        return exists == o.exists && size == o.size && mtimeNs == o.mtimeNs && inode == o.inode && regular == o.regular
               && (ctimeNs == 0 || o.ctimeNs == 0 || ctimeNs == o.ctimeNs);
    }
};
