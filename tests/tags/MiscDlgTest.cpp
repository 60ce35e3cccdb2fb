#include "support/FakeDocument.h"
#include "support/DialogTestUtil.h"
#include "support/HeadlessBrowser.h"
#include "support/ScriptedPrompts.h"
#include "tags/MiscDlg.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// Fills the rule page: size box and text, width box and text, percent box, alignment item.
std::function<int(QDialog *)> rulePage(bool size, const char *sizeText, bool width, const char *widthText, bool percent,
                                       int align, bool uncheckWidthAfter = false)
{
    return [=](QDialog *d) {
        if (size)
            child<QCheckBox>(d, "HR_SizeChkBox")->click();
        child<NumberEdit>(d, "HR_SizeEdit")->setText(QString::fromLatin1(sizeText));
        if (width)
            child<QCheckBox>(d, "HR_WidthChkBox")->click();
        if (percent)
            child<QCheckBox>(d, "HR_Width_InPercentChkBox")->click();
        child<NumberEdit>(d, "HR_WidthEdit")->setText(QString::fromLatin1(widthText));
        if (uncheckWidthAfter)
            child<QCheckBox>(d, "HR_WidthChkBox")->click();
        child<RadioGroup>(d, "HR_AlignGroup")->setItemIndex(align);
        return int(QDialog::Accepted);
    };
}
}  // namespace

TEST(MiscMarkup, RuleBreakAndAlignmentTexts)
{
    const struct
    {
        HorizontalRuleValues v;
        const char *expected;
    } rules[] = {
        {{}, "<HR>"},
        {{true, 3, 50, true, 3}, "<HR SIZE=3 WIDTH=50% ALIGN=CENTER>"},
        {{false, 7, 80, false, 0}, "<HR WIDTH=80>"},
        {{true, 0, 0, true, 1}, "<HR SIZE=0 ALIGN=LEFT>"},
        {{false, 0, 250, true, 2}, "<HR WIDTH=100% ALIGN=RIGHT>"},
        {{false, 0, 250, false, -1}, "<HR WIDTH=250>"},
    };
    for (const auto &r : rules)
        EXPECT_EQ(HorizontalRuleText(r.v), QString::fromLatin1(r.expected)) << r.expected;

    const char *breaks[] = {"<BR>\r\n", "<BR CLEAR=LEFT>\r\n", "<BR CLEAR=RIGHT>\r\n", "<BR CLEAR=ALL>\r\n"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(LineBreakText(i), QString::fromLatin1(breaks[i]));

    EXPECT_EQ(AlignedStartText("DIV", 1), "<DIV ALIGN=\"CENTER\">");
    EXPECT_EQ(AlignedStartText("P", 0), "<P ALIGN=\"LEFT\">");
    EXPECT_EQ(AlignedStartText("P", 2), "<P ALIGN=\"RIGHT\">");
    EXPECT_EQ(AlignedEndText("DIV"), "</DIV>");
}

TEST(MiscDlg, OpensOnItsOwnPageOnly)
{
    const char *tabs[] = {"Alignment", "LineBreak", "Horizontal Rule"};
    for (int page = 0; page < 3; ++page) {
        TMiscDlg dlg{TMiscDlg::Page(page)};
        EXPECT_EQ(dlg.windowTitle(), "Attributes");
        EXPECT_EQ(dlg.pages()->currentIndex(), page);
        EXPECT_EQ(dlg.pages()->tabText(page), tabs[page]);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(dlg.pages()->isTabVisible(i), i == page) << page << " " << i;
    }
    TMiscDlg dlg(TMiscDlg::HorizontalRulePage);
    auto *width = child<QCheckBox>(&dlg, "HR_WidthChkBox");
    EXPECT_FALSE(child<QWidget>(&dlg, "HR_SizeEdit")->isEnabled());
    EXPECT_FALSE(child<QWidget>(&dlg, "HR_WidthEdit")->isEnabled());
    EXPECT_FALSE(child<QWidget>(&dlg, "HR_Width_InPercentChkBox")->isEnabled());
    width->click();
    EXPECT_TRUE(child<QWidget>(&dlg, "HR_WidthEdit")->isEnabled());
    EXPECT_TRUE(child<QWidget>(&dlg, "HR_Width_InPercentChkBox")->isEnabled());
    child<QCheckBox>(&dlg, "HR_SizeChkBox")->click();
    EXPECT_TRUE(child<QWidget>(&dlg, "HR_SizeEdit")->isEnabled());
}

TEST(HorizontalRule, WritesWhatTheRulePageShowsAtTheCaret)
{
    const struct
    {
        std::function<int(QDialog *)> fill;
        const char *expected;
    } cases[] = {
        {rulePage(false, "0", false, "0", false, 0), "<HR>"},
        {rulePage(true, "3", true, "50", true, 3), "<HR SIZE=3 WIDTH=50% ALIGN=CENTER>"},
        {rulePage(false, "0", true, "80", false, 0, true), "<HR WIDTH=80>"},
        {rulePage(true, "0", false, "0", false, 0), "<HR SIZE=0>"},
        {rulePage(true, "abc", true, "150", true, 0), "<HR SIZE=0 WIDTH=100%>"},
        {rulePage(false, "", true, "-5", false, 2), "<HR ALIGN=RIGHT>"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc("ab");
        doc.select(1, 0);
        prompts.modals = {c.fill};
        HorizontalRule1Click(doc);
        EXPECT_EQ(doc.text(), "a" + QByteArray(c.expected) + "b");
        EXPECT_EQ(doc.editor()->SelStart(), 1 + qstrlen(c.expected)) << c.expected;
    }
    // In front of a selection, which stays.
    ScriptedPrompts prompts;
    FakeDocument doc("xy");
    doc.select(0, 2);
    prompts.modals = {rulePage(false, "0", false, "0", false, 0)};
    HorizontalRule1Click(doc);
    EXPECT_EQ(doc.text(), "<HR>xy");
    prompts.modals = {[](QDialog *d) {
        child<QCheckBox>(d, "HR_SizeChkBox")->click();
        return int(QDialog::Rejected);
    }};
    HorizontalRule1Click(doc);
    EXPECT_EQ(doc.text(), "<HR>xy");
}

TEST(DivAndParagraph, WrapTheSelectionOrLeaveTheCaretBetween)
{
    const struct
    {
        void (*command)(TextDocument &);
        int align;
        int selLength;
        const char *expected;
        int caret;
    } cases[] = {
        {Div1Click, 1, 1, "<DIV ALIGN=\"CENTER\">x</DIV>", 27},
        {Div1Click, 1, 0, "<DIV ALIGN=\"CENTER\"></DIV>x", 20},
        {Paragraph1Click, -1, 1, "<P ALIGN=\"LEFT\">x</P>", 21},
        {Paragraph1Click, 2, 0, "<P ALIGN=\"RIGHT\"></P>x", 17},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc("x");
        doc.select(0, c.selLength);
        prompts.modals = {[&c](QDialog *d) {
            EXPECT_EQ(child<RadioGroup>(d, "AlignmentGroup")->itemIndex(), 0);
            if (c.align >= 0)
                child<RadioGroup>(d, "AlignmentGroup")->setItemIndex(c.align);
            return int(QDialog::Accepted);
        }};
        c.command(doc);
        EXPECT_EQ(doc.text(), c.expected);
        EXPECT_EQ(doc.editor()->SelStart(), c.caret) << c.expected;
        EXPECT_EQ(doc.editor()->SelLength(), 0) << c.expected;
        doc.undo();
        EXPECT_EQ(doc.text(), "x") << c.expected;
    }
    ScriptedPrompts prompts;
    FakeDocument doc("x");
    Div1Click(doc);  // no answer queued: cancelled
    EXPECT_EQ(doc.text(), "x");
    EXPECT_FALSE(doc.isModified());
}

TEST(LineBreakDialog, ReplacesOnlyTheLineBreakTheKeyTyped)
{
    const struct
    {
        const char *what;
        QByteArray text;
        int selStart, selLength;
        bool typed;
        int clear;  // -1: Cancel
        QByteArray expected;
        int caret;
    } cases[] = {
        {"typed break, All", "ab\r\ncd", 4, 0, true, 3, "ab<BR CLEAR=ALL>\r\ncd", 18},
        {"typed break at the end, None", "ab\r\n", 4, 0, true, 0, "ab<BR>\r\n", 8},
        {"typed break alone", "\r\n", 2, 0, true, 0, "<BR>\r\n", 6},
        {"typed break, Cancel", "ab\r\ncd", 4, 0, true, -1, "ab\r\ncd", 4},
        {"nothing typed, start of document", "ab", 0, 0, false, 1, "<BR CLEAR=LEFT>\r\nab", 17},
        {"nothing typed, offset 1", "ab", 1, 0, false, 0, "a<BR>\r\nb", 7},
        {"nothing typed, after the user's own line break", "ab\r\ncd", 4, 0, false, 0, "ab\r\n<BR>\r\ncd", 10},
        {"nothing typed, end", "ab", 2, 0, false, 2, "ab<BR CLEAR=RIGHT>\r\n", 20},
        {"nothing typed, selection kept", "ab\r\ncd", 2, 4, false, 0, "ab<BR>\r\n\r\ncd", 12},
        {"typed claimed but the bytes are not a break", "abcd", 4, 0, true, 0, "abcd<BR>\r\n", 10},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc(c.text);
        doc.select(c.selStart, c.selLength);
        prompts.modals = {[&c](QDialog *d) {
            EXPECT_EQ(d->objectName(), "MiscDlg");
            if (c.clear < 0)
                return int(QDialog::Rejected);
            child<RadioGroup>(d, "BRClearTypeGroup")->setItemIndex(c.clear);
            return int(QDialog::Accepted);
        }};
        LineBreakDialog(doc, c.typed);
        EXPECT_EQ(doc.text(), c.expected) << c.what;
        EXPECT_EQ(doc.editor()->SelStart(), c.caret) << c.what;
        if (c.clear >= 0) {
            doc.undo();
            EXPECT_EQ(doc.text(), c.text) << c.what << ": one undo step";
        }
    }
}

TEST(BrowserCheck, RuleBreakDivAndParagraphBuildTheirElements)
{
    QByteArray body = HorizontalRuleText({true, 3, 50, true, 3}).toLatin1() + "\r\nline" + LineBreakText(3).toLatin1()
                      + AlignedStartText("DIV", 1).toLatin1() + "d" + AlignedEndText("DIV").toLatin1()
                      + AlignedStartText("P", 2).toLatin1() + "p" + AlignedEndText("P").toLatin1();
    const BrowserPage page = LoadInBrowser("<HTML><BODY>" + body + "</BODY></HTML>");
    REQUIRE_BROWSER(page);
    EXPECT_EQ(page.outline, QStringLiteral("HTML\n  HEAD\n  BODY\n"
                                           "    HR SIZE=\"3\" WIDTH=\"50%\" ALIGN=\"CENTER\"\n"
                                           "    BR CLEAR=\"ALL\"\n"
                                           "    DIV ALIGN=\"CENTER\"\n"
                                           "    P ALIGN=\"RIGHT\"\n"))
        << page.outline.toStdString();
}
