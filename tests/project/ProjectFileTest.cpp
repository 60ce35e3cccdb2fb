#include "project/ProjectFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

ProjectContent contentOf(const QString &name, const QStringList &fullNames)
{
    ProjectContent c;
    c.name = name;
    for (const QString &n : fullNames)
        InsertProjectEntry(c.entries, SplitProjectPath(n));
    return c;
}

QStringList fullNames(const ProjectContent &c)
{
    QStringList names;
    for (const ProjectEntry &e : c.entries)
        names.append(e.fullName());
    return names;
}

const QByteArray Head = "Tagloom Project File\r\nProject name:\r\n";

}  // namespace

TEST(ProjectFile, WritesTheSiteExampleInFileNameOrder)
{
    const ProjectContent c = contentOf("Site", {"C:\\web\\index.html", "C:\\web\\b\\a.html"});
    EXPECT_EQ(ProjectFileText(c), QByteArray("Tagloom Project File\r\nProject name:\r\nSite\r\nProject files:\r\n"
                                             "C:\\web\\b\\a.html\r\nC:\\web\\index.html\r\n"));
}

TEST(ProjectFile, SplitsFullNamesIntoFileAndFolder)
{
    struct Case
    {
        QString full, file, folder;
    } cases[] = {
        {"C:\\web\\b\\a.html", "a.html", "C:\\web\\b\\"},
        {"/home/u/site/a.html", "a.html", "/home/u/site/"},
        {"C:/web\\mixed/a.html", "a.html", "C:/web\\mixed/"},
        {"C:a.html", "a.html", "C:"},
        {"a.html", "a.html", ""},
        {"", "", ""},
        {"/home/u/a:b.html", "a:b.html", "/home/u/"},  // a colon inside a name is no drive
        {"/home/u/", "", "/home/u/"},
    };
    for (const Case &c : cases) {
        const ProjectEntry e = SplitProjectPath(c.full);
        EXPECT_EQ(e.fileName, c.file) << c.full.toStdString();
        EXPECT_EQ(e.folder, c.folder) << c.full.toStdString();
        EXPECT_EQ(e.fullName(), c.full);
    }
}

TEST(ProjectFile, ListOrderIgnoresCaseAndKeepsDuplicates)
{
    const ProjectContent c = contentOf("",
                                       {"/x/b.html", "/y/B.html", "/z/a.html", "/x/b.html", "/w/C.html", "/v/b.html"});
    EXPECT_EQ(fullNames(c),
              QStringList({"/z/a.html", "/y/B.html", "/x/b.html", "/x/b.html", "/v/b.html", "/w/C.html"}));
}

TEST(ProjectFile, ReadsWhatTheFileHolds)
{
    struct Case
    {
        const char *what;
        QByteArray bytes;
        bool valid;
        QString name;
        QStringList entries;
    } cases[] = {
        {"only the first line", "Tagloom Project File\r\n", true, "", {}},
        {"first line without break", "Tagloom Project File", true, "", {}},
        {"captions are not examined",
         "Tagloom Project File\r\nxx\r\nN\r\nyy\r\n/a/p.html\r\n",
         true,
         "N",
         {"/a/p.html"}},
        {"empty line among entries",
         Head + "N\r\nProject files:\r\n/a/z.html\r\n\r\n/a/b.html\r\n",
         true,
         "N",
         {"", "/a/b.html", "/a/z.html"}},
        {"LF and lone CR lines",
         "Tagloom Project File\nProject name:\rN\nProject files:\n/a/p.html\n",
         true,
         "N",
         {"/a/p.html"}},
        {"last line without break", Head + "N\r\nProject files:\r\n/a/p.html", true, "N", {"/a/p.html"}},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + Head + "Caf\xC3\xA9\r\n", true, QString::fromUtf8("Caf\xC3\xA9"), {}},
        {"Latin-1",
         Head + "Caf\xE9\r\nProject files:\r\n/a/\xE9.html\r\n",
         true,
         QString::fromLatin1("Caf\xE9"),
         {QString::fromLatin1("/a/\xE9.html")}},
        {"header in other case", "tagloom project file\r\n", false, "", {}},
        {"header with more text", "Tagloom Project File v2\r\n", false, "", {}},
        {"header after a blank line", "\r\nTagloom Project File\r\n", false, "", {}},
        {"empty file", "", false, "", {}},
        {"an HTML page", "<HTML>\r\n<TITLE>x</TITLE>\r\n", false, "", {}},
    };
    for (const Case &c : cases) {
        ProjectContent content;
        content.name = "unchanged";
        EXPECT_EQ(ParseProjectText(c.bytes, &content), c.valid) << c.what;
        if (!c.valid) {
            EXPECT_EQ(content.name, "unchanged") << c.what;
            continue;
        }
        EXPECT_EQ(content.name, c.name) << c.what;
        EXPECT_EQ(fullNames(content), c.entries) << c.what;
    }
}

TEST(ProjectFile, ReadThenWriteGivesTheSameBytes)
{
    const QByteArray cases[] = {
        Head + "Site\r\nProject files:\r\n",
        Head + "Site\r\nProject files:\r\nC:\\web\\b\\a.html\r\nC:\\web\\index.html\r\n",
        Head + "\r\nProject files:\r\n\r\n/a/b.html\r\n/a/b.html\r\n",  // empty entry, duplicates
        Head + "Site\r\nProject files:\r\n\r\n\r\n",                    // two empty entries
        Head + "Caf\xE9\r\nProject files:\r\n/a/\xE9.html\r\n",         // Latin-1 stays Latin-1
        "\xEF\xBB\xBF" + Head + "Caf\xC3\xA9\r\nProject files:\r\n",    // BOM kept
        Head + QByteArrayLiteral("N\x00ul\r\nProject files:\r\n"),
        Head + "\xEF\xBB\xBF\xEF\xBB\xBFName starting with marks\r\nProject files:\r\n",  // marks are text here
    };
    for (const QByteArray &bytes : cases) {
        ProjectContent content;
        ASSERT_TRUE(ParseProjectText(bytes, &content));
        QByteArray cycled = bytes;
        for (int i = 0; i < 3; ++i) {
            cycled = ProjectFileText(content);
            ASSERT_TRUE(ParseProjectText(cycled, &content));
        }
        EXPECT_EQ(cycled, bytes);
    }
}

TEST(ProjectFile, LineBreaksInANameStayOnItsLine)
{
    ProjectContent c = contentOf("My\r\nSite\nis\rhere", {"/a/p.html"});
    const QByteArray bytes = ProjectFileText(c);
    EXPECT_EQ(bytes, Head + "My Site is here\r\nProject files:\r\n/a/p.html\r\n");
    ProjectContent back;
    ASSERT_TRUE(ParseProjectText(bytes, &back));
    EXPECT_EQ(fullNames(back), QStringList({"/a/p.html"}));
}

TEST(ProjectFile, NonLatin1NameInALatin1ProjectIsWrittenAsUtf8)
{
    ProjectContent c;
    ASSERT_TRUE(ParseProjectText(Head + "Caf\xE9\r\n", &c));
    c.name = QString::fromUtf8("\xE2\x82\xAC uro");
    ProjectContent back;
    ASSERT_TRUE(ParseProjectText(ProjectFileText(c), &back));
    EXPECT_EQ(back.name, c.name);
}

TEST(ProjectFile, ReadingRefusesWhatIsNoProjectFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.tlp");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString big = dir.filePath("big.tlp");
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Head);
        ASSERT_TRUE(f.resize(MaxProjectFileSize + 1));  // sparse: costs no disk
    }
    const QString good = dir.filePath("good.tlp");
    writeFileBytes(good, Head + "N\r\n");
    struct Case
    {
        QString file;
        ProjectReadResult result;
    } cases[] = {
        {dir.filePath("missing.tlp"), ProjectReadResult::NotFound},
        {dir.path(), ProjectReadResult::NotAProject},
        {fifo, ProjectReadResult::NotAProject},  // must not block
        {big, ProjectReadResult::NotAProject},
        {good, ProjectReadResult::Read},
    };
    for (const Case &c : cases) {
        ProjectContent content;
        EXPECT_EQ(ReadProjectFile(c.file, &content), c.result) << c.file.toStdString();
    }
}

TEST(ProjectFile, FailedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("p.tlp");
    const ProjectContent c = contentOf("Site", {"/a/p.html"});
    ASSERT_TRUE(WriteProjectFile(name, c));
    EXPECT_EQ(readFileBytes(name), ProjectFileText(c));
    EXPECT_FALSE(WriteProjectFile(dir.filePath("no/such/folder/p.tlp"), c));
    // A folder in the way of the file: nothing is written and the folder stays.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.tlp"));
    EXPECT_FALSE(WriteProjectFile(dir.filePath("taken.tlp"), c));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.tlp")).isDir());
}

// A project file fits a write buffer, and used to be cut off on a full disk
// while the write said it had worked.
TEST(ProjectFile, SmallFileOnFullDiskKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("p.tlp");
    ASSERT_TRUE(WriteProjectFile(name, contentOf("Site", {"/a/p.html"})));
    const QByteArray before = readFileBytes(name);
    QStringList pages;
    for (int i = 0; i < 100; ++i)
        pages.append(QStringLiteral("/site/section/page%1.html").arg(i));
    const ProjectContent bigger = contentOf("Site", pages);
    ASSERT_GT(ProjectFileText(bigger).size(), 1024);
    ASSERT_LT(ProjectFileText(bigger).size(), 16 * 1024);
    QString error;
    EXPECT_FALSE(withSizeLimit(1024, [&] { return WriteProjectFile(name, bigger, &error); }));
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(readFileBytes(name), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"p.tlp"}));
}

// Reading sorts the whole list at once; the order must be the one that adding
// the lines one by one gives: case folded first, equal names in file order.
TEST(ProjectFile, ReadingOrdersAsAddingEachLineInTurn)
{
    const QStringList letters = {"a", "A", "b", "B", QString::fromUtf8("\xC3\xA4"), QString::fromUtf8("\xC3\x84"),
                                 "_", "1"};
    const QStringList folders = {"/x/", "/y/", "C:\\w\\", ""};
    quint32 seed = 12345;
    auto next = [&seed](quint32 n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    QStringList names;
    for (int i = 0; i < 3000; ++i) {
        QString file;
        for (quint32 k = 0, len = next(4); k < len; ++k)
            file += letters.at(next(quint32(letters.size())));
        names.append(folders.at(next(quint32(folders.size()))) + file + QStringLiteral(".html"));
    }
    QByteArray bytes = Head + "Big\r\nProject files:\r\n";
    for (const QString &n : names)
        bytes += n.toUtf8() + "\r\n";
    ProjectContent read;
    ASSERT_TRUE(ParseProjectText(bytes, &read));
    const ProjectContent added = contentOf("Big", names);
    ASSERT_EQ(read.entries.size(), names.size());
    EXPECT_EQ(fullNames(read), fullNames(added));
    EXPECT_TRUE(std::is_sorted(read.entries.begin(), read.entries.end(), ProjectEntryLess));
}
