#include "platform/Settings.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
// A temporary tree with a program folder and a user data folder, laid out as
// a build folder (data beside the program) or as an installed prefix.
class DataFolderTest : public ::testing::Test
{
protected:
    QTemporaryDir root;
    QString path(const QString &relative) const { return root.filePath(relative); }
    void put(const QString &relative, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        ASSERT_TRUE(writeFileBytes(path(relative), bytes));
    }
};

struct LayoutCase
{
    const char *name;
    const char *program;        // the program's folder
    const char *shippedColors;  // where the shipped rules are put
    const char *expected;       // the resolved data folder
    bool userCopy;              // whether the user folder got the shipped rules
};

const LayoutCase layouts[] = {
    {"build folder keeps data beside the program", "build", "build/Tagloom.colors", "build/", false},
    {"installed prefix copies share/tagloom to the user", "prefix/bin", "prefix/share/tagloom/Tagloom.colors", "user/",
     true},
    {"program folder given with a trailing slash", "prefix/bin/", "prefix/share/tagloom/Tagloom.colors", "user/", true},
};
}  // namespace

TEST_F(DataFolderTest, LayoutsResolveToTheRightFolder)
{
    for (const LayoutCase &c : layouts) {
        SCOPED_TRACE(c.name);
        QTemporaryDir tree;
        const auto at = [&](const char *rel) { return tree.filePath(QString::fromLatin1(rel)); };
        QDir().mkpath(at(c.program));
        QDir().mkpath(QFileInfo(at(c.shippedColors)).path());
        ASSERT_TRUE(writeFileBytes(at(c.shippedColors), "Tag;m;000080;1;<;>\r\n"));

        EXPECT_EQ(ResolveDataFolder(at(c.program), at("user")), QDir::cleanPath(at(c.expected)) + '/');
        EXPECT_EQ(readFileBytes(at("user/Tagloom.colors")),
                  c.userCopy ? QByteArray("Tag;m;000080;1;<;>\r\n") : QByteArray());
    }
}

TEST_F(DataFolderTest, FirstRunCopiesWhatTheUserLacksAndKeepsTheUsersFiles)
{
    put("prefix/share/tagloom/Tagloom.colors", "shipped rules");
    put("prefix/share/tagloom/Tagloom.js", "shipped entries");
    put("prefix/share/tagloom/README", "not a data file");
    put("user/Tagloom.colors", "my own rules");
    QDir().mkpath(path("prefix/bin"));

    EXPECT_EQ(ResolveDataFolder(path("prefix/bin"), path("user")), path("user") + '/');
    EXPECT_EQ(readFileBytes(path("user/Tagloom.colors")), "my own rules");
    EXPECT_EQ(readFileBytes(path("user/Tagloom.js")), "shipped entries");
    EXPECT_FALSE(QFile::exists(path("user/README")));
    // Files the program has not shipped are left for it to create or pass over.
    EXPECT_FALSE(QFile::exists(path("user/Tagloom.HotKeys")));
}

TEST_F(DataFolderTest, CopyOfAReadOnlyShippedFileCanBeEdited)
{
    put("prefix/share/tagloom/Tagloom.colors", "shipped rules");
    QFile::setPermissions(path("prefix/share/tagloom/Tagloom.colors"),
                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QDir().mkpath(path("prefix/bin"));

    ResolveDataFolder(path("prefix/bin"), path("user"));
    EXPECT_TRUE(QFile::permissions(path("user/Tagloom.colors")) & QFile::WriteOwner);
}

TEST_F(DataFolderTest, UserFolderThatCannotBeMadeFallsBackToTheShippedFiles)
{
    put("prefix/share/tagloom/Tagloom.colors", "shipped rules");
    put("blocker", "a file where the user folder's parent should be");
    QDir().mkpath(path("prefix/bin"));

    // The rules can still be read, though writing them will fail with a message.
    EXPECT_EQ(ResolveDataFolder(path("prefix/bin"), path("blocker/Tagloom")), path("prefix/share/tagloom") + '/');
}

TEST_F(DataFolderTest, ReadOnlyProgramFolderCopiesFromBesideTheProgram)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write to any folder";
    put("opt/Tagloom.colors", "shipped rules");
    QFile::setPermissions(path("opt"), QFile::ReadOwner | QFile::ExeOwner);

    EXPECT_EQ(ResolveDataFolder(path("opt"), path("user")), path("user") + '/');
    EXPECT_EQ(readFileBytes(path("user/Tagloom.colors")), "shipped rules");
    QFile::setPermissions(path("opt"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
