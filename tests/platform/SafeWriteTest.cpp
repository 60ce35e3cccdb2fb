#include "platform/SafeWrite.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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
    struct stat st
    {};
    const QByteArray n = QFile::encodeName(name);
    follow ? ::stat(n.constData(), &st) : ::lstat(n.constData(), &st);
    return st;
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
            ASSERT_EQ(
                ::link(QFile::encodeName(name).constData(), QFile::encodeName(dir.filePath("other.html")).constData()),
                0);
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

namespace {
// Makes every owner change fail for one test, as for another user's file.
struct OwnerChangeRefused
{
    OwnerChangeRefused() { SetOwnerChangeRefusedForTests(true); }
    ~OwnerChangeRefused() { SetOwnerChangeRefusedForTests(false); }
};
}  // namespace

// A text small enough to sit in a write buffer until the very end must still
// fail as a whole: the old text stays, nothing stray is left, and the reason is given.
TEST(SafeWrite, SmallTextOnFullDiskFailsWithTheSystemsReason)
{
    enum class Way { Replaced, HardLinked, OwnerNotKept };
    struct Case
    {
        const char *name;
        Way way;
    };
    for (const Case &c : {Case{"replaced", Way::Replaced}, Case{"hard-linked", Way::HardLinked},
                          Case{"owner not kept", Way::OwnerNotKept}}) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString name = dir.filePath("page.html");
        writeBytes(name, "old contents");
        if (c.way == Way::HardLinked) {
            ASSERT_EQ(
                ::link(QFile::encodeName(name).constData(), QFile::encodeName(dir.filePath("b.html")).constData()), 0);
        }
        std::optional<OwnerChangeRefused> refused;
        if (c.way == Way::OwnerNotKept)
            refused.emplace();
        QString error;
        EXPECT_FALSE(withSizeLimit(4096, [&] { return WriteFileSafely(name, QByteArray(5000, 'x'), &error); }));
        EXPECT_TRUE(error.contains("File too large")) << error.toStdString();
        EXPECT_EQ(readBytes(name), "old contents");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.way == Way::HardLinked ? 2 : 1);
    }
}

// The owner cannot be kept: the file is rewritten through its own inode, so it
// stays the other user's, with its links and attributes.
TEST(SafeWrite, FileWhoseOwnerCannotBeKeptIsRewrittenInPlace)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("page.html");
    writeBytes(name, "a longer old text than the new one");
    ::chmod(QFile::encodeName(name).constData(), 0640);
    const ino_t before = statOf(name).st_ino;
    OwnerChangeRefused refused;
    ASSERT_TRUE(WriteFileSafely(name, "new"));
    EXPECT_EQ(readBytes(name), "new");
    EXPECT_EQ(statOf(name).st_ino, before);
    EXPECT_EQ(statOf(name).st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"page.html"}));
}

// A copy left by an earlier failed write may be the only old text there is:
// it is never overwritten or removed, and a link planted under the backup's
// name is not followed.
TEST(SafeWrite, HardLinkBackupNeverReusesAnExistingName)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("a.html");
    writeBytes(name, "old text");
    ASSERT_EQ(::link(QFile::encodeName(name).constData(), QFile::encodeName(dir.filePath("b.html")).constData()), 0);
    writeBytes(name + ".tagloom-backup", "text kept by an earlier failure");
    writeBytes(dir.filePath("victim"), "victim");
    ASSERT_EQ(::symlink("victim", QFile::encodeName(name + ".tagloom-backup-2").constData()), 0);

    ASSERT_TRUE(WriteFileSafely(name, "new"));
    EXPECT_EQ(readBytes(dir.filePath("b.html")), "new");
    EXPECT_EQ(readBytes(name + ".tagloom-backup"), "text kept by an earlier failure");
    EXPECT_EQ(readBytes(dir.filePath("victim")), "victim");
    EXPECT_TRUE(S_ISLNK(statOf(name + ".tagloom-backup-2", false).st_mode));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 5);
}

// User attributes (and with them ACLs, which are attributes too) survive the
// replacement. Skipped where the file system has no user attributes.
TEST(SafeWrite, ExtendedAttributesAreKept)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("page.html");
    writeBytes(name, "old");
    const QByteArray native = QFile::encodeName(name);
    if (::setxattr(native.constData(), "user.tagloom.test", "kept\0value", 10, 0) != 0)
        GTEST_SKIP() << "no user attributes here: " << std::strerror(errno);
    for (const bool ownerKept : {true, false}) {
        SCOPED_TRACE(ownerKept ? "replaced" : "in place");
        std::optional<OwnerChangeRefused> refused;
        if (!ownerKept)
            refused.emplace();
        ASSERT_TRUE(WriteFileSafely(name, ownerKept ? "new" : "newer"));
        char value[32] = {};
        EXPECT_EQ(::getxattr(native.constData(), "user.tagloom.test", value, sizeof value), 10);
        EXPECT_EQ(QByteArray(value, 10), QByteArray("kept\0value", 10));
    }
    EXPECT_EQ(readBytes(name), "newer");
}

TEST(SafeWrite, PiecesAreWrittenOneAfterAnother)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("entry");
    const QByteArray nul("b\0c", 3);
    const QByteArrayView pieces[] = {"a", {}, nul, "d"};
    ASSERT_TRUE(WriteFileSafely(name, pieces));
    EXPECT_EQ(readBytes(name), QByteArray("ab\0cd", 5));
}

// A save killed at any moment leaves the old text or the new one whole: the
// file itself for a replaced file, the backup beside it for one rewritten in
// place (hard links).
TEST(SafeWrite, KilledMidSaveLeavesTheOldOrTheNewTextWhole)
{
    const QByteArray oldText(3 << 20, 'o');
    const QByteArray newText(24 << 20, 'n');
    for (const bool hardLinked : {false, true}) {
        for (const int delayUs : {0, 2000, 10000, 40000, 150000}) {
            SCOPED_TRACE(testing::Message()
                         << (hardLinked ? "hard-linked" : "single") << ", killed after " << delayUs << " us");
            QTemporaryDir dir;
            const QString name = dir.filePath("page.html");
            writeBytes(name, oldText);
            if (hardLinked) {
                ASSERT_EQ(::link(QFile::encodeName(name).constData(),
                                 QFile::encodeName(dir.filePath("other.html")).constData()),
                          0);
            }
            const pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0)
                _exit(WriteFileSafely(name, newText) ? 0 : 1);
            ::usleep(useconds_t(delayUs));
            ::kill(pid, SIGKILL);
            int status = 0;
            waitpid(pid, &status, 0);
            const QByteArray now = readBytes(name);
            if (now == oldText || now == newText)
                continue;
            // Cut off in place: the backup must hold the old text.
            ASSERT_TRUE(hardLinked) << "a replaced file was left neither old nor new: " << now.size() << " bytes";
            bool backedUp = false;
            for (const QString &f : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
                backedUp |= f != "page.html" && f != "other.html" && readBytes(dir.filePath(f)) == oldText;
            EXPECT_TRUE(backedUp) << "cut off at " << now.size() << " bytes with no whole backup";
        }
    }
}
