#include "search/TextSearch.h"

#include <gtest/gtest.h>

namespace {

constexpr int Case = 1, Word = 2, Rx = 4;

SearchOptions optionsOf(int flags)
{
    return {(flags & Case) != 0, (flags & Word) != 0, (flags & Rx) != 0};
}

// Every match from the start, as "start+length" pairs, the way Replace All walks them.
std::string matchList(QByteArrayView text, QByteArrayView find, int flags, bool utf8)
{
    TextSearcher s(find, optionsOf(flags), utf8);
    std::string out;
    TextMatch m = s.findForward(text, 0);
    while (m.found()) {
        out += (out.empty() ? "" : " ") + std::to_string(m.start) + "+" + std::to_string(m.length);
        m = s.findForward(text, m.end(), m.length == 0 ? m.end() : -1);
    }
    return out;
}

struct ReplaceCase
{
    const char *what;
    QByteArray text;
    bool utf8;
    QByteArray find;
    int flags;
    QByteArray replacement;
    QByteArray expected;  // the whole text after Replace All from the start
    int count;
};

// Golden results of Replace All over UTF-8, Latin-1 and damaged text.
const ReplaceCase kReplaceCases[] = {
    {"literal keeps the old behaviour", "aaaa", true, "aa", 0, "b", "bb", 2},
    {"literal folds only A-Z", "<B><b>\xC3\x89\xC3\xA9", true, "<b>", 0, "<STRONG>", "<STRONG><STRONG>\xC3\x89\xC3\xA9",
     2},
    {"literal replacement is never expanded", "ab", true, "a", 0, "\\0\\n", "\\0\\nb", 1},
    {"whole word literal", "cat concat cat_ cat.", true, "cat", Word, "dog", "dog concat cat_ dog.", 2},
    {"whole word: non-ASCII letters continue a word", "caf\xC3\xA9 caf", true, "caf", Word, "X", "caf\xC3\xA9 X", 1},
    {"whole word: a tag edge needs no space", "x<img y", true, "<img", Word, "<IMG", "x<IMG y", 1},
    {"regex groups swap", "<B>bold</B>", true, "<(/?)B>", Rx, "<\\1STRONG>", "<STRONG>bold</STRONG>", 2},
    {"\\0 is the whole match", "a1b22", true, "[0-9]+", Rx, "(\\0)", "a(1)b(22)", 2},
    {"escapes \\n \\r \\t \\\\", "a,b", true, ",", Rx, "\\r\\n\\t\\\\", "a\r\n\t\\b", 1},
    {"other backslashes stay", "a", true, "a", Rx, "\\q\\", "\\q\\", 1},
    {"an unset group is empty", "ac", true, "a(b)?c", Rx, "[\\1]", "[]", 1},
    {"match case off folds in regex", "Body BODY body", true, "body", Rx, "x", "x x x", 3},
    {"match case on", "Body BODY body", true, "body", Rx | Case, "x", "Body BODY x", 1},
    {"^ at every line start, CR LF, LF and CR", "a\r\nb\nc\rd", true, "^", Rx, ">", ">a\r\n>b\n>c\r>d", 4},
    {"$ at every line end", "a\r\nb\nc\rd", true, "$", Rx, "<", "a<\r\nb<\nc<\rd<", 4},
    {". stops at line ends", "ab\r\ncd", true, ".+", Rx, "x", "x\r\nx", 2},
    {"empty matches never loop", "abc", true, "x*", Rx, "-", "-a-b-c-", 4},
    {"empty and non-empty matches", "baaa", true, "a*", Rx, "-", "-b--", 3},
    {"UTF-8: . is one character", "\xC3\xA9t\xC3\xA9", true, "^.t.$", Rx, "ok", "ok", 1},
    {"UTF-8: caseless folds accented letters", "\xC3\x89t\xC3\xA9", true, "\xC3\xA9", Rx, "e", "ete", 2},
    {"Latin-1: . is one byte", "\xE9t\xE9", false, "^.t.$", Rx, "ok", "ok", 1},
    {"Latin-1: byte patterns", "caf\xE9 caf\xE9", false, "\xE9", Rx | Case, "e", "cafe cafe", 2},
    {"invalid UTF-8 is never matched, the rest is",
     "a\xFF"
     "b\xC3",
     true, "[^a]", Rx, "_", "a\xFF_\xC3", 1},
    {"invalid UTF-8 bytes survive Replace All", "\xFF<b>\xFE", true, "<b>", 0, "<i>", "\xFF<i>\xFE", 1},
    {"NUL bytes are text", QByteArray("a\0b", 3), true, "b", Rx, "c", QByteArray("a\0c", 3), 1},
    {"whole word regex skips inner hits", "is this is", true, "is", Rx | Word, "IS", "IS this IS", 2},
    {"lookbehind sees the text before", "xa ya", true, "(?<=y)a", Rx, "b", "xa yb", 1},
    // With match case a literal start is looked for first: what it may miss.
    {"literal start, optional last letter", "ac abc abbc", true, "ab?c", Rx | Case, "X", "X X abbc", 2},
    {"literal start, counted last letter", "ac abc", true, "ab{0,1}c", Rx | Case, "X", "X X", 2},
    {"literal start, repeated last letter", "a ab abb", true, "ab*", Rx | Case, "X", "X X X", 3},
    {"literal start, alternatives", "cat dog", true, "cat|dog", Rx | Case, "X", "X X", 2},
    {"literal start, whole word skips inner hits", "is this is", true, "is", Rx | Word | Case, "IS", "IS this IS", 2},
    {"literal start, groups after it", "<img a><img b>", true, "<img ([a-z])>", Rx | Case, "\\1", "ab", 2},
};

}  // namespace

TEST(TextSearch, ReplaceAllGoldenTable)
{
    for (const ReplaceCase &c : kReplaceCases) {
        SCOPED_TRACE(c.what);
        TextSearcher s(c.find, optionsOf(c.flags), c.utf8);
        ASSERT_TRUE(s.isValid()) << s.error().toStdString();
        EXPECT_TRUE(s.replacementError(c.replacement).isEmpty());
        const ReplaceAllResult r = s.replaceAll(c.text, 0, c.replacement);
        EXPECT_EQ(r.count, c.count);
        QByteArray out = c.text;
        if (r.count > 0)
            out.replace(r.from, r.to - r.from, r.bytes);
        EXPECT_EQ(out.toStdString(), c.expected.toStdString());
    }
}

TEST(TextSearch, LiteralPrefixOfARegexIsOnlyWhatEveryMatchStartsWith)
{
    const std::pair<const char *, const char *> cases[] = {
        {"<img[^>]*>", "<img"}, {"abc", "abc"},         {"ab?c", "a"}, {"ab*", "a"},
        {"ab+", "ab"},          {"ab{2}", "a"},         {"a.b", "a"},  {"a|b", ""},
        {"(ab)", ""},           {"\\bword", ""},        {"^ab", ""},   {"ab\\d", "ab"},
        {"[ab]c", ""},          {"caf\xC3\xA9", "caf"}, {"", ""},
    };
    for (const auto &[pattern, prefix] : cases)
        EXPECT_EQ(RegexLiteralPrefix(pattern).toStdString(), prefix) << pattern;
}

TEST(TextSearch, MalformedPatternsNameTheOffset)
{
    const struct
    {
        QByteArray pattern;
        bool utf8;
        const char *offset;
    } cases[] = {
        {"(ab", true, "offset 3:"},
        {"a[b", true, "offset 3:"},
        {"\xC3\xA9\xC3\xA9(", true, "offset 3:"},  // characters, not bytes
        {"\xE9\xE9(", false, "offset 3:"},
        {"a{2,1}", true, "offset 5:"},
        {"*a", true, "offset 0:"},
    };
    for (const auto &c : cases) {
        TextSearcher s(c.pattern, optionsOf(Rx), c.utf8);
        EXPECT_FALSE(s.isValid());
        EXPECT_TRUE(s.error().startsWith("Error in the regular expression at " + QString(c.offset)))
            << s.error().toStdString();
        EXPECT_FALSE(s.findForward("abc", 0).found());
        EXPECT_EQ(s.replaceAll("abc", 0, "x").count, 0);
    }
    EXPECT_FALSE(TextSearcher("", {}, true).isValid());
}

TEST(TextSearch, ReplacementNamingAMissingGroupIsRefused)
{
    TextSearcher one("(a)b", optionsOf(Rx), true);
    EXPECT_TRUE(one.replacementError("\\0\\1").isEmpty());
    EXPECT_EQ(one.replacementError("\\2").toStdString(),
              "The replacement uses group \\2, but the regular expression has only one group.");
    EXPECT_TRUE(TextSearcher("a", {}, true).replacementError("\\5").isEmpty());  // literal: as typed
}

TEST(TextSearch, CatastrophicBacktrackingStopsWithAMessage)
{
    const QByteArray text = QByteArray(40, 'a') + "!";
    TextSearcher s("(a+)+$", optionsOf(Rx), true);
    EXPECT_FALSE(s.findForward(text, 0).found());
    EXPECT_TRUE(s.error().contains("backtracks too much")) << s.error().toStdString();
    EXPECT_EQ(s.replaceAll(text, 0, "x").count, 0);
    EXPECT_FALSE(s.error().isEmpty());
    // The next search starts afresh.
    EXPECT_TRUE(s.findForward("aa", 0).found());
    EXPECT_TRUE(s.error().isEmpty());
}

TEST(TextSearch, MatchesInOrder)
{
    const struct
    {
        QByteArray text;
        QByteArray find;
        int flags;
        bool utf8;
        const char *matches;
    } cases[] = {
        {"aaaa", "aa", 0, true, "0+2 2+2"},
        {"a\r\n\r\nb", "^$", Rx, true, "3+0"},
        {"a\r\n", "$", Rx, true, "1+0 3+0"},
        {"\xC3\xA9\xC3\xA9", "", Rx, true, ""},
        {"\xC3\xA9x", "(?=x)|^", Rx, true, "0+0 2+0"},
        {"\xE9x", "(?=x)|^", Rx, false, "0+0 1+0"},
        {"ab\nab", "b$", Rx, true, "1+1 4+1"},
        {"word words sword", "word", Word | Case, true, "0+4"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.find.toStdString());
        EXPECT_EQ(matchList(c.text, c.find, c.flags, c.utf8), c.matches);
    }
}

TEST(TextSearch, BackwardFindsTheLastMatchBeforeThePlace)
{
    const QByteArray text = "<b>1</b> <b>2</b> <b>3</b>";
    for (const int flags : {0, Rx, Word}) {
        TextSearcher s("<b>", optionsOf(flags), true);
        EXPECT_EQ(s.findBackward(text, text.size()).start, 18);
        EXPECT_EQ(s.findBackward(text, 18).start, 9);
        EXPECT_EQ(s.findBackward(text, 1).start, 0);
        EXPECT_FALSE(s.findBackward(text, 0).found());
    }
    // Overlapping matches: the one starting last is found.
    TextSearcher aa("aa", optionsOf(Rx), true);
    EXPECT_EQ(aa.findBackward("aaa", 3).start, 1);
    // Far back: past the first stretch searched.
    QByteArray big = "<i>" + QByteArray(300 * 1024, 'x');
    for (const int flags : {0, Rx}) {
        TextSearcher s("<i>", optionsOf(flags), true);
        EXPECT_EQ(s.findBackward(big, big.size()).start, 0);
    }
    // The groups of the match found backward are the ones replaced.
    TextSearcher g("<(.)>", optionsOf(Rx), true);
    const QByteArray abc = "<a><b><c>";
    const TextMatch m = g.findBackward(abc, 6);
    ASSERT_EQ(m.start, 3);
    QByteArray out;
    g.appendReplacement(out, abc, "\\1");
    EXPECT_EQ(out, "b");
}

TEST(TextSearch, FindNextStartsAfterARegexMatchAndKeepsTheLiteralRule)
{
    EXPECT_EQ(NextSearchStart("aaaaa", 0, 3, 3, false), 2);
    EXPECT_EQ(NextSearchStart("aaaaa", 0, 3, 3, true), 3);
    EXPECT_EQ(NextSearchStart("aaaaa", 2, 0, 3, true), 2);
    EXPECT_EQ(NextSearchStart("aa", 5, 2, 3, true), 2);
}

TEST(TextSearch, FoldedLiteralSearchAgreesWithAPlainScanAtEveryPlace)
{
    // The block scan tests 16 or 32 starts at once: a match in every place of
    // texts around those sizes, near folding look-alikes ('@' and '`', '[' and '{').
    const auto plain = [](const QByteArray &text, qsizetype from, const QByteArray &find) {
        for (qsizetype p = from; p + find.size() <= text.size(); ++p)
            if (text.mid(p, find.size()).toLower() == find.toLower())
                return p;
        return qsizetype(-1);
    };
    for (const QByteArray &find : {QByteArray("</HTML>"), QByteArray("a@"), QByteArray("[x"), QByteArray("Zz")}) {
        for (qsizetype size = 0; size < 70; ++size) {
            for (qsizetype at = 0; at + find.size() <= size; at += 3) {
                QByteArray text(size, '`');
                for (qsizetype i = 0; i < size; i += 5)
                    text[i] = '{';
                text.replace(at, find.size(), at % 2 ? find.toUpper() : find.toLower());
                for (const qsizetype from : {qsizetype(0), at, at + 1})
                    ASSERT_EQ(FindBytes(text, from, find, false), plain(text, from, find))
                        << find.toStdString() << " size " << size << " at " << at << " from " << from;
            }
        }
    }
}
