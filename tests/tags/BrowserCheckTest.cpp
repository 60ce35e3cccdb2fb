#include "support/FakeDocument.h"
#include "support/HeadlessBrowser.h"
#include "tags/TagCommands.h"

#include <gtest/gtest.h>

namespace {

// Runs the item's command around the selected word "x" and returns the text.
QByteArray wrapped(const char *item)
{
    FakeDocument doc("x");
    doc.select(0, 1);
    FindTagCommand(QString::fromLatin1(item))->run(doc);
    return doc.text();
}

}  // namespace

// The tag commands' markup, read by a browser: each wraps its text in the element meant.
TEST(BrowserCheck, TagCommandsBuildTheIntendedElements)
{
    QByteArray body;
    const char *items[] = {"Header32",    "Bold1",   "Italic1", "Underline1", "Strong1",    "Emphasis1",
                           "BlockQuote1", "Center1", "Code1",   "Address1",   "Subscript1", "Superscript1"};
    for (const char *item : items) {
        const TagCommand *command = FindTagCommand(QString::fromLatin1(item));
        ASSERT_NE(command, nullptr) << item;
        body += "<DIV>" + wrapped(item) + "</DIV>\r\n";
    }
    const BrowserPage page = LoadInBrowser("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r\n" + body + "</BODY></HTML>",
                                           QStringLiteral("document.title"));
    REQUIRE_BROWSER(page);
    EXPECT_EQ(page.probe, QStringLiteral("t"));
    EXPECT_TRUE(page.scriptErrors.isEmpty()) << page.scriptErrors.join('\n').toStdString();
    for (const char *element :
         {"H3", "B", "I", "U", "STRONG", "EM", "BLOCKQUOTE", "CENTER", "CODE", "ADDRESS", "SUB", "SUP"})
        EXPECT_TRUE(page.outline.contains(QStringLiteral("    DIV\n      %1\n").arg(QLatin1String(element))))
            << element << "\n"
            << page.outline.toStdString();
}

TEST(BrowserCheck, ReportsUncaughtScriptErrors)
{
    const BrowserPage page = LoadInBrowser("<HTML><BODY><SCRIPT>var n = 3; undefinedFunction();</SCRIPT>"
                                           "<P ALIGN=\"CENTER\">p</P></BODY></HTML>",
                                           QStringLiteral("n * 2"));
    REQUIRE_BROWSER(page);
    EXPECT_EQ(page.probe, QStringLiteral("6"));
    ASSERT_EQ(page.scriptErrors.size(), 1) << page.outline.toStdString();
    EXPECT_TRUE(page.scriptErrors.first().contains(QStringLiteral("undefinedFunction")));
    EXPECT_TRUE(page.outline.contains(QStringLiteral("P ALIGN=\"CENTER\""))) << page.outline.toStdString();
}
