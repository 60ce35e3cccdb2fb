#include "editor/ColorRules.h"
#include "editor/ColorRulesFile.h"
#include "platform/Settings.h"

#include "support/ScriptedPrompts.h"
#include "support/GeneratorMarkupNames.h"
#include "support/FileSizeLimit.h"
#include "support/TestUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray header = ";Tagloom Color Rules\r\n"
                          ";Syntax:\r\n"
                          ";Rule Name;Rule Type;Rule Color;Z-Index;keywords/marker1;marker2\r\n"
                          ";My Rule;m;009922;2;<!-- ; -->\r\n"
                          ";My Rule 2;k;990022;1;Tagloom\r\n";

QString shippedRulesFile()
{
    return QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.colors");
}

struct Colored
{
    int start;
    int end;
    TColor color;
    bool operator==(const Colored &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Colored &c)
{
    return os << "{" << c.start << "," << c.end << ",0x" << std::hex << c.color << std::dec << "}";
}

// Ranges of every rule over the whole text, in scan order.
std::vector<Colored> scanAll(TDrawRules &rules, const QByteArray &text)
{
    rules.PrepareRules();
    TKeyDescrList list;
    ScanStretch stretch(text, 0);
    int next = 0;
    for (int i = 0; i < rules.Count(); ++i)
        next = ScanRule(*rules.Items(i), list, next, stretch);
    std::vector<Colored> out;
    for (int i = 0; i < next; ++i)
        out.push_back({list[i].StartPos, list[i].EndPos, list[i].KeyColor});
    return out;
}

// The winning colour at every byte (-1 none): the higher z-order wins, the later range on ties.
std::vector<qint64> paintedColors(TDrawRules &rules, const QByteArray &text)
{
    rules.PrepareRules();
    TKeyDescrList list;
    ScanStretch stretch(text, 0);
    int next = 0;
    for (int i = 0; i < rules.Count(); ++i)
        next = ScanRule(*rules.Items(i), list, next, stretch);
    std::vector<qint64> color(size_t(text.size()), -1);
    std::vector<int> z(size_t(text.size()), -1);
    for (int i = 0; i < next; ++i) {
        for (int p = list[i].StartPos; p <= list[i].EndPos; ++p) {
            if (z[size_t(p)] <= list[i].KeyZOrder) {
                z[size_t(p)] = list[i].KeyZOrder;
                color[size_t(p)] = list[i].KeyColor;
            }
        }
    }
    return color;
}

class ColorRulesFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        fileName = dir.filePath(QStringLiteral("Tagloom.colors"));
        savedLines = RuleLines();
        savedColorTags = AppSettings().ColorTags;
    }
    void TearDown() override
    {
        RuleLines() = savedLines;
        AppSettings().ColorTags = savedColorTags;
        QFile::remove(ColorRulesFileName());
    }

    QTemporaryDir dir;
    QString fileName;
    QList<QByteArray> savedLines;
    bool savedColorTags = true;
};

}  // namespace

TEST(RuleFields, SplitAtTheFirstFourSemicolonsAndKeepBlanks)
{
    const QByteArray line = "My Rule;m;009922;2;<!-- ; -->";
    EXPECT_EQ(RuleFieldName(line), "My Rule");
    EXPECT_EQ(RuleFieldType(line), 'm');
    EXPECT_EQ(RuleFieldColor(line), "009922");
    EXPECT_EQ(RuleFieldZIndex(line), 2);
    EXPECT_EQ(RuleFieldKeys(line), "<!-- ; -->");

    EXPECT_EQ(RuleFieldType("x;Keyword;0;0;a"), 'k');
    EXPECT_EQ(RuleFieldType("x;K;0;0;a"), 'k');
    EXPECT_EQ(RuleFieldType("x;;0;0;a"), 0);
    EXPECT_EQ(RuleFieldKeys("x;k;0;0;a;b;c"), "a;b;c");
    EXPECT_EQ(RuleFieldKeys("x;k;0;0;"), "");

    // Lines short of fields read the missing ones as empty.
    EXPECT_EQ(RuleFieldName("only"), "only");
    EXPECT_EQ(RuleFieldColor("a;k"), "");
    EXPECT_EQ(RuleFieldKeys("a;k;red;1"), "");
    EXPECT_EQ(RuleFieldType(""), 0);
}

TEST(RuleFields, ZIndexReadsDecimalIntegersAndElseZero)
{
    bool ok = false;
    EXPECT_EQ(RuleFieldZIndex("r;k;0;257;a", &ok), 257);
    EXPECT_TRUE(ok);
    EXPECT_EQ(RuleFieldZIndex("r;k;0;-3;a", &ok), -3);
    EXPECT_TRUE(ok);
    EXPECT_EQ(RuleFieldZIndex("r;k;0; 12;a"), 12);
    for (const char *line :
         {"r;k;0;x;a", "r;k;0;;a", "r;k;0;1x;a", "r;k;0;$10;a", "r;k;0;99999999999;a", "r;k;0;-;a", "r;k"}) {
        EXPECT_EQ(RuleFieldZIndex(line, &ok), 0) << line;
        EXPECT_FALSE(ok) << line;
    }
}

TEST_F(ColorRulesFileTest, ReadSkipsCommentsAndEmptyLinesAndKeepsBlanks)
{
    writeFileBytes(fileName, header + "Tags;m;000080;1;<;>\r\n\r\n;comment\r\nB ;k;red;2; <b\r\nlf;k;0;0;x\n  ;x");
    QList<QByteArray> lines{"old"};
    ScriptedPrompts prompts;
    ASSERT_TRUE(ReadColorRulesFile(fileName, lines));
    EXPECT_EQ(lines, (QList<QByteArray>{"Tags;m;000080;1;<;>", "B ;k;red;2; <b", "lf;k;0;0;x", "  ;x"}));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ColorRulesFileTest, MissingFileSaysNotFoundAndKeepsTheLines)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Ok};
    QList<QByteArray> lines{"kept;k;0;0;a"};
    EXPECT_FALSE(ReadColorRulesFile(fileName, lines));
    EXPECT_EQ(lines, QList<QByteArray>{"kept;k;0;0;a"});
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, QDir::toNativeSeparators(fileName) + "\r\nnot found");
    EXPECT_EQ(prompts.messages[0].caption, "Error");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompts.messages[0].buttons, QMessageBox::Ok);
}

TEST_F(ColorRulesFileTest, WriteReplacesTheFileWithTheCommentLinesAndRulesAndReadsBack)
{
    writeFileBytes(fileName, "old;k;0;0;gone\r\n");
    const QList<QByteArray> lines{"My Rule;m;009922;2;<!-- ; -->", "sp ;k; red ;1; two words ", "x;x;0;0;"};
    ScriptedPrompts prompts;
    ASSERT_TRUE(WriteColorRulesFile(fileName, lines));
    QByteArray expected = header;
    for (const QByteArray &l : lines)
        expected += l + "\r\n";
    EXPECT_EQ(readFileBytes(fileName), expected);
    QList<QByteArray> back;
    ASSERT_TRUE(ReadColorRulesFile(fileName, back));
    EXPECT_EQ(back, lines);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Writing used to need an existing file and dropped the edits silently otherwise.
TEST_F(ColorRulesFileTest, WriteCreatesAMissingFileInsteadOfLosingTheEdits)
{
    ScriptedPrompts prompts;
    ASSERT_FALSE(QFileInfo::exists(fileName));
    ASSERT_TRUE(WriteColorRulesFile(fileName, {"a;k;0;0;b"}));
    EXPECT_EQ(readFileBytes(fileName), header + "a;k;0;0;b\r\n");
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ColorRulesFileTest, AFailedWriteSaysSo)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Ok};
    const QString inMissingFolder = dir.filePath(QStringLiteral("no/such/Tagloom.colors"));
    EXPECT_FALSE(WriteColorRulesFile(inMissingFolder, {"a;k;0;0;b"}));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Cannot create file " + QDir::toNativeSeparators(inMissingFolder));
}

TEST(BuildDrawRules, MakesKeywordAndMarkerRulesFromTheFields)
{
    TDrawRules rules;
    BuildDrawRules({"kw;Keyword;990022;257;Tagloom", "cm;m;009922;2;<!-- ; -->", "odd;x;red;5;a", "k2;K;red;3;a;b"},
                   true, rules);
    ASSERT_EQ(rules.Count(), 4);

    const TColorRule &k = *rules.Items(0);
    EXPECT_EQ(k.KeyDrawingType, dtKeyShow);
    EXPECT_EQ(k.ZOrder, 1);  // 257, low 8 bits
    EXPECT_FALSE(k.KeyCase);
    EXPECT_FALSE(k.PartWord);
    EXPECT_TRUE(k.Enabled);
    EXPECT_EQ(k.KeyMaxHeight, 1);
    EXPECT_EQ(k.DefKeyColor, clRuleRed);
    EXPECT_EQ(k.Keywords(), QList<QByteArray>{"Tagloom;990022"});

    const TColorRule &m = *rules.Items(1);
    EXPECT_EQ(m.KeyDrawingType, dtBeginEnd);
    EXPECT_EQ(m.ZOrder, 2);
    EXPECT_EQ(m.KeyBegEndLst(), (QList<QByteArray>{"<!-- ; -->;009922", "<!-- ; -->;009922"}));

    const TColorRule &other = *rules.Items(2);
    EXPECT_EQ(other.ZOrder, 5);
    EXPECT_TRUE(other.Keywords().isEmpty());
    EXPECT_TRUE(other.KeyBegEndLst().isEmpty());

    //                    0123456789012345678901234
    const QByteArray text("TAGLOOM a <!-- c --> a;b");
    const auto ranges = scanAll(rules, text);
    ASSERT_EQ(ranges.size(), 4u);
    EXPECT_EQ(ranges[0], (Colored{0, 6, 0x220099}));
    // The blanks belong to the markers.
    EXPECT_EQ(ranges[1], (Colored{10, 19, 0x229900}));
    // "a;b" as a keyword: keyword "a", colour text "b;red", which is white.
    EXPECT_EQ(ranges[2], (Colored{8, 8, clRuleWhite}));
    EXPECT_EQ(ranges[3], (Colored{21, 21, clRuleWhite}));

    BuildDrawRules({"kw;k;red;1;a"}, false, rules);
    EXPECT_EQ(rules.Count(), 0);
}

TEST(BuildDrawRules, MarkersMatchAllLowerOrAllUpperButNotMixed)
{
    TDrawRules rules;
    BuildDrawRules({"s;m;red;1;<Script;</Script>"}, true, rules);
    EXPECT_EQ(scanAll(rules, "<script>x</script>").size(), 1u);
    EXPECT_EQ(scanAll(rules, "<SCRIPT>x</SCRIPT>").size(), 1u);
    EXPECT_TRUE(scanAll(rules, "<Script>x</Script>").empty());
}

// A Z-Index that is not a number used to stop the building, leaving the later rules out.
TEST(BuildDrawRules, BadZIndexGivesZeroAndTheLaterRulesAreStillBuilt)
{
    TDrawRules rules;
    BuildDrawRules({"a;k;red;abc;one", "b;k;blue;4;two"}, true, rules);
    ASSERT_EQ(rules.Count(), 2);
    EXPECT_EQ(rules.Items(0)->ZOrder, 0);
    EXPECT_EQ(rules.Items(1)->ZOrder, 4);
    EXPECT_EQ(scanAll(rules, "one two").size(), 2u);
}

TEST_F(ColorRulesFileTest, ApplyReadsTheFileAgainOnlyWhenColourTagsAreOn)
{
    writeFileBytes(ColorRulesFileName(), header + "a;k;red;1;one\r\n");
    ScriptedPrompts prompts;
    TDrawRules rules;
    rules.Add();
    AppSettings().ColorTags = false;
    RuleLines() = {"stale;k;red;1;x"};
    ApplyColorRules(rules);
    EXPECT_EQ(rules.Count(), 0);
    EXPECT_EQ(RuleLines(), QList<QByteArray>{"stale;k;red;1;x"});

    AppSettings().ColorTags = true;
    ApplyColorRules(rules);
    EXPECT_EQ(RuleLines(), QList<QByteArray>{"a;k;red;1;one"});
    ASSERT_EQ(rules.Count(), 1);
    EXPECT_EQ(rules.Items(0)->Keywords(), QList<QByteArray>{"one;red"});

    // Missing file: the message, and the rules come from the list unchanged.
    QFile::remove(ColorRulesFileName());
    prompts.answers = {QMessageBox::Ok};
    ApplyColorRules(rules);
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(rules.Count(), 1);
}

TEST_F(ColorRulesFileTest, RuleLinesRoundTripThroughTheDataFolder)
{
    ScriptedPrompts prompts;
    RuleLines() = {"a;k;red;1;one", "c;m;green;2;/*;*/"};
    ASSERT_TRUE(WriteColorRulesFile());
    RuleLines().clear();
    ASSERT_TRUE(ReadColorRulesFile());
    EXPECT_EQ(RuleLines(), (QList<QByteArray>{"a;k;red;1;one", "c;m;green;2;/*;*/"}));
}

TEST(ShippedColorRules, AreWellFormedAndColourHandWrittenHtml)
{
    ScriptedPrompts prompts;
    const QByteArray bytes = readFileBytes(shippedRulesFile());
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(bytes.startsWith(header));
    EXPECT_FALSE(bytes.contains("\r\r"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));

    QList<QByteArray> lines;
    ASSERT_TRUE(ReadColorRulesFile(shippedRulesFile(), lines));
    ASSERT_GT(lines.size(), 50);
    for (const QByteArray &line : lines) {
        bool ok = false;
        RuleFieldZIndex(line, &ok);
        EXPECT_TRUE(ok) << line.constData();
        EXPECT_TRUE(RuleFieldType(line) == 'k' || RuleFieldType(line) == 'm') << line.constData();
        EXPECT_EQ(RuleFieldColor(line).size(), 6) << line.constData();
        EXPECT_NE(ParseRuleColor(RuleFieldColor(line)), clRuleWhite) << line.constData();
        EXPECT_FALSE(RuleFieldKeys(line).isEmpty()) << line.constData();
        if (RuleFieldType(line) == 'k') {
            EXPECT_FALSE(RuleFieldKeys(line).contains(';')) << line.constData();
        }
    }

    TDrawRules rules;
    BuildDrawRules(lines, true, rules);
    const QByteArray html = "<table border=1><TR><td>x &nbsp; y</td></TR></table> <!-- <b>no</b> --> "
                            "<A HREF=\"a.html\">bold</A> <br>";
    const auto colors = paintedColors(rules, html);
    auto at = [&](const char *what, int offset = 0) {
        const qsizetype p = html.indexOf(what);
        EXPECT_GE(p, 0) << what;
        return colors[size_t(p + offset)];
    };
    const qint64 tagName = at("<table", 1);
    EXPECT_NE(tagName, -1);
    EXPECT_EQ(at("<TR", 1), tagName);
    EXPECT_EQ(at("<td", 2), tagName);
    EXPECT_EQ(at("<A", 1), tagName);
    EXPECT_EQ(at("<br", 2), tagName);
    EXPECT_EQ(at("</TR>", 2), tagName);
    const qint64 attribute = at("border");
    EXPECT_NE(attribute, -1);
    EXPECT_NE(attribute, tagName);
    EXPECT_EQ(at("HREF"), attribute);
    const qint64 entity = at("&nbsp", 2);
    EXPECT_NE(entity, -1);
    EXPECT_NE(entity, tagName);
    const qint64 comment = at("<!--");
    EXPECT_NE(comment, -1);
    EXPECT_EQ(at("<b>no", 1), comment);
    EXPECT_EQ(at("-->", 2), comment);
    // Text between tags keeps the plain font colour.
    EXPECT_EQ(at(">x", 1), -1);
    EXPECT_EQ(at("bold"), -1);
    // Every colour reads well on white: none is lighter than mid-grey.
    for (const qint64 c : {tagName, attribute, entity, comment}) {
        const int r = int(c & 0xFF), g = int((c >> 8) & 0xFF), b = int((c >> 16) & 0xFF);
        EXPECT_LT(r * 299 + g * 587 + b * 114, 128 * 1000) << std::hex << c;
    }
}

TEST(ShippedColorRules, ColourEveryNameTheGeneratorsWrite)
{
    QList<QByteArray> lines;
    ASSERT_TRUE(ReadColorRulesFile(shippedRulesFile(), lines));
    TDrawRules rules;
    BuildDrawRules(lines, true, rules);
    auto colorAt = [&rules](const QByteArray &html, int offset) { return paintedColors(rules, html)[size_t(offset)]; };
    const qint64 tagName = colorAt("<B>", 1);
    const qint64 attribute = colorAt("<P HREF=\"x\">", 3);
    ASSERT_NE(tagName, -1);
    ASSERT_NE(attribute, -1);
    // Both cases: keyword rules ignore case.
    for (const QByteArray &name : [] {
             QList<QByteArray> names;
             for (const char *n : GeneratorTagNames)
                 names << QByteArray(n) << QByteArray(n).toLower();
             return names;
         }()) {
        EXPECT_EQ(colorAt("<" + name + " x>", 1), tagName) << name.constData();
    }
    for (const char *n : GeneratorAttributeNames) {
        for (const QByteArray &name : {QByteArray(n), QByteArray(n).toLower()})
            EXPECT_EQ(colorAt("<P " + name + "=\"v\">", 3), attribute) << name.constData();
    }
}

TEST(ShippedColorRules, EntitiesInsideWordsAndQuotedValuesHaveTheirOwnColours)
{
    QList<QByteArray> lines;
    ASSERT_TRUE(ReadColorRulesFile(shippedRulesFile(), lines));
    TDrawRules rules;
    BuildDrawRules(lines, true, rules);
    const QByteArray html = "<P>caf&eacute; Hello&nbsp;World &#233;</P>\r\n"
                            "<IMG SRC=\"a&amp;b.gif\" ALT=\"x\"> said \"hi\" <!-- \"c\" &amp; -->";
    const auto colors = paintedColors(rules, html);
    auto at = [&](const char *what, int offset = 0) {
        const qsizetype p = html.indexOf(what);
        EXPECT_GE(p, 0) << what;
        return colors[size_t(p + offset)];
    };
    const qint64 entity = at("&eacute;");
    const qint64 tagName = at("<IMG", 1);
    const qint64 attribute = at("SRC");
    const qint64 comment = at("<!--");
    EXPECT_NE(entity, -1);
    const struct
    {
        const char *what;
        int offset;
        qint64 expected;
    } cases[] = {
        {"&eacute;", 7, entity}, {"caf", 0, -1},       {"&nbsp;", 0, entity},
        {"&nbsp;", 5, entity},   {"World", 0, -1},     {"&#233;", 5, entity},
        {"a&amp;", 1, entity},   {"<!--", 6, comment}, {"&amp; -->", 0, comment},
    };
    for (const auto &c : cases)
        EXPECT_EQ(at(c.what, c.offset), c.expected) << c.what << "+" << c.offset;

    // A quoted value has a colour of its own, apart from every tag colour, that reads well on white.
    const qint64 value = at("\"a&amp;", 1);
    EXPECT_NE(value, -1);
    for (const qint64 other : {entity, tagName, attribute, comment, at("<P>"), at("</P>", 1)})
        EXPECT_NE(value, other);
    EXPECT_EQ(at("\"x\"", 1), value);
    const int r = int(value & 0xFF), g = int((value >> 8) & 0xFF), b = int((value >> 16) & 0xFF);
    EXPECT_LT(r * 299 + g * 587 + b * 114, 128 * 1000);
}

// A rules file small enough to stay in a write buffer used to be cut off on a
// full disk while the write said it had worked.
TEST_F(ColorRulesFileTest, SmallFileOnFullDiskKeepsTheOldRulesAndSaysWhy)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Ok};
    ASSERT_TRUE(writeFileBytes(fileName, header + "old;k;0;0;b\r\n"));
    const QList<QByteArray> lines(100, QByteArray("Rule;k;FF0000;1;keyword"));  // about 2.5 KB
    EXPECT_FALSE(withSizeLimit(1024, [&] { return WriteColorRulesFile(fileName, lines); }));
    EXPECT_EQ(readFileBytes(fileName), header + "old;k;0;0;b\r\n");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Cannot create file " + QDir::toNativeSeparators(fileName));
    EXPECT_EQ(prompts.messages[0].detail, "File too large");
}
