#include "search/SearchText.h"

#include <gtest/gtest.h>

TEST(SearchText, StartsAtTheCaretWithNothingSelected)
{
    // A find text of two or more bytes right at the caret is found, not skipped.
    EXPECT_EQ(FindNextPosition("<B>x<B>", 0, 0, "<B>", true), 0);
    EXPECT_EQ(FindNextPosition("ab", 0, 0, "a", true), 0);
    EXPECT_EQ(FindNextPosition("xxab", 2, 0, "ab", true), 2);
}

TEST(SearchText, PassesOverTheSelectedMatchButFindsOverlaps)
{
    // "aaaa" with "aaa" selected at 0: the next search starts on its last byte.
    EXPECT_EQ(FindNextPosition("aaaaa", 0, 3, "aaa", true), 2);
    EXPECT_EQ(FindNextPosition("abab", 0, 2, "ab", true), 2);
    // A one-byte match selected is passed over too, rather than found again.
    EXPECT_EQ(FindNextPosition("aa", 0, 1, "a", true), 1);
    EXPECT_EQ(FindNextPosition("aa", 1, 1, "a", true), -1);
}

TEST(SearchText, NeverFindsAMatchBeforeTheCaret)
{
    EXPECT_EQ(FindNextPosition("ab", 1, 0, "a", true), -1);
    EXPECT_EQ(FindNextPosition("ab", 1, 0, "b", true), 1);
    EXPECT_EQ(FindNextPosition("ab", 2, 0, "b", true), -1);
    EXPECT_EQ(FindNextPosition("", 0, 0, "a", true), -1);
    EXPECT_EQ(FindNextPosition("abc", 0, 0, "", true), -1);
    // A caret past the end (stale position) finds nothing instead of reading beyond.
    EXPECT_EQ(FindNextPosition("abc", 10, 0, "c", true), -1);
    EXPECT_EQ(FindNextPosition("abc", 2, 5, "c", true), -1);
}

TEST(SearchText, FoldsOnlyAToZ)
{
    EXPECT_EQ(FindBytes("<body><BODY>", 0, "BODY", true), 7);
    EXPECT_EQ(FindBytes("<body><BODY>", 0, "Body", false), 1);
    EXPECT_EQ(FindBytes("<body><BODY>", 0, "Body", true), -1);
    // [ and { are no case pair, nor are Latin-1 or UTF-8 letters.
    EXPECT_EQ(FindBytes("{", 0, "[", false), -1);
    EXPECT_EQ(FindBytes("@`", 0, "`", false), 1);
    EXPECT_EQ(FindBytes("\xE9t\xC9", 0, "\xC9", false), 2);
    EXPECT_EQ(FindBytes("\xC3\xA9\xC3\x89", 0, "\xC3\x89", false), 2);
}

TEST(SearchText, MatchesNulAndHighBytes)
{
    const QByteArray text("a\0b\xFF\0b\xFF", 7);
    EXPECT_EQ(FindBytes(text, 0, QByteArray("\0b\xFF", 3), true), 1);
    EXPECT_EQ(FindBytes(text, 2, QByteArray("\0B\xFF", 3), false), 4);
    EXPECT_EQ(FindBytes(text, 2, QByteArray("\0B\xFF", 3), true), -1);
}

TEST(SearchText, FindsEveryCandidateWhateverByteItScansFor)
{
    // The scan anchors on the rarest byte of the find text; check matches at
    // every place against a plain scan, including near both ends.
    const QByteArray text = "zQz qQ <q> Qq z<Q>zq<q>";
    for (const QByteArray &find : {QByteArray("<q>"), QByteArray("Qz"), QByteArray("z"), QByteArray("q>z")}) {
        for (const bool matchCase : {true, false}) {
            for (qsizetype from = 0; from <= text.size(); ++from) {
                qsizetype expected = -1;
                for (qsizetype i = from; i + find.size() <= text.size() && expected < 0; ++i) {
                    const QByteArray part = text.mid(i, find.size());
                    if (matchCase ? part == find : part.toLower() == find.toLower())
                        expected = i;
                }
                EXPECT_EQ(FindBytes(text, from, find, matchCase), expected)
                    << find.constData() << " from " << from << " case " << matchCase;
            }
        }
    }
}

TEST(SearchText, ReplaceAllBuildsOneStretchWithoutOverlaps)
{
    ReplaceAllResult r = ReplaceAllMatches("xaaaay", 1, "aa", "b", true);
    EXPECT_EQ(r.from, 1);
    EXPECT_EQ(r.to, 5);
    EXPECT_EQ(r.bytes, "bb");
    EXPECT_EQ(r.count, 2);

    // The replacement holding the find text is not searched again.
    r = ReplaceAllMatches("<b>1</B>2<B>", 0, "<B>", "<B><B>", false);
    EXPECT_EQ(r.from, 0);
    EXPECT_EQ(r.to, 12);
    EXPECT_EQ(r.bytes, "<B><B>1</B>2<B><B>");

    r = ReplaceAllMatches("abc", 1, "a", "x", true);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.from, -1);
}
