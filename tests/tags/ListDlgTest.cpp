#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"
#include "support/ScriptedPrompts.h"
#include "tags/ListDlg.h"
#include "tags/ListMarkup.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

StringGrid *grid(QDialog *dialog, const char *name)
{
    return dialog->findChild<StringGrid *>(QLatin1String(name));
}

// Fills the grid of the chosen type with the rows, adding rows as needed.
void fillGrid(QDialog *dialog, const QList<QStringList> &rows)
{
    StringGrid *g = grid(dialog, "ListGrid");
    if (!g->isVisibleTo(dialog))
        g = grid(dialog, "ListGrid2");
    ASSERT_TRUE(g->isVisibleTo(dialog));
    for (int i = 1; i < rows.size(); ++i)
        click(dialog, "InsertBtn");
    ASSERT_EQ(g->rowCount(), rows.size());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            g->setItem(r, c, new QTableWidgetItem(rows.at(r).at(c)));
}

// List2: the options, OK, the items, OK.
bool runList(FakeDocument &doc, const QList<Fill> &options, const QList<QStringList> &rows)
{
    ScriptedPrompts prompts;
    prompts.modals.append([&](QDialog *dialog) {
        fillDialog(dialog, options);
        click(dialog, "OKBtn");
        EXPECT_EQ(dialog->result(), QDialog::Rejected) << "the first OK only moves to the items";
        EXPECT_TRUE(dialog->findChild<QWidget *>(QStringLiteral("InsertBtn"))->isVisibleTo(dialog));
        fillGrid(dialog, rows);
        click(dialog, "OKBtn");
        return dialog->result();
    });
    return RunListDialog(doc);
}

bool runItem(FakeDocument &doc, TListDlg::ItemKind kind, const QList<Fill> &fills)
{
    ScriptedPrompts prompts;
    prompts.modals.append([&](QDialog *dialog) {
        fillDialog(dialog, fills);
        click(dialog, "OKBtn");
        return dialog->result();
    });
    return RunListItemDialog(doc, kind);
}

const int Definition = 0, Directory = 1, Menu = 2, Ordered = 3, Unordered = 4;

}  // namespace

TEST(ListDlg, WritesEveryListKindWithItsItemsInside)
{
    const struct
    {
        const char *what;
        QList<Fill> options;
        QList<QStringList> rows;
        int selFrom, selLength;  // in "ab"
        const char *expected;
        int caret;
    } cases[] = {
        {"ordered, defaults",
         {{"ListTypeGroup", QString::number(Ordered)}},
         {{"a"}, {"b"}},
         1,
         0,
         "a<OL TYPE=1 START=1>\r\n<LI>a\r\n<LI>b\r\n\r\n</OL>b",
         36},
        {"ordered, everything",
         {{"ListTypeGroup", QString::number(Ordered)},
          {"Ordered_TypeGroup", "3"},
          {"Ordered_StartEdit", "7"},
          {"Ordered_CompactChkBox", "1"}},
         {{"x"}},
         0,
         0,
         "<OL COMPACT TYPE=i START=7>\r\n<LI>x\r\n\r\n</OL>ab",
         36},
        {"ordered, start typed as 0 and emptied field",
         {{"ListTypeGroup", QString::number(Ordered)}, {"Ordered_TypeGroup", "0"}, {"Ordered_StartEdit", "0"}},
         {{"x"}},
         0,
         0,
         "<OL TYPE=A START=0>\r\n<LI>x\r\n\r\n</OL>ab",
         28},
        {"ordered, negative start counts from there",
         {{"ListTypeGroup", QString::number(Ordered)}, {"Ordered_TypeGroup", "4"}, {"Ordered_StartEdit", "-3"}},
         {{"x"}},
         0,
         0,
         "<OL TYPE=1 START=-3>\r\n<LI>x\r\n\r\n</OL>ab",
         29},
        {"ordered, start far beyond five digits",
         {{"ListTypeGroup", QString::number(Ordered)}, {"Ordered_TypeGroup", "4"}, {"Ordered_StartEdit", "1234567"}},
         {{"x"}},
         0,
         0,
         "<OL TYPE=1 START=1234567>\r\n<LI>x\r\n\r\n</OL>ab",
         34},
        {"unordered, compact square",
         {{"ListTypeGroup", QString::number(Unordered)},
          {"UnOrdered_TypeGroup", "2"},
          {"UnOrdered_CompactChkBox", "1"}},
         {{"x"}},
         0,
         0,
         "<UL COMPACT TYPE=SQUARE>\r\n<LI>x\r\n\r\n</UL>ab",
         33},
        {"unordered, defaults",
         {{"ListTypeGroup", QString::number(Unordered)}},
         {{"x"}},
         0,
         0,
         "<UL TYPE=CIRCLE>\r\n<LI>x\r\n\r\n</UL>ab",
         25},
        {"definition",
         {{"ListTypeGroup", QString::number(Definition)}},
         {{"HTML", "markup"}},
         0,
         0,
         "<DL>\r\n<DT>HTML\r\n <DD>markup\r\n\r\n</DL>ab",
         29},
        {"definition, compact, empty cells",
         {{"ListTypeGroup", QString::number(Definition)}, {"Definition_CompactChkBox", "1"}},
         {{"T", "D"}, {}},
         0,
         0,
         "<DL COMPACT>\r\n<DT>T\r\n <DD>D\r\n<DT>\r\n <DD>\r\n\r\n</DL>ab",
         42},
        {"directory with one empty item",
         {{"ListTypeGroup", QString::number(Directory)}},
         {{}},
         0,
         0,
         "<DIR>\r\n<LI>\r\n\r\n</DIR>ab",
         13},
        {"menu",
         {{"ListTypeGroup", QString::number(Menu)}},
         {{"Go"}, {"Stop"}},
         0,
         0,
         "<MENU>\r\n<LI>Go\r\n<LI>Stop\r\n\r\n</MENU>ab",
         26},
        {"a selection lands inside the list, after the items",
         {{"ListTypeGroup", QString::number(Ordered)}},
         {{"a"}},
         0,
         2,
         "<OL TYPE=1 START=1>\r\n<LI>a\r\nab\r\n</OL>",
         37},
        {"unordered around a selection",
         {{"ListTypeGroup", QString::number(Unordered)}},
         {{"x"}},
         0,
         2,
         "<UL TYPE=CIRCLE>\r\n<LI>x\r\nab\r\n</UL>",
         34},
        {"definition around a selection",
         {{"ListTypeGroup", QString::number(Definition)}},
         {{"T", "D"}},
         0,
         2,
         "<DL>\r\n<DT>T\r\n <DD>D\r\nab\r\n</DL>",
         30},
        {"directory around a selection",
         {{"ListTypeGroup", QString::number(Directory)}},
         {{"x"}},
         1,
         1,
         "a<DIR>\r\n<LI>x\r\nb\r\n</DIR>",
         24},
        {"menu around a selection",
         {{"ListTypeGroup", QString::number(Menu)}},
         {{"x"}},
         0,
         2,
         "<MENU>\r\n<LI>x\r\nab\r\n</MENU>",
         26},
        {"line breaks in a cell become blanks",
         {{"ListTypeGroup", QString::number(Menu)}},
         {{"x\ny"}},
         0,
         0,
         "<MENU>\r\n<LI>x y\r\n\r\n</MENU>ab",
         17},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FakeDocument doc("ab");
        doc.select(c.selFrom, c.selLength);
        EXPECT_TRUE(runList(doc, c.options, c.rows));
        EXPECT_EQ(doc.text(), QByteArray(c.expected));
        EXPECT_EQ(doc.editor()->SelStart(), c.caret);
        EXPECT_EQ(doc.editor()->SelLength(), 0);
        doc.undo();
        EXPECT_EQ(doc.text(), QByteArray("ab"));
    }
}

TEST(ListDlg, WritesSingleItems)
{
    const struct
    {
        const char *what;
        TListDlg::ItemKind kind;
        QList<Fill> fills;
        int selFrom, selLength;  // in "ab"
        const char *expected;
        int caret;
    } cases[] = {
        {"ordered with value and type",
         TListDlg::OrderedItem,
         {{"AddItem_AllOthers_Edit", "Pear"},
          {"AddItem_ValueChkBox", "1"},
          {"AddItem_ValueEdit", "5"},
          {"AddItem_Ordered_TypeGroup", "3"}},
         1,
         0,
         "a<LI VALUE=5 TYPE=i>Pearb",
         24},
        {"ordered, value unchecked, default type",
         TListDlg::OrderedItem,
         {{"AddItem_AllOthers_Edit", "Pear"}, {"AddItem_ValueEdit", "5"}},
         0,
         0,
         "<LI>Pearab",
         8},
        {"ordered, value checked but emptied",
         TListDlg::OrderedItem,
         {{"AddItem_AllOthers_Edit", "Pear"},
          {"AddItem_ValueChkBox", "1"},
          {"AddItem_ValueEdit", ""},
          {"AddItem_Ordered_TypeGroup", "0"}},
         0,
         0,
         "<LI TYPE=A>Pearab",
         15},
        {"ordered with a negative value",
         TListDlg::OrderedItem,
         {{"AddItem_AllOthers_Edit", "Pear"}, {"AddItem_ValueChkBox", "1"}, {"AddItem_ValueEdit", "-2"}},
         0,
         0,
         "<LI VALUE=-2>Pearab",
         17},
        {"ordered, value field holding only a sign writes no value",
         TListDlg::OrderedItem,
         {{"AddItem_AllOthers_Edit", "Pear"}, {"AddItem_ValueChkBox", "1"}, {"AddItem_ValueEdit", "-"}},
         0,
         0,
         "<LI>Pearab",
         8},
        {"unordered disc",
         TListDlg::UnorderedItem,
         {{"AddItem_AllOthers_Edit", "Fig"}, {"AddItem_UnOrdered_TypeGroup", "0"}},
         0,
         0,
         "<LI TYPE=DISC>Figab",
         17},
        {"unordered default", TListDlg::UnorderedItem, {{"AddItem_AllOthers_Edit", "Fig"}}, 0, 0, "<LI>Figab", 7},
        {"menu", TListDlg::MenuItem, {{"AddItem_AllOthers_Edit", "Go"}}, 0, 0, "<LI>Goab", 6},
        {"directory", TListDlg::DirectoryItem, {{"AddItem_AllOthers_Edit", "Go"}}, 0, 0, "<LI>Goab", 6},
        {"definition",
         TListDlg::DefinitionItem,
         {{"AddItem_Definition_Term_Edit", "T"}, {"AddItem_Definition_Definition_Edit", "D"}},
         1,
         0,
         "a<DT>T\r\n <DD>Db",
         14},
        {"item text follows a selection", TListDlg::MenuItem, {{"AddItem_AllOthers_Edit", "Go"}}, 0, 2, "<LI>abGo", 8},
        {"definition item before a selection",
         TListDlg::DefinitionItem,
         {{"AddItem_Definition_Term_Edit", "T"}, {"AddItem_Definition_Definition_Edit", "D"}},
         0,
         2,
         "<DT>T\r\n <DD>Dab",
         15},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FakeDocument doc("ab");
        doc.select(c.selFrom, c.selLength);
        EXPECT_TRUE(runItem(doc, c.kind, c.fills));
        EXPECT_EQ(doc.text(), QByteArray(c.expected));
        EXPECT_EQ(doc.editor()->SelStart(), c.caret);
        doc.undo();
        EXPECT_EQ(doc.text(), QByteArray("ab"));
    }
}

TEST(ListDlg, CancelAtAnyStepWritesNothing)
{
    for (int step = 0; step < 3; ++step) {
        FakeDocument doc("ab");
        ScriptedPrompts prompts;
        prompts.modals.append([step](QDialog *dialog) {
            if (step == 1)
                click(dialog, "OKBtn");  // on the item grid
            fillDialog(dialog, {{"AddItem_AllOthers_Edit", "x"}});
            click(dialog, "CancelBtn");
            return dialog->result();
        });
        if (step == 2)
            EXPECT_FALSE(RunListItemDialog(doc, TListDlg::OrderedItem));
        else
            EXPECT_FALSE(RunListDialog(doc));
        EXPECT_EQ(doc.text(), QByteArray("ab"));
        EXPECT_FALSE(doc.isModified());
    }
}

TEST(ListDlg, ShowsTheOptionsOfTheChosenType)
{
    TListDlg dialog;
    auto shown = [&dialog](const char *name) {
        QWidget *w = dialog.findChild<QWidget *>(QLatin1String(name));
        return w && w->isVisibleTo(&dialog);
    };
    const struct
    {
        int type;
        bool definition, ordered, unordered;
    } cases[] = {{Definition, true, false, false},
                 {Directory, false, false, false},
                 {Menu, false, false, false},
                 {Ordered, false, true, false},
                 {Unordered, false, false, true}};
    for (const auto &c : cases) {
        fillDialog(&dialog, {{"ListTypeGroup", QString::number(c.type)}});
        EXPECT_EQ(shown("Definition_CompactChkBox"), c.definition) << c.type;
        EXPECT_EQ(shown("Ordered_TypeGroup"), c.ordered) << c.type;
        EXPECT_EQ(shown("Ordered_StartEdit"), c.ordered) << c.type;
        EXPECT_EQ(shown("UnOrdered_TypeGroup"), c.unordered) << c.type;
        EXPECT_FALSE(shown("InsertBtn"));
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("List"));
}

TEST(ListDlg, ItemGridHoldsOneTo999Items)
{
    TListDlg dialog;
    fillDialog(&dialog, {{"ListTypeGroup", QString::number(Unordered)}});
    click(&dialog, "OKBtn");
    StringGrid *g = grid(&dialog, "ListGrid2");
    ASSERT_TRUE(g->isVisibleTo(&dialog));
    EXPECT_EQ(g->rowCount(), 1);
    click(&dialog, "RemoveBtn");
    EXPECT_EQ(g->rowCount(), 1);
    for (int i = 0; i < 1200; ++i)
        click(&dialog, "InsertBtn");
    EXPECT_EQ(g->rowCount(), TListDlg::MaxItems);
    EXPECT_EQ(g->currentRow(), TListDlg::MaxItems - 1);
    click(&dialog, "RemoveBtn");
    EXPECT_EQ(g->rowCount(), TListDlg::MaxItems - 1);
    EXPECT_EQ(g->currentRow(), TListDlg::MaxItems - 2);
}

// Typing into a cell and pressing Enter keeps the dialog open and the text; OK
// pressed while a cell is still open takes that cell's text too.
TEST(ListDlg, EnterInACellDoesNotPressOkAndTheOpenCellCounts)
{
    FakeDocument doc;
    ScriptedPrompts prompts;
    prompts.modals.append([](QDialog *dialog) {
        fillDialog(dialog, {{"ListTypeGroup", QString::number(Menu)}});
        click(dialog, "OKBtn");
        dialog->show();
        QApplication::setActiveWindow(dialog);
        StringGrid *g = grid(dialog, "ListGrid2");
        g->setCurrentCell(0, 0);
        g->edit(g->currentIndex());
        QWidget *editor = g->indexWidget(g->currentIndex());
        EXPECT_NE(editor, nullptr);
        if (!editor)
            return int(QDialog::Rejected);
        QTest::keyClicks(editor, QStringLiteral("one"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(g->item(0, 0) ? g->item(0, 0)->text() : QString(), QStringLiteral("one"));

        // Enter on the grid itself opens the current cell instead of pressing OK.
        click(dialog, "InsertBtn");
        g->commitEditing();
        EXPECT_FALSE(g->isEditing());
        QTest::keyClick(g, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(g->isEditing());
        editor = g->indexWidget(g->currentIndex());
        EXPECT_NE(editor, nullptr);
        if (editor)
            QTest::keyClicks(editor, QStringLiteral("two"));
        // Tab in the last cell takes its text and leaves the grid for the buttons.
        if (editor)
            QTest::keyClick(editor, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_FALSE(g->isEditing());
        EXPECT_FALSE(g->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == g);
        g->setCurrentCell(1, 0);
        g->edit(g->currentIndex());
        editor = g->indexWidget(g->currentIndex());
        if (editor)
            QTest::keyClicks(editor, QStringLiteral("2"));
        click(dialog, "OKBtn");  // a click that does not take the focus first
        return dialog->result();
    });
    EXPECT_TRUE(RunListDialog(doc));
    EXPECT_EQ(doc.text(), QByteArray("<MENU>\r\n<LI>one\r\n<LI>2\r\n\r\n</MENU>"));
}

// Items are written without options and the list start tag takes every option.
TEST(ListMarkup, GeneratorKinds)
{
    const NameValueList all = {{"compact", "true"}, {"type", "a"},     {"start", "3"},
                               {"value", "9"},      {"def.term", "T"}, {"def.def", "D"}};
    const struct
    {
        ListKind kind;
        const char *withAll;
        const char *withNone;
        const char *end;
    } cases[] = {
        {ListKind::Ordered, "<OL COMPACT TYPE=a START=3>\r\n", "<OL TYPE= START=>\r\n", "\r\n</OL>"},
        {ListKind::Unordered, "<UL COMPACT TYPE=a>\r\n", "<UL TYPE=>\r\n", "\r\n</UL>"},
        {ListKind::Definition, "<DL COMPACT>\r\n", "<DL>\r\n", "\r\n</DL>"},
        {ListKind::Directory, "<DIR>\r\n", "<DIR>\r\n", "\r\n</DIR>"},
        {ListKind::Menu, "<MENU>\r\n", "<MENU>\r\n", "\r\n</MENU>"},
        {ListKind::OrderedItem, "<LI VALUE=9 TYPE=a>", "<LI>", ""},
        {ListKind::UnorderedItem, "<LI TYPE=a>", "<LI>", ""},
        {ListKind::DefinitionItem, "<DT>T\r\n <DD>D", "<DT>\r\n <DD>", ""},
        {ListKind::PlainItem, "<LI>", "<LI>", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ListMarkup(c.kind, all).start, QLatin1String(c.withAll));
        EXPECT_EQ(ListMarkup(c.kind, {}).start, QLatin1String(c.withNone));
        EXPECT_EQ(ListMarkup(c.kind, all).end, QLatin1String(c.end));
    }
}

// The largest list is one edit, one undo step and one colouring pass.
TEST(ListDlg, LargestListIsOneEditAndOneColouringPass)
{
    FakeDocument doc("<P>before</P>\r\n");
    TColorRule *rule = doc.editor()->ColorRules().Add();
    rule->KeyDrawingType = dtKeyShow;
    rule->SetKeywords({"DT;FF0000"});
    doc.editor()->colorsChanged();
    doc.window()->resize(800, 600);
    doc.editor()->resize(800, 600);
    doc.window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(doc.window()));
    doc.editor()->grab();
    doc.editor()->setSelStart(15);
    QList<ListRow> rows;
    for (int i = 0; i < TListDlg::MaxItems; ++i)
        rows.append({QStringLiteral("term %1").arg(i), QStringLiteral("definition %1").arg(i)});
    const int passes = doc.editor()->lastPass().passes;
    InsertWholeList(doc, ListKind::Definition, {}, rows);
    doc.editor()->grab();
    EXPECT_EQ(doc.editor()->lastPass().passes, passes + 1);
    EXPECT_TRUE(doc.text().endsWith("<DT>term 998\r\n <DD>definition 998\r\n\r\n</DL>"));
    doc.undo();
    EXPECT_EQ(doc.text(), QByteArray("<P>before</P>\r\n"));
    EXPECT_FALSE(doc.canUndo());
}
