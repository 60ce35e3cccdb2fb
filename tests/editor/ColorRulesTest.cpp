#include "editor/ColorRules.h"

#include <gtest/gtest.h>

namespace {

struct Range
{
    int start;
    int end;
    TColor color;
    int z;
    int key;
    bool operator==(const Range &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Range &r)
{
    return os << "{" << r.start << "," << r.end << ",0x" << std::hex << r.color << std::dec << ",z" << r.z << ",k"
              << r.key << "}";
}

// Scans the rule over text[from, limit) and returns its ranges, checking that
// each lies inside the scanned stretch.
std::vector<Range> scan(TColorRule &rule, const QByteArray &text, int from = 0, int limit = -1,
                        DrawEventHook *hook = nullptr)
{
    if (limit < 0)
        limit = int(text.size());
    TKeyDescrList list(2);
    list.reset();
    ScanStretch stretch(QByteArrayView(text).sliced(from, limit - from), from);
    const int next = ScanRule(rule, list, 0, stretch, hook);
    std::vector<Range> out;
    for (int i = 0; i < next; ++i) {
        const TKeyDescr &d = list[i];
        EXPECT_GE(d.StartPos, from);
        EXPECT_LT(d.EndPos, limit);
        EXPECT_LE(d.StartPos, d.EndPos);
        out.push_back({d.StartPos, d.EndPos, d.KeyColor, d.KeyZOrder, d.IsKey});
    }
    return out;
}

TColorRule keywordRule(const QList<QByteArray> &lines, bool keyCase = false, bool partWord = false)
{
    TColorRule rule;
    rule.KeyDrawingType = dtKeyShow;
    rule.KeyCase = keyCase;
    rule.PartWord = partWord;
    rule.SetKeywords(lines);
    return rule;
}

TColorRule markerRule(const QList<QByteArray> &lines, TKeyDrawingType type = dtBeginEnd)
{
    TColorRule rule;
    rule.KeyDrawingType = type;
    if (type == dtBeginLineEnd)
        rule.SetKeyLineEndLst(lines);
    else
        rule.SetKeyBegEndLst(lines);
    return rule;
}

std::vector<int> starts(const std::vector<Range> &ranges)
{
    std::vector<int> s;
    for (const Range &r : ranges)
        s.push_back(r.start);
    return s;
}

}  // namespace

TEST(ParseRuleColor, ReadsNamesAndHexInEveryForm)
{
    EXPECT_EQ(ParseRuleColor("red"), 0x0000FFu);
    EXPECT_EQ(ParseRuleColor("  Fuchsia "), 0xFF00FFu);
    EXPECT_EQ(ParseRuleColor("navy"), 0x800000u);
    EXPECT_EQ(ParseRuleColor("SILVER"), 0xC0C0C0u);
    for (const char *t : {"red", "#FF0000", "$ff0000", "ff0000", "FF0000\r"})
        EXPECT_EQ(ParseRuleColor(t), 0x0000FFu) << t;
    // RRGGBB becomes $00BBGGRR.
    EXPECT_EQ(ParseRuleColor("990022"), 0x220099u);
    EXPECT_EQ(ParseRuleColor("#990022"), 0x220099u);
    EXPECT_EQ(ParseRuleColor("$990022"), 0x220099u);
    // The highest byte is dropped; only the first ten characters count.
    EXPECT_EQ(ParseRuleColor("AB112233"), 0x332211u);
    EXPECT_EQ(ParseRuleColor("00FF00001299"), 0x120000u);
    // Unreadable: white.
    for (const char *t : {"xyz", "", "#", "$", "12$34", "b;990022", "FF000012345", "1 2"})
        EXPECT_EQ(ParseRuleColor(t), clRuleWhite) << t;
}

TEST(ColorRule, DefaultsAndAssignCopyWhatTheyShould)
{
    TColorRule a;
    EXPECT_EQ(a.ZOrder, 0);
    EXPECT_EQ(a.KeyMaxHeight, 1);
    EXPECT_EQ(a.KeyDrawingType, dtBeginEnd);
    EXPECT_FALSE(a.KeyCase);
    EXPECT_TRUE(a.Enabled);
    EXPECT_FALSE(a.PartWord);
    EXPECT_EQ(a.DefKeyColor, 0x000000FFu);
    EXPECT_EQ(a.KeySelColor, 0x0000FFFFu);
    EXPECT_EQ(a.KeyBrushColor, 0x80000005u);

    a.ZOrder = 7;
    a.KeyMaxHeight = 3;
    a.KeyDrawingType = dtBeginLineEnd;
    a.KeyCase = true;
    a.Enabled = false;
    a.PartWord = true;
    a.DefKeyColor = 1;
    a.KeySelColor = 2;
    a.KeyBrushColor = 3;
    a.IntChar = "x";
    a.SetKeywords({"k"});
    a.SetKeyBegEndLst({"<;>"});
    a.SetKeyLineEndLst({"//"});

    TDrawRules src;
    src.Add()->Assign(a);
    TDrawRules dst;
    dst.Add();
    dst.Add();
    dst.Assign(src);
    ASSERT_EQ(dst.Count(), 1);
    const TColorRule &b = *dst.Items(0);
    EXPECT_EQ(b.collection(), &dst);
    EXPECT_EQ(b.ZOrder, 7);
    EXPECT_EQ(b.KeyMaxHeight, 3);
    EXPECT_EQ(b.KeyDrawingType, dtBeginLineEnd);
    EXPECT_TRUE(b.KeyCase);
    EXPECT_FALSE(b.Enabled);
    EXPECT_TRUE(b.PartWord);
    EXPECT_EQ(b.DefKeyColor, 1u);
    EXPECT_EQ(b.KeyBrushColor, 3u);
    EXPECT_EQ(b.KeySelColor, 0x0000FFFFu);  // not copied
    EXPECT_TRUE(b.IntChar.isEmpty());       // not copied
    EXPECT_EQ(b.Keywords(), QList<QByteArray>{"k"});
    EXPECT_EQ(b.KeyBegEndLst(), QList<QByteArray>{"<;>"});
    EXPECT_EQ(b.KeyLineEndLst(), QList<QByteArray>{"//"});
}

TEST(ColorRule, KeywordTableSkipsBlankLinesAndSplitsAtFirstSemicolon)
{
    TColorRule rule = keywordRule({"", "   ", "  ;red", "<b", "Table;blue", "a;b;990022", " x ;  "});
    rule.DefKeyColor = 0x123456;
    rule.PrepareTables();
    const auto &t = rule.KeywordTable();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].keyword, "<B");
    EXPECT_EQ(t[0].color, 0x123456u);
    EXPECT_EQ(t[1].keyword, "TABLE");
    EXPECT_EQ(t[1].color, 0xFF0000u);
    EXPECT_EQ(t[2].keyword, "A");
    EXPECT_EQ(t[2].color, clRuleWhite);  // colour text "b;990022"
    EXPECT_EQ(t[3].keyword, " X ");      // blanks are part of the keyword
    EXPECT_EQ(t[3].color, 0x123456u);

    rule.KeyCase = true;
    rule.PrepareTables();
    EXPECT_EQ(rule.KeywordTable()[1].keyword, "Table");
}

TEST(KeywordScan, WholeWordsTreatDigitsUnderscoreAndHighBytesAsNonLetters)
{
    TColorRule rule = keywordRule({"B;red"});
    //                    0123456789012345678901
    const QByteArray text("<B>bold</B> Bob 1b _b\xE9"
                          "b\xE9 ab");
    EXPECT_EQ(starts(scan(rule, text)), (std::vector<int>{1, 9, 17, 20, 22}));
    const auto r = scan(rule, text);
    EXPECT_EQ(r[0], (Range{1, 1, 0x0000FF, 0, 1}));

    // Case matters when asked for.
    TColorRule exact = keywordRule({"b"}, true);
    EXPECT_EQ(starts(scan(exact, text)), (std::vector<int>{17, 20, 22}));

    // Anywhere, also inside words.
    TColorRule part = keywordRule({"b"}, false, true);
    EXPECT_EQ(scan(part, "abba").size(), 2u);
}

TEST(KeywordScan, OccurrencesDoNotOverlapAndRejectedOnesStillSkip)
{
    TColorRule rule = keywordRule({"aa"}, false, true);
    EXPECT_EQ(starts(scan(rule, "aaaaa")), (std::vector<int>{0, 2}));
    // "xab ab": the rejected "ab" inside the word still moves the search on.
    TColorRule word = keywordRule({"ab"});
    EXPECT_EQ(starts(scan(word, "xab ab")), (std::vector<int>{4}));
}

TEST(KeywordScan, LongKeywordIsFoundByItsFirst30AndColouredFullyButNotPastTheCutOff)
{
    const QByteArray key = "abcdefghijklmnopqrstuvwxyz0123456789";  // 36
    TColorRule rule = keywordRule({key});
    // The text differs from the keyword after 30 characters: still a match.
    const QByteArray text = "x " + key.left(30) + "######## y";
    auto r = scan(rule, text);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].start, 2);
    EXPECT_EQ(r[0].end, 2 + 36 - 1);
    // The whole-word test looks at the character 36 places on.
    EXPECT_TRUE(scan(rule, "x " + key.left(30) + "######q").empty());
    // Cut off in the middle: the range stops at the cut-off.
    const QByteArray shortText = "x " + key.left(32);
    r = scan(rule, shortText);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].end, int(shortText.size()) - 1);
}

TEST(KeywordScan, PositionsCountFromTheDocumentAndStartAndCutOffAreNonLetters)
{
    TColorRule rule = keywordRule({"td;teal"});
    const QByteArray doc = "xxtd\r\n<td>td";
    // Scanning from 2: the "t" at the stretch start counts as after a non-letter.
    auto r = scan(rule, doc, 2, 10);
    EXPECT_EQ(starts(r), (std::vector<int>{2, 7}));
    EXPECT_EQ(r[1].color, 0x808000u);
    // Cut off after "td" of "tdx": the end of the stretch is a non-letter.
    const QByteArray doc2 = "a tdx";
    EXPECT_EQ(starts(scan(rule, doc2, 0, 4)), (std::vector<int>{2}));
}

TEST(MarkerTable, BuildsSlotsAndAnEmptySlotHidesLaterLines)
{
    TColorRule rule = markerRule({"<!--;-->;green", "abcdefgh;12345678", "x;y", "noseparator", "<;>"});
    rule.DefKeyColor = 0x42;
    rule.PrepareTables();
    const auto &t = rule.MarkerTable();
    EXPECT_EQ(QByteArrayView(t[0].begin, t[0].beginLen), "<!--");
    EXPECT_EQ(QByteArrayView(t[0].end, t[0].endLen), "-->");
    EXPECT_EQ(t[0].color, 0x008000u);
    EXPECT_EQ(QByteArrayView(t[1].begin, t[1].beginLen), "abcdef");
    EXPECT_EQ(QByteArrayView(t[1].end, t[1].endLen), "123456");
    EXPECT_EQ(t[2].color, 0x42u);
    EXPECT_EQ(t[3].beginLen, 0);
    EXPECT_EQ(t[4].beginLen, 1);

    // Slot 3 is empty, so "<;>" is never used.
    EXPECT_TRUE(scan(rule, "<a>").empty());
    EXPECT_EQ(scan(rule, "x..y").size(), 1u);

    TColorRule first = markerRule({";a;b", "<;>"});
    EXPECT_TRUE(scan(first, "<a>").empty());
}

TEST(MarkerTable, LinesBeyondTheFortiethAreIgnored)
{
    QList<QByteArray> lines;
    for (int i = 0; i < 40; ++i)
        lines.append("#" + QByteArray::number(i) + "#;!");
    lines.append("<;>");
    TColorRule rule = markerRule(lines);
    EXPECT_TRUE(scan(rule, "<a>").empty());
    EXPECT_EQ(scan(rule, "#39# x !").size(), 1u);
    lines[39] = "<;>";
    rule.SetKeyBegEndLst(lines);
    EXPECT_EQ(scan(rule, "<a>").size(), 1u);
}

TEST(MarkerScan, PairsWithoutAnEndEndTheRuleButEarlierRangesStand)
{
    TColorRule rule = markerRule({"<!--;-->;red"});
    rule.ZOrder = 9;
    //                    0123456789012345678
    const QByteArray text("<!-- a --> x <!-- b");
    const auto r = scan(rule, text);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0], (Range{0, 9, 0x0000FF, 9, 0}));

    // A one-character begin marker is never its own end; markers match with exact case.
    TColorRule quote = markerRule({"\";\""});
    EXPECT_EQ(scan(quote, "a\"b\"c\"d\"").size(), 2u);
    TColorRule upper = markerRule({"<B;>"});
    EXPECT_TRUE(scan(upper, "<b>").empty());
}

TEST(MarkerScan, EarliestBeginWinsAndTheLowerSlotWinsTies)
{
    TColorRule rule = markerRule({"<a;>;red", "<;>;blue", "[;];lime"});
    auto r = scan(rule, "<a> <b> [c]");
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], (Range{0, 2, 0x0000FF, 0, 0}));
    EXPECT_EQ(r[1], (Range{4, 6, 0xFF0000, 0, 0}));
    EXPECT_EQ(r[2], (Range{8, 10, 0x00FF00, 0, 0}));

    TColorRule swapped = markerRule({"<;>;blue", "<a;>;red"});
    r = scan(swapped, "<a>");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].color, 0xFF0000u);

    // Ranges may nest: the next search starts one after the end marker's start.
    TColorRule comment = markerRule({"<!--;-->"});
    EXPECT_EQ(starts(scan(comment, "<!--x--><!--y-->")), (std::vector<int>{0, 8}));
}

TEST(LineEndScan, RunsToTheCrLfOrTheCutOffOncePerLine)
{
    TColorRule rule = markerRule({"//;green", ";;blue", "#", ";"}, dtBeginLineEnd);
    rule.PrepareTables();
    const auto &t = rule.MarkerTable();
    EXPECT_EQ(QByteArrayView(t[1].begin, t[1].beginLen), ";");
    EXPECT_EQ(t[1].color, 0xFF0000u);
    EXPECT_EQ(QByteArrayView(t[2].begin, t[2].beginLen), "#");
    EXPECT_EQ(t[2].color, 0x0000FFu);
    EXPECT_EQ(QByteArrayView(t[3].begin, t[3].beginLen), ";");
    EXPECT_EQ(t[0].endLen, 0);

    //                    0 1 2 3 4 5 6 7 8 9
    const QByteArray text("a // b // c\r\n; x\r\n#zz");
    auto r = scan(rule, text);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], (Range{2, 10, 0x008000, 0, 0}));
    EXPECT_EQ(r[1], (Range{13, 15, 0xFF0000, 0, 0}));
    EXPECT_EQ(r[2], (Range{18, 20, 0x0000FF, 0, 0}));

    // Cut off inside the line: the range stops at the cut-off.
    r = scan(rule, text, 0, 6);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].end, 5);

    // A begin-end rule ignores its line-end list.
    TColorRule pairs = markerRule({"//"}, dtBeginEnd);
    EXPECT_TRUE(scan(pairs, text).empty());
}

TEST(EventScan, MovesHandlerRangesFromFromPosAndKeepsThemInsideTheStretch)
{
    TColorRule rule;
    rule.KeyDrawingType = dtEventDraw;
    rule.ZOrder = 4;
    DrawEventHook hook;
    hook.A.resize(3);
    int calls = 0;
    hook.OnDraw = [&](TColorRule *sender, int fromPos, QByteArrayView text, std::span<TKeyDescr> a, int &count) {
        ++calls;
        EXPECT_EQ(sender, &rule);
        EXPECT_EQ(fromPos, 10);
        EXPECT_EQ(text, "klmnopqrst");
        EXPECT_EQ(a.size(), 3u);
        EXPECT_EQ(a[0].StartPos, 0);
        a[0] = {1, 2, 0xAA, 0, 1};
        a[1] = {-5, 3, 0xBB, 7, 0};  // starts before the stretch
        a[2] = {8, 50, 0xCC, 0, 0};  // runs past the cut-off
        count = 99;                  // more than the array holds
    };
    const QByteArray text = "abcdefghijklmnopqrstuvwxyz";
    const auto r = scan(rule, text, 10, 20, &hook);
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], (Range{11, 12, 0xAA, 4, 0}));
    EXPECT_EQ(r[1], (Range{10, 13, 0xBB, 7, 0}));
    EXPECT_EQ(r[2], (Range{18, 19, 0xCC, 4, 0}));

    // No handler or no array: nothing, and no call.
    EXPECT_TRUE(scan(rule, text, 10, 20).empty());
    hook.A.clear();
    EXPECT_TRUE(scan(rule, text, 10, 20, &hook).empty());
    EXPECT_EQ(calls, 1);
}

TEST(ScanRule, DisabledRulesAddNothingAndChangedListsAreRebuilt)
{
    TColorRule rule = keywordRule({"ab"});
    EXPECT_EQ(scan(rule, "ab cd").size(), 1u);
    rule.SetKeywords({"cd"});
    EXPECT_EQ(starts(scan(rule, "ab cd")), (std::vector<int>{3}));
    rule.KeyCase = true;
    EXPECT_EQ(scan(rule, "ab CD").size(), 0u);
    rule.Enabled = false;
    EXPECT_TRUE(scan(rule, "ab cd").empty());
}

TEST(KeyDescrList, ReusesRecordsGrowsWhenNeededAndTracksTheColouredStretch)
{
    TKeyDescrList list(2);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(list[0].isFree());
    int next = list.put(0, {5, 9, 0, 0, 0});
    next = list.put(next, {3, 4, 0, 0, 0});
    next = list.put(next, {7, 12, 0, 0, 0});
    EXPECT_EQ(next, 3);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.MinColorPos, 3);
    EXPECT_EQ(list.MaxColorPos, 12);
    list.reset();
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(list[2].isFree());
    EXPECT_EQ(list.MinColorPos, -1);
    EXPECT_EQ(list.MaxColorPos, -1);
}

TEST(ScanRule, UpperCaseCopyIsSharedWithinAPassAndRebuiltForTheNext)
{
    TColorRule a = keywordRule({"ab"});
    TColorRule b = keywordRule({"cd"});
    TKeyDescrList list;
    ScanStretch stretch;
    QByteArray text = "ab cd";
    stretch.reset(text, 0);
    int next = ScanRule(a, list, 0, stretch);
    next = ScanRule(b, list, next, stretch);
    EXPECT_EQ(next, 2);
    text = "cd ab";  // a new pass over changed text
    stretch.reset(text, 0);
    list.reset();
    next = ScanRule(b, list, 0, stretch);
    EXPECT_EQ(next, 1);
    EXPECT_EQ(list[0].StartPos, 0);
}

TEST(MarkerScan, EmptyEndMarkersGiveNoRangeAndASemicolonEndIsWrittenTripled)
{
    const struct
    {
        QList<QByteArray> lines;
        const char *text;
        std::vector<Range> expected;
    } cases[] = {
        // An empty end marker would be found at once and colour one character.
        {{"<;"}, "a<b>", {}},
        {{"<;;0000FF"}, "a<b>", {}},
        // ...and it does not hide the slots after it.
        {{"[;", "(;);0000FF"}, "[x(y)", {{2, 4, 0xFF0000, 0, 0}}},
        // "&;;;colour": begin "&", end ";", as entities are written, inside words too.
        {{"&;;;0000FF"}, "caf&eacute;s &#233;", {{3, 10, 0xFF0000, 0, 0}, {13, 18, 0xFF0000, 0, 0}}},
    };
    for (const auto &c : cases) {
        TColorRule rule = markerRule(c.lines);
        EXPECT_EQ(scan(rule, c.text), c.expected) << c.text;
    }
}
