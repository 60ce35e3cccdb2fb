#include "objects/LinkMarkup.h"
#include "objects/MapMarkup.h"
#include "objects/UrlComposer.h"
#include "support/HeadlessBrowser.h"
#include "widgets/NameValueList.h"

#include <gtest/gtest.h>

// Links, anchors, a map with its areas and a composed URL, read by a browser:
// each element is there with the attributes meant, quotes in values included.
TEST(ObjectsBrowserCheck, LinksAnchorsAndMapsBuildTheIntendedElements)
{
    UrlFields url;
    url[HostField] = "example.org";
    url[PathField] = "docs";
    url[FileNameField] = "a.html";
    url[TargetField] = "part";
    using V = NameValueList;
    const MapTagTexts map = MapTagText(MapTag, V{{"name", "Nav"}});
    const QString areas =
        MapTagText(
            AreaTag,
            V{{"href", "a.html"}, {"target", "_Top"}, {"left", "0"}, {"top", "0"}, {"right", "9"}, {"bottom", "9"}})
            .start
        + MapTagText(AreaTag, V{{"left", "10"}, {"top", "20"}, {"right", "110"}, {"bottom", "60"}}).start;
    const QString body = AnchorText("Intro") + "\r\n" + LinkText("#Intro", "_Top", "here") + "\r\n"
                         + LinkText(ComposeUrl(0, url), "", "there") + "\r\n" + LinkText("say \"x\".html", "", "quoted")
                         + "\r\n" + "<IMG SRC=\"m.gif\" USEMAP=\"#Nav\">\r\n" + map.start + areas + map.end + "\r\n";
    const BrowserPage page = LoadInBrowser(
        ("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r\n" + body + "</BODY></HTML>").toUtf8(),
        QStringLiteral("document.links.length"));
    REQUIRE_BROWSER(page);
    EXPECT_TRUE(page.scriptErrors.isEmpty());
    EXPECT_EQ(page.probe, "4");  // three links and the area with a reference
    for (const char *line : {
             "\n    A NAME=\"Intro\"\n",
             "\n    A HREF=\"#Intro\" TARGET=\"_Top\"\n",
             "\n    A HREF=\"http://example.org/docs/a.html#part\"\n",
             "\n    A HREF=\"say \"x\".html\"\n",
             "\n    IMG SRC=\"m.gif\" USEMAP=\"#Nav\"\n",
             "\n    MAP NAME=\"Nav\"\n"
             "      AREA SHAPE=\"RECT\" COORDS=\"0,0,9,9\" HREF=\"a.html\" TARGET=\"_Top\"\n"
             "      AREA SHAPE=\"RECT\" COORDS=\"10,20,110,60\" NOHREF=\"\"\n",
         })
        EXPECT_TRUE(page.outline.contains(QString::fromUtf8(line))) << line << "\n" << page.outline.toStdString();
}
