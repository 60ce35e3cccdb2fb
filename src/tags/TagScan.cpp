#include "tags/TagScan.h"

#include "tags/ContextIndex.h"
#include "tags/MarkupChars.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using markup::isLetter;
using markup::isNameChar;
using markup::isSpace;
using markup::lower;

bool inList(QByteArrayView name, std::initializer_list<std::string_view> names)
{
    if (name.size() > 16)
        return false;
    std::array<char, 16> buf{};
    for (qsizetype i = 0; i < name.size(); ++i)
        buf[size_t(i)] = lower(name[i]);
    const size_t size = size_t(name.size());
    for (const std::string_view candidate : names) {
        // Length and first letter first: most names differ there.
        if (candidate.size() == size && size > 0 && candidate[0] == buf[0]
            && std::equal(candidate.begin() + 1, candidate.end(), buf.begin() + 1))
            return true;
    }
    return false;
}

// Start tags that end an open paragraph, as browsers build the tree.
bool closesParagraph(QByteArrayView next)
{
    return inList(next, {"address", "article",   "aside",    "blockquote", "center",  "details", "dialog", "dir",
                         "div",     "dl",        "fieldset", "figcaption", "figure",  "footer",  "form",   "h1",
                         "h2",      "h3",        "h4",       "h5",         "h6",      "header",  "hgroup", "hr",
                         "li",      "dd",        "dt",       "listing",    "main",    "menu",    "nav",    "ol",
                         "p",       "plaintext", "pre",      "section",    "summary", "table",   "ul",     "xmp"});
}

// Where a name that begins at `from` ends.
int nameEnd(const MarkupText &text, int from, int limit)
{
    int p = from;
    while (p < limit && isNameChar(text.at(p)))
        ++p;
    return p;
}

// After a raw-text element's name: the name must end there.
bool endsName(char c)
{
    return isSpace(c) || c == '>' || c == '/';
}

}  // namespace

bool IsVoidElement(QByteArrayView name)
{
    return inList(name, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img", "input",
                         "isindex", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

bool HasOptionalEnd(QByteArrayView name)
{
    return inList(name,
                  {"body", "caption", "colgroup", "dd",  "dt",    "head", "html",  "li", "optgroup", "option", "p",
                   "rb",   "rp",      "rt",       "rtc", "tbody", "td",   "tfoot", "th", "thead",    "tr"});
}

bool IsRawTextElement(QByteArrayView name)
{
    return inList(name, {"script", "style", "textarea", "title", "xmp"});
}

bool StartTagCloses(QByteArrayView next, QByteArrayView open)
{
    auto is = [](QByteArrayView n, std::initializer_list<std::string_view> names) { return inList(n, names); };
    if (is(open, {"p"}))
        return closesParagraph(next);
    if (is(open, {"li"}))
        return is(next, {"li"});
    if (is(open, {"dt", "dd"}))
        return is(next, {"dt", "dd"});
    if (is(open, {"option"}))
        return is(next, {"option", "optgroup"});
    if (is(open, {"optgroup"}))
        return is(next, {"optgroup"});
    if (is(open, {"td", "th"}))
        return is(next, {"td", "th", "tr", "tbody", "thead", "tfoot"});
    if (is(open, {"tr"}))
        return is(next, {"tr", "tbody", "thead", "tfoot"});
    if (is(open, {"thead", "tbody", "tfoot"}))
        return is(next, {"tbody", "tfoot"});
    if (is(open, {"colgroup", "caption"}))
        return is(next, {"colgroup", "caption", "thead", "tbody", "tfoot", "tr"});
    if (is(open, {"rb", "rp", "rt", "rtc"}))
        return is(next, {"rb", "rp", "rt", "rtc"});
    if (is(open, {"head"}))
        return is(next, {"body"});
    return false;
}

Tag ParseTag(const MarkupText &text, int lt, int limit)
{
    Tag tag;
    if (text.at(lt) != '<')
        return tag;
    limit = std::min(limit, text.end());
    tag.start = lt;
    if (text.matchesAt(lt, "<!--")) {
        tag.kind = Tag::Comment;
        const int close = text.findText("-->", lt + 4, limit);
        tag.end = close >= 0 ? close + 3 : -1;
        return tag;
    }
    const char c1 = text.at(lt + 1);
    int p = lt + 1;
    if (c1 == '!' || c1 == '?') {
        tag.kind = Tag::Other;
        const int gt = text.find('>', lt + 2, std::min(limit, lt + MaxTagBytes));
        tag.end = gt >= 0 ? gt + 1 : -1;
        return tag;
    }
    if (c1 == '/') {
        tag.kind = Tag::End;
        ++p;
    } else {
        tag.kind = Tag::Start;
    }
    if (!isLetter(text.at(p))) {
        tag.kind = Tag::None;
        return tag;
    }
    tag.nameStart = p;
    tag.nameEnd = nameEnd(text, p, limit);
    tag.name.length = tag.nameEnd - p;
    tag.name.stored = quint8(std::min(tag.name.length, TagName::Room));
    for (int i = 0; i < tag.name.stored; ++i)
        tag.name.bytes[size_t(i)] = lower(text.at(p + i));
    // The rest up to '>', quoted values taken whole. A quote that is never
    // closed is taken for a typing slip: the first '>' after it ends the tag.
    const int stop = std::min(limit, lt + MaxTagBytes);
    auto ends = [&](int gt) {
        tag.end = gt + 1;
        tag.selfClosing = tag.kind == Tag::Start && gt > tag.nameEnd && text.at(gt - 1) == '/';
        return tag;
    };
    for (p = tag.nameEnd; p < stop;) {
        const int gt = text.find('>', p, stop);
        const int to = gt >= 0 ? gt : stop;
        const int dq = text.find('"', p, to);
        const int sq = text.find('\'', p, dq >= 0 ? dq : to);
        const int q = sq >= 0 ? sq : dq;
        // A '<' outside quotes: the tag was left unfinished ("<t" typed before "</body>").
        const int nextLt = text.find('<', p, q >= 0 ? q : to);
        if (nextLt >= 0)
            return tag;
        if (q < 0)
            return gt >= 0 ? ends(gt) : tag;
        // Only a quote that opens a value starts one; in "a's" it is text.
        const char before = text.at(q - 1);
        if (before != '=' && !isSpace(before)) {
            p = q + 1;
            continue;
        }
        const int close = text.find(text.at(q), q + 1, stop);
        if (close < 0) {
            const int slip = text.find('>', q + 1, stop);
            return slip >= 0 ? ends(slip) : tag;
        }
        p = close + 1;
    }
    return tag;
}

Tag PreviousTag(const MarkupText &text, int pos)
{
    int p = std::min(pos, text.end());
    while (p > text.begin()) {
        const int gt = text.findLast('>', text.begin(), p);
        if (gt < 0)
            return {};
        if (text.at(gt - 1) == '-' && text.at(gt - 2) == '-') {
            // A comment's end: the comment is one item, whatever it holds.
            int q = gt - 2;
            while ((q = text.findLast('<', text.begin(), q)) >= 0) {
                if (text.matchesAt(q, "<!--"))
                    break;
            }
            if (q < 0)
                return {};
            Tag comment;
            comment.kind = Tag::Comment;
            comment.start = q;
            comment.end = gt + 1;
            return comment;
        }
        // Every '>' between this '<' and gt is text, unless the tag here ends at one.
        const int lt = text.findLast('<', text.begin(), gt);
        if (lt < 0)
            return {};
        const Tag tag = ParseTag(text, lt, p);
        if (tag.kind != Tag::None && tag.closed())
            return tag;
        p = lt;  // "a < b", or a tag that goes on past pos
    }
    return {};
}

Tag NextTag(const MarkupText &text, int pos)
{
    int p = std::max(pos, text.begin());
    while (p < text.end()) {
        const int lt = text.find('<', p, text.end());
        if (lt < 0)
            return {};
        Tag tag = ParseTag(text, lt, text.end());
        if (tag.kind != Tag::None && tag.closed())
            return tag;
        if (tag.kind != Tag::None && text.end() - lt < MaxTagBytes)
            return {};  // its end lies past the window
        p = lt + 1;
    }
    return {};
}

int FindRawTextEnd(const MarkupText &text, int from, QByteArrayView name)
{
    for (int q = text.find('<', from, text.end()); q >= 0; q = text.find('<', q + 1, text.end())) {
        if (text.at(q + 1) == '/' && text.matchesAt(q + 2, name, true) && endsName(text.at(q + 2 + int(name.size()))))
            return q;
    }
    return -1;
}

int FindRawTextStart(const MarkupText &text, int endTag, QByteArrayView name)
{
    for (int q = text.findLast('<', text.begin(), endTag); q >= 0; q = text.findLast('<', text.begin(), q)) {
        if (text.matchesAt(q + 1, name, true) && endsName(text.at(q + 1 + int(name.size()))))
            return q;
    }
    return -1;
}

namespace {
// Whether the '<' at q lies inside a comment that began before it.
bool insideComment(const MarkupText &text, int q)
{
    for (int p = text.findLastOf('<', '>', text.begin(), q); p >= 0; p = text.findLastOf('<', '>', text.begin(), p)) {
        if (text.at(p) == '>' && text.at(p - 1) == '-' && text.at(p - 2) == '-')
            return false;
        if (text.at(p) == '<' && text.matchesAt(p, "<!--"))
            return true;
    }
    return false;
}

// Whether a name that begins at `from` may be a raw-text element's: its first
// two letters, without looking further (most tags are passed here).
bool mayBeRawText(const MarkupText &text, int from)
{
    const char a = lower(text.at(from));
    const char b = lower(text.at(from + 1));
    return (a == 's' && (b == 'c' || b == 't')) || (a == 't' && (b == 'e' || b == 'i')) || (a == 'x' && b == 'm');
}

// A '<' that may start a comment or a raw-text element's start or end tag.
bool mayDecideContext(const MarkupText &text, int q, bool comments)
{
    if (text.at(q) != '<')
        return false;
    const char c1 = text.at(q + 1);
    return (comments && c1 == '!') || mayBeRawText(text, q + (c1 == '/' ? 2 : 1));
}

#if defined(__SSE2__)
// mayBeRawText for sixteen places at once, on bytes already folded to lower case.
__m128i mayBeRawText16(__m128i a, __m128i b)
{
    const auto is = [](__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    const __m128i s = _mm_and_si128(is(a, 's'), _mm_or_si128(is(b, 'c'), is(b, 't')));
    const __m128i t = _mm_and_si128(is(a, 't'), _mm_or_si128(is(b, 'e'), is(b, 'i')));
    const __m128i x = _mm_and_si128(is(a, 'x'), is(b, 'm'));
    return _mm_or_si128(s, _mm_or_si128(t, x));
}
#endif

// The last place before `to` where mayDecideContext holds, or -1.
int lastContextCandidate(const MarkupText &text, int to, bool comments)
{
    for (int q = text.findLast('<', text.begin(), to); q >= 0; q = text.findLast('<', text.begin(), q)) {
        if (mayDecideContext(text, q, comments))
            return q;
    }
    return -1;
}
}  // namespace

ContextMark ContextMarkAt(const MarkupText &text, int q, QByteArray *element)
{
    const char c = text.at(q);
    if (c == '-')
        return text.matchesAt(q, "-->") ? ContextMark::CommentEnd : ContextMark::None;
    if (c != '<')
        return ContextMark::None;
    const char c1 = text.at(q + 1);
    if (c1 == '!')
        return text.matchesAt(q, "<!--") ? ContextMark::CommentStart : ContextMark::None;
    const bool end = c1 == '/';
    const int from = q + (end ? 2 : 1);
    if (!mayBeRawText(text, from))
        return ContextMark::None;
    // Raw-text names are short: no copy of the name for every tag passed.
    std::array<char, 10> buf{};
    int n = 0;
    while (n < int(buf.size()) && isNameChar(text.at(from + n))) {
        buf[size_t(n)] = lower(text.at(from + n));
        ++n;
    }
    const int stop = from + n;
    if (!IsRawTextElement(QByteArrayView(buf.data(), n)) || !(stop >= text.end() || endsName(text.at(stop))))
        return ContextMark::None;
    if (element)
        *element = QByteArray(buf.data(), n);
    return end ? ContextMark::RawTextEnd : ContextMark::RawTextStart;
}

void ForEachContextMark(const MarkupText &text, int from, int to, const std::function<void(int, ContextMark)> &found)
{
    from = std::max(from, text.begin());
    to = std::min(to, text.end());
    const auto check = [&](int q) {
        if (const ContextMark mark = ContextMarkAt(text, q); mark != ContextMark::None)
            found(q, mark);
    };
    for (const MarkupText::Piece &piece : {text.firstPiece(), text.secondPiece()}) {
        if (piece.bytes.isEmpty())
            continue;
        const int pieceEnd = piece.begin + int(piece.bytes.size());
        const int hi = std::min(to, pieceEnd);
        int q = std::max(from, piece.begin);
#if defined(__SSE2__)
        // Sixteen places at once; a block needs three bytes after it inside the piece.
        const char *base = piece.bytes.data() - piece.begin;
        const __m128i fold = _mm_set1_epi8(0x20);
        const auto load = [&](int at) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + at)); };
        const auto is = [](__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
        for (; q + 16 <= hi && q + 16 + 3 <= pieceEnd; q += 16) {
            const __m128i v0 = load(q);
            const __m128i lt = is(v0, '<');
            const __m128i dash = is(v0, '-');
            if (_mm_movemask_epi8(_mm_or_si128(lt, dash)) == 0)
                continue;
            const __m128i v1 = load(q + 1), v2 = load(q + 2);
            const __m128i f1 = _mm_or_si128(v1, fold), f2 = _mm_or_si128(v2, fold),
                          f3 = _mm_or_si128(load(q + 3), fold);
            const __m128i endTag = _mm_and_si128(is(v1, '/'), mayBeRawText16(f2, f3));
            const __m128i open = _mm_and_si128(lt,
                                               _mm_or_si128(is(v1, '!'), _mm_or_si128(mayBeRawText16(f1, f2), endTag)));
            const __m128i close = _mm_and_si128(dash, _mm_and_si128(is(v1, '-'), is(v2, '>')));
            for (auto mask = unsigned(_mm_movemask_epi8(_mm_or_si128(open, close))); mask != 0; mask &= mask - 1)
                check(q + std::countr_zero(mask));
        }
#endif
        for (; q < hi; ++q)
            check(q);
    }
}

MarkupContext ContextAt(const MarkupText &text, int pos)
{
    if (ContextIndex *index = text.index())
        return index->at(pos);
    // Back from pos, to the nearest thing that decides: a comment's start not
    // closed before pos, or a raw-text element's start or end tag. Comments
    // closed before pos are passed over whole.
    bool commentsClosed = false;
    for (int q = lastContextCandidate(text, pos, true); q >= 0; q = lastContextCandidate(text, q, !commentsClosed)) {
        QByteArray element;
        const ContextMark mark = ContextMarkAt(text, q, &element);
        if (mark == ContextMark::CommentStart) {
            if (commentsClosed)
                continue;
            if (text.findText("-->", q + 4, pos) < 0)
                return {MarkupContext::Comment, {}};
            // The "-->" that closes this comment before pos closes every
            // one begun further back: no need to look for theirs.
            commentsClosed = true;
            continue;
        }
        if (mark == ContextMark::None || insideComment(text, q))
            continue;
        if (mark == ContextMark::RawTextEnd)
            return {};
        // The start tag itself is markup: a caret inside "<script ...>" is not in the script.
        const Tag tag = ParseTag(text, q, pos);
        if (tag.closed() && !tag.selfClosing)
            return {MarkupContext::RawText, element};
        return {};
    }
    return {};
}

Tag TagAt(const MarkupText &text, int pos)
{
    Tag found;
    const int lt = text.findLast('<', std::max(text.begin(), pos - MaxTagBytes), pos);
    if (lt >= 0) {
        const Tag before = ParseTag(text, lt, std::min(text.end(), lt + MaxTagBytes));
        if ((before.kind == Tag::Start || before.kind == Tag::End) && before.closed() && before.end >= pos)
            found = before;
    }
    if (found.kind == Tag::None && text.at(pos) == '<') {
        const Tag after = ParseTag(text, pos, std::min(text.end(), pos + MaxTagBytes));
        if ((after.kind == Tag::Start || after.kind == Tag::End) && after.closed())
            found = after;
    }
    if (found.kind == Tag::None)
        return {};
    const MarkupContext context = ContextAt(text, found.start);
    // A script's own end tag stands where the script's text ends.
    const bool ownEnd = context.kind == MarkupContext::RawText && found.kind == Tag::End
                        && found.name.view() == context.element;
    if (context.kind != MarkupContext::Markup && !ownEnd)
        return {};
    return found;
}
