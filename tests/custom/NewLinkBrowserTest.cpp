#include "custom/NewLinkMarkup.h"
#include "support/HeadlessBrowser.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

QString shippedEntries()
{
    return QString::fromUtf8(readFileBytes(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.js")));
}

const QString Hostile = QStringLiteral("It's \"q\" \\ </script> ~ TL%1 ü€");

QString head(const QString &picture, const QString &alignment, const QString &alt, bool latin1 = false)
{
    const std::optional<QString> text = NewLinkHeadText(shippedEntries(), picture, alignment, alt, !latin1);
    EXPECT_TRUE(text.has_value());
    return text.value_or(QString());
}

QString checker(int days, const QString &dateExpression)
{
    const std::optional<QString> text = NewLinkCheckerText(shippedEntries(), days, dateExpression);
    EXPECT_TRUE(text.has_value());
    return text.value_or(QString());
}

QString onDay(int daysAgo)
{
    return NewLinkDateExpression(true, NewLinkDateText(QDate::currentDate().addDays(-daysAgo)));
}

QByteArray page(const QString &heads, const QString &checkers, bool latin1 = false)
{
    const QString html = QStringLiteral("<!DOCTYPE html>\r\n<HTML><HEAD><META CHARSET=\"%1\"><TITLE>t</TITLE>")
                             .arg(latin1 ? QStringLiteral("iso-8859-1") : QStringLiteral("utf-8"))
                         + heads + QStringLiteral("</HEAD>\r\n<BODY><P><A HREF=\"a.html\">a</A>") + checkers
                         + QStringLiteral("</P></BODY></HTML>\r\n");
    return latin1 ? html.toLatin1() : html.toUtf8();
}

// Each picture the page shows, as [src, align, alt].
const QString Pictures = QStringLiteral(
    "JSON.stringify(Array.prototype.map.call(document.images, function (i) {"
    " return [i.getAttribute('src'), i.getAttribute('align'), i.getAttribute('alt')]; }))");

}  // namespace

TEST(NewLinkBrowser, PictureShowsOnlyWhileTheLinkIsNew)
{
    const QString plainHead = head("new.gif", "RIGHT", "New!");
    const QString shown = QStringLiteral("[[\"new.gif\",\"RIGHT\",\"New!\"]]");
    const QString hostileShown = QStringLiteral(
        "[[\"It's \\\"q\\\" \\\\ </script> ~ TL%1 ü€\",\"It's \\\"q\\\" \\\\ </script> ~ TL%1 ü€\","
        "\"It's \\\"q\\\" \\\\ </script> ~ TL%1 ü€\"]]");
    const struct
    {
        const char *what;
        QByteArray html;
        QString pictures;
    } cases[] = {
        {"added today, 7 days", page(plainHead, checker(7, onDay(0))), shown},
        {"added 10 days ago, 14 days", page(plainHead, checker(14, onDay(10))), shown},
        {"added 10 days ago, 7 days", page(plainHead, checker(7, onDay(10))), "[]"},
        {"added in 1998", page(plainHead, checker(99, NewLinkDateExpression(true, "03/15/98"))), "[]"},
        // The page file was written just now.
        {"last modified", page(plainHead, checker(1, NewLinkDateExpression(false, QString()))), shown},
        {"no head part", page(QString(), checker(7, onDay(0))), "[]"},
        {"head part twice", page(plainHead + plainHead, checker(7, onDay(0))), shown},
        {"two checkers", page(plainHead, checker(7, onDay(0)) + checker(7, onDay(30))), shown},
        {"hostile values", page(head(Hostile, Hostile, Hostile), checker(7, onDay(0))), hostileShown},
        {"hostile values, Latin-1 page", page(head(Hostile, Hostile, Hostile, true), checker(7, onDay(0)), true),
         hostileShown},
    };
    for (const auto &c : cases) {
        const BrowserPage result = LoadInBrowser(c.html, Pictures, 100);
        REQUIRE_BROWSER(result);
        EXPECT_EQ(result.probe, c.pictures) << c.what;
        EXPECT_TRUE(result.scriptErrors.isEmpty()) << c.what << ": " << result.scriptErrors.join('\n').toStdString();
        // Whatever was typed, the page holds its own elements only.
        EXPECT_EQ(result.outline.count(QStringLiteral("SCRIPT")), c.html.count("<SCRIPT")) << c.what;
    }
}
