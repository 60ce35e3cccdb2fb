#include "ColorMemoTestUtil.h"

#include "editor/ColorRulesFile.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

namespace {

using B = QsciScintillaBase;

TColorRule *keywordRule(TColorMemo &memo, const QByteArray &keyword, const char *color, quint8 z = 1)
{
    TColorRule *rule = memo.ColorRules().Add();
    rule->KeyDrawingType = dtKeyShow;
    rule->ZOrder = z;
    rule->SetKeywords({keyword + ';' + color});
    memo.colorsChanged();
    return rule;
}

TColorRule *markerRule(TColorMemo &memo, const QByteArray &markers, const char *color, quint8 z = 1)
{
    TColorRule *rule = memo.ColorRules().Add();
    rule->KeyDrawingType = dtBeginEnd;
    rule->ZOrder = z;
    rule->SetKeyBegEndLst({markers + ';' + color});
    memo.colorsChanged();
    return rule;
}

int lineStart(TColorMemo &memo, int line)
{
    return int(memo.SendScintilla(B::SCI_POSITIONFROMLINE, long(line)));
}

QRect lineRect(TColorMemo &memo, int line)
{
    const int start = lineStart(memo, line);
    return textRect(memo, start, int(memo.SendScintilla(B::SCI_GETLINEENDPOSITION, long(line))));
}

QByteArray numberedLines(int count, const QByteArray &word)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += word + ' ' + QByteArray::number(i) + "\r\n";
    return text;
}

// An underline: one row of the rectangle nearly all in the colour.
bool hasLine(const QImage &image, const QRect &rect, QColor color)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        if (countColor(image, QRect(rect.left(), y, rect.width(), 1), color) >= rect.width() * 9 / 10)
            return true;
    }
    return false;
}

}  // namespace

TEST(ColorMemoPaint, KeywordIsPaintedInItsColourAndNothingElse)
{
    auto memo = shownMemo("plain foo plain\r\n");
    keywordRule(*memo, "foo", "FF0000");
    const QImage image = grabView(*memo);
    EXPECT_GT(countColor(image, textRect(*memo, 6, 9), Red), 5);
    EXPECT_EQ(countTinted(image, textRect(*memo, 0, 5)), 0);
}

TEST(ColorMemoPaint, RangeAcrossLinesIsPaintedLineByLineButNotOnThePartlyVisibleBottomLine)
{
    // Fourth line shows only in part: the comment's colour stops above it.
    auto memo = shownMemo("<!-- one\r\ntwo\r\nthree -->\r\nfoo four\r\n");
    const int h = lineHeight(*memo);
    memo->resize(memo->width(), memo->height() - memo->viewport()->height() + 3 * h + h / 2);
    markerRule(*memo, "<!--;-->", "FF0000");
    keywordRule(*memo, "foo", "FF0000");
    const QImage image = grabView(*memo);
    for (int line = 0; line < 3; ++line)
        EXPECT_GT(countColor(image, lineRect(*memo, line), Red), 5) << "line " << line;
    EXPECT_EQ(countTinted(image, lineRect(*memo, 3)), 0);

    // Made fully visible, the last line is coloured too.
    memo->resize(memo->width(), memo->height() + h);
    EXPECT_GT(countColor(grabView(*memo), lineRect(*memo, 3), Red), 5);
}

TEST(ColorMemoPaint, OneTypedCharacterRecoloursOnlyItsLineOtherChangesTheWholeView)
{
    auto memo = shownMemo("foo a\r\nfoo b\r\n");
    TColorRule *rule = keywordRule(*memo, "foo", "FF0000");
    grabView(*memo);
    // Changed rules show only where the next pass paints.
    rule->SetKeywords({"foo;0000FF"});
    memo->setSelStart(int(memo->SendScintilla(B::SCI_GETLINEENDPOSITION, 1L)));
    QTest::keyClick(memo.get(), Qt::Key_X);
    EXPECT_EQ(memo->bytes(), "foo a\r\nfoo bx\r\n");
    QImage image = grabView(*memo);
    EXPECT_TRUE(memo->lastPass().caretLineOnly);
    EXPECT_GT(countColor(image, textRect(*memo, 0, 3), Red), 5);
    EXPECT_GT(countColor(image, textRect(*memo, lineStart(*memo, 1), lineStart(*memo, 1) + 3), Blue), 5);

    // Pasting a word repaints every visible line.
    memo->setSelText(QByteArray("word"));
    image = grabView(*memo);
    EXPECT_FALSE(memo->lastPass().caretLineOnly);
    EXPECT_GT(countColor(image, textRect(*memo, 0, 3), Blue), 5);
    EXPECT_EQ(countColor(image, textRect(*memo, 0, 3), Red), 0);

    // So does deleting a character.
    rule->SetKeywords({"foo;00A000"});
    QTest::keyClick(memo.get(), Qt::Key_Backspace);
    image = grabView(*memo);
    EXPECT_FALSE(memo->lastPass().caretLineOnly);
    EXPECT_GT(countColor(image, textRect(*memo, 0, 3), Green), 5);
}

TEST(ColorMemoPaint, ManyChangesAtOnceMakeOnePass)
{
    auto memo = shownMemo(numberedLines(20, "foo"));
    keywordRule(*memo, "foo", "FF0000");
    grabView(*memo);
    const int before = memo->lastPass().passes;
    {
        UndoStep step(memo.get());
        for (int i = 0; i < 50; ++i) {
            memo->setSelStart(0);
            memo->setSelText(QByteArray("x"));
        }
    }
    grabView(*memo);
    EXPECT_EQ(memo->lastPass().passes, before + 1);
    EXPECT_FALSE(memo->lastPass().caretLineOnly);
}

TEST(ColorMemoPaint, CommentBegunAboveTheFirstVisibleLineNeedsTheLookBack)
{
    QByteArray text = numberedLines(3, "text");
    text += "<!-- begins\r\n";
    text += numberedLines(8, "inside");
    text += "ends -->\r\n";
    text += numberedLines(20, "after");
    auto memo = shownMemo(text);
    TColorRule *rule = markerRule(*memo, "<!--;-->", "FF0000");
    memo->SendScintilla(B::SCI_SETFIRSTVISIBLELINE, 5L);
    QImage image = grabView(*memo);
    EXPECT_EQ(memo->lastPass().firstLine, 5);
    EXPECT_EQ(countTinted(image, lineRect(*memo, 6)), 0);

    rule->KeyMaxHeight = 4;  // scan starts at line 2
    memo->colorsChanged();
    image = grabView(*memo);
    EXPECT_EQ(memo->lastPass().from, lineStart(*memo, 2));
    EXPECT_GT(countColor(image, lineRect(*memo, 6), Red), 5);
}

TEST(ColorMemoPaint, ScrollingColoursTheLinesThatComeIntoView)
{
    auto memo = shownMemo(numberedLines(200, "foo"));
    keywordRule(*memo, "foo", "FF0000");
    grabView(*memo);
    int scrolls = 0;
    memo->OnVScroll = [&](TColorMemo *) { ++scrolls; };
    memo->SendScintilla(B::SCI_LINESCROLL, 0UL, 150L);
    const QImage image = grabView(*memo);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(memo->lastPass().firstLine, 150);
    EXPECT_GT(countColor(image, textRect(*memo, lineStart(*memo, 151), lineStart(*memo, 151) + 3), Red), 5);
}

TEST(ColorMemoPaint, SelectionKeepsItsHighlightAndLeftStartsFromItsEnd)
{
    auto memo = shownMemo("say hello there\r\n");
    keywordRule(*memo, "hello", "FF0000");
    grabView(*memo);
    memo->setSelStart(4);
    memo->setSelLength(5);
    QImage image = grabView(*memo);
    EXPECT_EQ(countColor(image, textRect(*memo, 4, 9), Red), 0);

    // A click masks the selection in the colours themselves.
    memo->setSelStart(0);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, textRect(*memo, 4, 5).center());
    memo->setSelStart(4);
    memo->setSelLength(5);
    QTest::keyClick(memo.get(), Qt::Key_Shift);
    image = grabView(*memo);
    EXPECT_EQ(countColor(image, textRect(*memo, 4, 9), Red), 0);
    bool masked = false;
    for (const TKeyDescr &run : memo->paintedRuns())
        masked |= run.KeyZOrder == ReservedZ::Selection && run.StartPos == 4 && run.EndPos == 8;
    EXPECT_TRUE(masked);

    QTest::keyClick(memo.get(), Qt::Key_Left);
    EXPECT_EQ(memo->SelStart(), 8);
    EXPECT_EQ(memo->SelLength(), 0);
    image = grabView(*memo);
    EXPECT_GT(countColor(image, textRect(*memo, 4, 9), Red), 5);

    // Shift+Left extends the selection as usual.
    QTest::keyClick(memo.get(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(memo->SelStart(), 7);
    EXPECT_EQ(memo->SelLength(), 1);
}

TEST(ColorMemoPaint, HotSpotIsALinkBetweenBlocksAndReportsItsText)
{
    auto memo = shownMemo(QByteArray("go \x1e"
                                     "ab\x1f now\r\n"));
    THotSpot spot;
    spot.Active = true;
    spot.Color = 0xFF0000;        // blue
    spot.MarkerColor = 0x00A000;  // green
    memo->setHotSpot(spot);
    const QImage image = grabView(*memo);
    const QRect text = textRect(*memo, 4, 6);
    EXPECT_GT(countColor(image, text, Blue), 5);
    EXPECT_TRUE(hasLine(image, text, Blue));
    // The markers are solid blocks.
    const QRect marker = textRect(*memo, 3, 4);
    EXPECT_GT(countColor(image, marker, Green), marker.width() * marker.height() / 2);
    EXPECT_GT(countColor(image, textRect(*memo, 6, 7), Green), marker.width() * marker.height() / 2);

    QByteArray clicked;
    memo->OnHotSpotClick = [&](TColorMemo *, const QByteArray &src) { clicked = src; };
    QTest::mouseMove(memo->viewport(), textRect(*memo, 5, 6).center());
    EXPECT_EQ(memo->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, textRect(*memo, 5, 6).center());
    EXPECT_EQ(clicked, "ab");

    // Outside the hot spot: no hand, no click.
    clicked.clear();
    QTest::mouseMove(memo->viewport(), textRect(*memo, 8, 9).center());
    EXPECT_NE(memo->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, textRect(*memo, 8, 9).center());
    EXPECT_TRUE(clicked.isEmpty());
}

TEST(ColorMemoPaint, ReservedZOrdersGiveBlocksUnderlinesAndMasks)
{
    auto memo = shownMemo("blk und msk tab\tx\r\n");
    keywordRule(*memo, "blk", "FF0000", 253);
    keywordRule(*memo, "und", "FF0000", 252);
    keywordRule(*memo, "msk", "0000FF", 10);
    keywordRule(*memo, "msk", "FF0000", 254);
    TColorRule *tabs = memo->ColorRules().Add();
    tabs->KeyDrawingType = dtBeginEnd;
    tabs->ZOrder = 5;
    tabs->SetKeyBegEndLst({"tab;x;FF0000"});
    memo->colorsChanged();
    const QImage image = grabView(*memo);

    const QRect blk = textRect(*memo, 0, 3);
    EXPECT_GT(countColor(image, blk, Red), blk.width() * blk.height() / 2);
    const QRect und = textRect(*memo, 4, 7);
    EXPECT_TRUE(hasLine(image, und, Red));
    EXPECT_FALSE(hasLine(image, textRect(*memo, 12, 15), Red));
    EXPECT_EQ(countTinted(image, textRect(*memo, 8, 11)), 0);
    // The tab keeps no colour; the text around it does.
    EXPECT_GT(countColor(image, textRect(*memo, 12, 15), Red), 5);
    for (const TKeyDescr &run : memo->paintedRuns()) {
        if (run.StartPos <= 15 && run.EndPos >= 15) {
            EXPECT_EQ(run.KeyZOrder, ReservedZ::Tab);
        }
    }
}

TEST(ColorMemoPaint, WithoutRulesTheEditorIsPlainAndLosesOldColours)
{
    AppSettings().ColorTags = true;
    ASSERT_TRUE(WriteColorRulesFile(ColorRulesFileName(), {"Bold;k;FF0000;1;<B"}));
    auto memo = shownMemo("<B>bold</B>\r\n");
    EXPECT_EQ(countTinted(grabView(*memo), memo->viewport()->rect()), 0);

    ApplyColorRules(*memo);
    EXPECT_GT(countColor(grabView(*memo), textRect(*memo, 0, 2), Red), 5);

    AppSettings().ColorTags = false;
    ApplyColorRules(*memo);
    EXPECT_EQ(memo->ColorRules().Count(), 0);
    EXPECT_EQ(countTinted(grabView(*memo), memo->viewport()->rect()), 0);
    QTest::keyClicks(memo.get(), "<B>");
    EXPECT_EQ(countTinted(grabView(*memo), memo->viewport()->rect()), 0);
    AppSettings().ColorTags = true;
}

TEST(ColorMemoPaint, OnDrawSuppliesRangesAndOnDrawKeyPaintsKeywords)
{
    auto memo = shownMemo("one two three\r\n");
    TColorRule *rule = memo->ColorRules().Add();
    rule->KeyDrawingType = dtEventDraw;
    rule->ZOrder = 3;
    memo->setColorLimMax(4);
    int seenFrom = -1;
    memo->OnDraw = [&](TColorRule *, int fromPos, QByteArrayView, std::span<TKeyDescr> a, int &count) {
        seenFrom = fromPos;
        a[0] = {4, 6, 0x0000FF, 0, 0};
        count = 1;
    };
    keywordRule(*memo, "three", "0000FF");
    QStringList drawn;
    memo->OnDrawKey = [&](QPainter &, const QString &key, const QRect &, TColor) { drawn << key; };
    const QImage image = grabView(*memo);
    EXPECT_EQ(seenFrom, 0);
    EXPECT_GT(countColor(image, textRect(*memo, 4, 7), Red), 5);
    // The keyword was left to the handler.
    EXPECT_TRUE(drawn.contains("three"));
    EXPECT_EQ(countColor(image, textRect(*memo, 8, 13), Blue), 0);
}
