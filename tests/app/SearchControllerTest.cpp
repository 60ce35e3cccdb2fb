#include "app/SearchController.h"

#include "support/ScriptedPrompts.h"
#include "editor/ColorMemo.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

SearchQuery query(const QString &find, const QString &replace = {}, bool matchCase = false)
{
    return {find, replace, matchCase};
}

constexpr auto kReplaceButtons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::YesToAll;

}  // namespace

TEST(FindInDocument, SelectsTheNextMatchOrSaysItCannotFindIt)
{
    ScriptedPrompts prompts;
    TColorMemo memo;
    memo.loadBytes("<BODY>\r\n<body>\r\n");
    EXPECT_TRUE(FindInDocument(&memo, query("body"), nullptr));
    EXPECT_EQ(memo.SelStart(), 1);
    EXPECT_EQ(memo.SelLength(), 4);
    EXPECT_TRUE(FindInDocument(&memo, query("body"), nullptr));
    EXPECT_EQ(memo.SelStart(), 9);
    EXPECT_EQ(memo.SelText(), "body");

    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(FindInDocument(&memo, query("Body"), nullptr));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].caption, "Tagloom");
    EXPECT_EQ(prompts.messages[0].text, "Cant find: 'Body'");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(prompts.messages[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(memo.SelStart(), 9);
    EXPECT_EQ(memo.SelLength(), 4);

    // Match case finds only the exact spelling.
    memo.setSelStart(0);
    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(FindInDocument(&memo, query("Body", {}, true), nullptr));
    EXPECT_EQ(memo.SelStart(), 0);
}

TEST(FindInDocument, EncodesTheTypedTextLikeTheDocument)
{
    ScriptedPrompts prompts;
    TColorMemo memo;
    memo.loadBytes("caf\xE9 ? \xE9");  // Latin-1
    EXPECT_TRUE(FindInDocument(&memo, query(QString::fromUtf8("\xC3\xA9")), nullptr));
    EXPECT_EQ(memo.SelStart(), 3);
    // A character the document cannot hold is not turned into '?'.
    memo.setSelStart(0);
    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(FindInDocument(&memo, query(QString::fromUtf8("\xE2\x82\xAC")), nullptr));
    EXPECT_EQ(prompts.messages.size(), 1);

    memo.loadBytes("caf\xC3\xA9 caf\xC3\x89");  // UTF-8: only A to Z fold
    EXPECT_TRUE(FindInDocument(&memo, query(QString::fromUtf8("CAF\xC3\xA9")), nullptr));
    EXPECT_EQ(memo.SelStart(), 0);
    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(FindInDocument(&memo, query(QString::fromUtf8("CAF\xC3\xA9")), nullptr));
}

TEST(ReplaceInDocument, ReplaceAllStartsAtTheCaretAsOneUndoStep)
{
    ScriptedPrompts prompts;
    TColorMemo memo;
    memo.loadBytes("aaaa");
    EXPECT_EQ(ReplaceInDocument(&memo, query("aa", "b"), true, nullptr), 2);
    EXPECT_EQ(memo.bytes(), "bb");
    EXPECT_EQ(memo.SelStart(), 2);
    EXPECT_EQ(memo.SelLength(), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());

    memo.loadBytes(QByteArray("x\0<B>\xFF<b>\r\n<B>y", 15));
    memo.setSelStart(2);
    EXPECT_EQ(ReplaceInDocument(&memo, query("<b>", "<STRONG>"), true, nullptr), 3);
    EXPECT_EQ(memo.bytes(), QByteArray("x\0<STRONG>\xFF<STRONG>\r\n<STRONG>y", 30));
    memo.undo();
    EXPECT_EQ(memo.bytes(), QByteArray("x\0<B>\xFF<b>\r\n<B>y", 15));
    EXPECT_FALSE(memo.isUndoAvailable());
    EXPECT_EQ(memo.wrapMode(), QsciScintilla::WrapWord);

    // Nothing found: nothing changes and nothing is said.
    EXPECT_EQ(ReplaceInDocument(&memo, query("<I>", "x"), true, nullptr), 0);
    EXPECT_FALSE(memo.isUndoAvailable());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(ReplaceInDocument, AsksAboutEachMatch)
{
    ScriptedPrompts prompts;
    TColorMemo memo;
    memo.loadBytes("a1a2a3a4");

    // No leaves the match selected and moves on; Yes replaces; Cancel stops
    // with the current match selected.
    prompts.answers = {QMessageBox::No, QMessageBox::Yes, QMessageBox::Cancel};
    EXPECT_EQ(ReplaceInDocument(&memo, query("A", "[x]"), false, nullptr), 1);
    EXPECT_EQ(memo.bytes(), "a1[x]2a3a4");
    EXPECT_EQ(memo.SelStart(), 6);
    EXPECT_EQ(memo.SelLength(), 1);
    ASSERT_EQ(prompts.messages.size(), 3);
    EXPECT_EQ(prompts.messages[0].caption, "Confirm");
    EXPECT_EQ(prompts.messages[0].text, "Replace selected text?");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(prompts.messages[0].buttons, kReplaceButtons);

    // All replaces the match it was asked about and every later one, in one step.
    memo.setSelStart(0);
    prompts.messages.clear();
    prompts.answers = {QMessageBox::No, QMessageBox::YesToAll};
    EXPECT_EQ(ReplaceInDocument(&memo, query("a", "b"), false, nullptr), 2);
    EXPECT_EQ(memo.bytes(), "a1[x]2b3b4");
    EXPECT_EQ(prompts.messages.size(), 2);
    memo.undo();
    EXPECT_EQ(memo.bytes(), "a1[x]2a3a4");

    // Answering Yes to the last match ends without a message.
    memo.loadBytes("xa");
    prompts.messages.clear();
    prompts.answers = {QMessageBox::Yes};
    EXPECT_EQ(ReplaceInDocument(&memo, query("a", "aa"), false, nullptr), 1);
    EXPECT_EQ(memo.bytes(), "xaa");
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST(SearchController, DialogsActOnTheEditorActiveAtEachPress)
{
    ScriptedPrompts prompts;
    QMainWindow main;
    TColorMemo first;
    TColorMemo second;
    first.loadBytes("one <P> two <P>");
    second.loadBytes("<p> three");
    TColorMemo *active = &first;
    SearchController search(&main, [&] { return active; });

    bool enabled = false;
    QObject::connect(&search, &SearchController::findNextEnabledChanged, [&](bool on) { enabled = on; });
    EXPECT_FALSE(search.findNextEnabled());

    first.setSelStart(4);
    first.setSelLength(3);
    search.find();
    SearchDialog *dialog = search.findDialog();
    EXPECT_EQ(dialog->objectName(), "FindDialog1");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->findChild<QLineEdit *>("FindEdit")->text(), "<P>");
    EXPECT_TRUE(enabled);

    dialog->findChild<QPushButton *>("FindNextBtn")->click();
    EXPECT_EQ(first.SelStart(), 12);

    active = &second;
    dialog->findChild<QPushButton *>("FindNextBtn")->click();
    EXPECT_EQ(second.SelStart(), 0);
    EXPECT_EQ(second.SelLength(), 3);

    // F3 uses the find dialog's text, match case included.
    dialog->findChild<QCheckBox *>("MatchCaseChk")->setChecked(true);
    second.setSelStart(0);
    prompts.answers = {QMessageBox::Ok};
    search.findNext();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Cant find: '<P>'");

    dialog->findChild<QPushButton *>("CancelBtn")->click();
    EXPECT_FALSE(dialog->isVisible());
}

TEST(SearchController, ReplaceDialogButtons)
{
    ScriptedPrompts prompts;
    QMainWindow main;
    TColorMemo memo;
    memo.loadBytes("<b>x</b> <b>y</b>");
    SearchController search(&main, [&] { return &memo; });
    search.replace();
    SearchDialog *dialog = search.replaceDialog();
    EXPECT_EQ(dialog->objectName(), "ReplaceDialog1");
    EXPECT_EQ(dialog->findChild<QLineEdit *>("FindEdit")->text(), "");
    dialog->findChild<QLineEdit *>("FindEdit")->setText("<b>");
    dialog->findChild<QLineEdit *>("ReplaceEdit")->setText("<STRONG>");

    prompts.answers = {QMessageBox::Yes, QMessageBox::No};
    dialog->findChild<QPushButton *>("ReplaceBtn")->click();
    EXPECT_EQ(memo.bytes(), "<STRONG>x</b> <b>y</b>");

    memo.setSelStart(0);
    dialog->findChild<QPushButton *>("ReplaceAllBtn")->click();
    EXPECT_EQ(memo.bytes(), "<STRONG>x</b> <STRONG>y</b>");

    // "Find &Next" keeps the find dialog's (empty) text, whichever dialog was used.
    prompts.answers = {QMessageBox::Ok};
    search.findNext();
    ASSERT_EQ(prompts.messages.size(), 3);
    EXPECT_EQ(prompts.messages[2].text, "Cant find: ''");
}

TEST(SearchController, NoActiveDocumentDoesNothing)
{
    ScriptedPrompts prompts;
    QMainWindow main;
    SearchController search(&main, [] { return nullptr; });
    search.find();
    search.findNext();
    search.replaceDialog()->findChild<QLineEdit *>("FindEdit")->setText("a");
    search.replaceDialog()->findChild<QPushButton *>("ReplaceAllBtn")->click();
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(SearchController, SelectionWithLineBreaksAndNulBecomesTheFindText)
{
    ScriptedPrompts prompts;
    QMainWindow main;
    TColorMemo memo;
    const QByteArray piece("<\0\xC3\xA9\r\n>", 7);
    memo.loadBytes(piece + "x" + piece);
    memo.setSelStart(0);
    memo.setSelLength(int(piece.size()));
    SearchController search(&main, [&] { return &memo; });
    search.find();
    search.findDialog()->findChild<QPushButton *>("FindNextBtn")->click();
    EXPECT_EQ(memo.SelStart(), 8);
    EXPECT_EQ(memo.SelText(), piece);
    EXPECT_TRUE(prompts.messages.isEmpty());
}
