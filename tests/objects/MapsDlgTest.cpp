#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"
#include "objects/MapsDlg.h"
#include "objects/ObjectCommands.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QStackedWidget>

TEST(MapsDlg, MapAroundTheCaret)
{
    ScriptedPrompts prompts;
    FakeDocument doc("ab");
    doc.editor()->setSelStart(1);
    prompts.modals.append([](QDialog *d) {
        EXPECT_EQ(d->objectName(), "MapsDlg");
        EXPECT_EQ(d->windowTitle(), "Map area");
        EXPECT_EQ(child<QStackedWidget>(d, "Notebook")->currentIndex(), 1);
        type(d, "MapName1Edit", "Nav");
        return pressOK(d);
    });
    Map1Click(doc);
    EXPECT_EQ(doc.text(), "a<MAP NAME=\"Nav\">\r\n\r\n</MAP>b");
    EXPECT_EQ(doc.editor()->SelStart(), 19);
}

TEST(MapsDlg, AreaPage)
{
    const struct
    {
        bool reference;
        const char *href;
        const char *target;
        const char *corners[4];
        const char *expected;
    } cases[] = {
        {false, "a.html", "_Top", {"10", "20", "110", "60"}, "<AREA SHAPE=\"RECT\" COORDS=\"10,20,110,60\" NOHREF>"},
        {true,
         "a.html",
         "_Top",
         {"", "0", "0", "0"},
         "<AREA SHAPE=\"RECT\" COORDS=\"0,0,0,0\" HREF=\"a.html\" TARGET=\"_Top\">"},
        {true, "", "_Top", {"1", "2", "3", "4"}, "<AREA SHAPE=\"RECT\" COORDS=\"1,2,3,4\" NOHREF>"},
        // Absolute names inside the document's folder become relative; URLs stay as typed.
        {true,
         "/web/maps/a.html",
         "",
         {"0", "0", "0", "0"},
         "<AREA SHAPE=\"RECT\" COORDS=\"0,0,0,0\" HREF=\"maps/a.html\">"},
        {true,
         "http://x/a.html",
         "",
         {"0", "0", "0", "0"},
         "<AREA SHAPE=\"RECT\" COORDS=\"0,0,0,0\" HREF=\"http://x/a.html\">"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc("[sel]", "/web/page.html");
        doc.select(0, 5);
        prompts.modals.append([&c](QDialog *d) {
            EXPECT_EQ(d->windowTitle(), "Client Side Maps - Area");
            for (const char *name : {"HTMLRefEdit", "HTMLRefButton1", "HTMLRefTargetEdit", "URLLabel", "TargetLabel"})
                EXPECT_FALSE(child<QWidget>(d, name)->isEnabled()) << name;
            EXPECT_EQ(textOf(d, "LeftEdit"), "0");
            type(d, "HTMLRefEdit", QString::fromUtf8(c.href));
            child<QComboBox>(d, "HTMLRefTargetEdit")->setEditText(QString::fromUtf8(c.target));
            child<QCheckBox>(d, "HTMLRefChkBox")->setChecked(c.reference);
            EXPECT_EQ(child<QWidget>(d, "HTMLRefEdit")->isEnabled(), c.reference);
            const char *edits[] = {"LeftEdit", "TopEdit", "RightEdit", "BottomEdit"};
            for (int i = 0; i < 4; ++i)
                type(d, edits[i], QString::fromUtf8(c.corners[i]));
            return pressOK(d);
        });
        Area1Click(doc);
        // No end text: the area goes in front of the selection.
        EXPECT_EQ(doc.text(), QByteArray(c.expected) + "[sel]") << c.expected;
    }
}

TEST(MapsDlg, BrowseCancelKeepsTheReference)
{
    ScriptedPrompts prompts;
    FakeDocument doc("", "/web/page.html");
    prompts.files = {"/web/b.html", ""};
    prompts.modals.append([](QDialog *d) {
        child<QCheckBox>(d, "HTMLRefChkBox")->setChecked(true);
        click(d, "HTMLRefButton1");
        click(d, "HTMLRefButton1");
        EXPECT_EQ(textOf(d, "HTMLRefEdit"), "/web/b.html");
        return pressOK(d);
    });
    Area1Click(doc);
    EXPECT_EQ(doc.text(), "<AREA SHAPE=\"RECT\" COORDS=\"0,0,0,0\" HREF=\"b.html\">");
}

TEST(MapsDlg, ChooseAMapOfTheDocument)
{
    ScriptedPrompts prompts;
    FakeDocument doc("<MAP NAME=\"Nav\">\r\n</MAP><map name=\"Foot\"></map>");
    prompts.modals.append([](QDialog *d) {
        EXPECT_EQ(child<QStackedWidget>(d, "Notebook")->currentIndex(), 2);
        auto *list = child<QListWidget>(d, "MapListBox");
        EXPECT_EQ(list->count(), 2);
        list->setCurrentRow(1);
        return pressOK(d);
    });
    prompts.modals.append([](QDialog *d) { return pressOK(d); });  // nothing chosen
    prompts.modals.append([](QDialog *d) {
        child<QListWidget>(d, "MapListBox")->setCurrentRow(0);
        click(d, "CancelBtn");
        return d->result();
    });
    QString name = "old";
    EXPECT_TRUE(ChooseDocumentMap(doc, nullptr, name));
    EXPECT_EQ(name, "Foot");
    EXPECT_FALSE(ChooseDocumentMap(doc, nullptr, name));
    EXPECT_FALSE(ChooseDocumentMap(doc, nullptr, name));
    EXPECT_EQ(name, "Foot");
    EXPECT_FALSE(doc.isModified());
}
