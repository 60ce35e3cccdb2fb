// A minified page is one line of megabytes. Such a line is laid out from the
// widths of its characters and drawn from the part that shows; positions,
// hit tests, caret reports and editing must come out as on a short line.
#include "ColorMemoTestUtil.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

using B = QsciScintillaBase;

QByteArray repeated(const QByteArray &unit, int bytes)
{
    QByteArray text;
    text.reserve(bytes + unit.size());
    while (text.size() < bytes)
        text += unit;
    return text;
}

void setWrap(TColorMemo &memo, bool wrap)
{
    memo.setWrapMode(wrap ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    memo.SendScintilla(B::SCI_SETHSCROLLBAR, wrap ? 0UL : 1UL);
}

// Lets the editor lay out and paint what changed.
void settle(TColorMemo &memo)
{
    QApplication::processEvents();
    grabView(memo);
    QApplication::processEvents();
}

long xOf(TColorMemo &memo, int pos)
{
    return memo.SendScintilla(B::SCI_POINTXFROMPOSITION, 0UL, long(pos));
}

struct TextCase
{
    const char *name;
    QByteArray unit;  // repeated to make the line
    bool utf8;        // how the document is read
};

const TextCase Texts[] = {
    {"ascii", "<td class=\"c\">text &amp; more</td>", true},
    {"utf8", "<b>caf\xc3\xa9 \xe2\x80\x93 na\xc3\xafve \xf0\x9f\x98\x80</b>", true},
    {"tabs", "<td>\tcell\t\t</td> ", true},
    {"latin1", "<b>caf\xe9 na\xefve</b>", false},
    // Shown as a blob: such a line takes the usual layout.
    {"control_char", "<td>\x01 x</td>", true},
};
// The texts whose long lines are laid out character by character.
const auto FastTexts = ::testing::ValuesIn(std::begin(Texts), std::end(Texts) - 1);

class LongLineLayout : public ::testing::TestWithParam<TextCase>
{};

// The same characters stand at the same places on a short line (laid out in
// runs) and at the start of a very long one (laid out character by character).
TEST_P(LongLineLayout, StartsWhereAShortLineDoes)
{
    const TextCase &c = GetParam();
    auto shortMemo = shownMemo(repeated(c.unit, 2000));
    auto longMemo = shownMemo(repeated(c.unit, 300 << 10));
    ASSERT_EQ(shortMemo->isUtf8Document(), c.utf8);
    ASSERT_EQ(longMemo->isUtf8Document(), c.utf8);
    for (TColorMemo *memo : {shortMemo.get(), longMemo.get()}) {
        setWrap(*memo, false);
        settle(*memo);
    }
    int checked = 0;
    for (int pos = 0; pos < 2000; pos = int(shortMemo->SendScintilla(B::SCI_POSITIONAFTER, long(pos)))) {
        EXPECT_NEAR(xOf(*longMemo, pos), xOf(*shortMemo, pos), 1) << pos;
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

struct DeepCase
{
    bool wrap;
    int percent;  // where in the line
};

class LongLineHitTest : public ::testing::TestWithParam<std::tuple<TextCase, DeepCase>>
{};

// Far along the line a click on a character finds that character, and the
// caret goes where it is put.
TEST_P(LongLineHitTest, AClickFindsTheCharacterUnderIt)
{
    const auto &[text, deep] = GetParam();
    auto memo = shownMemo(repeated(text.unit, 1 << 20));
    setWrap(*memo, deep.wrap);
    settle(*memo);
    int pos = int(memo->SendScintilla(B::SCI_POSITIONBEFORE, long(memo->length() / 100 * deep.percent)));
    pos = int(memo->SendScintilla(B::SCI_POSITIONAFTER, long(pos)));
    memo->setSelStart(pos);
    settle(*memo);
    ASSERT_EQ(memo->SelStart(), pos);
    const long x = xOf(*memo, pos);
    const long y = memo->SendScintilla(B::SCI_POINTYFROMPOSITION, 0UL, long(pos));
    ASSERT_GE(x, 0);
    ASSERT_LT(x, memo->viewport()->width());
    const int next = int(memo->SendScintilla(B::SCI_POSITIONAFTER, long(pos)));
    // The next character follows on the same row, or begins the next one.
    const long nextY = memo->SendScintilla(B::SCI_POINTYFROMPOSITION, 0UL, long(next));
    EXPECT_TRUE(nextY > y || (nextY == y && xOf(*memo, next) > x)) << nextY << " " << y;
    const long hit = memo->SendScintilla(B::SCI_CHARPOSITIONFROMPOINTCLOSE, x + 1, y + lineHeight(*memo) / 2);
    EXPECT_EQ(hit, pos);
}

INSTANTIATE_TEST_SUITE_P(Texts, LongLineLayout, ::testing::ValuesIn(Texts),
                         [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Texts, LongLineHitTest,
                         ::testing::Combine(FastTexts, ::testing::Values(DeepCase{false, 50}, DeepCase{false, 99},
                                                                         DeepCase{true, 50}, DeepCase{true, 99})),
                         [](const auto &info) {
                             const DeepCase &deep = std::get<1>(info.param);
                             return std::string(std::get<0>(info.param).name)
                                    + (deep.wrap ? "_wrapped_" : "_unwrapped_") + std::to_string(deep.percent);
                         });

// The caret's line and column still reach whoever listens for them.
TEST(LongLineCaret, ReportsLineAndColumnToAListener)
{
    auto memo = shownMemo("<p>\r\n" + repeated("abcd", 100 << 10));
    int line = -1, column = -1;
    QObject::connect(memo.get(), &QsciScintilla::cursorPositionChanged, [&](int l, int c) {
        line = l;
        column = c;
    });
    memo->setSelStart(5 + 70000);
    settle(*memo);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 70000);
}

struct EditCase
{
    const char *name;
    int caretFromEnd;  // caret this many bytes before the end
    QList<Qt::Key> keys;
    int removedBefore;  // bytes the keys take away before the caret
    int removedAfter;   // and after it
    QByteArray typed;   // bytes they put in at the caret
};

class LongLineEditing : public ::testing::TestWithParam<EditCase>
{};

// Keys on a long line change exactly their bytes; undo gives the line back
// and redo the change.
TEST_P(LongLineEditing, KeysUndoAndRedo)
{
    const EditCase &c = GetParam();
    const QByteArray original = repeated("<i>abc</i>", 1 << 20);
    auto memo = shownMemo(original);
    const int caret = int(original.size()) - c.caretFromEnd;
    memo->setSelStart(caret);
    settle(*memo);
    for (Qt::Key k : c.keys) {
        QTest::keyClick(memo.get(), k);
        settle(*memo);
    }
    QByteArray expected = original;
    expected.replace(caret - c.removedBefore, c.removedBefore + c.removedAfter, c.typed);
    EXPECT_EQ(memo->bytes(), expected);
    EXPECT_EQ(memo->SelStart(), caret - c.removedBefore + c.typed.size());

    while (memo->isUndoAvailable())
        QTest::keyClick(memo.get(), Qt::Key_Z, Qt::ControlModifier);
    settle(*memo);
    EXPECT_EQ(memo->bytes(), original);
    while (memo->isRedoAvailable())
        QTest::keyClick(memo.get(), Qt::Key_Y, Qt::ControlModifier);
    settle(*memo);
    EXPECT_EQ(memo->bytes(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, LongLineEditing,
    ::testing::Values(EditCase{"type_in_middle", 1 << 19, {Qt::Key_X, Qt::Key_Y}, 0, 0, "xy"},
                      EditCase{"type_at_end", 0, {Qt::Key_Z}, 0, 0, "z"},
                      EditCase{"backspace_in_middle", 1 << 19, {Qt::Key_Backspace, Qt::Key_Backspace}, 2, 0, ""},
                      EditCase{"delete_near_end", 3, {Qt::Key_Delete, Qt::Key_Delete}, 0, 2, ""},
                      EditCase{"line_break_in_middle", 1 << 19, {Qt::Key_Return}, 0, 0, "\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

void scrollHome(TColorMemo &memo)
{
    memo.SendScintilla(B::SCI_SETFIRSTVISIBLELINE, 0UL);
    memo.SendScintilla(B::SCI_SETXOFFSET, 0UL);
}

// Where the rows of a line start, among its first `bytes` bytes.
QList<int> rowStarts(TColorMemo &memo, int bytes)
{
    scrollHome(memo);
    QList<int> starts;
    long row = 0;
    for (int pos = 0; pos < bytes; pos = int(memo.SendScintilla(B::SCI_POSITIONAFTER, long(pos)))) {
        const long y = memo.SendScintilla(B::SCI_POINTYFROMPOSITION, 0UL, long(pos)) / lineHeight(memo);
        if (y != row)
            starts << pos;
        row = y;
    }
    return starts;
}

// A very long line is wrapped by searching each row's end from a guess;
// its rows must break where the character by character wrap of a short
// line with the same start breaks.
TEST_P(LongLineLayout, WrapsWhereAShortLineDoes)
{
    const TextCase &c = GetParam();
    const QByteArray longText = repeated(c.unit, 300 << 10);
    auto shortMemo = shownMemo(longText.left(4000));
    auto longMemo = shownMemo(longText);
    for (TColorMemo *memo : {shortMemo.get(), longMemo.get()}) {
        setWrap(*memo, true);
        settle(*memo);
    }
    const QList<int> expected = rowStarts(*shortMemo, 3500);
    EXPECT_GT(expected.size(), 20);
    EXPECT_EQ(rowStarts(*longMemo, 3500), expected);
}

struct Change
{
    double at;         // where, as a share of the line
    int removed;       // bytes taken away there
    QByteArray added;  // and put in
    bool settle;       // laid out and painted before the next change
};

struct RelayoutCase
{
    const char *name;
    QList<Change> changes;
};

class LongLineRelayout : public ::testing::TestWithParam<std::tuple<RelayoutCase, bool>>
{};

// Where a position stands with nothing scrolled: x and the row.
std::pair<long, long> placeOf(TColorMemo &memo, int pos)
{
    return {xOf(memo, pos), memo.SendScintilla(B::SCI_POINTYFROMPOSITION, 0UL, long(pos)) / lineHeight(memo)};
}

// After an edit a long line is laid out again from the edit on, and its
// wrap from the last row the edit cannot touch: every character must stand
// where a layout of the whole edited line puts it.
TEST_P(LongLineRelayout, EditedLineStandsAsIfLaidOutAfresh)
{
    const auto &[c, wrap] = GetParam();
    QByteArray text = repeated("<td class=\"c\">caf\xc3\xa9\ttext &amp; more</td> ", 300 << 10);
    auto edited = shownMemo(text);
    setWrap(*edited, wrap);
    settle(*edited);
    QList<int> near;
    for (const Change &change : c.changes) {
        const int at = int(edited->SendScintilla(B::SCI_POSITIONBEFORE, long(text.size() * change.at) + 1));
        edited->SendScintilla(B::SCI_DELETERANGE, long(at), long(change.removed));
        edited->SendScintilla(B::SCI_INSERTTEXT, long(at), change.added.constData());
        text.replace(at, change.removed, change.added);
        near << at;
        if (change.settle)
            settle(*edited);
    }
    ASSERT_EQ(edited->bytes(), text);
    auto fresh = shownMemo(text);
    setWrap(*fresh, wrap);
    settle(*fresh);
    if (wrap) {
        EXPECT_EQ(edited->SendScintilla(B::SCI_WRAPCOUNT, 0UL), fresh->SendScintilla(B::SCI_WRAPCOUNT, 0UL));
    }
    QList<int> positions{int(text.size())};
    for (int pos = 0; pos < text.size(); pos += 997)
        positions << pos;
    for (int at : near)
        for (int pos = std::max(0, at - 300); pos < std::min(int(text.size()), at + 300); ++pos)
            positions << pos;
    for (TColorMemo *memo : {edited.get(), fresh.get()})
        scrollHome(*memo);
    int differ = 0;
    for (int pos : positions) {
        pos = int(fresh->SendScintilla(B::SCI_POSITIONBEFORE, long(pos) + 1));
        if (placeOf(*edited, pos) != placeOf(*fresh, pos) && ++differ < 5)
            ADD_FAILURE() << "at " << pos << ": " << placeOf(*edited, pos).first << "," << placeOf(*edited, pos).second
                          << " instead of " << placeOf(*fresh, pos).first << "," << placeOf(*fresh, pos).second;
    }
    EXPECT_EQ(differ, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LongLineRelayout,
    ::testing::Combine(
        ::testing::Values(RelayoutCase{"type_in_middle", {{0.5, 0, "x", true}, {0.5, 0, "y", true}}},
                          RelayoutCase{"delete_in_middle", {{0.5, 3, "", true}}},
                          RelayoutCase{"insert_at_start", {{0, 0, "ab", true}}},
                          RelayoutCase{"type_at_end", {{1, 0, "z", true}, {1, 0, "z", true}}},
                          RelayoutCase{"tab_moves_later_tab_stops", {{0.3, 0, "\t", true}}},
                          RelayoutCase{"wide_character", {{0.6, 0, "\xe2\x80\x93", true}}},
                          RelayoutCase{"space_breaks_a_word", {{0.5, 0, " ", true}}},
                          // One of them breaks the word a row ended before.
                          RelayoutCase{"spaces_along_two_rows",
                                       {{0.5, 0, " ", true},
                                        {0.50003, 0, " ", true},
                                        {0.50006, 0, " ", true},
                                        {0.50009, 0, " ", true},
                                        {0.50012, 0, " ", true},
                                        {0.50015, 0, " ", true},
                                        {0.50018, 0, " ", true},
                                        {0.50021, 0, " ", true}}},
                          RelayoutCase{"joined_words", {{0.45, 1, "", true}, {0.45, 1, "", true}}},
                          RelayoutCase{"two_changes_one_layout", {{0.7, 0, "later", false}, {0.2, 2, "", true}}},
                          RelayoutCase{"same_length_replaced", {{0.4, 1, "Q", true}}},
                          RelayoutCase{"control_character_and_back", {{0.5, 0, "\x01", true}, {0.5, 1, "", true}}},
                          RelayoutCase{"outgrows_its_room", {{0.5, 0, repeated("<b>grown</b>", 40 << 10), true}}},
                          RelayoutCase{"shrinks_to_a_fraction", {{0.1, 250 << 10, "", true}}}),
        ::testing::Bool()),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_wrapped" : "_unwrapped");
    });

}  // namespace
