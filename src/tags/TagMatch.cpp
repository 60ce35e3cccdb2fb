#include "tags/TagMatch.h"

#include <vector>

namespace {

bool windowReachesStart(const MarkupText &text)
{
    return text.begin() == 0;
}

bool windowReachesEnd(const MarkupText &text)
{
    return text.end() >= text.docLength();
}

// From the top of the stack down; -1 when absent.
using NameStack = std::vector<TagName>;

qsizetype findOpen(const NameStack &stack, const TagName &name)
{
    for (qsizetype i = qsizetype(stack.size()) - 1; i >= 0; --i) {
        if (stack[size_t(i)] == name)
            return i;
    }
    return -1;
}

TagMatch matchForward(const MarkupText &text, const Tag &start)
{
    TagMatch m;
    m.tag = start;
    const bool optional = HasOptionalEnd(start.name);
    auto ends = [&](TagMatch::Kind kind, int at) {
        m.kind = kind;
        m.impliedEnd = at;
        return m;
    };
    auto runOut = [&] {
        if (!windowReachesEnd(text))
            return ends(TagMatch::TooFar, -1);
        return optional ? ends(TagMatch::Implied, text.docLength()) : ends(TagMatch::Unmatched, -1);
    };
    if (IsRawTextElement(start.name)) {
        const int e = FindRawTextEnd(text, start.end, start.name);
        if (e < 0)
            return runOut();
        m.other = ParseTag(text, e, text.end());
        m.kind = m.other.closed() ? TagMatch::Matched : TagMatch::TooFar;
        return m;
    }
    NameStack stack{start.name};
    int p = start.end;
    for (;;) {
        const Tag t = NextTag(text, p);
        if (t.kind == Tag::None)
            return runOut();
        p = t.end;
        if (t.kind == Tag::Start) {
            if (t.empty())
                continue;
            while (!stack.empty() && HasOptionalEnd(stack.back()) && StartTagCloses(t.name, stack.back())) {
                if (stack.size() == 1)
                    return ends(TagMatch::Implied, t.start);
                stack.pop_back();
            }
            if (IsRawTextElement(t.name)) {
                const int e = FindRawTextEnd(text, t.end, t.name);
                if (e < 0)
                    return runOut();
                p = e;
            }
            stack.push_back(t.name);
        } else if (t.kind == Tag::End) {
            const qsizetype i = findOpen(stack, t.name);
            if (i == 0) {
                m.kind = TagMatch::Matched;
                m.other = t;
                return m;
            }
            if (i > 0) {
                stack.resize(size_t(i));
                continue;
            }
            // The end of an element opened before this one: it ends here too.
            return optional ? ends(TagMatch::Implied, t.start) : ends(TagMatch::Unmatched, -1);
        }
    }
}

TagMatch matchBackward(const MarkupText &text, const Tag &end)
{
    TagMatch m;
    m.tag = end;
    auto runOut = [&] {
        m.kind = windowReachesStart(text) ? TagMatch::Unmatched : TagMatch::TooFar;
        return m;
    };
    if (IsRawTextElement(end.name)) {
        const int s = FindRawTextStart(text, end.start, end.name);
        if (s < 0)
            return runOut();
        m.other = ParseTag(text, s, end.start);
        m.kind = m.other.closed() ? TagMatch::Matched : TagMatch::Unmatched;
        return m;
    }
    NameStack stack{end.name};
    int p = end.start;
    for (;;) {
        const Tag t = PreviousTag(text, p);
        if (t.kind == Tag::None)
            return runOut();
        p = t.start;
        if (t.kind == Tag::End) {
            if (IsRawTextElement(t.name)) {
                const int s = FindRawTextStart(text, t.start, t.name);
                if (s < 0)
                    return runOut();
                p = s;
            } else if (!IsVoidElement(t.name)) {
                stack.push_back(t.name);
            }
        } else if (t.kind == Tag::Start && !t.empty()) {
            const qsizetype i = findOpen(stack, t.name);
            if (i == 0) {
                m.kind = TagMatch::Matched;
                m.other = t;
                return m;
            }
            if (i > 0)
                stack.resize(size_t(i));
            // Not on the stack: an element closed by its parent's end, or left open.
        }
    }
}

}  // namespace

TagMatch MatchOf(const MarkupText &text, const Tag &tag)
{
    if (tag.kind == Tag::Start) {
        if (tag.empty()) {
            TagMatch m;
            m.kind = TagMatch::Empty;
            m.tag = tag;
            return m;
        }
        return matchForward(text, tag);
    }
    if (tag.kind == Tag::End) {
        if (IsVoidElement(tag.name)) {
            TagMatch m;
            m.kind = TagMatch::Unmatched;  // "</br>" ends nothing
            m.tag = tag;
            return m;
        }
        return matchBackward(text, tag);
    }
    return {};
}

TagMatch MatchTag(const MarkupText &text, int pos)
{
    const Tag tag = TagAt(text, pos);
    if (tag.kind == Tag::None)
        return {};
    return MatchOf(text, tag);
}

Tag OpenElementAt(const MarkupText &text, int pos)
{
    NameStack stack;        // end tags met on the way back, not yet matched
    NameStack laterStarts;  // start tags of elements that stand beside pos's element, after it
    int p = pos;
    for (;;) {
        const Tag t = PreviousTag(text, p);
        if (t.kind == Tag::None)
            return {};
        p = t.start;
        if (t.kind == Tag::End) {
            if (IsRawTextElement(t.name)) {
                const int s = FindRawTextStart(text, t.start, t.name);
                if (s < 0)
                    return {};
                p = s;
                if (stack.empty())
                    laterStarts.push_back(t.name);
            } else if (!IsVoidElement(t.name)) {
                stack.push_back(t.name);
            }
            continue;
        }
        if (t.kind != Tag::Start)
            continue;
        if (t.empty()) {
            if (stack.empty())
                laterStarts.push_back(t.name);
            continue;
        }
        const qsizetype i = findOpen(stack, t.name);
        if (i >= 0) {
            stack.resize(size_t(i));
            if (stack.empty())
                laterStarts.push_back(t.name);
            continue;
        }
        if (!stack.empty())
            continue;  // closed by the end of an element around it
        if (HasOptionalEnd(t.name)) {
            bool closed = false;
            for (const TagName &later : laterStarts)
                closed = closed || StartTagCloses(later, t.name);
            if (closed) {
                laterStarts.push_back(t.name);
                continue;
            }
        }
        return t;
    }
}

ElementRange ElementAround(const MarkupText &text, int from, int to)
{
    auto rangeOf = [&](const TagMatch &m) -> ElementRange {
        switch (m.kind) {
        case TagMatch::Matched:
            return m.tag.kind == Tag::Start ? ElementRange{m.tag.start, m.other.end}
                                            : ElementRange{m.other.start, m.tag.end};
        case TagMatch::Implied:
            return {m.tag.start, m.impliedEnd};
        case TagMatch::Empty:
            return {m.tag.start, m.tag.end};
        default:
            return {};
        }
    };
    if (from == to) {
        const ElementRange own = rangeOf(MatchTag(text, from));
        if (own.valid())
            return own;
    }
    // Outward from the selection: each open element in turn, until one holds all of it.
    int p = from;
    for (int tries = 0; tries < 256; ++tries) {
        const Tag open = OpenElementAt(text, p);
        if (open.kind == Tag::None)
            return {};
        const TagMatch m = MatchOf(text, open);
        const ElementRange r = rangeOf(m);
        if (r.valid() && r.to >= to && (r.from < from || r.to > to))
            return r;
        if (m.kind == TagMatch::TooFar)
            return {};
        p = open.start;
    }
    return {};
}
