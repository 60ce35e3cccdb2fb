#include "custom/JsEntries.h"
#include "custom/NewLinkMarkup.h"
#include "GoldenFile.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

QString shippedEntries()
{
    return QString::fromUtf8(readFileBytes(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.js")));
}

const QString Hostile = QStringLiteral("It's \"q\" \\ </script> ~ TL%1 ü€");

void expectGolden(const QString &name, const std::optional<QString> &text)
{
    ASSERT_TRUE(text.has_value()) << name.toStdString();
    const QByteArray actual = text->toUtf8();
    const QByteArray golden = goldenBytes(name);
    EXPECT_FALSE(golden.isEmpty()) << name.toStdString();
    if (actual != golden)
        writeActual(name, actual);
    EXPECT_EQ(actual, golden) << name.toStdString() << ": see the .actual file beside it";
}

}  // namespace

TEST(NewLinkMarkup, DatesAreCompleteRealDays)
{
    const struct
    {
        const char *text;
        bool ok;
    } cases[] = {
        {"03/15/98", true},  {"12/31/69", true},  {"01/01/70", true},  {"02/29/00", true},    {"02/29/96", true},
        {"02/29/01", false}, {"02/30/98", false}, {"13/01/98", false}, {"00/10/98", false},   {"12/00/98", false},
        {"12/32/98", false}, {"  /  /  ", false}, {"3 /15/98", false}, {"03/15/9 ", false},   {"03/15/98 ", false},
        {"03-15-98", false}, {"", false},         {"//", false},       {"03/15/1998", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsNewLinkDate(QString::fromLatin1(c.text)), c.ok) << c.text;

    EXPECT_EQ(NewLinkDateText(QDate(2026, 12, 8)), "12/08/26");
    EXPECT_EQ(NewLinkDateText(QDate(1998, 3, 15)), "03/15/98");
    // Every day the field can start at is accepted.
    for (QDate d(1970, 1, 1); d.year() < 2070; d = d.addDays(1))
        ASSERT_TRUE(IsNewLinkDate(NewLinkDateText(d))) << d.toString().toStdString();
}

TEST(NewLinkMarkup, DateExpressionsAndParameters)
{
    EXPECT_EQ(NewLinkDateExpression(true, "03/15/98"), "'03/15/98'");
    EXPECT_EQ(NewLinkDateExpression(false, "03/15/98"), "document.lastModified");
    EXPECT_EQ(NewLinkCheckerParams(14, "document.lastModified"), "14~document.lastModified~");
    // A typed "~" is escaped, so the later values keep their places.
    EXPECT_EQ(NewLinkHeadParams("a~b.gif", "LEFT", "x\"y"), "a\\u007Eb.gif~LEFT~x\\\"y~");
    // A Latin-1 page cannot hold the euro sign or the emoji, so they travel as escapes.
    const QString beyond = QString::fromUtf8("\xc3\xbc\xe2\x82\xac\xf0\x9f\x98\x80 \\");
    EXPECT_EQ(NewLinkHeadParams(beyond, "", "", false), QString::fromUtf8("\xc3\xbc\\u20AC\\uD83D\\uDE00 \\\\~~~"));
    EXPECT_EQ(NewLinkHeadParams(beyond, "", "", true), JsStringText(beyond) + "~~~");
}

TEST(NewLinkMarkup, StoredAlignmentSelectsItsItem)
{
    const struct
    {
        const char *stored;
        int item;
    } cases[] = {
        {"LEFT", 0},   {"RIGHT", 1},     {"TOP", 2}, {"TEXTTOP", 3}, {"MIDDLE", 4}, {"ABSMIDDLE", 5},  {"BASELINE", 6},
        {"BOTTOM", 7}, {"ABSBOTTOM", 8}, {"", 0},    {"CENTER", 0},  {"RIGHT ", 0}, {"ABSBOTTOMX", 0}, {"Right", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(NewLinkAlignmentIndex(QString::fromLatin1(c.stored)), c.item) << c.stored;
}

TEST(NewLinkMarkup, HeadEndIsFoundInAnyCase)
{
    const struct
    {
        QByteArray text;
        qsizetype at;
    } cases[] = {
        {"<html><head><title>t</title></head><body>", 28},
        {"<HTML><HEAD>\r\n</HEAD>\r\n", 14},
        {"</HeAd>", 0},
        {"a </head> b </HEAD>", 2},
        {"<head><title>x</title>", -1},
        {"</head", -1},
        {"</hea>d>", -1},
        // Bytes that only look like letters when bits are forced must not match.
        {"<\x0fhead><\x0fHEAD>", -1},
        {"<\xc3\xa9/head></head>", 9},
        {QByteArray("\0</head>", 8), 1},
        {"", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FindHeadEnd(c.text), c.at) << c.text.constData();
}

TEST(NewLinkMarkup, InsertedTextsGolden)
{
    const QString entries = shippedEntries();
    ASSERT_FALSE(entries.isEmpty());
    expectGolden("newlink-head-hostile.txt", NewLinkHeadText(entries, Hostile, Hostile, Hostile));
    expectGolden("newlink-head-plain.txt", NewLinkHeadText(entries, "images/new.gif", "ABSMIDDLE", "New!"));
    expectGolden("newlink-checker-date.txt", NewLinkCheckerText(entries, 7, NewLinkDateExpression(true, "03/15/98")));
    expectGolden("newlink-checker-modified.txt",
                 NewLinkCheckerText(entries, 14, NewLinkDateExpression(false, QString())));
}

TEST(NewLinkMarkup, HostileValuesStayInsideTheirStrings)
{
    const std::optional<QString> head = NewLinkHeadText(shippedEntries(), Hostile, Hostile, Hostile);
    ASSERT_TRUE(head.has_value());
    const QString escaped = QStringLiteral("\"It\\'s \\\"q\\\" \\\\ <\\/script> \\u007E TL%1 ü€\"");
    EXPECT_EQ(head->count(escaped), 3) << head->toStdString();
    // The only end of the script element is its own.
    EXPECT_EQ(head->count(QStringLiteral("</"), Qt::CaseInsensitive), 1);
    EXPECT_TRUE(head->startsWith("\r\n"));
}

TEST(NewLinkMarkup, MissingEntriesWriteNothing)
{
    const QString others = QStringLiteral("Tagloom JS Entry #0\r\nx\r\nTagloom JS Entry #5\r\ny\r\n");
    EXPECT_EQ(NewLinkHeadText(others, "a.gif", "Left", "a"), std::nullopt);
    EXPECT_EQ(NewLinkCheckerText(others, 7, "document.lastModified"), std::nullopt);
    EXPECT_EQ(NewLinkHeadLine(std::nullopt), std::nullopt);
    EXPECT_EQ(NewLinkHeadLine(QString()), QString("\r\n"));
}
