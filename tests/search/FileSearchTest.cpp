#include "search/FileSearch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// "name:line:column:offset+length:text[mark]" for every match, sorted by file.
QStringList describe(FileSearch &search, const QString &root)
{
    QStringList out;
    for (const FileResult &r : search.takeResults())
        for (const FileMatch &m : r.matches)
            out << QStringLiteral("%1:%2:%3:%4+%5:%6[%7]")
                       .arg(QDir(root).relativeFilePath(r.file))
                       .arg(m.line)
                       .arg(m.column)
                       .arg(m.offset)
                       .arg(m.length)
                       .arg(m.text)
                       .arg(m.text.mid(m.markStart, m.markLength));
    out.sort();
    return out;
}

QStringList skipped(FileSearch &search, const QString &root)
{
    QStringList out;
    for (const SkippedFile &s : search.takeSkipped())
        out << QDir(root).relativeFilePath(s.file) + ": " + s.reason;
    out.sort();
    return out;
}

}  // namespace

TEST(FileSearch, FindsInEveryEncodingAndPlacesMatchesAsTheEditorWill)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    write(root + "/a.html", "<p>\r\n<IMG src=x>\r\n");
    write(root + "/lf.htm", "one\ntwo <img>\n");                     // offsets as loaded: LF becomes CR LF
    write(root + "/latin1.txt", "caf\xE9 <img alt=\"\xE9t\xE9\">");  // byte text
    write(root + "/utf8.txt", "\xC3\xA9t\xC3\xA9 <img>");
    write(root + "/sub/deep.php", "<?php ?><img>");
    write(root + "/skip.css", QByteArray("<img>\0", 6));  // NUL: binary
    write(root + "/other.md", "<img>");                   // not in the patterns
    write(root + "/big.js", QByteArray(2000, 'x') + "<img>");

    FileSearchRequest request;
    request.findText = "<img";
    request.folder = root;
    request.patterns = SplitFilePatterns(" *.htm;*.html ;*.txt;*.php;*.css;;*.js");
    request.maxFileSize = 1000;
    FileSearch search(request);
    search.runHere();
    EXPECT_TRUE(search.isFinished());
    EXPECT_EQ(describe(search, root).join('\n').toStdString(),
              "a.html:2:1:5+4:<IMG src=x>[<IMG]\n"
              "latin1.txt:1:6:5+4:caf\u00e9 <img alt=\"\u00e9t\u00e9\">[<img]\n"
              "lf.htm:2:5:9+4:two <img>[<img]\n"
              "sub/deep.php:1:9:8+4:<?php ?><img>[<img]\n"
              "utf8.txt:1:5:6+4:\u00e9t\u00e9 <img>[<img]");
    EXPECT_EQ(skipped(search, root).join('\n').toStdString(), "big.js: too big\nskip.css: binary");

    // Without sub-folders, and a regular expression with non-ASCII in both encodings.
    request.subfolders = false;
    request.findText = QString::fromUtf8("\xC3\xA9t.");
    request.options.regex = true;
    request.options.matchCase = true;
    FileSearch regex(request);
    regex.runHere();
    EXPECT_EQ(describe(regex, root).join('\n').toStdString(),
              "latin1.txt:1:16:15+3:caf\u00e9 <img alt=\"\u00e9t\u00e9\">[\u00e9t\u00e9]\n"
              "utf8.txt:1:1:0+5:\u00e9t\u00e9 <img>[\u00e9t\u00e9]");
}

TEST(FileSearch, LinesAndOffsetsHoldWithEveryKindOfLineEndAtAnyDistance)
{
    // Line ends of every kind, some at the edges of sixteen-byte blocks and a
    // CR LF split across one, with a match after each.
    QTemporaryDir dir;
    const QByteArray ends[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r"};
    QByteArray text;
    QStringList expected;
    int line = 1;
    qsizetype lone = 0;  // LF or CR alone: the editor makes each a CR LF
    for (int i = 0; i < 60; ++i) {
        text += QByteArray(i % 19, 'x') + "@";
        expected << QStringLiteral("t.txt:%1:%2:%3+1:").arg(line).arg(i % 19 + 1).arg(text.size() - 1 + lone);
        const QByteArray &end = ends[i % 5];
        text += end;
        line += end == "\r\n" ? 1 : end == "\r\r\n" ? 2 : end == "\n\r" ? 2 : 1;
        lone += end == "\n" || end == "\r" ? 1 : end == "\r\r\n" ? 1 : end == "\n\r" ? 2 : 0;
    }
    write(dir.path() + "/t.txt", text);
    FileSearchRequest request;
    request.findText = "@";
    request.folder = dir.path();
    request.patterns = {QStringLiteral("*.txt")};
    FileSearch search(request);
    search.runHere();
    QStringList found;
    for (const QString &m : describe(search, dir.path()))
        found << m.left(m.indexOf(QStringLiteral("+1:")) + 3);
    found.sort();
    expected.sort();
    EXPECT_EQ(found.join('\n').toStdString(), expected.join('\n').toStdString());
}

TEST(FileSearch, OpenDocumentsAreSearchedInTheirCurrentText)
{
    QTemporaryDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    write(root + "/open.html", "<b>on disk</b>");
    write(root + "/closed.html", "<b>closed</b>");
    FileSearchRequest request;
    request.findText = "<b>";
    request.folder = root;
    request.openTexts.insert(root + "/open.html", {"edited\r\n\r\n<B>", true});
    FileSearch search(request);
    search.runHere();
    EXPECT_EQ(describe(search, root).join('\n').toStdString(),
              "closed.html:1:1:0+3:<b>closed</b>[<b>]\nopen.html:3:1:10+3:<B>[<B>]");
}

TEST(FileSearch, SymbolicLinksAreNotFollowedOutOfTheFolder)
{
    QTemporaryDir outside;
    write(outside.path() + "/secret.html", "<img>");
    QTemporaryDir dir;
    write(dir.path() + "/in.html", "<img>");
    ASSERT_TRUE(QFile::link(outside.path(), dir.path() + "/linked"));
    ASSERT_TRUE(QFile::link(outside.path() + "/secret.html", dir.path() + "/file.html"));
    FileSearchRequest request;
    request.findText = "<img>";
    request.folder = dir.path();
    FileSearch search(request);
    search.runHere();
    EXPECT_EQ(describe(search, QFileInfo(dir.path()).canonicalFilePath()).join('\n').toStdString(),
              "in.html:1:1:0+5:<img>[<img>]");
}

TEST(FileSearch, RunsOffTheCallingThreadAndCanBeCancelled)
{
    QTemporaryDir dir;
    for (int i = 0; i < 300; ++i)
        write(dir.path() + QStringLiteral("/d%1/p%2.html").arg(i % 7).arg(i), "x\n<img>\n<img>");
    FileSearchRequest request;
    request.findText = "<IMG>";
    request.folder = dir.path();
    request.patterns = {"*.html"};
    {
        FileSearch search(request);
        ASSERT_TRUE(search.start());
        while (!search.isFinished())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        int matches = 0;
        int files = 0;
        for (const FileResult &r : search.takeResults()) {
            ++files;
            matches += int(r.matches.size());
        }
        EXPECT_EQ(files, 300);
        EXPECT_EQ(matches, 600);
        EXPECT_EQ(search.filesSearched(), 300);
    }
    {
        FileSearch search(request);
        ASSERT_TRUE(search.start());
        search.cancel();
    }  // joins without hanging

    request.findText = "(";
    request.options.regex = true;
    FileSearch bad(request);
    EXPECT_FALSE(bad.start());
    EXPECT_TRUE(bad.error().contains("offset 1")) << bad.error().toStdString();
}
