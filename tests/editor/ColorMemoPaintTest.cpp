#include "ColorMemoTestUtil.h"

#include <gtest/gtest.h>

namespace {

TColorRule *keywordRule(TColorMemo &memo, const QByteArray &keyword, const char *color, quint8 z = 1)
{
    TColorRule *rule = memo.ColorRules().Add();
    rule->KeyDrawingType = dtKeyShow;
    rule->ZOrder = z;
    rule->SetKeywords({keyword + ';' + color});
    memo.colorsChanged();
    return rule;
}

[[maybe_unused]] TColorRule *markerRule(TColorMemo &memo, const QByteArray &markers, const char *color, quint8 z = 1)
{
    TColorRule *rule = memo.ColorRules().Add();
    rule->KeyDrawingType = dtBeginEnd;
    rule->ZOrder = z;
    rule->SetKeyBegEndLst({markers + ';' + color});
    memo.colorsChanged();
    return rule;
}

} // namespace

TEST(ColorMemoPaint, KeywordIsPaintedInItsColour)
{
    auto memo = shownMemo("plain foo plain\r\n");
    keywordRule(*memo, "foo", "FF0000");
    const QImage image = grabView(*memo);
    EXPECT_GT(countColor(image, textRect(*memo, 6, 9), Red), 5);
    EXPECT_EQ(countTinted(image, textRect(*memo, 0, 5)), 0);
}
