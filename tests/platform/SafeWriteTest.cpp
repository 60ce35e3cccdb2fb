#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QByteArray readBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct stat statOf(const QString &name, bool follow = true)
{
    struct stat st {};
    const QByteArray n = QFile::encodeName(name);
    follow ? ::stat(n.constData(), &st) : ::lstat(n.constData(), &st);
    return st;
}

// Lowers the file size limit for one call, as a full disk would stop a write.
template <typename F>
bool withSizeLimit(rlim_t limit, F call)
{
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = limit;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool result = call();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}
}  // namespace

TEST(SafeWrite, SymbolicLinkStaysALinkAndItsTargetGetsTheText)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("real");
    const QString target = dir.filePath("real/page.html");
    writeBytes(target, "old");
    // A relative link, and a link to that link.
    ASSERT_EQ(::symlink("real/page.html", QFile::encodeName(dir.filePath("link.html")).constData()), 0);
    ASSERT_EQ(::symlink("link.html", QFile::encodeName(dir.filePath("link2.html")).constData()), 0);

    for (const char *name : {"link.html", "link2.html"}) {
        SCOPED_TRACE(name);
        const QByteArray text = QByteArray("new through ") + name;
        ASSERT_TRUE(WriteFileSafely(dir.filePath(name), text));
        EXPECT_TRUE(S_ISLNK(statOf(dir.filePath(name), false).st_mode));
        EXPECT_EQ(readBytes(target), text);
    }
    EXPECT_EQ(QDir(dir.filePath("real")).entryList(QDir::Files), QStringList({"page.html"}));
}

TEST(SafeWrite, HardLinksAllSeeTheNewTextAndNoBackupIsLeft)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.html"), b = dir.filePath("b.html");
    writeBytes(a, "old text");
    ASSERT_EQ(::link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);
    ASSERT_TRUE(WriteFileSafely(b, "new"));
    EXPECT_EQ(readBytes(a), "new");
    EXPECT_EQ(statOf(a).st_ino, statOf(b).st_ino);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(SafeWrite, ModeAndGroupAreKept)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("page.html");
    writeBytes(name, "old");
    ::chmod(QFile::encodeName(name).constData(), 0640);
    const gid_t group = getuid() == 0 ? 12345 : statOf(name).st_gid;  // root may give it any group
    ::chown(QFile::encodeName(name).constData(), uid_t(-1), group);
    const ino_t before = statOf(name).st_ino;
    ASSERT_TRUE(WriteFileSafely(name, "new"));
    const struct stat after = statOf(name);
    EXPECT_NE(after.st_ino, before) << "single-link files are replaced atomically";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_gid, group);
}

// A failed write, whichever way it is made, leaves the old text and no stray file.
TEST(SafeWrite, FullDiskLosesNothing)
{
    struct Case
    {
        const char *name;
        bool hardLinked;
    };
    for (const Case &c : {Case{"single", false}, Case{"hard-linked", true}}) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString name = dir.filePath("page.html");
        writeBytes(name, "old contents");
        if (c.hardLinked) {
            ASSERT_EQ(::link(QFile::encodeName(name).constData(), QFile::encodeName(dir.filePath("other.html")).constData()), 0);
        }
        QString error;
        EXPECT_FALSE(withSizeLimit(4096, [&] { return WriteFileSafely(name, QByteArray(100000, 'x'), &error); }));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readBytes(name), "old contents");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.hardLinked ? 2 : 1);
    }
}

// A writable file in a folder that is not: saved in place. Run as another user
// in a child process when the tests run as root, for whom every folder is writable.
TEST(SafeWrite, WritableFileInReadOnlyFolder)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("ro");
    const QString name = dir.filePath("ro/page.html");
    writeBytes(name, "old");
    const QByteArray folder = QFile::encodeName(dir.filePath("ro"));
    ::chmod(QFile::encodeName(name).constData(), 0666);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    ::chmod(folder.constData(), 0555);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        if (!WriteFileSafely(QFile::decodeName(QFile::encodeName(name)), "new"))
            _exit(1);
        // Now a full disk in the same place: the old text comes back.
        const bool failed = !withSizeLimit(4096, [&] { return WriteFileSafely(name, QByteArray(100000, 'y')); });
        _exit(failed ? 0 : 2);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ::chmod(folder.constData(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(name), "new");
    EXPECT_EQ(QDir(dir.filePath("ro")).entryList(QDir::Files), QStringList({"page.html"}));
}

TEST(SafeWrite, StampNoticesReplacementByRename)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("page.html"), other = dir.filePath("other.html");
    writeBytes(name, "same");
    const DiskStamp before = DiskStamp::of(name);
    EXPECT_TRUE(before.exists);
    writeBytes(other, "same");
    QFile::remove(name);
    QFile::rename(other, name);
    EXPECT_NE(DiskStamp::of(name), before);
    QFile::remove(name);
    EXPECT_FALSE(DiskStamp::of(name).exists);
}
