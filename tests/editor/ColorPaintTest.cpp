#include "editor/ColorPaint.h"
#include "editor/ColorRulesFile.h"

#include <gtest/gtest.h>

namespace {

struct PaintRun
{
    int start;
    int end;
    TColor color;
    int z;
    int key;
    bool operator==(const PaintRun &) const = default;
};

std::ostream &operator<<(std::ostream &os, const PaintRun &r)
{
    return os << "{" << r.start << "," << r.end << ",0x" << std::hex << r.color << std::dec << ",z" << r.z << ",k"
              << r.key << "}";
}

std::vector<PaintRun> runsOf(const ColorPaint &paint)
{
    std::vector<PaintRun> out;
    for (const TKeyDescr &r : paint.runs())
        out.push_back({r.StartPos, r.EndPos, r.KeyColor, r.KeyZOrder, r.IsKey});
    return out;
}

std::vector<int> lineStarts(const QByteArray &text)
{
    std::vector<int> starts{0};
    for (qsizetype p = text.indexOf("\r\n"); p >= 0; p = text.indexOf("\r\n", p + 2))
        starts.push_back(int(p) + 2);
    return starts;
}

}  // namespace

TEST(PaintGeometry, ScanStartLooksBackKeyMaxHeightMinusOneLines)
{
    TDrawRules rules;
    EXPECT_EQ(PaintScanStartLine(rules, 5), 5);
    rules.Add()->KeyMaxHeight = 3;
    rules.Add()->KeyMaxHeight = 50;  // only the first rule counts
    EXPECT_EQ(PaintScanStartLine(rules, 5), 3);
    EXPECT_EQ(PaintScanStartLine(rules, 1), 0);
    EXPECT_EQ(PaintScanStartLine(rules, 0), 0);
    rules.Items(0)->KeyMaxHeight = 1;
    EXPECT_EQ(PaintScanStartLine(rules, 5), 5);
}

TEST(PaintGeometry, LimitLeavesOutThePartlyVisibleBottomLine)
{
    // Lines of 10 bytes (CR LF included), 10 pixels high, line i at top 10 * (i - 2).
    auto top = [](int line) -> std::optional<int> {
        if (line > 20)
            return std::nullopt;
        return 10 * (line - 2);
    };
    auto start = [](int line) { return line * 10; };
    auto end = [](int line) { return line * 10 + 8; };
    EXPECT_EQ(PaintLimit(2, 10, 10, 35, top, start, end), 50);      // line 5 would reach 40
    EXPECT_EQ(PaintLimit(2, 10, 10, 40, top, start, end), 50);      // reaching the bottom is enough
    EXPECT_EQ(PaintLimit(2, 2, 10, 100, top, start, end), 38);      // both lines fit: end of line 3
    EXPECT_EQ(PaintLimit(18, 10, 10, 1000, top, start, end), 210);  // line 21 has no position
}

TEST(PaintMerge, HigherZWinsLaterWinsTiesAndUncoveredCellsSplitRuns)
{
    TDrawRules rules;
    BuildDrawRules({"low;m;0000FF;1;<;>", "high;k;FF0000;5;b", "same;k;00FF00;1;c"}, true, rules);
    //                    0123456789
    const QByteArray text("<a b c> d");
    ColorPaint paint;
    ASSERT_EQ(paint.compute(rules, text, 0, int(text.size()), {}), 5);
    EXPECT_EQ(runsOf(paint), (std::vector<PaintRun>{{0, 2, 0xFF0000, 1, 0},
                                                    {3, 3, 0x0000FF, 5, 1},
                                                    {4, 4, 0xFF0000, 1, 0},
                                                    {5, 5, 0x00FF00, 1, 1},
                                                    {6, 6, 0xFF0000, 1, 0}}));
    // "d" is covered by nothing: no run.
}

TEST(PaintMerge, SelectionAndTabsMaskRuleColours)
{
    TDrawRules rules;
    BuildDrawRules({"all;m;red;7;[;]"}, true, rules);
    //                    0123456 7
    const QByteArray text("[ab\tcd]");
    PaintState state;
    state.WantTabs = true;
    state.SelStart = 1;
    state.SelLength = 2;
    ColorPaint paint;
    paint.compute(rules, text, 0, int(text.size()), state);
    EXPECT_EQ(runsOf(paint), (std::vector<PaintRun>{{0, 0, 0x0000FF, 7, 0},
                                                    {1, 2, 0x0000FF, 254, 0},
                                                    {3, 3, clWindowBackground, 255, 0},
                                                    {4, 6, 0x0000FF, 7, 0}}));
    // Without WantTabs the tab takes the rule's colour.
    state.WantTabs = false;
    state.SelLength = 0;
    paint.compute(rules, text, 0, int(text.size()), state);
    EXPECT_EQ(runsOf(paint), (std::vector<PaintRun>{{0, 6, 0x0000FF, 7, 0}}));
}

TEST(PaintMerge, CaretLineIsRepaintedBeneathTheRulesWhenRedrawAlways)
{
    TDrawRules rules;
    BuildDrawRules({"k;k;red;0;ab"}, true, rules);
    const QByteArray text("xx\r\nab cd");
    PaintState state;
    state.RedrawAlways = true;
    state.FontColor = 0x123456;
    state.CaretLineStart = 4;
    state.SelStart = 8;
    ColorPaint paint;
    paint.compute(rules, text, 0, int(text.size()), state);
    // Equal z-orders: the rule, appended later, wins on "ab".
    EXPECT_EQ(runsOf(paint), (std::vector<PaintRun>{{4, 5, 0x0000FF, 0, 1}, {6, 8, 0x123456, 0, 0}}));
}

TEST(PaintMerge, HotSpotsBecomeMarkerBlocksAroundUnderlinedText)
{
    TDrawRules rules;
    const QByteArray text = QByteArray("go \x1e") + "ab" + "\x1f x \x1e" + "cd";
    PaintState state;
    state.HotSpot.Active = true;
    ColorPaint paint;
    paint.compute(rules, text, 0, int(text.size()), state);
    // The second begin marker has no end marker: no hot spot, not even its marker.
    EXPECT_EQ(runsOf(paint),
              (std::vector<PaintRun>{
                  {3, 3, clWindowBackground, 253, 0}, {4, 5, 0xFF0000, 252, 0}, {6, 6, clWindowBackground, 253, 0}}));
    state.HotSpot.BeginChar = 0;
    EXPECT_EQ(paint.compute(rules, text, 0, int(text.size()), state), 0);
}

TEST(PaintMerge, ACommentStartingAboveTheScanStartIsNotColoured)
{
    TDrawRules rules;
    BuildDrawRules({"c;m;green;1;<!--;-->"}, true, rules);
    const QByteArray text = "<!-- one\r\ntwo\r\nthree -->\r\nfour";
    const std::vector<int> starts = lineStarts(text);
    ColorPaint paint;
    // First painted line 1, look-back 0 lines: the begin marker is not seen.
    int from = starts[size_t(PaintScanStartLine(rules, 1))];
    EXPECT_EQ(paint.compute(rules, text, from, int(text.size()), {}), 0);
    // A look-back of one line finds it; the range runs over the lines.
    rules.Items(0)->KeyMaxHeight = 2;
    from = starts[size_t(PaintScanStartLine(rules, 1))];
    ASSERT_EQ(paint.compute(rules, text, from, int(text.size()), {}), 1);
    EXPECT_EQ(runsOf(paint)[0], (PaintRun{0, int(text.indexOf("-->")) + 2, 0x008000, 1, 0}));
}

TEST(PaintMerge, RunsStayInsideThePaintedStretchWhateverTheSelection)
{
    TDrawRules rules;
    BuildDrawRules({"k;k;red;1;b"}, true, rules);
    QByteArray text(100000, 'x');
    text.replace(50000, 5, "a b c");
    PaintState state;
    state.SelStart = 0;
    state.SelLength = int(text.size());  // everything selected
    ColorPaint paint;
    paint.compute(rules, text, 49990, 50010, state);
    EXPECT_EQ(runsOf(paint), (std::vector<PaintRun>{{49990, 50009, 0x0000FF, 254, 0}}));
    state.SelLength = 0;
    paint.compute(rules, text, 49990, 50010, state);
    EXPECT_EQ(runsOf(paint), (std::vector<PaintRun>{{50002, 50002, 0x0000FF, 1, 1}}));
}

// Keyword colours do not depend on how much of the screen one pass covers.
TEST(PaintMerge, WholeScreenAndLineByLineAgreeForKeywordRules)
{
    QList<QByteArray> lines;
    for (const char *k : {"<TABLE", "<TD", "</TD", "<B", "HREF=", "&nbsp", "bold"})
        lines.append(QByteArray("n;k;") + (lines.size() % 2 ? "990022" : "0000C0") + ";"
                     + QByteArray::number(lines.size()) + ";" + k);
    TDrawRules rules;
    BuildDrawRules(lines, true, rules);
    const QByteArray text = "<table><td>bold <B>b</b></TD>\r\n<a href=x>&nbsp;bolder</a>\r\n\r\n<TD><td>td<b>bold";
    const std::vector<int> starts = lineStarts(text);

    ColorPaint whole;
    whole.compute(rules, text, 0, int(text.size()), {});
    std::vector<PaintRun> expected = runsOf(whole);
    ASSERT_GT(expected.size(), 8u);

    std::vector<PaintRun> byLine;
    ColorPaint line;
    for (size_t i = 0; i < starts.size(); ++i) {
        const int end = i + 1 < starts.size() ? starts[i + 1] - 2 : int(text.size());
        line.compute(rules, text, starts[i], end, {});
        const std::vector<PaintRun> r = runsOf(line);
        byLine.insert(byLine.end(), r.begin(), r.end());
    }
    EXPECT_EQ(byLine, expected);
}
