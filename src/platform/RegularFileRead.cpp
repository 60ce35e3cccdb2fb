#include "platform/RegularFileRead.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileRead ReadRegularFile(const QString &fileName, qint64 maxBytes, QByteArray *bytes)
{
    bytes->clear();
    const QByteArray path = QFile::encodeName(fileName);
    if (path.isEmpty())
        return RegularFileRead::CannotOpen;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EISDIR ? RegularFileRead::NotRegular : RegularFileRead::CannotOpen;
    struct stat st
    {};
    RegularFileRead result = RegularFileRead::Read;
    if (::fstat(fd, &st) != 0)
        result = RegularFileRead::CannotOpen;
    else if (!S_ISREG(st.st_mode))
        result = RegularFileRead::NotRegular;
    else if (st.st_size > maxBytes)
        result = RegularFileRead::TooLarge;
    if (result == RegularFileRead::Read) {
        // The file may grow while it is read: one byte past the limit says so.
        QByteArray out(qsizetype(st.st_size) + 1, Qt::Uninitialized);
        qint64 done = 0;
        for (;;) {
            if (done == out.size()) {
                if (done > maxBytes) {
                    result = RegularFileRead::TooLarge;
                    break;
                }
                out.resize(qMin<qint64>(maxBytes + 1, done * 2 + 4096));
            }
            const ssize_t got = ::read(fd, out.data() + done, size_t(out.size() - done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                result = RegularFileRead::CannotOpen;
                break;
            }
            if (got == 0)
                break;
            done += got;
        }
        if (result == RegularFileRead::Read) {
            out.truncate(qsizetype(done));
            *bytes = std::move(out);
        }
    }
    ::close(fd);
    return result;
}
