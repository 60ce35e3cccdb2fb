#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The file a chain of symbolic links ends at, even when it does not exist yet.
QString resolveLinks(const QString &fileName)
{
    QString path = QFileInfo(fileName).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            return path;
        path = target;
    }
    return path;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

// Rewrites a file through its own inode, for hard links and for files in a
// folder where no temporary can be made. The old contents are kept (in a copy
// beside the file, else in memory) to put back should the write fail half way.
bool writeInPlace(const QString &path, QByteArrayView bytes, bool backupOnDisk, QString *error)
{
    QByteArray previous;
    {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly)) {
            setError(error, old.errorString());
            return false;
        }
        previous = old.readAll();
    }
    const QString backup = path + QStringLiteral(".tagloom-backup");
    if (backupOnDisk) {
        QFile::remove(backup);
        QFile copy(backup);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(previous) != previous.size() || !copy.flush()) {
            copy.close();
            QFile::remove(backup);
            setError(error, QStringLiteral("Cannot keep a backup copy in %1").arg(QFileInfo(path).absolutePath()));
            return false;
        }
    }
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, errnoText());
        if (backupOnDisk)
            QFile::remove(backup);
        return false;
    }
    const bool ok = ::ftruncate(fd, 0) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (ok) {
        ::close(fd);
        if (backupOnDisk)
            QFile::remove(backup);
        return true;
    }
    errno = savedErrno;
    setError(error, errnoText());
    // Put the old text back through the same inode; the backup stays if even that fails.
    const bool restored = ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, previous) &&
                          ::fsync(fd) == 0;
    ::close(fd);
    if (restored && backupOnDisk)
        QFile::remove(backup);
    return false;
}

}  // namespace

bool WriteFileSafely(const QString &fileName, QByteArrayView bytes, QString *error)
{
    const QString path = resolveLinks(fileName);
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    if (existed && S_ISREG(old.st_mode) && old.st_nlink > 1)
        return writeInPlace(path, bytes, true, error);

    QSaveFile file(path);
    // Never fall back to truncating the target: that is what loses text on a full disk.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        // A writable file in a folder that is not: only an in-place write can save it.
        if (existed && S_ISREG(old.st_mode) && ::access(QFile::encodeName(path).constData(), W_OK) == 0 &&
            ::access(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), W_OK) != 0)
            return writeInPlace(path, bytes, false, error);
        setError(error, file.errorString());
        return false;
    }
    if (existed) {
        // Ownership first: changing the owner may clear set-id bits, which the mode then restores.
        // Either may be refused (another user's file); the text matters more.
        if (::fchown(file.handle(), old.st_uid, old.st_gid) != 0)
            (void)::fchown(file.handle(), uid_t(-1), old.st_gid);
        (void)::fchmod(file.handle(), old.st_mode & 07777);
    }
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            setError(error, file.errorString());
            file.cancelWriting();
            return false;
        }
        written += n;
    }
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

DiskStamp DiskStamp::of(const QString &fileName)
{
    DiskStamp s;
    struct stat st {};
    if (fileName.isEmpty() || ::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.size = st.st_size;
    s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.inode = qint64(st.st_ino);
    s.ctimeNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    s.regular = S_ISREG(st.st_mode);
    return s;
}
