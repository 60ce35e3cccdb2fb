#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <optional>
#include <QUrl>
#include <QMimeData>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class MainFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        store->writeBool("Misc", "Show splash screen", false);
        store->writeBool("Misc", "Insert all document structure tags when opening a new document", false);
    }
    void TearDown() override
    {
        // Answer No to anything left, so the window can go.
        if (form) {
            for (TMDIChild *doc : form->documents().list())
                doc->Modified = false;
            form.reset();
        }
    }
    TMainForm &createForm(const QStringList &args = {})
    {
        form = std::make_unique<TMainForm>(store.get(), args);
        return *form;
    }
    // The captions of the test's main window's documents.
    QStringList captions() const
    {
        QStringList list;
        for (TMDIChild *doc : form->documents().list())
            list.append(doc->caption());
        return list;
    }
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        writeFileBytes(path, bytes);
        return path;
    }
    void type(TMDIChild *doc, const QByteArray &text) { doc->Memo1->setSelText(text); }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> form;
    ScriptedPrompts prompts;
};
}  // namespace

TEST_F(MainFormTest, UntitledNumberingFollowsTheOpenWindowCount)
{
    TMainForm &main = createForm();
    main.documents().NewDocument();
    main.documents().NewDocument();
    main.documents().NewDocument();
    EXPECT_EQ(captions(), QStringList({"Untitled:1", "Untitled:2", "Untitled:3"}));
    EXPECT_EQ(main.documents().active()->caption(), "Untitled:3");
    main.documents().list().first()->FileCloseItemClick();
    QApplication::processEvents();
    main.documents().NewDocument();
    EXPECT_EQ(captions(), QStringList({"Untitled:2", "Untitled:3", "Untitled:3"}));
}

TEST_F(MainFormTest, SaveAddsTheDefaultExtensionAndWritesBytesUnchanged)
{
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    type(doc, "<P>\r\nno break at the end");
    EXPECT_TRUE(doc->Modified);
    prompts.files = {dir.filePath("page")};
    doc->FileSaveItemClick();
    EXPECT_EQ(doc->DocumentFileName, dir.filePath("page.html"));
    EXPECT_EQ(doc->caption(), dir.filePath("page.html"));
    EXPECT_FALSE(doc->Modified);
    EXPECT_EQ(readFileBytes(dir.filePath("page.html")), "<P>\r\nno break at the end");
    ASSERT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_TRUE(prompts.fileRequests[0].save);
    EXPECT_EQ(prompts.fileRequests[0].filters.size(), 3);

    // Save again goes to the same name without asking.
    type(doc, "!");
    doc->FileSaveItemClick();
    EXPECT_EQ(prompts.fileRequests.size(), 1);
}

TEST_F(MainFormTest, OpenConvertsLineEndsAndReportsProgress)
{
    TMainForm &main = createForm();
    const QString name = file("lf.html", "<HTML>\n<BODY>\n</HTML>");
    TMDIChild *doc = main.documents().OpenDocument(name);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Memo1->bytes(), "<HTML>\r\n<BODY>\r\n</HTML>");
    EXPECT_FALSE(doc->Modified);
    EXPECT_EQ(doc->DocumentFileName, name);
    EXPECT_EQ(main.statusText(1), "Done");
    doc->FileSaveItemClick();
    EXPECT_EQ(readFileBytes(name), "<HTML>\r\n<BODY>\r\n</HTML>");

    // A name that is no file opens nothing and says nothing.
    EXPECT_EQ(main.documents().OpenDocument(dir.filePath("gone.html")), nullptr);
    EXPECT_EQ(main.documents().list().size(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());

    // The same file twice gives two windows with the same caption.
    main.documents().OpenDocument(name);
    EXPECT_EQ(captions(), QStringList({name, name}));
}

TEST_F(MainFormTest, FailedSaveKeepsNameCaptionAndModified)
{
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    type(doc, "text");
    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(doc->SaveDocument(dir.filePath("no/such/folder/page.html")));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Cannot create file " + dir.filePath("no/such/folder/page.html"));
    EXPECT_TRUE(doc->DocumentFileName.isEmpty());
    EXPECT_EQ(doc->caption(), "Untitled:1");
    EXPECT_TRUE(doc->Modified);
}

TEST_F(MainFormTest, ClosePromptAnswers)
{
    TMainForm &main = createForm();
    TMDIChild *unchanged = main.documents().NewDocument();
    unchanged->FileCloseItemClick();
    QApplication::processEvents();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(main.documents().list().isEmpty());

    TMDIChild *doc = main.documents().NewDocument();
    type(doc, "keep me");
    prompts.answers = {QMessageBox::Cancel};
    doc->FileCloseItemClick();
    EXPECT_TRUE(main.documents().closeCancelled());
    EXPECT_EQ(main.documents().list().size(), 1);
    EXPECT_EQ(prompts.messages.last().text, "Save changes in Untitled:1?");
    EXPECT_EQ(prompts.messages.last().caption, "Warning");
    EXPECT_EQ(prompts.messages.last().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    // Yes on an untitled document with the save dialog cancelled keeps the window and its text.
    prompts.answers = {QMessageBox::Yes};
    prompts.files = {QString()};
    main.documents().setCloseCancelled(false);
    doc->FileCloseItemClick();
    EXPECT_TRUE(main.documents().closeCancelled());
    ASSERT_EQ(main.documents().list().size(), 1);
    EXPECT_EQ(doc->Memo1->bytes(), "keep me");

    prompts.answers = {QMessageBox::Yes};
    prompts.files = {dir.filePath("kept.html")};
    doc->FileCloseItemClick();
    QApplication::processEvents();
    EXPECT_TRUE(main.documents().list().isEmpty());
    EXPECT_EQ(readFileBytes(dir.filePath("kept.html")), "keep me");

    TMDIChild *other = main.documents().NewDocument();
    type(other, "drop me");
    prompts.answers = {QMessageBox::No};
    other->FileCloseItemClick();
    QApplication::processEvents();
    EXPECT_TRUE(main.documents().list().isEmpty());
}

TEST_F(MainFormTest, CloseAllStopsAtCancel)
{
    TMainForm &main = createForm();
    for (int i = 0; i < 3; ++i)
        type(main.documents().NewDocument(), "changed");
    prompts.answers = {QMessageBox::No, QMessageBox::Cancel};
    main.CloseAll1Click();
    QApplication::processEvents();
    EXPECT_EQ(captions(), QStringList({"Untitled:1", "Untitled:2"}));
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[0].text, "Save changes in Untitled:3?");
    EXPECT_EQ(prompts.messages[1].text, "Save changes in Untitled:2?");
}

TEST_F(MainFormTest, ShutdownStopsAtCancelAndSavesSettingsOnlyWhenComplete)
{
    TMainForm &main = createForm();
    main.show();
    type(main.documents().NewDocument(), "first");
    type(main.documents().NewDocument(), "second");
    AppSettings().DefaultExt = "htm";
    prompts.answers = {QMessageBox::No, QMessageBox::Cancel};
    EXPECT_FALSE(main.close());
    QApplication::processEvents();
    EXPECT_EQ(captions(), QStringList({"Untitled:1"}));
    EXPECT_FALSE(store->hasValue("Files", "Default Ext"));

    prompts.answers = {QMessageBox::No};
    EXPECT_TRUE(main.close());
    QApplication::processEvents();
    EXPECT_TRUE(main.documents().list().isEmpty());
    SettingsStore reread(dir.filePath("store.ini"));
    EXPECT_EQ(reread.readString("Files", "Default Ext", ""), "htm");
}

TEST_F(MainFormTest, CommandLineOpensHtmlFilesOnly)
{
    const QString upper = file("PAGE.HTML", "<B>x</B>\n");
    const QString text = file("notes.txt", "plain");
    const QString missing = dir.filePath("missing.html");
    TMainForm &main = createForm({upper, text, missing, "-style"});
    main.show();
    QApplication::processEvents();
    EXPECT_EQ(captions(), QStringList({upper}));
    EXPECT_EQ(main.documents().active()->DocumentFileName, upper);
    EXPECT_EQ(main.documents().active()->Memo1->bytes(), "<B>x</B>\r\n");
    EXPECT_FALSE(main.documents().active()->Modified);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(MainFormTest, NoMoreThanFiftyDocuments)
{
    TMainForm &main = createForm();
    for (int i = 0; i < TMDIChild::MaxDocuments; ++i)
        main.documents().NewDocument();
    prompts.answers = {QMessageBox::Ok, QMessageBox::Ok};
    EXPECT_EQ(main.documents().NewDocument(), nullptr);
    EXPECT_EQ(main.documents().OpenDocument(file("p.html", "x")), nullptr);
    EXPECT_EQ(main.documents().list().size(), TMDIChild::MaxDocuments);
    EXPECT_EQ(prompts.messages.size(), 2);

    // Open refuses before asking for a file the user could not open anyway.
    prompts.answers = {QMessageBox::Ok};
    prompts.files = {file("q.html", "x")};
    EXPECT_EQ(main.documents().OpenDocument(QString()), nullptr);
    EXPECT_TRUE(prompts.fileRequests.isEmpty());
    EXPECT_EQ(prompts.messages.size(), 3);
}

TEST_F(MainFormTest, MenusFollowTheActiveDocument)
{
    TMainForm &main = createForm();
    auto menuNames = [&main] {
        QStringList names;
        for (QAction *a : main.menuBar()->actions())
            names.append(a->text());
        return names;
    };
    EXPECT_EQ(menuNames(), QStringList({"&File", "&Help"}));
    TMDIChild *doc = main.documents().NewDocument();
    EXPECT_EQ(menuNames().size(), 12);
    EXPECT_EQ(menuNames().first(), "&File");
    // Ctrl+C belongs to Copy; Center gives its key up.
    EXPECT_EQ(doc->action("CopyItem")->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_TRUE(doc->action("Center1")->shortcut().isEmpty());
    EXPECT_TRUE(doc->action("Wordwrap1")->isChecked());
    doc->action("Wordwrap1")->trigger();
    EXPECT_EQ(doc->Memo1->wrapMode(), QsciScintilla::WrapNone);
    doc->FileCloseItemClick();
    QApplication::processEvents();
    EXPECT_EQ(menuNames(), QStringList({"&File", "&Help"}));
}

TEST_F(MainFormTest, ProjectPanelToggleReachesEveryWindow)
{
    TMainForm &main = createForm();
    TMDIChild *a = main.documents().NewDocument();
    TMDIChild *b = main.documents().NewDocument();
    EXPECT_TRUE(a->action("ShowHideprojectpanel1")->isChecked());
    b->action("ShowHideprojectpanel1")->trigger();
    EXPECT_FALSE(AppSettings().ProjectVisible);
    EXPECT_FALSE(a->action("ShowHideprojectpanel1")->isChecked());
    EXPECT_FALSE(main.findChild<QWidget *>("projectPanel")->isVisibleTo(&main));
    main.setProjectPanelAlignment(2);
    EXPECT_EQ(AppSettings().ProjectPanelAlignment, 2);
}

TEST(EnterKey, LineBreakDialogRouting)
{
    EXPECT_TRUE(EnterOpensLineBreakDialog(true, Qt::NoModifier));
    EXPECT_TRUE(EnterOpensLineBreakDialog(true, Qt::ShiftModifier));
    EXPECT_TRUE(EnterOpensLineBreakDialog(true, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(EnterOpensLineBreakDialog(true, Qt::ControlModifier));
    EXPECT_TRUE(EnterOpensLineBreakDialog(false, Qt::ControlModifier));
    EXPECT_FALSE(EnterOpensLineBreakDialog(false, Qt::NoModifier));
    EXPECT_FALSE(EnterOpensLineBreakDialog(false, Qt::ControlModifier | Qt::ShiftModifier));
}

TEST_F(MainFormTest, HotkeysWrapTheTypedWordAndTheSavedFileHasTheMarkup)
{
    TMainForm &main = createForm();
    main.show();
    QApplication::setActiveWindow(&main);
    TMDIChild *doc = main.documents().NewDocument();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    doc->Memo1->setFocus();
    QTest::keyClicks(doc->Memo1, "word");
    doc->Memo1->setSelStart(0);
    doc->Memo1->setSelLength(4);
    QTest::keyClick(doc->Memo1, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(doc->Memo1->bytes(), "<B>word</B>");
    doc->Memo1->setSelStart(0);
    doc->Memo1->setSelLength(doc->Memo1->length());
    QTest::keyClick(doc->Memo1, Qt::Key_3, Qt::AltModifier);
    doc->Memo1->setSelStart(0);
    doc->Memo1->setSelLength(doc->Memo1->length());
    QTest::keyClick(doc->Memo1, Qt::Key_M, Qt::ControlModifier);
    // F5 is a menu key, not the editor's.
    QTest::keyClick(doc->Memo1, Qt::Key_F5);
    prompts.files = {dir.filePath("typed.html")};
    QTest::keyClick(doc->Memo1, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readFileBytes(dir.filePath("typed.html")), "<!-- <H3><B>word</B></H3> -->");
    // Undo takes back one command at a time.
    doc->Memo1->undo();
    EXPECT_EQ(doc->Memo1->bytes(), "<H3><B>word</B></H3>");
}

TEST_F(MainFormTest, MenuHintsReachStatusPanelZero)
{
    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    QAction *bold = doc->action("Bold1");
    ASSERT_TRUE(bold);
    EXPECT_TRUE(bold->isEnabled());
    bold->showStatusText(main.menuBar());  // what a menu does for its highlighted item
    EXPECT_EQ(main.statusText(0), "Bolded text");
}

TEST_F(MainFormTest, DroppedFilesOpenLastFirstAndButtonsFollowTheDocuments)
{
    TMainForm &main = createForm();
    auto button = [&main](const char *name) { return main.findChild<QAction *>(name); };
    EXPECT_FALSE(button("saveBtn")->isEnabled());
    EXPECT_FALSE(button("hrBtn")->isEnabled());
    EXPECT_TRUE(button("newBtn")->isEnabled());

    const QString a = file("a.html", "A");
    const QString b = file("b.htm", "B");
    main.mdDropFiles1FilesDroped({a, b});
    EXPECT_EQ(captions(), QStringList({b, a}));
    EXPECT_TRUE(button("saveBtn")->isEnabled());
    EXPECT_EQ(button("hrBtn")->isEnabled(), FindCommand("HorizontalRule1") != nullptr);

    // The save button saves the active document.
    main.documents().active()->Memo1->setSelText(QByteArray("x"));
    button("saveBtn")->trigger();
    EXPECT_EQ(readFileBytes(a), "xA");
}

TEST_F(MainFormTest, ToolbarMenuHidesAndShowsBars)
{
    TMainForm &main = createForm();
    main.show();
    QMenu *pop = main.findChild<QMenu *>("toolbarPop");
    ASSERT_TRUE(pop);
    ASSERT_EQ(pop->actions().size(), 4);
    QToolBar *links = main.findChild<QToolBar *>("tagsLinks_tb");
    EXPECT_TRUE(pop->actions()[1]->isChecked());
    pop->actions()[1]->trigger();
    EXPECT_FALSE(links->isVisible());
    EXPECT_FALSE(pop->actions()[1]->isChecked());
    links->show();
    EXPECT_TRUE(pop->actions()[1]->isChecked());
}

TEST_F(MainFormTest, OpenedFilesReachTheReopenMenus)
{
    TMainForm &main = createForm();
    main.show();
    const QString a = file("one.html", "1");
    const QString b = file("two.html", "2");
    main.documents().OpenDocument(a);
    TMDIChild *second = main.documents().OpenDocument(b);
    ASSERT_TRUE(second);
    QStringList items;
    for (QAction *act : second->reopenMenu()->actions())
        items.append(act->text());
    EXPECT_EQ(items, QStringList({"two.html", "one.html"}));
    EXPECT_EQ(store->readString("Reopen List", "0", ""), b);

    // A window opened by the command line does not touch the list.
    main.openCommandLine({file("three.html", "3")});
    EXPECT_EQ(store->readString("Reopen List", "2", "none"), "none");
    // XHTML pages open as documents; other files are left alone.
    main.openCommandLine({file("four.XHTML", "4"), file("five.xht", "5"), file("notes.txt", "6")});
    QStringList opened;
    for (TMDIChild *child : main.documents().list())
        opened.append(QFileInfo(child->DocumentFileName).fileName());
    opened.sort();
    EXPECT_EQ(opened, QStringList({"five.xht", "four.XHTML", "one.html", "three.html", "two.html"}));

    // Closing the last window rebuilds the main menu's list; its item opens that file.
    main.CloseAll1Click();
    QApplication::processEvents();
    ASSERT_TRUE(main.documents().list().isEmpty());
    ASSERT_EQ(main.mainReopenMenu()->actions().size(), 2);
    main.mainReopenMenu()->actions().at(1)->trigger();
    ASSERT_EQ(main.documents().list().size(), 1);
    EXPECT_EQ(main.documents().active()->DocumentFileName, a);
}

TEST_F(MainFormTest, UndoAndRedoKeysReachTheEditor)
{
    TMainForm &main = createForm();
    main.show();
    QApplication::setActiveWindow(&main);
    TMDIChild *doc = main.documents().NewDocument();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    TColorMemo *memo = doc->Memo1;
    memo->setFocus();
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char *expected;
    } steps[] = {
        {Qt::Key_Z, Qt::ControlModifier, ""},
        {Qt::Key_Y, Qt::ControlModifier, "ab"},
        {Qt::Key_Z, Qt::ControlModifier, ""},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "ab"},
        // Ctrl+D is a menu key (Div): the editor must not duplicate the line with it.
        {Qt::Key_D, Qt::ControlModifier, "ab"},
    };
    QTest::keyClicks(memo, "ab");
    ASSERT_EQ(memo->bytes(), "ab");
    for (const auto &step : steps) {
        QTest::keyClick(memo, step.key, step.mods);
        EXPECT_EQ(memo->bytes(), step.expected) << QKeySequence(step.key | step.mods).toString().toStdString();
    }
}

TEST_F(MainFormTest, ControlsWithoutACommandAreDisabledUntilItIsRegistered)
{
    // The horizontal rule has a menu item and a tool button; its command is
    // taken away for the test and given back afterwards.
    const QString item = QStringLiteral("HorizontalRule1");
    std::optional<Command> original;
    if (const Command *cmd = FindCommand(item))
        original = *cmd;
    UnregisterCommand(item);

    TMainForm &main = createForm();
    TMDIChild *doc = main.documents().NewDocument();
    QAction *menuItem = doc->action(item);
    QAction *button = main.findChild<QAction *>("hrBtn");
    ASSERT_TRUE(menuItem && button);
    EXPECT_FALSE(menuItem->isEnabled());
    EXPECT_FALSE(button->isEnabled());

    int runs = 0;
    RegisterCommand({item, QString(), QString(), QString(), [&runs](TextDocument &) { ++runs; }});
    EXPECT_TRUE(menuItem->isEnabled());
    EXPECT_TRUE(button->isEnabled());
    button->trigger();
    menuItem->trigger();
    EXPECT_EQ(runs, 2);

    UnregisterCommand(item);
    EXPECT_FALSE(menuItem->isEnabled());
    EXPECT_FALSE(button->isEnabled());
    if (original)
        RegisterCommand(*original);
}

TEST_F(MainFormTest, WindowShrinksToASensibleMinimum)
{
    TMainForm &main = createForm();
    main.resize(1200, 800);
    main.show();
    main.documents().NewDocument();
    // A long hint in panel 0 must not widen the window either.
    main.setStatusText(0, QString(300, QLatin1Char('x')));
    QApplication::processEvents();
    EXPECT_LE(main.minimumSizeHint().width(), 400);
    EXPECT_LE(main.minimumSize().width(), 400);
    EXPECT_LE(main.minimumSize().height(), 300);
    main.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(main.size(), QSize(400, 300));
    QLabel *panel1 = main.findChild<QLabel *>("panel1");
    ASSERT_TRUE(panel1);
    EXPECT_EQ(panel1->width(), 100);
}

TEST_F(MainFormTest, DroppedFilesOpenAfterTheDropReturns)
{
    // Qt only delivers drops of a real drag, so the handler is called as the drag would.
    struct DropTarget : TMainForm
    {
        using TMainForm::dropEvent;
        using TMainForm::TMainForm;
    };
    DropTarget main(store.get(), {});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file("d.html", "D"))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    main.dropEvent(&drop);
    EXPECT_TRUE(main.documents().list().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&main] { return main.documents().list().size() == 1; }));
    for (TMDIChild *doc : main.documents().list())
        doc->Modified = false;
}
TEST_F(MainFormTest, LargeDocumentOpensUnwrappedSaysSoAndWrapsOnRequest)
{
    TMainForm &main = createForm();
    QByteArray big;
    while (big.size() < TColorMemo::LargeDocumentBytes)
        big += "<P>a line of a large page</P>\r\n";
    TMDIChild *large = main.documents().OpenDocument(file("large.html", big));
    ASSERT_TRUE(large);
    QAction *wrapItem = large->action(QStringLiteral("Wordwrap1"));
    EXPECT_EQ(large->Memo1->wrapMode(), QsciScintilla::WrapNone);
    EXPECT_FALSE(wrapItem->isChecked());
    EXPECT_FALSE(main.documentNote().isEmpty());
    EXPECT_EQ(main.statusText(1), "Done");

    // The note belongs to the large document: another window has none.
    TMDIChild *small = main.documents().OpenDocument(file("small.html", "<P>small</P>"));
    EXPECT_EQ(small->Memo1->wrapMode(), QsciScintilla::WrapWord);
    EXPECT_TRUE(small->action(QStringLiteral("Wordwrap1"))->isChecked());
    EXPECT_TRUE(main.documentNote().isEmpty());
    large->FormActivate();
    EXPECT_FALSE(main.documentNote().isEmpty());

    // The menu turns wrapping back on, and the note goes.
    wrapItem->trigger();
    EXPECT_TRUE(wrapItem->isChecked());
    EXPECT_EQ(large->Memo1->wrapMode(), QsciScintilla::WrapWord);
    EXPECT_TRUE(main.documentNote().isEmpty());
    EXPECT_EQ(large->Memo1->bytes(), big);
    EXPECT_FALSE(large->Modified);
}

// The modified flag hears of edits before they happen; none may slip past it.
TEST_F(MainFormTest, EveryKindOfEditSetsModified)
{
    TMainForm &main = createForm();
    const QString name = file("m.html", "<P>text</P>");
    const std::pair<const char *, std::function<void(TColorMemo &)>> edits[] = {
        {"key", [](TColorMemo &m) { QTest::keyClick(&m, Qt::Key_A); }},
        {"delete", [](TColorMemo &m) { QTest::keyClick(&m, Qt::Key_Delete); }},
        {"command", [](TColorMemo &m) { m.setSelText(QByteArray("<B>")); }},
        {"undo of a saved edit", [](TColorMemo &m) { m.SendScintilla(QsciScintillaBase::SCI_UNDO); }},
    };
    for (const auto &[what, edit] : edits) {
        TMDIChild *doc = main.documents().OpenDocument(name);
        ASSERT_TRUE(doc);
        doc->Memo1->setSelText(QByteArray("x"));
        doc->FileSaveItemClick();
        ASSERT_FALSE(doc->Modified) << what;
        doc->Memo1->setFocus();
        edit(*doc->Memo1);
        EXPECT_TRUE(doc->Modified) << what;
        doc->Modified = false;
        doc->FileCloseItemClick();
        QApplication::processEvents();
        writeFileBytes(name, "<P>text</P>");
    }
}
