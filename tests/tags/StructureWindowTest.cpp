#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/HeadlessBrowser.h"
#include "support/ScriptedPrompts.h"
#include "widgets/RadioGroup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

template <typename W>
W *child(QWidget *dialog, const char *name)
{
    W *w = dialog->findChild<W *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A real main window with its document windows, as the user drives it.
class StructureWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        store->writeBool("Misc", "Show splash screen", false);
    }
    void TearDown() override
    {
        if (form) {
            for (TMDIChild *doc : form->documents().list())
                doc->Modified = false;
            form.reset();
        }
    }
    TMainForm &createForm(bool brOnEnter, bool structureOnNew)
    {
        store->writeBool("Misc", "Insert <BR> when Enter is pressed", brOnEnter);
        store->writeBool("Misc", "Insert all document structure tags when opening a new document", structureOnNew);
        form = std::make_unique<TMainForm>(store.get(), QStringList());
        form->show();
        QApplication::setActiveWindow(form.get());
        return *form;
    }
    // Runs the posted work of a key press until the dialog has been answered.
    void settle()
    {
        for (int i = 0; i < 20; ++i)
            QApplication::processEvents();
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> form;
    ScriptedPrompts prompts;
};

std::function<int(QDialog *)> clearType(int item)
{
    return [item](QDialog *d) {
        EXPECT_EQ(d->objectName(), "MiscDlg");
        if (item < 0)
            return int(QDialog::Rejected);
        child<RadioGroup>(d, "BRClearTypeGroup")->setItemIndex(item);
        return int(QDialog::Accepted);
    };
}

}  // namespace

TEST_F(StructureWindowTest, EnterKeysTurnIntoLineBreakElementsWithoutLosingTypedText)
{
    const struct
    {
        bool brOnEnter;
        Qt::KeyboardModifiers mods;
        const char *text;
        int caret;
        int clear;  // -1: Cancel
        const char *expected;
    } cases[] = {
        // The setting on: plain Enter.
        {true, Qt::NoModifier, "abcd", 0, 0, "<BR>\r\nabcd"},
        {true, Qt::NoModifier, "abcd", 2, 3, "ab<BR CLEAR=ALL>\r\ncd"},
        {true, Qt::NoModifier, "abcd", 4, 1, "abcd<BR CLEAR=LEFT>\r\n"},
        {true, Qt::NoModifier, "abcd", 0, -1, "\r\nabcd"},
        {true, Qt::NoModifier, "abcd", 2, -1, "ab\r\ncd"},
        {true, Qt::NoModifier, "abcd", 4, -1, "abcd\r\n"},
        {true, Qt::NoModifier, "", 0, 0, "<BR>\r\n"},
        {true, Qt::ShiftModifier, "abcd", 2, 0, "ab<BR>\r\ncd"},
        // Combinations the editor does not break the line for: the user's text stays.
        {true, Qt::ControlModifier | Qt::ShiftModifier, "ab\r\ncd", 4, 0, "ab\r\n<BR>\r\ncd"},
        {true, Qt::AltModifier, "xy\r\n", 4, 2, "xy\r\n<BR CLEAR=RIGHT>\r\n"},
        // The setting off: Ctrl+Enter.
        {false, Qt::ControlModifier, "abcd", 0, 0, "<BR>\r\nabcd"},
        {false, Qt::ControlModifier, "a", 1, 0, "a<BR>\r\n"},
        {false, Qt::ControlModifier, "ab\r\ncd", 4, 3, "ab\r\n<BR CLEAR=ALL>\r\ncd"},
        {false, Qt::ControlModifier, "abcd", 4, 0, "abcd<BR>\r\n"},
        {false, Qt::ControlModifier, "abcd", 2, 0, "ab<BR>\r\ncd"},
        {false, Qt::ControlModifier, "abcd", 0, -1, "abcd"},
        {false, Qt::ControlModifier, "abcd", 2, -1, "abcd"},
        {false, Qt::ControlModifier, "abcd", 4, -1, "abcd"},
    };
    for (const auto &c : cases) {
        const std::string what = std::string(c.text) + " @" + std::to_string(c.caret) + " mods "
                                 + std::to_string(int(c.mods)) + (c.brOnEnter ? " on" : " off");
        createForm(c.brOnEnter, false);
        TMDIChild *doc = form->documents().NewDocument();
        ASSERT_TRUE(doc);
        doc->Memo1->setSelText(QByteArray(c.text));
        doc->Memo1->setSelStart(c.caret);
        doc->Memo1->setFocus();
        prompts.modalNames.clear();
        prompts.modals = {clearType(c.clear)};
        QTest::keyClick(doc->Memo1, Qt::Key_Return, c.mods);
        settle();
        EXPECT_EQ(prompts.modalNames, QStringList({"MiscDlg"})) << what;
        EXPECT_EQ(doc->Memo1->bytes(), QByteArray(c.expected)) << what;
        if (c.clear >= 0) {
            // The caret stands at the start of the line after the element.
            const int caret = doc->Memo1->SelStart();
            EXPECT_EQ(doc->Memo1->bytes().left(caret).right(3), QByteArray(">\r\n")) << what;
        }
        for (TMDIChild *d : form->documents().list())
            d->Modified = false;
        form.reset();
    }
}

TEST_F(StructureWindowTest, EnterInTheOtherCombinationOnlyBreaksTheLine)
{
    const struct
    {
        bool brOnEnter;
        Qt::KeyboardModifiers mods;
    } cases[] = {{true, Qt::ControlModifier}, {false, Qt::NoModifier}, {false, Qt::ShiftModifier}};
    for (const auto &c : cases) {
        createForm(c.brOnEnter, false);
        TMDIChild *doc = form->documents().NewDocument();
        doc->Memo1->setSelText(QByteArray("abcd"));
        doc->Memo1->setSelStart(2);
        doc->Memo1->setFocus();
        prompts.modalNames.clear();
        QTest::keyClick(doc->Memo1, Qt::Key_Return, c.mods);
        settle();
        EXPECT_TRUE(prompts.modalNames.isEmpty()) << int(c.mods);
        for (TMDIChild *d : form->documents().list())
            d->Modified = false;
        form.reset();
    }
}

TEST_F(StructureWindowTest, MenuKeysAndTheRuleButtonOpenTheAttributesDialog)
{
    createForm(false, false);
    TMDIChild *doc = form->documents().NewDocument();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    doc->Memo1->setFocus();
    QTest::keyClicks(doc->Memo1, "word");
    doc->Memo1->setSelStart(0);
    doc->Memo1->setSelLength(4);
    prompts.modals = {[](QDialog *d) {
        child<RadioGroup>(d, "AlignmentGroup")->setItemIndex(1);
        return int(QDialog::Accepted);
    }};
    QTest::keyClick(doc->Memo1, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(doc->Memo1->bytes(), "<DIV ALIGN=\"CENTER\">word</DIV>");
    prompts.modals = {[](QDialog *) { return int(QDialog::Accepted); }};
    QTest::keyClick(doc->Memo1, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(doc->Memo1->bytes(), "<DIV ALIGN=\"CENTER\">word</DIV><P ALIGN=\"LEFT\"></P>");
    doc->Memo1->setSelStart(0);
    prompts.modals = {[](QDialog *) { return int(QDialog::Accepted); }};
    form->findChild<QAction *>("hrBtn")->trigger();
    EXPECT_TRUE(doc->Memo1->bytes().startsWith("<HR><DIV"));
    EXPECT_EQ(prompts.modalNames, QStringList({"MiscDlg", "MiscDlg", "MiscDlg"}));
}

TEST_F(StructureWindowTest, NewDocumentWithTheDefaultSettingWritesTheStructure)
{
    // Nothing written to the store: the setting keeps its default.
    form = std::make_unique<TMainForm>(store.get(), QStringList());
    ASSERT_TRUE(AppSettings().InsertStructureOnNew);
    prompts.colors = {QColor(0x10, 0x20, 0x30)};
    prompts.modals = {[](QDialog *d) {
        child<QLineEdit>(d, "BGImageEdit")->setText("img/bg.gif");
        child<QCheckBox>(d, "BackgroundColorChkBox")->click();
        qobject_cast<QAbstractButton *>(child<QWidget>(d, "bgColorBtn"))->click();
        child<QLineEdit>(d, "TitleEdit")->setText("My page");
        child<QLineEdit>(d, "authorEdit")->setText("Me");
        child<QComboBox>(d, "DocTypeCombo")->setCurrentIndex(1);
        child<QLineEdit>(d, "keywordsEdit")->setText("one two");
        child<QCheckBox>(d, "BASEHREFChkBox")->click();
        child<QLineEdit>(d, "BASEHREFEdit")->setText("http://example.org/");
        child<QCheckBox>(d, "BASETARGETChkBox")->click();
        child<QLineEdit>(d, "BASETARGETEdit")->setText("_top");
        return int(QDialog::Accepted);
    }};
    TMDIChild *doc = form->documents().NewDocument();
    ASSERT_TRUE(doc);
    EXPECT_EQ(prompts.modalNames, QStringList({"DocStructure"}));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(doc->DocType, "<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 2.0//EN\">");
    EXPECT_EQ(doc->Memo1->SelText(), "Start writing here");
    EXPECT_TRUE(doc->Modified);

    const BrowserPage page = LoadInBrowser(doc->Memo1->bytes(), QStringLiteral("document.title"));
    REQUIRE_BROWSER(page);
    EXPECT_EQ(page.probe, "My page");
    EXPECT_EQ(page.outline, QStringLiteral("HTML\n"
                                           "  HEAD\n"
                                           "    TITLE\n"
                                           "    META NAME=\"Author\" CONTENT=\"Me\"\n"
                                           "    META NAME=\"GENERATOR\" CONTENT=\"Tagloom V1.5\"\n"
                                           "    BASE HREF=\"http://example.org/\" TARGET=\"_top\"\n"
                                           "    META NAME=\"KEYWORDS\" CONTENT=\"one two\"\n"
                                           "  BODY BACKGROUND=\"img/bg.gif\" BGCOLOR=\"102030\"\n"))
        << page.outline.toStdString();
}

TEST_F(StructureWindowTest, NewDocumentStructureCancelledLeavesAnEmptyDocument)
{
    form = std::make_unique<TMainForm>(store.get(), QStringList());
    TMDIChild *doc = form->documents().NewDocument();
    ASSERT_TRUE(doc);
    EXPECT_EQ(prompts.modalNames, QStringList({"DocStructure"}));
    EXPECT_EQ(doc->Memo1->length(), 0);
    EXPECT_FALSE(doc->Modified);
    EXPECT_TRUE(doc->DocType.isEmpty());
}
