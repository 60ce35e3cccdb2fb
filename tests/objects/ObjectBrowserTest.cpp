#include "objects/AppletMarkup.h"
#include "objects/FontsDlg.h"
#include "objects/LayerMarkup.h"
#include "support/HeadlessBrowser.h"
#include "support/FakeDocument.h"

#include <gtest/gtest.h>

namespace {

// The text a write leaves in a document holding `selected`, all of it selected.
QByteArray written(const QByteArray &selected, const std::function<void(TextDocument &)> &write)
{
    FakeDocument doc(selected);
    doc.select(0, int(selected.size()));
    write(doc);
    return doc.text();
}

}  // namespace

// Applets with their parameters, layers and fonts, read by a browser: each
// element holds what was selected and carries the attributes written.
TEST(BrowserCheck, AppletsLayersAndFontsBuildTheIntendedElements)
{
    QByteArray body;
    // The usual sequence: parameters written first, then the applet around them.
    const QByteArray params = written("",
                                      [](TextDocument &doc) {
                                          InsertAppletTag(doc, AppletParameter, {{"name", "speed"}, {"value", "10"}});
                                      })
                              + written("", [](TextDocument &doc) {
                                    InsertAppletTag(doc, AppletParameter, {{"name", "msg"}, {"value", "say \"hi\""}});
                                });
    body += written(params, [](TextDocument &doc) {
        InsertAppletTag(doc, AppletElement,
                        {{"code", "Clock.class"},
                         {"name", "c"},
                         {"width", "200"},
                         {"height", "100"},
                         {"align", "LEFT"},
                         {"codeBase", "java/"},
                         {"alt", "A clock"},
                         {"vspace", "5"}});
    });
    body += written("<P>floating</P>", [](TextDocument &doc) {
        InsertLayerTag(doc, Layer,
                       {{"name", "top"},
                        {"left", "10"},
                        {"top", "20"},
                        {"width", "300"},
                        {"clipX1", "0"},
                        {"clipY1", "0"},
                        {"clipX2", "100"},
                        {"clipY2", "50"},
                        {"zindex", "-1"},
                        {"visible", "HIDE"},
                        {"bgColor", "FFFFFF"},
                        {"src", "inner.html"}});
    });
    body += written("inline", [](TextDocument &doc) {
        InsertLayerTag(doc, InlineLayer, {{"name", "in"}, {"above", "top"}});
    });
    FontChoice() = {"DejaVu Sans", "12", "FF0000", "bis"};
    body += written("word", [](TextDocument &doc) { InsertFontTags(doc); });
    FontChoice() = {"", "+1", "", ""};
    body += written("bigger", [](TextDocument &doc) { InsertFontTags(doc); });
    FontChoice() = FontChoiceValues();

    const BrowserPage page = LoadInBrowser("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r\n" + body + "</BODY></HTML>",
                                           QStringLiteral("document.querySelector('font b i strike').textContent"));
    REQUIRE_BROWSER(page);
    EXPECT_TRUE(page.scriptErrors.isEmpty()) << page.scriptErrors.join('\n').toStdString();
    EXPECT_EQ(page.probe, "word");
    const QString outline = page.outline;
    for (const char *expected : {
             "    APPLET CODE=\"Clock.class\" NAME=\"c\" WIDTH=\"200\" HEIGHT=\"100\" ALIGN=\"LEFT\" "
             "CODEBASE=\"java/\" "
             "ALT=\"A clock\" VSPACE=\"5\"\n"
             "      PARAM NAME=\"speed\" VALUE=\"10\"\n"
             "      PARAM NAME=\"msg\" VALUE=\"say \"hi\"\"\n",
             "    LAYER NAME=\"top\" LEFT=\"10\" TOP=\"20\" WIDTH=\"300\" CLIP=\"0,0,100,50\" Z-INDEX=\"-1\" "
             "VISIBILITY=\"HIDE\" BGCOLOR=\"FFFFFF\" SRC=\"inner.html\"\n"
             "      P\n",
             "    ILAYER NAME=\"in\" ABOVE=\"top\"\n",
             "    FONT FACE=\"DejaVu Sans\" SIZE=\"3\" COLOR=\"#FF0000\"\n"
             "      B\n"
             "        I\n"
             "          STRIKE\n",
             "    FONT SIZE=\"+1\"\n",
         })
        EXPECT_TRUE(outline.contains(QLatin1String(expected))) << expected << "\n" << outline.toStdString();
}
