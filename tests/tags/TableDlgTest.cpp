#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"
#include "support/ScriptedPrompts.h"
#include "tags/TableDlg.h"
#include "tags/TableMarkup.h"

#include <gtest/gtest.h>

namespace {

struct TableCase
{
    const char *what;
    TableKind kind;
    QList<Fill> fills;
    int selFrom;  // in the document "ab"
    int selLength;
    const char *expected;
    int caret;
};

// Runs the table command of the kind on "ab", filling its dialog and pressing OK.
void runTable(FakeDocument &doc, TableKind kind, const QList<Fill> &fills)
{
    ScriptedPrompts prompts;
    prompts.modals.append([&fills](QDialog *dialog) {
        fillDialog(dialog, fills);
        click(dialog, "OKBtn");
        return dialog->result();
    });
    RunTableDialog(doc, kind);
    EXPECT_TRUE(prompts.modals.isEmpty());
}

}  // namespace

TEST(TableDlg, WritesEachKindWithItsAttributesInOrder)
{
    const QString s = QStringLiteral("\r\n");
    const TableCase cases[] = {
        {"table defaults", TableKind::Table, {}, 1, 0, "a<TABLE>\r\n\r\n</TABLE>b", 10},
        {"table, everything",
         TableKind::Table,
         {{"Table_BorderEdit", "1"},
          {"Table_CelSpacingEdit", "2"},
          {"Table_CelPaddingEdit", "3"},
          {"Table_WidthEdit", "80"},
          {"Table_Width_InPercentChkBox", "1"},
          {"Table_AlingGroup", "1"},
          {"Table_CaptionEdit", "Sales"},
          {"Table_Caption_AlingGroup", "1"}},
         1,
         0,
         "a<TABLE BORDER=1 CELLSPACING=2 CELLPADDING=3 WIDTH=80% ALIGN=LEFT>\r\n\r\n <CAPTION ALIGN=TOP>Sales</CAPTION>"
         "\r\n</TABLE>b",
         68},
        {"caption without alignment, right-aligned table",
         TableKind::Table,
         {{"Table_CaptionEdit", "Sales"}, {"Table_AlingGroup", "2"}, {"Table_HeightEdit", "640"}},
         0,
         0,
         "<TABLE HEIGHT=640 ALIGN=RIGHT>\r\n\r\n <CAPTION>Sales</CAPTION>\r\n</TABLE>ab",
         32},
        {"percent clamps to 100, without percent no limit",
         TableKind::Table,
         {{"Table_WidthEdit", "150"},
          {"Table_Width_InPercentChkBox", "1"},
          {"Table_HeightEdit", "250"},
          {"Table_Height_InPercentChkBox", "1"},
          {"Table_BorderEdit", "12345"}},
         2,
         0,
         "ab<TABLE BORDER=12345 WIDTH=100% HEIGHT=100%>\r\n\r\n</TABLE>",
         47},
        {"a width taken in and out of percent keeps the typed number",
         TableKind::Table,
         {{"Table_WidthEdit", "640"},
          {"Table_Width_InPercentChkBox", "1"},
          {"Table_Width_InPercentChkBox", "0"},
          {"Table_HeightEdit", "480"},
          {"Table_Height_InPercentChkBox", "1"}},
         0,
         0,
         "<TABLE WIDTH=640 HEIGHT=100%>\r\n\r\n</TABLE>ab",
         31},
        {"zero sizes and a cleared field write nothing",
         TableKind::Table,
         {{"Table_WidthEdit", "0"},
          {"Table_Width_InPercentChkBox", "1"},
          {"Table_HeightEdit", ""},
          {"Table_CelPaddingEdit", "-3"},
          {"Table_CaptionEdit", ""},
          {"Table_Caption_AlingGroup", "2"}},
         0,
         0,
         "<TABLE>\r\n\r\n</TABLE>ab",
         9},
        {"selection goes on the middle line", TableKind::Table, {}, 0, 2, "<TABLE>\r\nab\r\n</TABLE>", 21},
        {"caption line breaks become blanks",
         TableKind::Table,
         {{"Table_CaptionEdit", "Q1\r\nSales"}},
         0,
         0,
         "<TABLE>\r\n\r\n <CAPTION>Q1 Sales</CAPTION>\r\n</TABLE>ab",
         9},
        {"row",
         TableKind::Row,
         {{"AlignGroup", "2"}, {"VAlignGroup", "1"}, {"bgColorChk", "1"}, {"bgColorBtn", "#000000"}},
         1,
         0,
         "a<TR ALIGN=CENTER VALIGN=TOP BGCOLOR=\"#000000\">b",
         47},
        {"row ignores the colour while unchecked and the hidden cell fields",
         TableKind::Row,
         {{"bgColorBtn", "#ff0000"}, {"WidthEdit", "50"}, {"ColSpanEdit", "3"}, {"NoWrapChkBox", "1"}},
         0,
         2,
         "<TR>ab",
         6},
        {"data cell",
         TableKind::Data,
         {{"ColSpanEdit", "2"}, {"RowSpanEdit", "1"}, {"NoWrapChkBox", "1"}, {"WidthEdit", "50"}},
         1,
         0,
         "a<TD WIDTH=50 NOWRAP COLSPAN=2>b",
         31},
        {"header cell defaults", TableKind::Header, {}, 0, 0, "<TH>ab", 4},
        {"data cell in front of a selection", TableKind::Data, {{"AlignGroup", "1"}}, 0, 2, "<TD ALIGN=LEFT>ab", 17},
        {"header cell in front of a selection",
         TableKind::Header,
         {{"VAlignGroup", "2"}},
         1,
         1,
         "a<TH VALIGN=MIDDLE>b",
         20},

        {"data cell, everything",
         TableKind::Data,
         {{"AlignGroup", "3"},
          {"VAlignGroup", "4"},
          {"bgColorChk", "1"},
          {"bgColorBtn", "#123456"},
          {"WidthEdit", "30"},
          {"Width_InPercentChkBox", "1"},
          {"HeightEdit", "20"},
          {"NoWrapChkBox", "1"},
          {"ColSpanEdit", "3"},
          {"RowSpanEdit", "999"}},
         0,
         0,
         "<TD ALIGN=RIGHT VALIGN=BASELINE BGCOLOR=\"#123456\" WIDTH=30% HEIGHT=20 NOWRAP COLSPAN=3 ROWSPAN=999>ab",
         99},
        {"spans: three digits at most, below 1 writes nothing",
         TableKind::Header,
         {{"ColSpanEdit", "1000"}, {"RowSpanEdit", "0"}, {"HeightEdit", "500"}, {"Height_InPercentChkBox", "1"}},
         0,
         0,
         "<TH HEIGHT=100% COLSPAN=100>ab",
         28},
        {"caption command around the selection", TableKind::Caption, {}, 0, 2, "<CAPTION>ab</CAPTION>", 21},
        {"caption command with text and alignment",
         TableKind::Caption,
         {{"Table_CaptionEdit", "Sales"}, {"Table_Caption_AlingGroup", "2"}},
         1,
         0,
         "a<CAPTION ALIGN=BOTTOM>Sales</CAPTION>b",
         28},
    };
    for (const TableCase &c : cases) {
        SCOPED_TRACE(c.what);
        FakeDocument doc("ab");
        doc.select(c.selFrom, c.selLength);
        runTable(doc, c.kind, c.fills);
        EXPECT_EQ(doc.text(), QByteArray(c.expected));
        EXPECT_EQ(doc.editor()->SelStart(), c.caret);
        EXPECT_EQ(doc.editor()->SelLength(), 0);
        EXPECT_TRUE(doc.isModified());
        // One edit: a single undo restores the document.
        doc.undo();
        EXPECT_EQ(doc.text(), QByteArray("ab"));
    }
}

TEST(TableDlg, CancelWritesNothing)
{
    for (TableKind kind : {TableKind::Table, TableKind::Caption, TableKind::Row, TableKind::Data}) {
        FakeDocument doc("ab");
        ScriptedPrompts prompts;
        prompts.modals.append([](QDialog *dialog) {
            fillDialog(dialog, {{"Table_CaptionEdit", "x"}, {"AlignGroup", "1"}});
            click(dialog, "CancelBtn");
            return dialog->result();
        });
        EXPECT_FALSE(RunTableDialog(doc, kind));
        EXPECT_EQ(doc.text(), QByteArray("ab"));
        EXPECT_FALSE(doc.isModified());
    }
}

TEST(TableDlg, ShowsThePageAndPanelsOfItsKind)
{
    const struct
    {
        TableKind kind;
        const char *title;
        bool upperPanel, caption, rowPage, cellFields;
    } cases[] = {
        {TableKind::Table, "Table", true, true, false, false},
        {TableKind::Caption, "Table", false, true, false, false},
        {TableKind::Row, "Table - Row", false, false, true, false},
        {TableKind::Header, "Table - Header", false, false, true, true},
        {TableKind::Data, "Table - Data", false, false, true, true},
    };
    for (const auto &c : cases) {
        TTableDlg dialog(c.kind);
        auto shown = [&dialog](const char *name) {
            QWidget *w = dialog.findChild<QWidget *>(QLatin1String(name));
            return w && w->isVisibleTo(&dialog);
        };
        EXPECT_EQ(dialog.windowTitle(), QLatin1String(c.title));
        EXPECT_EQ(shown("Table_BorderEdit"), c.upperPanel) << c.title;
        EXPECT_EQ(shown("Table_AlingGroup"), c.upperPanel) << c.title;
        EXPECT_EQ(shown("Table_CaptionEdit"), c.caption) << c.title;
        EXPECT_EQ(shown("AlignGroup"), c.rowPage) << c.title;
        EXPECT_EQ(shown("bgColorChk"), c.rowPage) << c.title;
        for (const char *name : {"WidthEdit", "HeightEdit", "ColSpanEdit", "RowSpanEdit", "NoWrapChkBox"})
            EXPECT_EQ(shown(name), c.cellFields) << c.title << " " << name;
    }
}

TEST(TableDlg, BackgroundColourButtonFollowsItsBox)
{
    TTableDlg dialog(TableKind::Data);
    auto *button = dialog.findChild<ColorButton *>(QStringLiteral("bgColorBtn"));
    auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("bgColorChk"));
    ASSERT_TRUE(button && box);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->color(), QColor(Qt::white));
    box->setChecked(true);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(dialog.values().value(QStringLiteral("bgColor")), QStringLiteral("FFFFFF"));
}

// Every attribute at once, straight from the named values, in the documented order.
TEST(TableMarkup, AttributeOrderFromNamedValues)
{
    const NameValueList all = {
        {"rowspan", "4"},      {"colspan", "3"},     {"nowrap", "true"},         {"height", "2"},  {"width", "1%"},
        {"bgColor", "ABCDEF"}, {"vAlign", "MIDDLE"}, {"align", "LEFT"},          {"cellPad", "7"}, {"cellSpace", "6"},
        {"border", "5"},       {"caption", "C"},     {"caption_align", "BOTTOM"}};
    const struct
    {
        TableKind kind;
        const char *start;
        const char *end;
    } cases[] = {
        {TableKind::Table, "<TABLE BORDER=5 CELLSPACING=6 CELLPADDING=7 WIDTH=1% HEIGHT=2 ALIGN=LEFT>\r\n",
         "\r\n <CAPTION ALIGN=BOTTOM>C</CAPTION>\r\n</TABLE>"},
        {TableKind::Caption, "<CAPTION ALIGN=LEFT>C", "</CAPTION>"},
        {TableKind::Row, "<TR ALIGN=LEFT VALIGN=MIDDLE BGCOLOR=\"#ABCDEF\">", ""},
        {TableKind::Header,
         "<TH ALIGN=LEFT VALIGN=MIDDLE BGCOLOR=\"#ABCDEF\" WIDTH=1% HEIGHT=2 NOWRAP COLSPAN=3 ROWSPAN=4>", ""},
    };
    for (const auto &c : cases) {
        const TagPairTexts texts = TableMarkup(c.kind, all);
        EXPECT_EQ(texts.start, QLatin1String(c.start));
        EXPECT_EQ(texts.end, QLatin1String(c.end));
    }
    // "nowrap" other than "true" and an empty caption write nothing.
    EXPECT_EQ(TableMarkup(TableKind::Data, {{"nowrap", "false"}}).start, QStringLiteral("<TD>"));
    EXPECT_EQ(TableMarkup(TableKind::Table, {{"caption", ""}, {"caption_align", "TOP"}}).end,
              QStringLiteral("\r\n</TABLE>"));
}
