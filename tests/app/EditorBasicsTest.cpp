#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/EditorBasics.h"
#include "app/MainForm.h"
#include "custom/HotkeyFile.h"
#include "custom/HotkeyMenu.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <map>

using B = QsciScintillaBase;

namespace {
class EditorBasicsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        QFile::remove(HotKeysFileName());
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
    }
    // A shown, active main window, as the user has it: menu keys reach the menus.
    TMainForm &start()
    {
        form = std::make_unique<TMainForm>(store.get(), QStringList());
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return *form;
    }
    TMDIChild *open(const char *name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        writeFileBytes(path, bytes);
        TMDIChild *doc = form->documents().OpenDocument(path);
        doc->Memo1->setFocus();
        return doc;
    }
    QString field(const char *name) { return form->findChild<QLabel *>(QString::fromLatin1(name))->text(); }
    bool fieldShown(const char *name) { return form->findChild<QLabel *>(QString::fromLatin1(name))->isVisible(); }
    static void press(TMDIChild *doc, Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier)
    {
        doc->Memo1->setFocus();
        QTest::keyClick(doc->Memo1, key, mods);
    }
    static long margin(TMDIChild *doc) { return doc->Memo1->SendScintilla(B::SCI_GETMARGINWIDTHN, 0UL); }
    static long zoom(TMDIChild *doc) { return doc->Memo1->SendScintilla(B::SCI_GETZOOM); }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> form;
    ScriptedPrompts prompts;
};

std::function<int(QDialog *)> goToLine(int line)
{
    return [line](QDialog *d) {
        d->findChild<QSpinBox *>("lineEdit")->setValue(line);
        d->findChild<QAbstractButton *>("OKBtn")->click();
        return d->result();
    };
}

// The letter after "&" ("&&" is a literal ampersand), lower case; none gives a null char.
QChar mnemonic(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return QChar();
}

// Pairs of items in one menu that share a letter, as "menu: first,second".
QStringList mnemonicClashes(const QList<QMenu *> &menus)
{
    QStringList clashes;
    std::function<void(const QMenu *)> walk = [&](const QMenu *menu) {
        std::map<QChar, QString> seen;
        for (QAction *a : menu->actions()) {
            const QChar letter = mnemonic(a->text().section(QLatin1Char('\t'), 0, 0));
            if (!letter.isNull() && !a->isSeparator()) {
                if (seen.count(letter))
                    clashes.append(menu->objectName() + ": " + seen[letter] + "," + a->objectName());
                else
                    seen[letter] = a->objectName();
            }
            if (a->menu() && a->menu() != menu)
                walk(a->menu());
        }
    };
    for (const QMenu *m : menus)
        walk(m);
    return clashes;
}
}  // namespace

TEST_F(EditorBasicsTest, UndoAndRedoFromMenuAndKeysAreEnabledOnlyWithSomethingToDo)
{
    start();
    TMDIChild *doc = open("page.html", "<P>");
    QAction *undo = doc->action("Undo1");
    QAction *redo = doc->action("Redo1");
    QApplication::processEvents();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    QTest::keyClicks(doc->Memo1, "ab");
    QApplication::processEvents();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    QApplication::processEvents();
    EXPECT_EQ(doc->Memo1->bytes(), "<P>");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    press(doc, Qt::Key_Y);
    EXPECT_EQ(doc->Memo1->bytes(), "ab<P>");
    press(doc, Qt::Key_Z);
    EXPECT_EQ(doc->Memo1->bytes(), "<P>");
    press(doc, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->Memo1->bytes(), "ab<P>");
    EXPECT_TRUE(doc->Modified);
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(redo->shortcut(), QKeySequence("Ctrl+Y"));
}

TEST_F(EditorBasicsTest, SelectAllSelectsTheTextButNotTheByteOrderMark)
{
    start();
    TMDIChild *doc = open("bom.html", "\xEF\xBB\xBF<P>caf\xC3\xA9</P>");
    doc->action("SelectAll1")->trigger();
    EXPECT_EQ(doc->Memo1->SelText(), "<P>caf\xC3\xA9</P>");
    QApplication::processEvents();
    EXPECT_EQ(field("caretStatus"), "Ln 1, Col 12 (11 selected)");
    // Ctrl+A stays Address.
    EXPECT_TRUE(doc->action("SelectAll1")->shortcut().isEmpty());
    QTest::keyClicks(doc->Memo1, "x");
    EXPECT_EQ(doc->Memo1->bytes(), "\xEF\xBB\xBFx");
}

TEST_F(EditorBasicsTest, GoToLineMovesTheCaretToTheLineStartAndPastTheEndToTheLastLine)
{
    start();
    QByteArray text;
    for (int i = 1; i <= 300; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    text += "last";
    TMDIChild *doc = open("lines.html", text);
    TColorMemo *memo = doc->Memo1;
    auto caretLine = [memo] {
        return memo->SendScintilla(B::SCI_LINEFROMPOSITION, static_cast<unsigned long>(memo->SelStart()));
    };

    int shownMax = 0, shownValue = 0;
    prompts.modals = {[&](QDialog *d) {
        auto *spin = d->findChild<QSpinBox *>("lineEdit");
        shownMax = spin->maximum();
        shownValue = spin->value();
        spin->setValue(250);
        d->findChild<QAbstractButton *>("OKBtn")->click();
        return d->result();
    }};
    press(doc, Qt::Key_G);
    EXPECT_EQ(prompts.modalNames, QStringList({"GoToLineDlg"}));
    EXPECT_EQ(shownMax, 301);
    EXPECT_EQ(shownValue, 1);
    EXPECT_EQ(caretLine(), 249);
    EXPECT_EQ(memo->SelStart(), memo->SendScintilla(B::SCI_POSITIONFROMLINE, 249UL));
    // Scrolled so that the line shows.
    const long first = memo->SendScintilla(B::SCI_GETFIRSTVISIBLELINE);
    EXPECT_LE(first, 249);
    EXPECT_GT(first + memo->SendScintilla(B::SCI_LINESONSCREEN), 249);
    QApplication::processEvents();
    EXPECT_EQ(field("caretStatus"), "Ln 250, Col 1");

    // A number past the end is the last line; Cancel leaves the caret.
    prompts.modals = {goToLine(100000)};
    doc->action("GoToLine1")->trigger();
    EXPECT_EQ(caretLine(), 300);
    EXPECT_EQ(memo->SelStart(), memo->length() - 4);
    prompts.modals = {[&](QDialog *d) {
        shownValue = d->findChild<QSpinBox *>("lineEdit")->value();
        d->findChild<QSpinBox *>("lineEdit")->setValue(5);
        return int(QDialog::Rejected);
    }};
    doc->action("GoToLine1")->trigger();
    EXPECT_EQ(shownValue, 301);
    EXPECT_EQ(caretLine(), 300);
    EXPECT_EQ(memo->bytes(), text);
}

// On a full disk Save All reports the failure and stops: the file keeps its old
// text whole, the document stays changed, and the one after it is not touched.
TEST_F(EditorBasicsTest, SaveAllOnAFullDiskStopsAtTheFailureAndKeepsTheOldText)
{
    start();
    for (const qsizetype size : {qsizetype(2000), qsizetype(200000)}) {
        SCOPED_TRACE(size);
        const QByteArray old(300, 'o');
        TMDIChild *full = open("full.html", old);
        TMDIChild *next = open("next.html", "N");
        full->Memo1->setSelText(QByteArray(size, 'n'));
        next->Memo1->setSelText(QByteArray("x"));
        prompts.messages.clear();
        prompts.answers = {QMessageBox::Ok};
        const bool saved = withSizeLimit(1024, [&] { return SaveAllDocuments(form->documents().list()); });
        EXPECT_FALSE(saved);
        EXPECT_EQ(readFileBytes(dir.filePath("full.html")), old);
        EXPECT_EQ(readFileBytes(dir.filePath("next.html")), "N");
        EXPECT_TRUE(full->Modified);
        EXPECT_TRUE(next->Modified);
        EXPECT_FALSE(prompts.messages.isEmpty());
        for (TMDIChild *doc : {full, next}) {
            doc->Modified = false;
            doc->subWindow()->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(EditorBasicsTest, SaveAllSavesEveryChangedDocumentAskingUntitledOnesForANameAndCancelStops)
{
    start();
    TMDIChild *a = open("a.html", "A");
    TMDIChild *b = open("b.html", "B");
    TMDIChild *untitled = form->documents().NewDocument();
    TMDIChild *c = open("c.html", "C");
    TMDIChild *same = open("same.html", "S");
    for (TMDIChild *doc : {a, b, untitled, c})
        doc->Memo1->setSelText(QByteArray("x"));
    const QDateTime sameTime = QFileInfo(dir.filePath("same.html")).lastModified();

    // The untitled one is asked for a name, and cancelled: the one after it keeps its changes.
    prompts.files = {QString()};
    press(same, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(readFileBytes(dir.filePath("a.html")), "xA");
    EXPECT_EQ(readFileBytes(dir.filePath("b.html")), "xB");
    EXPECT_EQ(readFileBytes(dir.filePath("c.html")), "C");
    EXPECT_TRUE(untitled->Modified);
    EXPECT_TRUE(c->Modified);
    EXPECT_EQ(prompts.fileRequests.size(), 1);
    // The window being named was shown to the user.
    EXPECT_EQ(form->mdiArea()->activeSubWindow(), untitled->subWindow());

    prompts.files = {dir.filePath("new.html")};
    untitled->action("SaveAll1")->trigger();
    EXPECT_EQ(readFileBytes(dir.filePath("new.html")), "x");
    EXPECT_EQ(readFileBytes(dir.filePath("c.html")), "xC");
    for (TMDIChild *doc : {a, b, untitled, c, same})
        EXPECT_FALSE(doc->Modified) << doc->caption().toStdString();
    EXPECT_EQ(untitled->caption(), dir.filePath("new.html"));
    EXPECT_EQ(QFileInfo(dir.filePath("same.html")).lastModified(), sameTime);
    EXPECT_EQ(prompts.fileRequests.size(), 2);
}

TEST_F(EditorBasicsTest, CtrlWAndCtrlF4CloseTheFileWithItsQuestion)
{
    start();
    TMDIChild *first = open("one.html", "1");
    TMDIChild *second = open("two.html", "2");
    second->Memo1->setSelText(QByteArray("x"));
    prompts.answers = {QMessageBox::Cancel};
    press(second, Qt::Key_W);
    QApplication::processEvents();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Save changes in " + dir.filePath("two.html") + "?");
    EXPECT_EQ(form->documents().list().size(), 2);
    prompts.answers = {QMessageBox::No};
    press(second, Qt::Key_F4);
    QApplication::processEvents();
    EXPECT_EQ(prompts.messages.size(), 2);
    ASSERT_EQ(form->documents().list(), QList<TMDIChild *>({first}));
    press(first, Qt::Key_W);
    QApplication::processEvents();
    EXPECT_TRUE(form->documents().list().isEmpty());
    EXPECT_EQ(readFileBytes(dir.filePath("two.html")), "2");
}

TEST_F(EditorBasicsTest, StatusBarShowsCaretSelectionEncodingAndLineEnds)
{
    start();
    EXPECT_FALSE(fieldShown("caretStatus"));
    TMDIChild *latin = open("latin.html", "caf\xE9\n\tx\n");
    QApplication::processEvents();
    EXPECT_TRUE(fieldShown("caretStatus"));
    EXPECT_EQ(field("encodingStatus"), "Latin-1");
    EXPECT_EQ(field("lineEndsStatus"), "mixed");
    EXPECT_EQ(field("caretStatus"), "Ln 1, Col 1");
    // After the tab the column is the tab stop's.
    press(latin, Qt::Key_Down, Qt::NoModifier);
    press(latin, Qt::Key_Right, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_EQ(field("caretStatus"), "Ln 2, Col 9");
    press(latin, Qt::Key_Right, Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(field("caretStatus"), "Ln 2, Col 10 (1 selected)");

    TMDIChild *utf8 = open("utf8.html", "gr\xC3\xBC\xC3\x9F\r\n");
    QApplication::processEvents();
    EXPECT_EQ(field("encodingStatus"), "UTF-8");
    EXPECT_EQ(field("lineEndsStatus"), "CR LF");
    utf8->Memo1->SendScintilla(B::SCI_SETSEL, 0UL, 6L);
    QApplication::processEvents();
    EXPECT_EQ(field("caretStatus"), "Ln 1, Col 5 (4 selected)");
    open("bom.html", "\xEF\xBB\xBFx");
    QApplication::processEvents();
    EXPECT_EQ(field("encodingStatus"), "UTF-8 BOM");
    EXPECT_EQ(field("caretStatus"), "Ln 1, Col 1");

    // Back to the first window: its fields again; once saved its file has CR LF.
    form->mdiArea()->setActiveSubWindow(latin->subWindow());
    QApplication::processEvents();
    EXPECT_EQ(field("encodingStatus"), "Latin-1");
    EXPECT_EQ(field("lineEndsStatus"), "mixed");
    latin->Memo1->setSelText(QByteArray("y"));
    press(latin, Qt::Key_S);
    EXPECT_EQ(readFileBytes(dir.filePath("latin.html")), "caf\xE9\r\n\ty\r\n");
    EXPECT_EQ(field("lineEndsStatus"), "CR LF");

    form->CloseAll1Click();
    QApplication::processEvents();
    EXPECT_FALSE(fieldShown("caretStatus"));
    EXPECT_FALSE(fieldShown("encodingStatus"));
}

TEST_F(EditorBasicsTest, ViewItemsChangeEveryEditorAndARestartKeepsThem)
{
    start();
    TMDIChild *one = open("one.html", "<P>\r\n\tx");
    TMDIChild *two = open("two.html", "<P>");
    QApplication::processEvents();
    // Line numbers and the current line on, whitespace off.
    EXPECT_TRUE(one->action("LineNumbers1")->isChecked());
    EXPECT_GT(margin(one), 0);
    EXPECT_TRUE(one->Memo1->SendScintilla(B::SCI_GETCARETLINEVISIBLE));
    EXPECT_FALSE(one->action("WhitespaceLineEnds1")->isChecked());
    EXPECT_EQ(one->Memo1->SendScintilla(B::SCI_GETVIEWWS), long(B::SCWS_INVISIBLE));

    two->action("LineNumbers1")->trigger();
    two->action("WhitespaceLineEnds1")->trigger();
    two->action("CurrentLine1")->trigger();
    for (TMDIChild *doc : {one, two}) {
        EXPECT_EQ(margin(doc), 0);
        EXPECT_FALSE(doc->action("LineNumbers1")->isChecked());
        EXPECT_TRUE(doc->action("WhitespaceLineEnds1")->isChecked());
        EXPECT_EQ(doc->Memo1->SendScintilla(B::SCI_GETVIEWWS), long(B::SCWS_VISIBLEALWAYS));
        EXPECT_TRUE(doc->Memo1->SendScintilla(B::SCI_GETVIEWEOL));
        EXPECT_FALSE(doc->Memo1->SendScintilla(B::SCI_GETCARETLINEVISIBLE));
    }

    // Zoom: the keys, the menu and the wheel with Ctrl, every editor alike.
    press(two, Qt::Key_Equal);
    press(two, Qt::Key_Equal);
    EXPECT_EQ(zoom(one), 2);
    EXPECT_EQ(zoom(two), 2);
    press(one, Qt::Key_Minus);
    EXPECT_EQ(zoom(two), 1);
    QWheelEvent wheel(QPointF(50, 50), one->Memo1->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(one->Memo1->viewport(), &wheel);
    EXPECT_EQ(zoom(one), 2);
    EXPECT_EQ(zoom(two), 2);
    EXPECT_EQ(AppSettings().Zoom, 2);
    press(two, Qt::Key_0);
    EXPECT_EQ(zoom(one), 0);
    one->action("ZoomIn1")->trigger();

    // Remembered at the close; the next run starts with them.
    form->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form.reset();
    EXPECT_FALSE(store->readBool("View", "Line numbers", true));
    AppSettings() = Settings();
    start();
    TMDIChild *again = open("one.html", "<P>");
    EXPECT_EQ(margin(again), 0);
    EXPECT_FALSE(again->action("LineNumbers1")->isChecked());
    EXPECT_TRUE(again->action("WhitespaceLineEnds1")->isChecked());
    EXPECT_FALSE(again->action("CurrentLine1")->isChecked());
    EXPECT_EQ(zoom(again), 1);
    again->action("LineNumbers1")->trigger();
    EXPECT_GT(margin(again), 0);
}

// The margin holds the last line's number: it widens as lines come.
TEST_F(EditorBasicsTest, LineNumberMarginGrowsWithTheLineCount)
{
    start();
    TMDIChild *doc = open("short.html", "a\r\nb");
    QApplication::processEvents();
    const long small = margin(doc);
    doc->Memo1->setSelText(QByteArray("\r\n").repeated(12000));
    QApplication::processEvents();
    const long big = margin(doc);
    auto width = [doc](const char *text) {
        return doc->Memo1->SendScintilla(B::SCI_TEXTWIDTH, static_cast<unsigned long>(B::STYLE_LINENUMBER), text);
    };
    EXPECT_EQ(big - small, width("99999") - width("99"));  // from two digits to five
    form->findChild<QAction *>("ZoomIn1")->trigger();
    doc->action("ZoomIn1")->trigger();
    doc->action("ZoomIn1")->trigger();
    QApplication::processEvents();
    EXPECT_GT(margin(doc), big);
}

// A user's hotkey for one of these items is stored by its name and runs it.
TEST_F(EditorBasicsTest, AUserHotkeyGivenToANewItemRunsIt)
{
    writeFileBytes(HotKeysFileName(), WriteHotkeyRecords({{"GoToLine1", 0x4000 | 'J'}, {"ZoomIn1", 0x4000 | 0x6B}}));
    start();
    TMDIChild *doc = open("page.html", "1\r\n2\r\n3");
    EXPECT_EQ(doc->action("GoToLine1")->shortcut(), QKeySequence("Ctrl+J"));
    prompts.modals = {goToLine(3)};
    press(doc, Qt::Key_J);
    EXPECT_EQ(prompts.modalNames, QStringList({"GoToLineDlg"}));
    EXPECT_EQ(doc->Memo1->SelStart(), 6);
    // Ctrl+G is free again: the editor does nothing with it.
    press(doc, Qt::Key_G);
    EXPECT_EQ(prompts.modalNames.size(), 1);
    // The keypad's plus.
    press(doc, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(zoom(doc), 1);
    // Saved back under the same names.
    ASSERT_TRUE(SaveHotkeys(doc->menus(), HotKeysFileName()));
    QList<HotkeyRecord> saved = ReadHotkeysFile(HotKeysFileName());
    std::map<QString, quint16> byName;
    for (const HotkeyRecord &r : saved)
        byName[r.name] = r.value;
    EXPECT_EQ(byName["GoToLine1"], 0x4000 | 'J');
    EXPECT_EQ(byName["Undo1"], 0x4000 | 'Z');
    EXPECT_EQ(byName["ResetZoom1"], 0x4000 | '0');
    EXPECT_EQ(byName["HelpAboutItem"], 0);  // the last item still fits in the file
    EXPECT_LE(saved.size(), HotkeyFileLimits::MaxRecords);
}

TEST_F(EditorBasicsTest, EveryMenuOfTheMainWindowAndADocumentWindowHasUniqueMnemonics)
{
    start();
    QList<QMenu *> mainMenus;
    for (QAction *a : form->menuBar()->actions())
        mainMenus.append(a->menu());
    EXPECT_EQ(mnemonicClashes(mainMenus), QStringList());

    TMDIChild *doc = form->documents().NewDocument();
    // These pairs are in the menus as they were designed and are kept.
    const QStringList designed = {
        "Format1: ParagraphFormatting1,Superscript1", "Format1: Bold1,Subscript1",     "Insert1: Links1,Newlayer1",
        "Form1: TextArea1,TextAreatextareatextarea1", "Headelements1: Title1,Target1",
    };
    QStringList clashes = mnemonicClashes(doc->menus());
    for (const QString &known : designed)
        clashes.removeOne(known);
    EXPECT_EQ(clashes, QStringList());
}

// A hotkeys file written before these items existed may give their keys to
// other items: the user's keys stay, the new item goes without.
TEST_F(EditorBasicsTest, KeysAUsersFileGaveOtherItemsStayTheirs)
{
    writeFileBytes(HotKeysFileName(), WriteHotkeyRecords({{"Bold1", 0x4000 | 'Y'}, {"Italic1", 0x4000 | 'G'}}));
    start();
    TMDIChild *doc = open("page.html", "word");
    EXPECT_EQ(doc->action("Bold1")->shortcut(), QKeySequence("Ctrl+Y"));
    EXPECT_TRUE(doc->action("Redo1")->shortcut().isEmpty());
    EXPECT_TRUE(doc->action("GoToLine1")->shortcut().isEmpty());
    EXPECT_EQ(doc->action("Undo1")->shortcut(), QKeySequence("Ctrl+Z"));
    doc->Memo1->SendScintilla(B::SCI_SETSEL, 0UL, 4L);
    press(doc, Qt::Key_Y);
    EXPECT_EQ(doc->Memo1->bytes(), "<B>word</B>");
    EXPECT_TRUE(prompts.modalNames.isEmpty());
}
