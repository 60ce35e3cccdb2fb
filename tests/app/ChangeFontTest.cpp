#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/EditorFontCommand.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "objects/FontsDlg.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

class ChangeFontTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        FontChoice() = FontChoiceValues();
        OverrideScreenFontNames(QStringList{"DejaVu Sans", "DejaVu Serif", "Liberation Mono"});
        RegisterAllDocumentCommands();
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        store->writeBool("Misc", "Show splash screen", false);
        store->writeBool("Misc", "Insert all document structure tags when opening a new document", false);
    }
    void TearDown() override
    {
        if (main)
            for (TMDIChild *doc : main->documents().list())
                doc->Modified = false;
        main.reset();
        OverrideScreenFontNames(std::nullopt);
        FontChoice() = FontChoiceValues();
    }
    std::unique_ptr<TMainForm> start() { return std::make_unique<TMainForm>(store.get(), QStringList()); }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> main;
    ScriptedPrompts prompts;
};

std::function<int(QDialog *)> chooseFont(const QString &face, const QString &size, bool bold)
{
    return [=](QDialog *d) {
        auto *faces = d->findChild<QComboBox *>("fontsCombo");
        faces->setCurrentIndex(faces->findText(face));
        d->findChild<QComboBox *>("size")->setEditText(size);
        d->findChild<QCheckBox *>("boldChk")->setChecked(bold);
        d->findChild<QPushButton *>("okBtn")->click();
        return d->result();
    };
}

}  // namespace

TEST_F(ChangeFontTest, MenuItemChangesTheEditorFontEveryWindowTakesItAndARestartKeepsIt)
{
    main = start();
    main->show();
    TMDIChild *first = main->documents().NewDocument();
    TMDIChild *second = main->documents().NewDocument();
    const QFont before = first->Memo1->font();
    EXPECT_EQ(before.family(), "Arial");
    EXPECT_EQ(before.pointSize(), 10);

    QAction *item = second->action("ChangeFont1");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(item->text(), "Change F&ont...");
    prompts.modals = {chooseFont("DejaVu Serif", "16", true)};
    item->trigger();
    EXPECT_EQ(prompts.modalNames, QStringList{"fontsDlg"});
    EXPECT_EQ(second->Memo1->font().family(), "DejaVu Serif");
    EXPECT_EQ(second->Memo1->font().pointSize(), 16);
    EXPECT_TRUE(second->Memo1->font().bold());
    // The other window keeps the old font until it is activated.
    EXPECT_EQ(first->Memo1->font().family(), "Arial");
    first->subWindow()->mdiArea()->setActiveSubWindow(first->subWindow());
    EXPECT_EQ(main->documents().active(), first);
    EXPECT_EQ(first->Memo1->font().family(), "DejaVu Serif");
    EXPECT_EQ(first->Memo1->font().pointSize(), 16);

    // Cancel changes nothing.
    prompts.modals = {[](QDialog *d) {
        d->findChild<QComboBox *>("fontsCombo")->setCurrentIndex(1);
        d->findChild<QPushButton *>("cancelBtn")->click();
        return d->result();
    }};
    first->action("ChangeFont1")->trigger();
    EXPECT_EQ(first->Memo1->font().family(), "DejaVu Serif");

    EXPECT_TRUE(main->close());
    QApplication::processEvents();
    main.reset();
    SettingsStore reread(dir.filePath("store.ini"));
    EXPECT_EQ(reread.readString("Display", "Font name", ""), "DejaVu Serif");
    EXPECT_EQ(reread.readInteger("Display", "Font size", 0), 16);
    EXPECT_EQ(reread.readString("Display", "Font styles", "?"), "b");

    AppSettings() = Settings();
    SharedEditorFont() = QFont();
    main = start();
    TMDIChild *again = main->documents().NewDocument();
    EXPECT_EQ(again->Memo1->font().family(), "DejaVu Serif");
    EXPECT_EQ(again->Memo1->font().pointSize(), 16);
    EXPECT_TRUE(again->Memo1->font().bold());
}

TEST(ApplyFontChoice, OnlyDefinedFieldsChangeTheFont)
{
    const struct
    {
        FontChoiceValues choice;
        const char *family;
        int points;
        const char *styles;
    } cases[] = {
        {{}, "Arial", 10, ""},
        {{"Liberation Mono", "12", "FF0000", "bius"}, "Liberation Mono", 12, "bius"},
        // Sizes that are no point size leave the size alone.
        {{"", "+1", "", "i"}, "Arial", 10, "i"},
        {{"", "big", "", ""}, "Arial", 10, ""},
        {{"", "0", "", "s"}, "Arial", 10, "s"},
        // The settings keep 32 characters of a face.
        {{"A Family Name Longer Than Thirty-Two Letters", "", "", ""},
         "A Family Name Longer Than Thirty-Two Letters",
         10,
         ""},
    };
    for (const auto &c : cases) {
        QFont font(QStringLiteral("Arial"), 10);
        font.setBold(true);
        Settings settings;
        ApplyFontChoice(c.choice, font, settings);
        EXPECT_EQ(font.family(), c.family);
        EXPECT_EQ(font.pointSize(), c.points);
        EXPECT_EQ(FontStyleLetters(font), c.styles);
        EXPECT_EQ(settings.EditorFontName, QString(c.family).left(32));
        EXPECT_EQ(settings.EditorFontSize, c.points);
        EXPECT_EQ(settings.EditorFontStyles, c.styles);
    }
}

// The applet, layer and font items of a document window open their dialogs and
// write into that window's document.
TEST_F(ChangeFontTest, AppletLayerAndFontItemsWriteIntoTheActiveDocument)
{
    main = start();
    TMDIChild *doc = main->documents().NewDocument();
    const struct
    {
        const char *item;
        const char *shortcut;
    } items[] = {{"JavaApplet1", "Ctrl+F10"},
                 {"JavaAppletParameter1", "Ctrl+F11"},
                 {"Newlayer1", "Ctrl+F12"},
                 {"ChooseFont1", ""}};
    auto ok = [](const char *button) {
        return [button](QDialog *d) {
            d->findChild<QPushButton *>(QLatin1String(button))->click();
            return d->result();
        };
    };
    prompts.modals = {ok("OKBtn"), ok("OKBtn"), ok("okBtn"), ok("okBtn")};
    for (const auto &item : items) {
        QAction *action = doc->action(QLatin1String(item.item));
        ASSERT_NE(action, nullptr) << item.item;
        EXPECT_TRUE(action->isEnabled()) << item.item;
        EXPECT_EQ(action->shortcut(), QKeySequence(QLatin1String(item.shortcut))) << item.item;
        action->trigger();
    }
    EXPECT_EQ(prompts.modalNames, QStringList({"JavaAppletDlg", "JavaAppletDlg", "layerFrm", "fontsDlg"}));
    EXPECT_EQ(doc->Memo1->bytes(), "<APPLET CODE=\".class\" NAME=\"\" WIDTH=0 HEIGHT=0 ALIGN=LEFT>\r\n"
                                   "<PARAM NAME=\"\" VALUE=\"\"><LAYER>\r\n<FONT></FONT>\r\n</LAYER>\r\n</APPLET>");
    EXPECT_EQ(doc->action("ChooseFont1")->statusTip(), "Write text with a selected font");
}
