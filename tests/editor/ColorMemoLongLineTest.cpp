// A minified page is one long line: the colour pass reads and colours only the
// part of it that shows, wrapped or not, and the short lines around it as usual.
#include "ColorMemoTestUtil.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

using B = QsciScintillaBase;

// "foo " over and over: every fourth byte begins a keyword.
QByteArray repeatedFoo(int bytes)
{
    QByteArray text;
    text.reserve(bytes);
    while (text.size() < bytes)
        text += "foo ";
    return text;
}

// As the document window does: a horizontal scroll bar while not wrapping.
void setWrap(TColorMemo &memo, bool wrap)
{
    memo.setWrapMode(wrap ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    memo.SendScintilla(B::SCI_SETHSCROLLBAR, wrap ? 0UL : 1UL);
}

// The editor lays out a changed wrap mode at its next paint; colour after that.
QImage settledView(TColorMemo &memo)
{
    grabView(memo);
    memo.colorsChanged();
    QApplication::processEvents();
    return grabView(memo);
}

void addFooRule(TColorMemo &memo)
{
    TColorRule *rule = memo.ColorRules().Add();
    rule->KeyDrawingType = dtKeyShow;
    rule->ZOrder = 1;
    rule->SetKeywords({"foo;FF0000"});
    memo.colorsChanged();
}

struct LongLineCase
{
    const char *name;
    bool wrap;
    int caretInLine;  // caret offset inside the long line, -1: its middle
};

class ColorMemoLongLine : public ::testing::TestWithParam<LongLineCase>
{};

TEST_P(ColorMemoLongLine, OnlyTheShownPartIsReadAndColoured)
{
    const LongLineCase &c = GetParam();
    constexpr int LongLine = 100 << 10;
    const QByteArray before = "foo a\r\n";
    const QByteArray text = before + repeatedFoo(LongLine) + "\r\nfoo b\r\n";
    auto memo = shownMemo(text);
    setWrap(*memo, c.wrap);
    addFooRule(*memo);
    const int lineStart = int(before.size());
    const int caret = lineStart + (c.caretInLine < 0 ? LongLine / 2 : c.caretInLine);
    grabView(*memo);
    memo->setSelStart(caret);
    const QImage image = settledView(*memo);

    // Bounded by the screen and the look-back, whatever the line's length.
    EXPECT_GT(memo->lastPass().scanned, 0);
    EXPECT_LT(memo->lastPass().scanned, 64 << 10);
    // A keyword in the middle of the caret's row shows in its colour.
    const long y = memo->SendScintilla(B::SCI_POINTYFROMPOSITION, 0UL, long(caret)) + lineHeight(*memo) / 2;
    const int mid = int(
        memo->SendScintilla(B::SCI_POSITIONFROMPOINT, static_cast<unsigned long>(memo->viewport()->width() / 2), y));
    const int foo = mid - (mid - lineStart) % 4;
    EXPECT_GT(countColor(image, textRect(*memo, foo, foo + 3), Red), 3);
    bool coloured = false;
    for (const TKeyDescr &run : memo->paintedRuns())
        coloured |= run.StartPos <= foo && run.EndPos >= foo + 2;
    EXPECT_TRUE(coloured);
}

INSTANTIATE_TEST_SUITE_P(Lines, ColorMemoLongLine,
                         ::testing::Values(LongLineCase{"unwrapped_start", false, 40},
                                           LongLineCase{"unwrapped_middle", false, -1},
                                           LongLineCase{"wrapped_middle", true, -1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ColorMemoLongLineNeighbours, ShortLinesAroundALongOneKeepTheirColours)
{
    const QByteArray text = "foo a\r\n" + repeatedFoo(100 << 10) + "\r\nfoo b\r\nfoo c\r\n";
    auto memo = shownMemo(text);
    setWrap(*memo, false);
    addFooRule(*memo);
    const QImage image = settledView(*memo);
    EXPECT_LT(memo->lastPass().scanned, 64 << 10);
    for (int line : {0, 2, 3}) {
        const int start = int(memo->SendScintilla(B::SCI_POSITIONFROMLINE, long(line)));
        EXPECT_GT(countColor(image, textRect(*memo, start, start + 3), Red), 3) << line;
    }
    // The long line's start shows too.
    const int longStart = int(memo->SendScintilla(B::SCI_POSITIONFROMLINE, 1L));
    EXPECT_GT(countColor(image, textRect(*memo, longStart, longStart + 3), Red), 3);

    // Typing in the long line recolours its shown part only.
    memo->setSelStart(longStart + 8);
    QTest::keyClick(memo.get(), Qt::Key_X);
    QApplication::processEvents();
    grabView(*memo);
    EXPECT_LT(memo->lastPass().scanned, 64 << 10);
    EXPECT_EQ(memo->rangeView(longStart + 8, longStart + 9), "x");
}

}  // namespace
