#include "objects/ImageMarkup.h"
#include "support/HeadlessBrowser.h"
#include "support/FakeDocument.h"

#include <gtest/gtest.h>

TEST(ImageMarkup, Golden)
{
    const auto with = [](auto change) {
        ImageValues v;
        v.src = "a.gif";
        change(v);
        return v;
    };
    const struct
    {
        ImageValues values;
        const char *map;
        const char *expected;
    } cases[] = {
        {ImageValues{}, "", "<IMG SRC=\"\">"},
        {with([](ImageValues &v) { v.border = "0"; }), "", "<IMG SRC=\"a.gif\" BORDER=0>"},
        // Every attribute, in its fixed order.
        {with([](ImageValues &v) {
             v.align = "ABSMIDDLE";
             v.alt = "A \"b\"";
             v.width = "120";
             v.height = "80";
             v.border = "1";
             v.vspace = "2";
             v.hspace = "3";
             v.lowSrc = "low.gif";
             v.useMap = "#nav";
         }),
         "",
         "<IMG SRC=\"a.gif\" ALIGN=ABSMIDDLE ALT=\"A &quot;b&quot;\" WIDTH=120 HEIGHT=80 BORDER=1 VSPACE=2 HSPACE=3 "
         "LOWSRC=\"low.gif\" USEMAP=\"#nav\">"},
        {with([](ImageValues &v) { v.width = v.height = "0"; }), "", "<IMG SRC=\"a.gif\" WIDTH=0 HEIGHT=0>"},
        // A line break pasted into a field never splits the tag.
        {with([](ImageValues &v) { v.alt = "two\r\nlines"; }), "", "<IMG SRC=\"a.gif\" ALT=\"two lines\">"},
        // A server-side map: the image inside the link, since ISMAP only works there.
        {with([](ImageValues &v) {
             v.isMap = true;
             v.alt = "x";
             v.width = "5";
         }),
         "m.map", "<A HREF=\"m.map\"><IMG SRC=\"a.gif\" ALT=\"x\" ISMAP WIDTH=5></A>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ImageCommandText(c.values, QString::fromUtf8(c.map)), QString::fromUtf8(c.expected)) << c.expected;
}

TEST(ImageMarkup, ReplacesTheSelectionInOneStep)
{
    FakeDocument doc("see this now");
    doc.select(4, 4);
    ImageValues v;
    v.src = "p.png";
    InsertImage(doc, v);
    EXPECT_EQ(doc.text(), "see <IMG SRC=\"p.png\"> now");
    doc.undo();
    EXPECT_EQ(doc.text(), "see this now");
}

// An image, one bound to a client-side map and one in a server-side map link,
// as a browser reads them: the elements and the sizes meant.
TEST(ImageMarkup, BrowserBuildsTheIntendedImages)
{
    ImageValues plain;
    plain.src = "a.gif";
    plain.width = "120";
    plain.height = "80";
    plain.border = "0";
    plain.alt = "Plain";
    ImageValues client = plain;
    client.useMap = "#nav";
    client.width = "40";
    ImageValues server = plain;
    server.isMap = true;
    const QString body =
        ImageCommandText(plain, {}) + "\r\n" + ImageCommandText(client, {})
        + "<MAP NAME=\"nav\">\r\n<AREA SHAPE=\"RECT\" COORDS=\"0,0,9,9\" HREF=\"a.html\">\r\n</MAP>\r\n"
        + ImageCommandText(server, "m.map") + "\r\n";
    const BrowserPage page = LoadInBrowser(
        ("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r\n" + body + "</BODY></HTML>").toUtf8(),
        QStringLiteral("Array.from(document.images).map(i => i.width + 'x' + i.height + (i.isMap ? ' ismap ' + "
                       "i.parentElement.tagName : '')).join(',')"));
    REQUIRE_BROWSER(page);
    EXPECT_TRUE(page.scriptErrors.isEmpty());
    EXPECT_EQ(page.probe, "120x80,40x80,120x80 ismap A");
    for (const char *line : {
             "\n    IMG SRC=\"a.gif\" ALT=\"Plain\" WIDTH=\"120\" HEIGHT=\"80\" BORDER=\"0\"\n",
             "\n    IMG SRC=\"a.gif\" ALT=\"Plain\" WIDTH=\"40\" HEIGHT=\"80\" BORDER=\"0\" USEMAP=\"#nav\"\n",
             "\n    A HREF=\"m.map\"\n      IMG SRC=\"a.gif\" ALT=\"Plain\" ISMAP=\"\" WIDTH=\"120\" HEIGHT=\"80\" "
             "BORDER=\"0\"\n",
         })
        EXPECT_TRUE(page.outline.contains(QString::fromUtf8(line))) << line << "\n" << page.outline.toStdString();
}
