#include "support/FakeDocument.h"
#include "objects/LinkMarkup.h"
#include "objects/MapMarkup.h"
#include "widgets/NameValueList.h"

#include <gtest/gtest.h>

TEST(LinkMarkup, LinkAndAnchorTexts)
{
    const struct
    {
        QString text;
        const char *expected;
    } cases[] = {
        {LinkText("u", "_Top", "here"), "<A HREF=\"u\" TARGET=\"_Top\">here</A>"},
        {LinkText("#Intro", "", "Intro"), "<A HREF=\"#Intro\">Intro</A>"},
        {LinkText("", "", ""), "<A HREF=\"\"></A>"},
        // Attribute values: quotes as &quot;, line breaks as blanks, typed entities kept.
        {LinkText("a\"b.html?x=1&amp;y", "t\"", "say \"hi\""),
         "<A HREF=\"a&quot;b.html?x=1&amp;y\" TARGET=\"t&quot;\">say \"hi\"</A>"},
        {LinkText("a\r\nb", "", "two\r\nlines"), "<A HREF=\"a b\">two\r\nlines</A>"},
        {AnchorText("Contents"), "<A NAME=\"Contents\"></A>"},
        {AnchorText(""), "<A NAME=\"\"></A>"},
        {AnchorText("say \"x\"\n"), "<A NAME=\"say &quot;x&quot; \"></A>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
}

TEST(LinkMarkup, MapAndAreaTexts)
{
    using V = NameValueList;
    const struct
    {
        int kind;
        V values;
        const char *start;
        const char *end;
    } cases[] = {
        {MapTag, V{{"name", "Nav"}}, "<MAP NAME=\"Nav\">\r\n", "\r\n</MAP>"},
        {MapTag, V{}, "<MAP NAME=\"\">\r\n", "\r\n</MAP>"},
        {MapTag, V{{"name", "a\"b"}}, "<MAP NAME=\"a&quot;b\">\r\n", "\r\n</MAP>"},
        {AreaTag, V{{"left", "10"}, {"top", "20"}, {"right", "110"}, {"bottom", "60"}},
         "<AREA SHAPE=\"RECT\" COORDS=\"10,20,110,60\" NOHREF>", ""},
        {AreaTag,
         V{{"href", "a.html"}, {"target", "_Top"}, {"left", "0"}, {"top", "0"}, {"right", "0"}, {"bottom", "0"}},
         "<AREA SHAPE=\"RECT\" COORDS=\"0,0,0,0\" HREF=\"a.html\" TARGET=\"_Top\">", ""},
        // No reference: no target either.
        {AreaTag, V{{"href", ""}, {"target", "_Top"}, {"left", "1"}, {"top", "2"}, {"right", "3"}, {"bottom", "4"}},
         "<AREA SHAPE=\"RECT\" COORDS=\"1,2,3,4\" NOHREF>", ""},
        // Corners in the order given, left beyond right included.
        {AreaTag, V{{"href", "x\"y"}, {"left", "9"}, {"top", "8"}, {"right", "1"}, {"bottom", "0"}},
         "<AREA SHAPE=\"RECT\" COORDS=\"9,8,1,0\" HREF=\"x&quot;y\">", ""},
    };
    for (const auto &c : cases) {
        const MapTagTexts texts = MapTagText(c.kind, c.values);
        EXPECT_EQ(texts.start, QString::fromUtf8(c.start));
        EXPECT_EQ(texts.end, QString::fromUtf8(c.end));
    }
}

TEST(LinkMarkup, WritersReplaceTheSelectionInOneStep)
{
    FakeDocument doc("see here now");
    doc.select(4, 4);
    InsertLink(doc, "u", "_Top", "here");
    EXPECT_EQ(doc.text(), "see <A HREF=\"u\" TARGET=\"_Top\">here</A> now");
    EXPECT_EQ(doc.editor()->SelStart(), 38);
    doc.undo();
    EXPECT_EQ(doc.text(), "see here now");

    FakeDocument map("<AREA>");
    map.select(0, 6);
    InsertMapTag(map, MapTag, NameValueList{{"name", "Nav"}});
    EXPECT_EQ(map.text(), "<MAP NAME=\"Nav\">\r\n<AREA>\r\n</MAP>");

    FakeDocument empty("");
    InsertMapTag(empty, MapTag, NameValueList{{"name", "Nav"}});
    EXPECT_EQ(empty.text(), "<MAP NAME=\"Nav\">\r\n\r\n</MAP>");
    EXPECT_EQ(empty.editor()->SelStart(), 18);  // on the empty middle line
    EXPECT_EQ(empty.editor()->SelLength(), 0);
}
