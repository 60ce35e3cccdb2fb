#include "objects/AppletMarkup.h"
#include "objects/FontMarkup.h"
#include "objects/LayerMarkup.h"

#include <gtest/gtest.h>

namespace {
QString both(const TagPairTexts &texts)
{
    return texts.start + QStringLiteral("|") + texts.end;
}
}  // namespace

TEST(AppletMarkup, AppletAndParameterTexts)
{
    const NameValueList basic = {
        {"code", "Clock.class"}, {"name", "c"}, {"width", "200"}, {"height", "100"}, {"align", "LEFT"}};
    NameValueList full = basic;
    full.set("codeBase", "classes/");
    full.set("alt", "A \"big\" clock");
    full.set("vspace", "5");
    full.set("hspace", "0");
    NameValueList vspaceOnly = basic;
    vspaceOnly.set("alt", "tick");
    vspaceOnly.set("vspace", "5");
    NameValueList emptyCodeBase = basic;
    emptyCodeBase.set("codeBase", "");
    const struct
    {
        int kind;
        NameValueList values;
        const char *expected;
    } cases[] = {
        {AppletElement, basic,
         "<APPLET CODE=\"Clock.class\" NAME=\"c\" WIDTH=200 HEIGHT=100 ALIGN=LEFT>\r\n|\r\n</APPLET>"},
        {AppletElement, full,
         "<APPLET CODE=\"Clock.class\" NAME=\"c\" WIDTH=200 HEIGHT=100 ALIGN=LEFT CODEBASE=\"classes/\" "
         "ALT=\"A &quot;big&quot; clock\" VSPACE=5 HSPACE=0>\r\n|\r\n</APPLET>"},
        {AppletElement, vspaceOnly,
         "<APPLET CODE=\"Clock.class\" NAME=\"c\" WIDTH=200 HEIGHT=100 ALIGN=LEFT ALT=\"tick\" VSPACE=5>\r\n|\r\n"
         "</APPLET>"},
        {AppletElement, emptyCodeBase,
         "<APPLET CODE=\"Clock.class\" NAME=\"c\" WIDTH=200 HEIGHT=100 ALIGN=LEFT>\r\n|\r\n</APPLET>"},
        // The five first attributes are always written.
        {AppletElement, {}, "<APPLET CODE=\"\" NAME=\"\" WIDTH= HEIGHT= ALIGN=>\r\n|\r\n</APPLET>"},
        {AppletParameter, {{"name", "speed"}, {"value", "10"}}, "<PARAM NAME=\"speed\" VALUE=\"10\">|"},
        {AppletParameter, {}, "<PARAM NAME=\"\" VALUE=\"\">|"},
        {AppletParameter,
         {{"name", "msg"}, {"value", "say \"hi\"\r\nthere"}},
         "<PARAM NAME=\"msg\" VALUE=\"say &quot;hi&quot; there\">|"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(both(AppletMarkup(c.kind, c.values)), QString::fromUtf8(c.expected)) << c.expected;
}

TEST(AppletMarkup, ClassFileAndFolderOfFileName)
{
    const struct
    {
        const char *in;
        const char *classFile;
    } codes[] = {{"Clock", "Clock.class"},         {"Clock.CLASS", "Clock.CLASS"}, {"", ".class"},
                 {"a.class.x", "a.class.x.class"}, {"class", "class.class"},       {".class", ".class"}};
    for (const auto &c : codes)
        EXPECT_EQ(AppletClassFile(c.in), c.classFile) << c.in;

    const struct
    {
        const char *in;
        const char *folder;
    } names[] = {{"/web/java/Clock.class", "/web/java/"},
                 {"C:\\web\\java\\Clock.class", "C:\\web\\java\\"},
                 {"C:/web/java/Clock.class", "C:/web/java/"},
                 {"C:\\web/java\\Clock.class", "C:\\web/java\\"},
                 {"Clock.class", ""},
                 {"/Clock.class", "/"}};
    for (const auto &n : names)
        EXPECT_EQ(FolderOfFileName(n.in), n.folder) << n.in;
}

TEST(LayerMarkup, AttributesInTheirOrder)
{
    const NameValueList every = {
        {"src", "inner.html"}, {"background", "bg.gif"}, {"bgColor", "FFFFFF"}, {"visible", "HIDE"}, {"below", "b"},
        {"above", "a"},        {"zindex", "-3"},         {"clipY2", "50"},      {"clipX2", "100"},   {"clipY1", "0"},
        {"clipX1", "0"},       {"height", "200"},        {"width", "300"},      {"top", "20"},       {"left", "10"},
        {"name", "top"}};
    const struct
    {
        int kind;
        NameValueList values;
        const char *expected;
    } cases[] = {
        {Layer, {}, "<LAYER>\r\n|\r\n</LAYER>"},
        {InlineLayer, {{"name", "top"}, {"width", "300"}}, "<ILAYER NAME=\"top\" WIDTH=300>\r\n|\r\n</ILAYER>"},
        {Layer, every,
         "<LAYER NAME=\"top\" LEFT=10 TOP=20 WIDTH=300 HEIGHT=200 CLIP=\"0,0,100,50\" Z-INDEX=-3 ABOVE=\"a\" "
         "BELOW=\"b\" VISIBILITY=HIDE BGCOLOR=\"FFFFFF\" BACKGROUND=\"bg.gif\" SRC=\"inner.html\">\r\n|\r\n</LAYER>"},
        {Layer,
         {{"visible", "HIDE"}, {"bgColor", "FFFFFF"}},
         "<LAYER VISIBILITY=HIDE BGCOLOR=\"FFFFFF\">\r\n|\r\n</LAYER>"},
        {Layer,
         {{"name", "a\"b"}, {"src", "x \"y\".html"}},
         "<LAYER NAME=\"a&quot;b\" SRC=\"x &quot;y&quot;.html\">\r\n|\r\n</LAYER>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(both(LayerMarkup(c.kind, c.values)), QString::fromUtf8(c.expected)) << c.expected;
}

TEST(FontMarkup, HtmlSizes)
{
    const struct
    {
        const char *typed;
        const char *size;
    } cases[] = {
        // The point-size list.
        {"6", "1"},
        {"8", "1"},
        {"10", "2"},
        {"12", "3"},
        {"14", "4"},
        {"16", "5"},
        {"18", "5"},
        {"22", "6"},
        {"24", "6"},
        {"28", "7"},
        {"36", "7"},
        {"42", "7"},
        {"72", "7"},
        // Typed HTML sizes and relative sizes stay as typed.
        {"1", "1"},
        {"3", "3"},
        {"7", "7"},
        {"+1", "+1"},
        {"-2", "-2"},
        {" 5 ", "5"},
        // Other whole numbers count as points.
        {"9", "2"},
        {"11", "3"},
        {"100", "7"},
        // Nothing that would write a broken or meaningless SIZE.
        {"", ""},
        {"0", ""},
        {"+0", ""},
        {"+8", ""},
        {"-12", ""},
        {"big", ""},
        {"12pt", ""},
        {"1 2", ""},
        {"Don't define", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HtmlFontSize(c.typed), c.size) << c.typed;
}

TEST(FontMarkup, StartAndEndTexts)
{
    const struct
    {
        FontChoiceValues choice;
        const char *expected;
    } cases[] = {
        {{"Arial", "12", "FF0000", "bi"}, "<FONT FACE=\"Arial\" SIZE=3 COLOR=#FF0000><B><I>|</I></B></FONT>"},
        {{}, "<FONT>|</FONT>"},
        {{"", "", "", "bius"}, "<FONT><B><I><U><STRIKE>|</STRIKE></U></I></B></FONT>"},
        // Letters count whatever their order.
        {{"", "", "", "sb"}, "<FONT><B><STRIKE>|</STRIKE></B></FONT>"},
        {{"", "+2", "", ""}, "<FONT SIZE=+2>|</FONT>"},
        {{"", "huge", "00FF00", ""}, "<FONT COLOR=#00FF00>|</FONT>"},
        {{"Say \"Hi\" Sans", "", "", ""}, "<FONT FACE=\"Say &quot;Hi&quot; Sans\">|</FONT>"},
        // Long family names are written whole.
        {{"Noto Sans Canadian Aboriginal Syllabics", "", "", "u"},
         "<FONT FACE=\"Noto Sans Canadian Aboriginal Syllabics\"><U>|</U></FONT>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(both(FontMarkup(c.choice)), QString::fromUtf8(c.expected)) << c.expected;
}
