#include "custom/JsWizardMarkup.h"

#include <gtest/gtest.h>

namespace {

// The value every test types: quotes, a backslash, a script end, the parameter
// separator, a placeholder, and characters beyond ASCII and beyond Latin-1.
const QString hostile = QString::fromUtf8("It's \"q\" \\ </script> ~ TL%1 ü€");

TEST(JsWizardMarkup, TypedValuesBecomeScriptStringText)
{
    const struct
    {
        QString typed;
        bool utf8;
        const char *expected;
    } cases[] = {
        {hostile, true, R"(It\'s \"q\" \\ <\/script> \u007E TL%1 ü€)"},
        {hostile, false, R"(It\'s \"q\" \\ <\/script> \u007E TL%1 ü\u20AC)"},
        // A character outside the basic plane is two escapes, which a script reads as one character.
        {QString::fromUtf8("a😀b"), false, R"(a\uD83D\uDE00b)"},
        {QStringLiteral("line\r\nbreak"), true, R"(line\r\nbreak)"},
        {QString(), true, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(JsScriptValue(c.typed, c.utf8), QString::fromUtf8(c.expected)) << c.expected;
}

TEST(JsWizardMarkup, ParameterTexts)
{
    JsWizardValues v;
    v.scrollText = hostile;
    v.formName = QStringLiteral("OrderForm");
    v.submitName = QStringLiteral("go~now");
    v.fadeFrom = {255, 0, 16};
    v.fadeTo = {0, 128, 255};
    v.speed = 40;
    v.textFrom = {1, 2, 3};
    v.textTo = {300, -5, 254};  // out of range: clamped
    v.fadeText = hostile;
    EXPECT_EQ(ScrollingButtonParams(v, true),
              QString::fromUtf8(R"(It\'s \"q\" \\ <\/script> \u007E TL%1 ü€~OrderForm~go\u007Enow~)"));
    EXPECT_EQ(FadeParams(v), "255~0~16~0~128~255~40~");
    EXPECT_EQ(TextFadeParams(v, false),
              QString::fromUtf8(R"(1~2~3~255~0~254~It\'s \"q\" \\ <\/script> \u007E TL%1 ü\u20AC~)"));
    // The speed stays in the track bar's range.
    v.speed = 1;
    EXPECT_EQ(FadeParams(v), "255~0~16~0~128~255~2~");
}

TEST(JsWizardMarkup, LastModifiedWrapsTheScriptInADivOnlyForAnAlignment)
{
    const FontChoiceValues bold{QStringLiteral("Arial"), QStringLiteral("12"), QStringLiteral("FF0000"),
                                QStringLiteral("b")};
    const struct
    {
        QString align;
        const char *start;
        const char *end;
    } cases[] = {
        {QStringLiteral("None"), "<S>", ""},
        {QStringLiteral("none"), "<S>", ""},
        {QString(), "<S>", ""},
        {QStringLiteral("Center"), "<DIV ALIGN=\"Center\"><S>", "</DIV>"},
        {QStringLiteral("Left"), "<DIV ALIGN=\"Left\"><S>", "</DIV>"},
        {QStringLiteral("Right"), "<DIV ALIGN=\"Right\"><S>", "</DIV>"},
    };
    for (const auto &c : cases) {
        const LastModifiedTexts texts = LastModifiedMarkup(bold, c.align, QStringLiteral("<S>"));
        EXPECT_EQ(texts.script.start, c.start) << c.align.toStdString();
        EXPECT_EQ(texts.script.end, c.end) << c.align.toStdString();
        EXPECT_EQ(texts.font.start, "<FONT FACE=\"Arial\" SIZE=3 COLOR=#FF0000><B>");
        EXPECT_EQ(texts.font.end, "</B></FONT>");
    }
}

TEST(JsWizardMarkup, HeadPartGoesAfterTheHeadTag)
{
    // "^" marks where the head part goes; without one there is no usable <head>.
    const char *cases[] = {
        "<HTML>\r\n<HEAD>\r\n^<TITLE>t</TITLE>",
        "<html><head>\r\n^</head>",
        "<Head profile=\"http://x/\">  \t\r\n^x",
        "<head>^<title>t</title></head>",
        "<head>^  x",
        "<head>\n^x",
        "x<head>^",
        "<head\r\n  lang=en>\r\n^x",
        "<header>\r\n<head>\r\n^x",
        "<header>\r\n</header>",
        "<headline><HEADER>",
        "<head",
        "<head title=\"x\"",
        "<hea",
        "",
        "<html><body>no head</body></html>",
    };
    for (const char *c : cases) {
        QByteArray text(c);
        const qsizetype expected = text.indexOf('^');
        text.replace("^", "");
        EXPECT_EQ(HeadPartPosition(text), expected) << c;
    }
}

TEST(JsWizardMarkup, TextFadePlacesTheHeadPartOnceAndKeepsTheBodyAtTheCaret)
{
    const QByteArray head = "<S>h</S>\r\n";
    // "|" marks the caret; the result shows the head part and "B" for the body part.
    const struct
    {
        const char *text;
        const char *expected;
    } cases[] = {
        {"<html><head>\r\n<title>t</title></head><body>|</body>",
         "<html><head>\r\n\r\n<S>h</S>\r\n\r\n<title>t</title></head><body>B</body>"},
        {"<HEAD lang=en>  \r\n</HEAD>|", "<HEAD lang=en>  \r\n\r\n<S>h</S>\r\n\r\n</HEAD>B"},
        {"<head><title>t</title></head>|", "<head>\r\n<S>h</S>\r\n\r\n<title>t</title></head>B"},
        // The caret before the head tag stays where it is.
        {"|<head>\r\n</head>", "B<head>\r\n\r\n<S>h</S>\r\n\r\n</head>"},
        {"<head>|\r\n</head>", "<head>B\r\n\r\n<S>h</S>\r\n\r\n</head>"},
        // At the very place of the head part the body follows it.
        {"<head>\r\n|</head>", "<head>\r\n\r\n<S>h</S>\r\n\r\nB</head>"},
        // Without a head the head part goes just before the body part, never at a fixed offset.
        {"<body>|</body>", "<body>\r\n<S>h</S>\r\n\r\nB</body>"},
        {"<header>|</header>", "<header>\r\n<S>h</S>\r\n\r\nB</header>"},
        {"|<head", "\r\n<S>h</S>\r\n\r\nB<head"},
        {"|", "\r\n<S>h</S>\r\n\r\nB"},
        // A document that holds the head part gets only the body.
        {"<head>\r\n<S>h</S>\r\n</head>|", "<head>\r\n<S>h</S>\r\n</head>B"},
        {"<head>\r\n</head>|<S>h</S>\r\n", "<head>\r\n</head>B<S>h</S>\r\n"},
    };
    for (const auto &c : cases) {
        QByteArray text(c.text);
        const qsizetype caret = text.indexOf('|');
        text.remove(caret, 1);
        const TextFadePlacement place = PlaceTextFade(text, caret, head);
        QByteArray result = text;
        if (place.headAt >= 0)
            result.insert(place.headAt, place.headText);
        ASSERT_LE(place.bodyAt, result.size()) << c.text;
        result.insert(place.bodyAt, "B");
        EXPECT_EQ(result, QByteArray(c.expected)) << c.text;
    }
}

}  // namespace
