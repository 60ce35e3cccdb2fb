#include "check/MarkupCheck.h"
#include "check/PageCheck.h"
#include "check/PageScan.h"
#include "support/PictureFiles.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const char *severityText(CheckSeverity s)
{
    return s == CheckSeverity::Error ? "error" : s == CheckSeverity::Warning ? "warning" : "note";
}

QString listing(const QList<PageFindings> &pages, const QString &root)
{
    QString out;
    for (const PageFindings &page : pages)
        for (const CheckFinding &f : page.findings)
            out += QStringLiteral("%1:%2:%3: %4: %5 | %6\n")
                       .arg(QDir(root).relativeFilePath(page.file))
                       .arg(f.line)
                       .arg(f.column)
                       .arg(QLatin1String(severityText(f.severity)), f.message, f.text);
    return out;
}

QString goldenPath(const char *name)
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/golden/") + QLatin1String(name);
}

// Compares with the golden file; a mismatch writes the actual text beside it for review.
void expectGolden(const QString &actual, const char *name)
{
    const QString path = goldenPath(name);
    const QString expected = QString::fromUtf8(readFileBytes(path));
    if (actual != expected)
        writeFileBytes(path + QStringLiteral(".actual"), actual.toUtf8());
    EXPECT_EQ(actual.toStdString(), expected.toStdString()) << "golden: " << path.toStdString();
}

QByteArray page(const QByteArray &body)
{
    return "<!DOCTYPE html>\r\n<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r\n" + body + "</BODY></HTML>\r\n";
}
}  // namespace

// A small site with one known fault of each kind gives exactly the expected list.
TEST(PageCheck, SiteWithKnownFaultsGivesTheGoldenList)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/site");
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/img")));
    auto put = [&](const char *name, const QByteArray &bytes) {
        ASSERT_TRUE(writeFileBytes(root + QLatin1Char('/') + QLatin1String(name), bytes));
    };
    put("img/logo.png", makePng(20, 30));
    put("img/broken.gif", "GIF89a");
    put("about.html", page("<H1><A NAME=\"staff\">Staff</A></H1>\r\n<P ID=\"mail\">m</P>\r\n"));
    put("index.html",
        page("<P><A HREF=\"missing.html\">gone</A> <A HREF=\"About.html\">case</A>\r\n"
             "<A HREF=\"about.html#team\">renamed</A> <A HREF=\"about.html#staff\">fine</A>\r\n"
             "<A NAME=\"intro\">i</A> <A HREF=\"#intro\">up</A> <A HREF=\"#nowhere\">x</A></P>\r\n"
             "<IMG SRC=\"img/logo.png\" WIDTH=\"10\" HEIGHT=\"30\" ALT=\"logo\">\r\n"
             "<IMG SRC=\"img/logo.png\" WIDTH=\"20\" HEIGHT=\"30\">\r\n"
             "<IMG SRC=\"img/broken.gif\" ALT=\"b\"> <IMG SRC=\"img/logo.png\" USEMAP=\"#nav\" ALT=\"m\">\r\n"
             "<P ID=\"x\">a</P>\r\n<P ID=\"x\">b</P>\r\n"
             "<A HREF=\"http://example.org/\">out</A> <A HREF=\"../outside.html\">up</A>\r\n"
             "<TABLE><TR><TD>cell</TD></TR>\r\n"));
    // Latin-1: columns count characters, the texts are read as Latin-1.
    put("latin1.html", page("<P>caf\xe9 cr\xe8me <A HREF=\"men\xfc.html\">carte</A></P>\r\n"));
    // A byte-order mark and UTF-8: the mark is no column, a two-byte letter is one.
    put("bom.html", "\xEF\xBB\xBF<!DOCTYPE html><HTML><HEAD><TITLE>t</TITLE></HEAD><BODY><BLINK>x</BLINK>\r\n"
                    "<P>Gr\xc3\xbc\xc3\x9f"
                    "e <IMG SRC=\"nope.gif\" ALT=\"x\"></P>\r\n</BODY></HTML>\r\n");
    ASSERT_TRUE(writeFileBytes(dir.path() + QStringLiteral("/outside.html"), page("<P>x</P>\r\n")));

    CheckContext context;
    context.projectFolder = root;
    QList<PageFindings> pages;
    for (const char *name : {"about.html", "index.html", "latin1.html", "bom.html"})
        pages.append(CheckFile(root + QLatin1Char('/') + QLatin1String(name), context));
    expectGolden(listing(pages, root), "site.txt");
}

// The open document's text is checked, not its file; obsolete elements can be silenced.
TEST(PageCheck, OpenTextAndObsoleteOption)
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/p.html");
    ASSERT_TRUE(writeFileBytes(file, page("<P>saved</P>\r\n")));
    const QByteArray edited = page(
        "<CENTER><FONT SIZE=\"2\">a</FONT></CENTER>\r\n<CENTER>b</CENTER>\r\n<LAYER>c</LAYER>\r\n");
    CheckContext context;
    context.setOpenText(file, edited);
    const PageFindings shown = CheckFile(file, context);
    QStringList messages;
    for (const CheckFinding &f : shown.findings)
        messages << f.message;
    EXPECT_EQ(messages, QStringList({"<CENTER> is obsolete (2 times in this page)", "<FONT> is obsolete",
                                     "<LAYER> is obsolete"}));
    context.options.reportObsolete = false;
    EXPECT_TRUE(CheckFile(file, context).findings.isEmpty());
}

// An untitled page has no folder: its links to files are not checked, its anchors are.
TEST(PageCheck, UntitledPageChecksOnlyItsOwnAnchors)
{
    CheckContext context;
    const PageFindings f = CheckPage(QStringLiteral("Untitled1"),
                                     page("<A HREF=\"x.html\">x</A> <A HREF=\"#n\">n</A>\r\n"), context, true);
    ASSERT_EQ(f.findings.size(), 2);
    EXPECT_EQ(f.findings[0].message, "the page is not saved yet: links to files are not checked");
    EXPECT_EQ(f.findings[1].message, "no anchor \"n\" in this page");
}

// Pages the checker cannot parse or that would take it long still end, with tidy's own word.
TEST(PageCheck, HostilePagesEnd)
{
    CheckContext context;
    const QByteArray cases[] = {
        QByteArray(200000, '<'),          QByteArray("<A HREF=\"") + QByteArray(100000, 'x'),
        QByteArray(50000, '\0'),          QByteArray("<!--") + QByteArray(100000, '-'),
        QByteArray().fill('\xff', 10000), QByteArray("<TABLE>").repeated(5000),
    };
    for (const QByteArray &text : cases) {
        const PageFindings f = CheckPage(QStringLiteral("/tmp/h.html"), text, context);
        EXPECT_LE(f.findings.size(), MaxFindingsPerPage + 1);
    }
}

// The scan finds the attributes where browsers would, and nothing inside comments and scripts.
TEST(PageScan, FindsAttributesWhereBrowsersDo)
{
    struct Case
    {
        QByteArray text;
        QByteArray expected;  // "TAG ATTR=value ..." per tag, "|" between tags
    };
    const Case cases[] = {
        {"<a href=a.html>x</a>", "A HREF=a.html"},
        {"<A HREF = 'b c.html' NAME=\"n\">", "A HREF=b c.html NAME=n"},
        {"<!-- <a href=no.html> --><img src=p.gif alt>", "IMG SRC=p.gif ALT="},
        {"<script>document.write('<a href=no.html>')</script><a id=i>", "A ID=i"},
        {"<SCRIPT>if (a<b) x()</SCRIPT ><BASE HREF=\"http://h/\">", "BASE HREF=http://h/"},
        {"<img src=\"unclosed.gif alt=x>", "IMG SRC=unclosed.gif alt=x>"},
        {"<p>a < b and <br/> <td background=bg.gif/>", "TD BACKGROUND=bg.gif/"},
        {"<applet code=A.class codebase=cls><param name=p value=v></applet>",
         "APPLET CODE=A.class CODEBASE=cls|PARAM NAME=p"},
        {"<form action=\"cgi/go\"><input type=image src=b.gif>", "FORM ACTION=cgi/go|INPUT TYPE=image SRC=b.gif"},
        {"< a href=x> <a", ""},
    };
    for (const Case &c : cases) {
        QByteArrayList tags;
        for (const ScannedTag &tag : ScanPageTags(c.text)) {
            QByteArray line = tag.name;
            for (const ScannedAttribute &a : tag.attributes)
                line += " " + a.name + "=" + AttributeBytes(c.text, a).toByteArray();
            tags << line;
        }
        EXPECT_EQ(tags.join('|').toStdString(), c.expected.toStdString()) << c.text.toStdString();
    }
}

TEST(PageCheck, CommonFolderOfProjectFiles)
{
    EXPECT_EQ(CommonFolder({"/w/site/a.html", "/w/site/b/c.html"}), "/w/site");
    EXPECT_EQ(CommonFolder({"/w/site/a/x.html", "/w/sit/y.html"}), "/w");
    EXPECT_EQ(CommonFolder({}), "");
}
