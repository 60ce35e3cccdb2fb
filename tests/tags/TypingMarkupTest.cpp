// The markup knowledge behind typing help, on plain texts: "|" marks the caret.

#include "tags/CloseTag.h"
#include "tags/ContextIndex.h"
#include "tags/MarkupNames.h"
#include "tags/TagMatch.h"
#include "tags/TagScan.h"

#include <gtest/gtest.h>

namespace {

struct Caret
{
    QByteArray text;
    int pos;
};

Caret caret(const char *marked)
{
    QByteArray text(marked);
    const int pos = int(text.indexOf('|'));
    text.remove(pos, 1);
    return {text, pos};
}

// The bytes, split at `gap` as the editor's buffer may be.
MarkupText split(const QByteArray &text, int gap)
{
    return MarkupText(QByteArrayView(text).first(gap), QByteArrayView(text).sliced(gap), 0, int(text.size()));
}

}  // namespace

TEST(EndTagForTypedGt, WritesTheEndTagOnlyWhereOneIsDue)
{
    const struct
    {
        const char *before;  // '>' is typed at the caret
        const char *endTag;
    } cases[] = {
        {"<ul|", "</ul>"},
        {"<Ul|", "</Ul>"},
        {"x <div class=\"a b\" id=c|", "</div>"},
        {"<td align=left|\r\n</tr>", "</td>"},
        {"<a title='x>y'|", "</a>"},
        {"<h1|", "</h1>"},
        {"<script|", "</script>"},
        {"<p|  \r\n </b>", "</p>"},
        // No end tag: void elements, "/>", end tags, comments, scripts, styles, values.
        {"<br|", ""},
        {"<BR|", ""},
        {"<img src=\"a.gif\"|", ""},
        {"<isindex|", ""},
        {"<frame src=x|", ""},
        {"<div/|", ""},
        {"<div /|", ""},
        {"</div|", ""},
        {"<!DOCTYPE html|", ""},
        {"<!-- <b|", ""},
        {"<!-- a --> <!-- <b|", ""},
        {"<script>if (a <b|", ""},
        {"<SCRIPT type=\"text/javascript\">x = \"<b|", ""},
        {"<style>p <b|", ""},
        {"<a title=\"<b|", ""},
        {"<a title=\"x|\">", ""},
        {"a < b|", ""},
        {"<|", ""},
        // The same end tag follows; the tag has its '>' already.
        {"<b|</b>", ""},
        {"<b|\r\n  </B>", ""},
        {"<b| class=\"x\">", ""},
        {"<b|>", ""},
        // A closed comment or script before is no hindrance.
        {"<!-- x --> <b|", "</b>"},
        {"<script>x<y</script> <b|", "</b>"},
        {"<style>p{}</style><i|", "</i>"},
        {"<b|</i>", "</b>"},
    };
    for (const auto &c : cases) {
        const Caret t = caret(c.before);
        EXPECT_EQ(EndTagForTypedGt(MarkupText(t.text), t.pos), QByteArray(c.endTag)) << c.before;
        // The same wherever the editor's gap stands.
        for (int gap : {0, t.pos / 2, t.pos, int(t.text.size())})
            EXPECT_EQ(EndTagForTypedGt(split(t.text, gap), t.pos), QByteArray(c.endTag)) << c.before << " gap " << gap;
    }
}

TEST(ContextAt, KnowsScriptsCommentsAndMarkupAtEveryPlaceAndSplit)
{
    // Stretches of ordinary tags between the things that decide, shifted byte
    // by byte and split anywhere, as the editor's buffer may hold them.
    const QByteArray ordinary = "<table><tr><td>cell</td></tr></table><sTrong>b</strong><TITLE";
    const struct
    {
        const char *before;
        const char *context;  // of the ordinary stretch that follows
    } parts[] = {
        {"", "markup"},         {"<!--a-->", "markup"}, {"<SCRIPT type=x>", "script"}, {"</Script >", "markup"},
        {"<!-- ", "comment"},   {" -->", "markup"},     {"<textarea>", "textarea"},    {"</TEXTAREA>", "markup"},
        {"<style/>", "markup"}, {"<XMP>", "xmp"},       {"</xmp>", "markup"},          {"<!--b-- >", "comment"}};
    const auto name = [](const MarkupContext &c) {
        return c.kind == MarkupContext::Markup    ? QByteArray("markup")
               : c.kind == MarkupContext::Comment ? QByteArray("comment")
                                                  : c.element;
    };
    for (int pad = 0; pad < 40; pad += 3) {
        QByteArray text(pad, ' ');
        std::vector<std::pair<int, const char *>> stretches;
        for (const auto &part : parts) {
            text += part.before;
            stretches.emplace_back(int(text.size()), part.context);
            text += ordinary;
        }
        for (int gap : {0, 1, 17, int(text.size()) / 2, int(text.size()) - 2, int(text.size())}) {
            const MarkupText t = split(text, gap);
            for (const auto &[start, context] : stretches) {
                // From just after the decider's '>' to the stretch's last byte.
                for (int pos = start; pos < start + int(ordinary.size()); ++pos)
                    ASSERT_EQ(name(ContextAt(t, pos)).toStdString(), context)
                        << "pad " << pad << ", gap " << gap << ", pos " << pos;
            }
        }
    }
}

bool sameContext(const MarkupContext &a, const MarkupContext &b)
{
    return a.kind == b.kind && a.element == b.element;
}

// The index answers at every place as a look through the whole text does.
::testing::AssertionResult indexAgrees(ContextIndex &index, const QByteArray &text)
{
    for (int pos = 0; pos <= int(text.size()); ++pos) {
        if (!sameContext(index.at(pos), ContextAt(MarkupText(text), pos)))
            return ::testing::AssertionFailure() << "at " << pos << " of \"" << text.constData() << "\"";
    }
    return ::testing::AssertionSuccess();
}

const QByteArray IndexedPage = "<p>a<!-- x --><SCRIPT>if (a<b) x()</script ><b>c</b><!--y--><xmp><i></XMP>"
                               "<style/><sTrong>d</strong><TEXTAREA rows=2>e</textarea><table><tr><td>f"
                               "<!-- <script> --><title a='>'>t</title><!-->g";
const QByteArray IndexedPieces[] = {"<script>", "</script>", "<!--", "-->", "<xmp>a", "<scr", "ipt>", "<p>", "-", "<"};

TEST(ContextIndex, AnswersAsALookThroughTheWholeTextAfterAnyOneChange)
{
    for (const QByteArray &piece : IndexedPieces) {
        for (int at = 0; at <= int(IndexedPage.size()); ++at) {
            const QByteArray typed = QByteArray(IndexedPage).insert(at, piece);
            ContextIndex index;
            index.build(split(IndexedPage, at / 2));
            index.inserted(split(typed, at), at, int(piece.size()));
            ASSERT_TRUE(indexAgrees(index, typed)) << "typed \"" << piece.constData() << "\" at " << at;
            // Taken away again, and the same length taken from the page.
            index.deleted(split(IndexedPage, at), at, int(piece.size()));
            ASSERT_TRUE(indexAgrees(index, IndexedPage)) << "\"" << piece.constData() << "\" taken back at " << at;
            const QByteArray cut = QByteArray(IndexedPage).remove(at, piece.size());
            index.deleted(MarkupText(cut), at, int(std::min(piece.size(), IndexedPage.size() - at)));
            ASSERT_TRUE(indexAgrees(index, cut)) << int(piece.size()) << " bytes cut at " << at;
        }
    }
}

TEST(ContextIndex, KeepsUpWithALongRunOfChangesAllOverTheText)
{
    // Changes here and there move the entries' shared shift back and forth.
    QByteArray text = IndexedPage;
    ContextIndex index;
    index.build(MarkupText(text));
    quint32 seed = 7;
    const auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % quint32(n));
    };
    for (int step = 0; step < 400; ++step) {
        const int at = next(int(text.size()) + 1);
        if (next(3) == 0 && text.size() > 40) {
            const int length = std::min(next(12) + 1, int(text.size()) - at);
            text.remove(at, length);
            index.deleted(split(text, next(int(text.size()) + 1)), at, length);
        } else {
            const QByteArray &piece = IndexedPieces[next(std::size(IndexedPieces))];
            text.insert(at, piece);
            index.inserted(split(text, next(int(text.size()) + 1)), at, int(piece.size()));
        }
        ASSERT_TRUE(indexAgrees(index, text)) << "step " << step;
    }
}

TEST(EndTagForTypedGt, KeepsTheBytesOfALatin1Name)
{
    const QByteArray text("caf\xE9 <x-\xE9t\xE9");
    EXPECT_EQ(EndTagForTypedGt(MarkupText(text), int(text.size())), QByteArray("</x-\xE9t\xE9>"));
}

TEST(MatchTag, FindsTheOtherTagAsBrowsersBuildElements)
{
    const struct
    {
        const char *text;  // caret at '|'
        TagMatch::Kind kind;
        const char *other;  // the matching tag's text, or where the end is implied
    } cases[] = {
        {"<d|iv><div></div></div>x", TagMatch::Matched, "</div>"},
        {"<div><div></div></d|iv>x", TagMatch::Matched, "<div>"},
        {"<div>a<div>b</div>c</div|>", TagMatch::Matched, "<div>"},
        {"|<DIV>a</div>", TagMatch::Matched, "</div>"},
        {"<b>|</b>", TagMatch::Matched, "</b>"},  // the tag just typed
        {"<ul><li|>one<li>two</ul>", TagMatch::Implied, "<li>two"},
        {"<ul><li>one<l|i>two</ul>", TagMatch::Implied, "</ul>"},
        {"<u|l><li>one<li>two</ul>", TagMatch::Matched, "</ul>"},
        {"<ul><li>one<li>two</u|l>", TagMatch::Matched, "<ul>"},
        {"<p|>one<div>two</div>", TagMatch::Implied, "<div>"},
        {"<table><tr><t|d>a<td>b</table>", TagMatch::Implied, "<td>b"},
        {"<t|r><td>a<td>b<tr><td>c", TagMatch::Implied, "<tr><td>c"},
        {"<select><opti|on>a<option>b</select>", TagMatch::Implied, "<option>b"},
        {"<dl><d|t>a<dd>b</dl>", TagMatch::Implied, "<dd>b"},
        {"<b|r>", TagMatch::Empty, ""},
        {"<im|g src=x>", TagMatch::Empty, ""},
        {"<di|v/>", TagMatch::Empty, ""},
        {"<div><b|>x</div>", TagMatch::Unmatched, ""},
        {"<div>x</b|></div>", TagMatch::Unmatched, ""},
        {"x</b|r>", TagMatch::Unmatched, ""},
        {"<d|iv>", TagMatch::Unmatched, ""},
        // Comments and scripts hold no tags.
        {"<d|iv><!-- </div> --></div>", TagMatch::Matched, "</div>"},
        {"<d|iv><script>if (a</div>b) {}</script></div>", TagMatch::Matched, "</div>"},
        {"<div><script>x = '<div>'</script><!-- <div> --></di|v>", TagMatch::Matched, "<div>"},
        {"<scr|ipt>if (a<b) x = '</b>'</script>", TagMatch::Matched, "</script>"},
        {"<script>if (a<b) x = '</b>'</scri|pt>", TagMatch::Matched, "<script>"},
        {"<!-- <d|iv> --></div>", TagMatch::NoTag, ""},
        {"<script><d|iv></div></script>", TagMatch::NoTag, ""},
        {"a|b <b>", TagMatch::NoTag, ""},
        {"<t|\r\n</body>", TagMatch::NoTag, ""},  // a tag left unfinished is no tag
        // Quoted values may hold '>' and '<'.
        {"<a ti|tle=\"x>y\">link</a>", TagMatch::Matched, "</a>"},
        {"<a title=\"x>y\">link</a|>", TagMatch::Matched, "<a title=\"x>y\">"},
        // Line ends are bytes like any other.
        {"<d|iv\r\n class=x>\r\n<p>a\r\n</div>", TagMatch::Matched, "</div>"},
    };
    for (const auto &c : cases) {
        const Caret t = caret(c.text);
        for (int gap : {0, t.pos, int(t.text.size())}) {
            const MarkupText text = split(t.text, gap);
            const TagMatch m = MatchTag(text, t.pos);
            EXPECT_EQ(m.kind, c.kind) << c.text << " gap " << gap;
            if (m.kind == TagMatch::Matched) {
                EXPECT_EQ(t.text.mid(m.other.start, m.other.end - m.other.start), QByteArray(c.other)) << c.text;
            }
            if (m.kind == TagMatch::Implied) {
                EXPECT_TRUE(t.text.mid(m.impliedEnd).startsWith(c.other)) << c.text;
            }
        }
    }
}

TEST(MatchTag, LooksNoFurtherThanTheWindowAndSaysSo)
{
    QByteArray text = "xx<div>";
    const int tagAt = int(text.size()) - 3;
    text += QByteArray(3 << 20, 'a');
    text += "</div>";
    // The editor hands over 1 MB each way around the caret.
    const int from = tagAt - 2, to = tagAt + MatchWindowBytes;
    const MarkupText window(QByteArrayView(text).sliced(from, to - from), {}, from, int(text.size()));
    EXPECT_EQ(MatchTag(window, tagAt).kind, TagMatch::TooFar);
    EXPECT_EQ(MatchTag(MarkupText(text), tagAt).kind, TagMatch::Matched);
}

TEST(OpenElementAt, IsTheInnermostElementLeftOpen)
{
    const struct
    {
        const char *text;
        const char *open;  // its name as typed, "" for none
    } cases[] = {
        {"<ul><li>a</li>|", "ul"},
        {"<UL><LI>a<LI>b|", "LI"},
        {"<div><p>a<div>b</div>|", "div"},  // the paragraph ended at the inner div
        {"<table><tr><td>a</td><td>b|", "td"},
        {"<div><br><img src=x><b>x</b>|", "div"},
        {"<div><script>'<p>'</script>|", "div"},
        {"<div><!-- <p> -->|", "div"},
        {"<p>a</p>|", ""},
        {"text|", ""},
    };
    for (const auto &c : cases) {
        const Caret t = caret(c.text);
        const Tag open = OpenElementAt(MarkupText(t.text), t.pos);
        EXPECT_EQ(open.kind == Tag::Start ? t.text.mid(open.nameStart, open.nameEnd - open.nameStart) : QByteArray(),
                  QByteArray(c.open))
            << c.text;
    }
}

TEST(ElementAround, SelectsTheElementThenWidensToItsParent)
{
    const QByteArray text = "<body><ul>\r\n<li>one <b>two</b>\r\n<li>three\r\n</ul></body>";
    const MarkupText t(text);
    auto range = [&](ElementRange r) { return text.mid(r.from, r.to - r.from); };
    const int inB = int(text.indexOf("two")) + 1;
    EXPECT_EQ(range(ElementAround(t, inB, inB)), "<b>two</b>");
    const int bFrom = int(text.indexOf("<b>")), bTo = int(text.indexOf("</b>")) + 4;
    const ElementRange li = ElementAround(t, bFrom, bTo);
    EXPECT_EQ(range(li), "<li>one <b>two</b>\r\n");
    EXPECT_EQ(range(ElementAround(t, li.from, li.to)), "<ul>\r\n<li>one <b>two</b>\r\n<li>three\r\n</ul>");
    const int inUlTag = int(text.indexOf("<ul>")) + 2;
    EXPECT_EQ(range(ElementAround(t, inUlTag, inUlTag)), "<ul>\r\n<li>one <b>two</b>\r\n<li>three\r\n</ul>");
    EXPECT_FALSE(ElementAround(t, 0, int(text.size())).valid());
}

TEST(CompletionAt, KnowsWhatNamesGoAtTheCaret)
{
    const struct
    {
        const char *text;
        CompletionPlace::Kind kind;
        const char *typed;    // the part a chosen name replaces
        const char *element;  // AttributeName, EndTag
    } cases[] = {
        {"x <|", CompletionPlace::ElementName, "", ""},
        {"x <ta|", CompletionPlace::ElementName, "ta", ""},
        {"<ul><li>a</|", CompletionPlace::EndTag, "", "li"},
        {"<UL><LI>a</LI></|", CompletionPlace::EndTag, "", "UL"},
        {"<img |", CompletionPlace::AttributeName, "", "img"},
        {"<IMG SRC=\"a.gif\" AL|", CompletionPlace::AttributeName, "AL", "IMG"},
        {"<td\r\n  |", CompletionPlace::AttributeName, "", "td"},
        {"&|", CompletionPlace::EntityName, "", ""},
        {"caf&eac|", CompletionPlace::EntityName, "eac", ""},
        {"<a href=\"pics/|", CompletionPlace::FileName, "pics/", ""},
        {"<IMG SRC='a|", CompletionPlace::FileName, "a", ""},
        {"<a title=\"x|", CompletionPlace::None, "", ""},
        {"<a href=x|", CompletionPlace::None, "", ""},
        {"<!-- <|", CompletionPlace::None, "", ""},
        {"<script>a <|", CompletionPlace::None, "", ""},
        {"<br/|", CompletionPlace::None, "", ""},
        {"<b>x|", CompletionPlace::None, "", ""},
        {"</b|", CompletionPlace::None, "", ""},
    };
    for (const auto &c : cases) {
        const Caret t = caret(c.text);
        const CompletionPlace p = CompletionAt(MarkupText(t.text), t.pos);
        EXPECT_EQ(p.kind, c.kind) << c.text;
        if (p.kind == CompletionPlace::None)
            continue;
        EXPECT_EQ(t.text.mid(p.from, t.pos - p.from), QByteArray(c.typed)) << c.text;
        EXPECT_EQ(p.element, QByteArray(c.element)) << c.text;
    }
}

TEST(MarkupNames, ReadsElementsAttributesAndEntities)
{
    const MarkupNames names = MarkupNames::parse("# names\n[elements]\n* ID CLASS\nIMG SRC ALT\r\nA HREF\n"
                                                 "[other]\nJUNK\n[entities]\namp nbsp\neacute Eacute\n");
    EXPECT_EQ(names.elements(), QStringList({"A", "IMG"}));
    EXPECT_EQ(names.attributes("img"), QStringList({"ALT", "CLASS", "ID", "SRC"}));
    EXPECT_EQ(names.attributes("blink"), QStringList({"CLASS", "ID"}));
    EXPECT_EQ(names.entities(), QStringList({"Eacute", "amp", "eacute", "nbsp"}));
    EXPECT_EQ(InCase({"A", "Img"}, false), QStringList({"a", "img"}));
}

TEST(MarkupNames, TheShippedFileNamesHtml5AndTheElementsOurDialogsWrite)
{
    const MarkupNames names = MarkupNames::load(QStringLiteral(TAGLOOM_SHIPPED_DATA "/markup-names.txt"));
    for (const char *e : {"LAYER", "APPLET", "FONT", "CENTER", "TABLE", "SECTION", "VIDEO", "FRAMESET", "ILAYER"})
        EXPECT_TRUE(names.elements().contains(QLatin1String(e))) << e;
    EXPECT_TRUE(names.attributes("layer").contains(QStringLiteral("Z-INDEX")));
    EXPECT_TRUE(names.attributes("img").contains(QStringLiteral("ALT")));
    EXPECT_TRUE(names.entities().contains(QStringLiteral("nbsp")));
    EXPECT_TRUE(MarkupNames::load(QStringLiteral("/nonexistent/markup-names.txt")).isEmpty());
}
