#include "project/ReadTitle.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(ReadTitle, FindsTheTextBetweenTheTags)
{
    struct Case
    {
        const char *what;
        QByteArray text;
        QString title;
    } cases[] = {
        {"upper-case tags on one line", "<HTML>\r\n<TITLE>My Page</TITLE>\r\n", "My Page"},
        {"start tag alone on its line", "<title>\r\nMy Page</title>\r\n", "\nMy Page"},
        {"indented", "<html>\r\n  <title>My Page</title>\r\n", "My Page"},
        {"head closed on the same line", "<html><head><title>My Page</title></head><body>x</body>", "My Page"},
        {"mixed case", "<TiTlE>A</tItLe>", "A"},
        {"first end tag wins", "<title>A</title>B</title>", "A"},
        {"markup kept as written", "<title>a &amp; <b>b</b></title>", "a &amp; <b>b</b>"},
        {"CR removed, LF kept", "<title>A\r\nB\rC</title>", "A\nBC"},
        {"no end tag: to the end", "<title>Half", "Half"},
        {"empty title", "<title></title>", ""},
        {"no title", "<html><body>text</body></html>", ""},
        {"attributes are no title tag", "<title lang=en>x</title>", ""},
        {"control byte is no letter", "<title\x1e>x</title>", ""},
        {"UTF-8", "<title>Caf\xC3\xA9</title>", QString::fromUtf8("Caf\xC3\xA9")},
        {"Latin-1", "<title>Caf\xE9</title>", QString::fromLatin1("Caf\xE9")},
        {"empty text", "", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TitleFromText(c.text), c.title) << c.what;
}

TEST(ReadTitle, ReadsOnlyTheStartOfAFile)
{
    QTemporaryDir dir;
    auto page = [&dir](const QString &name, const QByteArray &bytes) {
        const QString path = dir.filePath(name);
        writeFileBytes(path, bytes);
        return path;
    };
    const QByteArray filler(TitleReadLimit, ' ');
    // Tags across the boundaries of the reading steps.
    const QString split1 = page("split1.html", QByteArray(4096 - 3, ' ') + "<title>Split</title>");
    const QString split2 = page("split2.html", QByteArray(4090, ' ') + "<title>Split</TITLE>" + filler);
    const QString late = page("late.html", filler + "<title>Too late</title>");
    const QString endLate = page("endlate.html", "<title>Long" + filler + "</title>");
    const QString fifo = dir.filePath("pipe.html");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);

    EXPECT_EQ(ReadTitle(split1), "Split");
    EXPECT_EQ(ReadTitle(split2), "Split");
    EXPECT_EQ(ReadTitle(late), "");
    EXPECT_EQ(ReadTitle(endLate).size(), TitleReadLimit - 7);
    EXPECT_EQ(ReadTitle(dir.filePath("missing.html")), "");
    EXPECT_EQ(ReadTitle(dir.path()), "");
    EXPECT_EQ(ReadTitle(fifo), "");  // must not block
    EXPECT_EQ(ReadTitle(""), "");
}
