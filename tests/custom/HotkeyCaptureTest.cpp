#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "custom/HotkeyEdit.h"
#include "custom/HotkeyCapture.h"
#include "custom/HotkeyMenu.h"
#include "custom/PrivateTags.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {
QByteArray record(const QByteArray &name, quint16 value)
{
    return WriteHotkeyRecords({{QString::fromLatin1(name), value}});
}

class HotkeyCaptureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        QFile::remove(HotKeysFileName());
        QFile::remove(PrivateMenuFileName());
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        store->writeBool("Misc", "Show splash screen", false);
        store->writeBool("Misc", "Insert all document structure tags when opening a new document", false);
    }
    void TearDown() override
    {
        if (form)
            for (TMDIChild *doc : form->documents().list())
                doc->Modified = false;
        form.reset();
        QFile::remove(HotKeysFileName());
        QFile::remove(PrivateMenuFileName());
    }
    TMainForm &createForm()
    {
        form = std::make_unique<TMainForm>(store.get(), QStringList());
        form->show();
        QApplication::setActiveWindow(form.get());
        return *form;
    }
    HotkeyCapture &capture() { return *form->hotkeyCapture(); }
    HotkeyEdit *hotKey1() { return form->findChild<HotkeyEdit *>("HotKey1"); }
    void begin(TMDIChild *doc) { doc->action("Changeitemsshortcuts1")->trigger(); }
    // Opens the item's menu and clicks the item, as the user does.
    void chooseItem(TMDIChild *doc, const char *name)
    {
        QAction *item = doc->action(QString::fromLatin1(name));
        ASSERT_TRUE(item) << name;
        QMenu *menu = nullptr;
        for (QObject *o : item->associatedObjects())
            if ((menu = qobject_cast<QMenu *>(o)))
                break;
        ASSERT_TRUE(menu) << name;
        menu->popup(QPoint(40, 40));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }
    void click(const char *button) { form->findChild<QPushButton *>(button)->click(); }
    quint16 savedValue(const QString &name)
    {
        for (const HotkeyRecord &r : ReadHotkeysFile(HotKeysFileName()))
            if (r.name == name)
                return r.value;
        return 0xFFFF;
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> form;
    ScriptedPrompts prompts;
};
}  // namespace

TEST_F(HotkeyCaptureTest, AssignedKeyIsSavedAndANewWindowRunsTheItemWithIt)
{
    PrivateTags() = {};
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    begin(doc);
    ASSERT_TRUE(capture().isCapturing());
    EXPECT_TRUE(main.findChild<QWidget *>("shortcutsPanel")->isVisible());
    EXPECT_FALSE(doc->Memo1->isEnabled());
    EXPECT_TRUE(hotKey1()->hasFocus());

    // Ctrl+N would make a window; while capturing the entry takes it.
    QTest::keyClick(hotKey1(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(hotKey1(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(hotKey1()->hotkey(), 0x4051);
    chooseItem(doc, "FileNewItem");
    EXPECT_EQ(main.documents().list().size(), 1);
    EXPECT_EQ(ItemHotkey(doc->action("FileNewItem")), 0x4051);
    click("BitBtn1");

    EXPECT_FALSE(capture().isCapturing());
    EXPECT_TRUE(doc->Memo1->isEnabled());
    EXPECT_FALSE(main.findChild<QWidget *>("shortcutsPanel")->isVisible());
    // One record per hotkey item: separators yes, menus, headings and header items no.
    EXPECT_EQ(savedValue("FileNewItem"), 0x4051);
    EXPECT_EQ(savedValue("N1"), 0);
    EXPECT_EQ(savedValue("Bold1"), 0x4042);
    EXPECT_EQ(savedValue("Center1"), 0x4043);
    EXPECT_EQ(savedValue("Header12"), 0xFFFF);
    EXPECT_EQ(savedValue("Reopen1"), 0xFFFF);
    EXPECT_EQ(savedValue("File1"), 0xFFFF);

    TMDIChild *second = main.documents().NewDocument();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->action("FileNewItem")->shortcut(), QKeySequence("Ctrl+Q"));
    second->Memo1->setFocus();
    QTest::keyClick(second->Memo1, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(main.documents().list().size(), 3);
}

TEST_F(HotkeyCaptureTest, CancelKeepsTheKeyInThisWindowOnly)
{
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    begin(doc);
    QTest::keyClick(hotKey1(), Qt::Key_F11, Qt::AltModifier);
    chooseItem(doc, "Bold1");
    QTest::keyClick(hotKey1(), Qt::Key_Escape);
    EXPECT_FALSE(capture().isCapturing());
    EXPECT_EQ(doc->action("Bold1")->shortcut(), QKeySequence("Alt+F11"));
    EXPECT_FALSE(QFile::exists(HotKeysFileName()));
    TMDIChild *second = main.documents().NewDocument();
    EXPECT_EQ(second->action("Bold1")->shortcut(), QKeySequence("Ctrl+B"));
}

// The editor binds Ctrl+L (cut the line, onto the clipboard) and Ctrl+Shift+L
// (delete the line); no menu item holds them until the user gives them.
TEST_F(HotkeyCaptureTest, AKeyGivenInCaptureRunsTheItemInTheWindowsAlreadyOpen)
{
    const struct
    {
        const char *what;
        const char *endButton;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"OK", "BitBtn1", Qt::ControlModifier},
        {"Cancel", "BitBtn2", Qt::ControlModifier | Qt::ShiftModifier},
    };
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    TMDIChild *other = main.documents().NewDocument();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (TMDIChild *d : {doc, other}) {
            d->Memo1->loadBytes("Hello");
            d->Memo1->setSelStart(5);
        }
        main.mdiArea()->setActiveSubWindow(doc->subWindow());
        ASSERT_EQ(main.documents().active(), doc);
        begin(doc);
        QTest::keyClick(hotKey1(), Qt::Key_L, c.modifiers);
        chooseItem(doc, "Bold1");
        click(c.endButton);
        ASSERT_FALSE(capture().isCapturing());
        ASSERT_EQ(main.documents().active(), doc);

        doc->Memo1->setFocus();
        QTest::keyClick(doc->Memo1, Qt::Key_L, c.modifiers);
        EXPECT_EQ(doc->Memo1->bytes(), "Hello<B></B>");
        // Capture gives keys in its own window only.
        EXPECT_EQ(other->action("Bold1")->shortcut(), QKeySequence("Ctrl+B"));
    }
}

TEST_F(HotkeyCaptureTest, TheFirstItemWithAKeyHoldsIt)
{
    // Center and Copy share Ctrl+C; Bold takes Italic's Ctrl+I; a header item gets a key.
    writeFileBytes(HotKeysFileName(), record("Center1", 0x4043) + record("Bold1", 0x4049) + record("Header12", 0x4048));
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(doc->action("CopyItem")->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_TRUE(doc->action("Center1")->shortcut().isEmpty());
    EXPECT_EQ(doc->action("Center1")->text(), "&Center\tCtrl+C");
    EXPECT_EQ(doc->action("Bold1")->shortcut(), QKeySequence("Ctrl+I"));
    EXPECT_TRUE(doc->action("Italic1")->shortcut().isEmpty());
    EXPECT_EQ(doc->action("Header12")->shortcut(), QKeySequence("Ctrl+H"));

    doc->Memo1->setFocus();
    QTest::keyClick(doc->Memo1, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(doc->Memo1->bytes(), "<B></B>");

    // Giving Bold another key hands Ctrl+I back to Italic.
    begin(doc);
    QTest::keyClick(hotKey1(), Qt::Key_F9, Qt::ControlModifier | Qt::AltModifier);
    chooseItem(doc, "Bold1");
    click("BitBtn2");
    EXPECT_EQ(doc->action("Italic1")->shortcut(), QKeySequence("Ctrl+I"));
    EXPECT_EQ(doc->action("Italic1")->text(), "&Italic");
}

TEST_F(HotkeyCaptureTest, CaptureRunsNoCommandAndTouchesOnlyItsOwnWindow)
{
    TMainForm &main = createForm();
    TMDIChild *first = main.documents().NewDocument();
    TMDIChild *last = main.documents().NewDocument();
    main.mdiArea()->setActiveSubWindow(first->subWindow());
    ASSERT_EQ(main.documents().active(), first);
    begin(first);
    QTest::keyClick(hotKey1(), Qt::Key_F2, Qt::ShiftModifier | Qt::AltModifier);
    // A header item takes no key and runs nothing; neither does a menu key.
    chooseItem(first, "Header12");
    EXPECT_EQ(first->Memo1->bytes(), "");
    EXPECT_EQ(ItemHotkey(first->action("Header12")), 0x8031);
    chooseItem(first, "Italic1");
    EXPECT_EQ(ItemHotkey(first->action("Italic1")), 0xA071);
    EXPECT_EQ(ItemHotkey(last->action("Italic1")), 0x4049);
    EXPECT_TRUE(last->Memo1->isEnabled());

    // Switching windows cancels and gives back the editor it took.
    main.mdiArea()->setActiveSubWindow(last->subWindow());
    EXPECT_FALSE(capture().isCapturing());
    EXPECT_EQ(main.documents().active(), last);
    EXPECT_TRUE(first->Memo1->isEnabled());
    EXPECT_EQ(first->action("Italic1")->shortcut(), QKeySequence("Alt+Shift+F2"));

    // Closing the window cancels too, and nothing touches it afterwards.
    begin(last);
    last->FileCloseItemClick();
    QApplication::processEvents();
    EXPECT_FALSE(capture().isCapturing());
    EXPECT_EQ(main.documents().list().size(), 1);
    click("BitBtn1");
    EXPECT_FALSE(QFile::exists(HotKeysFileName()));
    EXPECT_TRUE(first->Memo1->isEnabled());
}

TEST_F(HotkeyCaptureTest, ChoosingItemsByKeyboardAssignsInsteadOfRunning)
{
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    begin(doc);
    QTest::keyClick(hotKey1(), Qt::Key_J, Qt::ControlModifier);
    QMenu *file = doc->menus().at(0);
    file->popup(QPoint(40, 40));
    // The underlined letter of "&Save" would ask for a file name.
    QTest::keyClick(file, Qt::Key_S);
    EXPECT_TRUE(prompts.fileRequests.isEmpty());
    EXPECT_EQ(ItemHotkey(doc->action("FileSaveItem")), 0x404A);
    EXPECT_FALSE(file->isVisible());
    file->popup(QPoint(40, 40));
    file->setActiveAction(doc->action("FileCloseItem"));
    QTest::keyClick(file, Qt::Key_Return);
    EXPECT_EQ(main.documents().list().size(), 1);
    EXPECT_EQ(ItemHotkey(doc->action("FileCloseItem")), 0x404A);
    click("BitBtn2");
    EXPECT_EQ(doc->action("FileSaveItem")->shortcut(), QKeySequence("Ctrl+J"));
    EXPECT_TRUE(doc->action("FileCloseItem")->shortcut().isEmpty());
}

TEST_F(HotkeyCaptureTest, ClosingTheLastWindowOrTheProgramDuringCaptureIsSafe)
{
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    begin(doc);
    doc->FileCloseItemClick();
    QApplication::processEvents();
    EXPECT_FALSE(capture().isCapturing());
    EXPECT_FALSE(main.findChild<QWidget *>("shortcutsPanel")->isVisible());
    EXPECT_TRUE(main.findChild<QToolBar *>("file_tb")->isVisible());

    begin(main.documents().NewDocument());
    ASSERT_TRUE(capture().isCapturing());
    form.reset();
}

TEST_F(HotkeyCaptureTest, PanelsComeBackAsTheyWere)
{
    for (bool projectVisible : {true, false}) {
        AppSettings() = Settings();
        store->writeBool("Misc", "Project visibility", projectVisible);
        TMainForm &main = createForm();
        main.setProjectVisible(projectVisible);
        auto *project = main.findChild<QDockWidget *>("projectPanel");
        auto *links = main.findChild<QToolBar *>("tagsLinks_tb");
        auto *image = main.findChild<QToolBar *>("tagsImage_tb");
        image->hide();
        TMDIChild *doc = main.documents().NewDocument();
        begin(doc);
        EXPECT_FALSE(project->isVisible());
        EXPECT_FALSE(links->isVisible());
        // Shown again through the tool bar menu, a bar's buttons still run nothing.
        EXPECT_FALSE(image->isEnabled());
        EXPECT_EQ(AppSettings().ProjectVisible, projectVisible);
        click("BitBtn2");
        EXPECT_EQ(project->isVisible(), projectVisible);
        EXPECT_EQ(AppSettings().ProjectVisible, projectVisible);
        EXPECT_TRUE(links->isVisible());
        // A bar the user had closed stays closed.
        EXPECT_FALSE(image->isVisible());
        EXPECT_TRUE(image->isEnabled());
        doc->Modified = false;
        form.reset();
    }
}

TEST_F(HotkeyCaptureTest, TheEntryTakesOneChordThatCannotStealTyping)
{
    createForm();
    HotkeyEdit edit;
    struct Row
    {
        Qt::KeyboardModifiers mods;
        Qt::Key key;
        quint16 value;
    } rows[] = {
        {Qt::ControlModifier, Qt::Key_Q, 0x4051},
        {Qt::NoModifier, Qt::Key_A, 0x4051},  // typing keys need Ctrl or Alt
        {Qt::ShiftModifier, Qt::Key_A, 0x4051},
        {Qt::NoModifier, Qt::Key_F5, 0x0074},
        {Qt::ShiftModifier, Qt::Key_F12, 0x207B},
        {Qt::NoModifier, Qt::Key_Backspace, 0},  // removes the key
        {Qt::AltModifier, Qt::Key_1, 0x8031},
        {Qt::NoModifier, Qt::Key_Delete, 0},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F1, 0x6070},
        {Qt::MetaModifier, Qt::Key_F1, 0x6070},  // no bit for Meta
    };
    for (const Row &row : rows) {
        QTest::keyClick(&edit, row.key, row.mods);
        EXPECT_EQ(edit.hotkey(), row.value) << row.key;
    }
    EXPECT_EQ(edit.text(), QKeySequence("Ctrl+Shift+F1").toString(QKeySequence::NativeText));
    edit.setHotkey(0);
    EXPECT_EQ(edit.text(), "None");
}

TEST_F(HotkeyCaptureTest, ASaveThatFailsSaysSoAndKeepsTheOldFile)
{
    writeFileBytes(HotKeysFileName(), record("Bold1", 0x4049));
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    const QString target = dir.filePath("no-folder/Tagloom.HotKeys");
    capture().hotkeysFileName = [target] { return target; };
    begin(doc);
    QTest::keyClick(hotKey1(), Qt::Key_K, Qt::ControlModifier);
    chooseItem(doc, "Italic1");
    prompts.answers = {QMessageBox::Ok};
    click("BitBtn1");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Cannot create file " + target);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(doc->action("Italic1")->shortcut(), QKeySequence("Ctrl+K"));
    EXPECT_EQ(readFileBytes(HotKeysFileName()), record("Bold1", 0x4049));
}

TEST_F(HotkeyCaptureTest, PrivateItemsAreBuiltForEachWindowAndTakeKeys)
{
    PrivateTags() = {};
    PrivateTags()[0] = {"Bold", "<B>", "</B>", 1};
    PrivateTags()[1] = {"R & D", "<RD>", "", 2};
    writeFileBytes(PrivateMenuFileName(), WritePrivateTagRecords(PrivateTags()));
    writeFileBytes(HotKeysFileName(), record("privateMenuItem1", 0x4059));
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QStringList captions;
    for (QAction *a : doc->privateMenu()->actions())
        captions.append(a->text());
    EXPECT_EQ(captions, QStringList({"Bold", "R && D"}));
    EXPECT_EQ(doc->action("privateMenuItem1"), nullptr);  // private items are not in the fixed table
    QAction *rd = doc->privateMenu()->actions().value(1);
    EXPECT_EQ(rd->shortcut(), QKeySequence("Ctrl+Y"));
    doc->Memo1->setFocus();
    QTest::keyClick(doc->Memo1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc->Memo1->bytes(), "<RD>");
}
