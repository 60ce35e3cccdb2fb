// Whole word, regular expressions, direction and "In selection" in the find
// and replace dialogs; with all of them off the old behaviour is unchanged
// (SearchControllerTest).
#include "app/SearchController.h"
#include "editor/ColorMemo.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QMainWindow>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SearchQuery rx(const QString &find, const QString &replace = {})
{
    SearchQuery q;
    q.findText = find;
    q.replaceText = replace;
    q.regex = true;
    return q;
}

// Every selection Find Next makes from the start, as "start+length".
QStringList walk(TColorMemo &memo, const SearchQuery &query, qsizetype from)
{
    ScriptedPrompts prompts;
    QStringList out;
    memo.setSelStart(int(from));
    for (int i = 0; i < 10; ++i) {
        prompts.answers = {QMessageBox::Ok};
        if (!FindInDocument(&memo, query, nullptr))
            break;
        out << QStringLiteral("%1+%2").arg(memo.SelStart()).arg(memo.SelLength());
    }
    return out;
}

}  // namespace

TEST(SearchOptions, FindNextWithEachOption)
{
    TColorMemo memo;
    memo.loadBytes("<b>cat</b> concat <B>cat</B>\r\n");
    SearchQuery word;
    word.findText = "cat";
    word.wholeWord = true;
    EXPECT_EQ(walk(memo, word, 0), (QStringList{"3+3", "21+3"}));
    EXPECT_EQ(walk(memo, rx("</?b>"), 0), (QStringList{"0+3", "6+4", "18+3", "24+4"}));
    SearchQuery up = rx("</?b>");
    up.up = true;
    EXPECT_EQ(walk(memo, up, memo.length()), (QStringList{"24+4", "18+3", "6+4", "0+3"}));
    SearchQuery literalUp;
    literalUp.findText = "cat";
    literalUp.up = true;
    EXPECT_EQ(walk(memo, literalUp, 24), (QStringList{"21+3", "14+3", "3+3"}));
    // Empty matches move on rather than standing still.
    EXPECT_EQ(walk(memo, rx("$"), 0), (QStringList{"28+0", "30+0"}));
}

TEST(SearchOptions, BadPatternsAndRunawayBacktrackingAreReported)
{
    ScriptedPrompts prompts;
    TColorMemo memo;
    memo.loadBytes(QByteArray(40, 'a') + "!");
    memo.setSelStart(3);
    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(FindInDocument(&memo, rx("a(b"), nullptr));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("Error in the regular expression at offset 3:"));
    prompts.answers = {QMessageBox::Ok};
    EXPECT_EQ(ReplaceInDocument(&memo, rx("(a+)+$", "x"), true, nullptr), 0);
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[1].text.contains("backtracks too much"));
    prompts.answers = {QMessageBox::Ok};
    EXPECT_EQ(ReplaceInDocument(&memo, rx("(a)", "\\2"), true, nullptr), 0);
    EXPECT_TRUE(prompts.messages[2].text.startsWith("The replacement uses group \\2"));
    EXPECT_EQ(memo.bytes(), QByteArray(40, 'a') + "!");
    EXPECT_EQ(memo.SelStart(), 3);
    // Typed text with nothing to find still says the old "Cant find".
    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(FindInDocument(&memo, rx(""), nullptr));
    EXPECT_EQ(prompts.messages[3].text, "Cant find: ''");
}

TEST(SearchOptions, ReplaceAllIsOneUndoStepWithGroupsAndInSelection)
{
    ScriptedPrompts prompts;
    TColorMemo memo;
    const QByteArray text = "<B>a</B>\r\n<B>b</B>\r\n<B>c</B>\r\n";
    memo.loadBytes(text);
    memo.setSelStart(0);
    EXPECT_EQ(ReplaceInDocument(&memo, rx("<(/?)b>", "<\\1STRONG>"), true, nullptr), 6);
    EXPECT_EQ(memo.bytes(), "<STRONG>a</STRONG>\r\n<STRONG>b</STRONG>\r\n<STRONG>c</STRONG>\r\n");
    memo.undo();
    EXPECT_EQ(memo.bytes(), text);

    // Only the middle line, selected; the selection then covers what it became.
    memo.setSelStart(10);
    memo.setSelLength(8);
    SearchQuery q = rx("<(/?)b>", "<\\1I>");
    q.inSelection = true;
    EXPECT_EQ(ReplaceInDocument(&memo, q, true, nullptr), 2);
    EXPECT_EQ(memo.bytes(), "<B>a</B>\r\n<I>b</I>\r\n<B>c</B>\r\n");
    EXPECT_EQ(memo.SelText(), "<I>b</I>");

    // Up: every match before the caret.
    memo.setSelStart(10);
    SearchQuery up = rx("[a-c]", "\\0\\0");
    up.up = true;
    up.matchCase = true;
    EXPECT_EQ(ReplaceInDocument(&memo, up, true, nullptr), 1);
    EXPECT_EQ(memo.bytes(), "<B>aa</B>\r\n<I>b</I>\r\n<B>c</B>\r\n");

    // Every line start, and no loop on empty matches; as in Perl, the end of
    // the text after its last line end is no line start.
    memo.loadBytes("a\r\nb\r\n");
    memo.setSelStart(0);
    EXPECT_EQ(ReplaceInDocument(&memo, rx("^", "> "), true, nullptr), 2);
    EXPECT_EQ(memo.bytes(), "> a\r\n> b\r\n");
}

TEST(SearchOptions, ReplaceAsksForEachMatchUpOrDown)
{
    ScriptedPrompts prompts;
    TColorMemo memo;
    memo.loadBytes("x1 x2 x3");
    memo.setSelStart(int(memo.length()));
    SearchQuery q = rx("x(\\d)", "y\\1");
    q.up = true;
    prompts.answers = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Yes};
    EXPECT_EQ(ReplaceInDocument(&memo, q, false, nullptr), 2);
    EXPECT_EQ(memo.bytes(), "y1 x2 y3");
}

TEST(SearchOptions, DialogsStartOffRememberTheOptionsAndOfferInSelectionOnlyWithASelection)
{
    QTemporaryDir dir;
    QMainWindow window;
    TColorMemo memo;
    memo.loadBytes("one two");
    SearchController search(&window, [&] { return &memo; });
    for (SearchDialog *d : {search.findDialog(), search.replaceDialog()}) {
        EXPECT_FALSE(d->findChild<QCheckBox *>("WholeWordChk")->isChecked());
        EXPECT_EQ(d->findChild<QCheckBox *>("RegexChk")->text(), "Regular e&xpression");
        EXPECT_TRUE(d->findChild<QRadioButton *>("DownBtn")->isChecked());
        EXPECT_FALSE(d->findChild<QRadioButton *>("UpBtn")->isChecked());
    }
    EXPECT_EQ(search.findDialog()->findChild<QCheckBox *>("InSelectionChk"), nullptr);
    {
        SettingsStore store(dir.filePath("s.ini"));
        search.useSettings(&store);
        search.replaceDialog()->setRegex(true);
        search.replaceDialog()->setUp(true);
        EXPECT_TRUE(search.findDialog()->regex());
        EXPECT_TRUE(search.findDialog()->up());
    }
    SettingsStore again(dir.filePath("s.ini"));
    SearchController later(&window, [&] { return &memo; });
    later.useSettings(&again);
    EXPECT_TRUE(later.findDialog()->regex());
    EXPECT_TRUE(later.replaceDialog()->up());
    EXPECT_FALSE(later.replaceDialog()->wholeWord());

    auto *inSelection = later.replaceDialog()->findChild<QCheckBox *>("InSelectionChk");
    memo.setSelStart(0);
    later.replace();
    EXPECT_TRUE(inSelection->isHidden());
    later.replaceDialog()->hide();
    memo.setSelLength(3);
    later.replace();
    EXPECT_FALSE(inSelection->isHidden());
    later.replaceDialog()->hide();
}

TEST(SearchOptions, ReplaceAllReportsTheCount)
{
    QMainWindow window;
    TColorMemo memo;
    memo.loadBytes("a a a");
    SearchController search(&window, [&] { return &memo; });
    QSignalSpy status(&search, &SearchController::statusMessage);
    search.replaceDialog()->setFindText("a");
    search.replaceDialog()->setReplaceText("b");
    memo.setSelStart(0);
    emit search.replaceDialog()->replacePressed(true);
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status[0][0].toString(), "Replaced 3 occurrences");
}
