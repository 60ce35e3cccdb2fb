#include "platform/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>

#if !defined(Q_OS_UNIX)
#error "WriteFileSafely needs a Windows branch: a temporary written with WriteFile, FlushFileBuffers, ReplaceFileW"
#endif

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(Q_OS_LINUX)
#include <sys/xattr.h>
#endif

namespace {

using Pieces = std::span<const QByteArrayView>;

std::atomic<bool> ownerChangeRefused{false};

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// The system's words for an error, safe to call from the journal's thread.
QString errnoText(int code)
{
    return qt_error_string(code);
}

// Closes the descriptor on every way out.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Some file systems (NFS) report a failed write only here. On Linux the
    // descriptor is gone even when close is interrupted.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 || errno == EINTR;
    }

private:
    int m_fd;
};

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

bool writePieces(int fd, Pieces pieces)
{
    for (QByteArrayView piece : pieces)
        if (!writeAll(fd, piece))
            return false;
    return true;
}

qint64 totalSize(Pieces pieces)
{
    qint64 size = 0;
    for (QByteArrayView piece : pieces)
        size += piece.size();
    return size;
}

bool syncFile(int fd)
{
    while (::fsync(fd) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

// Makes a new name in the folder last through a power cut. A folder we may not
// read, or a file system that cannot sync folders, is no failure: the text
// itself is synced. Returns 0 or the error.
int syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int code = syncFile(fd) || errno == EINVAL || errno == EROFS ? 0 : errno;
    ::close(fd);
    return code;
}

#if defined(Q_OS_LINUX)
// Calls `get` with a growing buffer until the answer fits; false with errno set on failure.
template <typename Get>
bool readSized(QByteArray *out, Get get)
{
    for (int tries = 0; tries < 8; ++tries) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0)
            return false;
        out->resize(size);
        if (size == 0)
            return true;
        const ssize_t got = get(out->data(), size_t(size));
        if (got >= 0) {
            out->truncate(got);
            return true;
        }
        if (errno != ERANGE)
            return false;  // ERANGE: it grew in between, ask again
    }
    return false;
}

// Attributes that the user or the file's permissions depend on. Others
// (security labels, trusted.*) are set by the system or need privileges.
bool mustKeep(const QByteArray &name)
{
    return name.startsWith("user.") || name.startsWith("system.posix_acl_");
}

// Copies the old file's extended attributes, ACLs among them, to the new one.
// False when one that matters could not be carried over.
bool copyAttributes(const QByteArray &from, int toFd)
{
    QByteArray list;
    if (!readSized(&list, [&](char *buf, size_t size) { return ::listxattr(from.constData(), buf, size); }))
        return errno == ENOTSUP;  // a file system without them
    QList<QByteArray> names = list.split('\0');
    names.removeAll(QByteArray());
    for (const QByteArray &name : names) {
        QByteArray value;
        const bool read = readSized(
            &value, [&](char *buf, size_t size) { return ::getxattr(from.constData(), name.constData(), buf, size); });
        if (!read && errno == ENODATA)
            continue;  // removed meanwhile
        if (read && ::fsetxattr(toFd, name.constData(), value.constData(), size_t(value.size()), 0) == 0)
            continue;
        if (errno == ENOTSUP || !mustKeep(name))
            continue;
        return false;
    }
    // The new file may have taken an ACL from the folder's default that the old one did not have.
    if (!names.contains("system.posix_acl_access"))
        (void)::fremovexattr(toFd, "system.posix_acl_access");
    return true;
}
#else
bool copyAttributes(const QByteArray &, int)
{
    return true;
}
#endif

// A private copy of the old text beside the file: made fresh (never through a
// link planted under its name), readable by us alone, and synced. An earlier
// copy left by a failed restore is kept; the new one takes the next name.
QString writeBackup(const QString &path, QByteArrayView previous, QString *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    int code = EEXIST;
    for (int n = 1; n <= 100 && code == EEXIST; ++n) {
        const QString name = path + QStringLiteral(".tagloom-backup")
                             + (n == 1 ? QString() : QLatin1Char('-') + QString::number(n));
        const QByteArray native = QFile::encodeName(name);
        Descriptor fd(::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.valid()) {
            code = errno;
            continue;
        }
        if (writeAll(fd.get(), previous) && syncFile(fd.get()) && fd.close()) {
            syncFolder(folder);
            return name;
        }
        code = errno;
        ::unlink(native.constData());
        break;
    }
    setError(error, QStringLiteral("Cannot keep a backup copy in %1: %2").arg(folder, errnoText(code)));
    return {};
}

// Rewrites a file through its own inode, which keeps its links, owner and
// attributes. The old text is kept first (in a copy beside the file, else in
// memory only) so a write that fails half way can be undone.
bool writeInPlace(const QString &path, Pieces pieces, bool backupOnDisk, QString *error)
{
    QByteArray previous;
    {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly)) {
            setError(error, old.errorString());
            return false;
        }
        previous = old.readAll();
        if (old.error() != QFileDevice::NoError) {
            setError(error, old.errorString());
            return false;
        }
    }
    const QByteArray native = QFile::encodeName(path);
    Descriptor fd(::open(native.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid()) {
        setError(error, errnoText(errno));
        return false;
    }
    QString backup;
    if (backupOnDisk && (backup = writeBackup(path, previous, error)).isEmpty())
        return false;

    // Over the old bytes first and cut after: a text no longer than the old
    // needs no new room on the disk.
    const bool ok = ::lseek(fd.get(), 0, SEEK_SET) == 0 && writePieces(fd.get(), pieces)
                    && ::ftruncate(fd.get(), totalSize(pieces)) == 0 && syncFile(fd.get());
    const int code = errno;
    if (ok) {
        fd.close();
        if (!backup.isEmpty()) {
            ::unlink(QFile::encodeName(backup).constData());
            syncFolder(QFileInfo(path).absolutePath());
        }
        return true;
    }
    const bool restored = ::lseek(fd.get(), 0, SEEK_SET) == 0 && writeAll(fd.get(), previous)
                          && ::ftruncate(fd.get(), previous.size()) == 0 && syncFile(fd.get());
    QString text = errnoText(code);
    if (!restored)
        text += backup.isEmpty() ? QStringLiteral("; the old text could not be put back")
                                 : QStringLiteral("; the old text is kept in %1").arg(backup);
    else if (!backup.isEmpty())
        ::unlink(QFile::encodeName(backup).constData());
    setError(error, text);
    return false;
}

// A new name beside the target, created by us alone.
int createTemporary(const QString &path, QByteArray *tempName)
{
    const QByteArray native = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    bool shortName = false;
    for (int tries = 0; tries < 100; ++tries) {
        const QByteArray tag = ".tagloom-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        *tempName = shortName ? folder + '/' + tag : native + tag;
        const int fd = ::open(tempName->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno == ENAMETOOLONG && !shortName)
            shortName = true;
        else if (errno != EEXIST)
            return -1;
    }
    return -1;
}

}  // namespace

void SetOwnerChangeRefusedForTests(bool refused)
{
    ownerChangeRefused = refused;
}

bool WriteFileSafely(const QString &fileName, QByteArrayView bytes, QString *error)
{
    return WriteFileSafely(fileName, Pieces(&bytes, 1), error);
}

bool WriteFileSafely(const QString &fileName, Pieces pieces, QString *error)
{
    const QString path = resolveLinks(fileName);
    const QByteArray native = QFile::encodeName(path);
    const QString folder = QFileInfo(path).absolutePath();
    struct stat old
    {};
    const bool existed = ::stat(native.constData(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) {
        setError(error, errnoText(EISDIR));
        return false;
    }
    if (existed && !S_ISREG(old.st_mode)) {
        setError(error, QStringLiteral("Not a regular file"));
        return false;
    }
    if (existed && old.st_nlink > 1)
        return writeInPlace(path, pieces, true, error);

    QByteArray tempName;
    Descriptor fd(createTemporary(path, &tempName));
    if (!fd.valid()) {
        const int code = errno;
        // A writable file in a folder that is not: only an in-place write can save it.
        if (existed && ::access(native.constData(), W_OK) == 0
            && ::access(QFile::encodeName(folder).constData(), W_OK) != 0)
            return writeInPlace(path, pieces, false, error);
        setError(error, errnoText(code));
        return false;
    }
    const auto discard = [&] {
        if (fd.valid())
            fd.close();
        ::unlink(tempName.constData());
    };
    if (existed) {
        // A new file would be ours, and another user's file would silently
        // become ours too. Rewritten in place it stays theirs.
        const bool ownerKept = !ownerChangeRefused && ::fchown(fd.get(), old.st_uid, old.st_gid) == 0;
        if (!ownerKept || !copyAttributes(native, fd.get())) {
            discard();
            if (::access(native.constData(), W_OK) != 0) {
                setError(error, QStringLiteral("The file's owner, group or attributes cannot be kept, "
                                               "and the file itself is not writable"));
                return false;
            }
            return writeInPlace(path, pieces, true, error);
        }
        // After the owner, whose change may clear set-id bits, and after the ACL, which it must agree with.
        (void)::fchmod(fd.get(), old.st_mode & 07777);
    }
    if (!writePieces(fd.get(), pieces) || !syncFile(fd.get()) || !fd.close()
        || ::rename(tempName.constData(), native.constData()) != 0) {
        const int code = errno;
        discard();
        setError(error, errnoText(code));
        return false;
    }
    if (const int code = syncFolder(folder)) {
        setError(error, errnoText(code));
        return false;
    }
    return true;
}

DiskStamp DiskStamp::of(const QString &fileName)
{
    DiskStamp s;
    struct stat st
    {};
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
