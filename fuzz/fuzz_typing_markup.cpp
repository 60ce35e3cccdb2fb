// The typing help's markup scans over any bytes, the document split at any
// gap as the editor holds it: each ends, stays inside the text, and gives
// the same answer wherever the gap stands; the index of comments and scripts
// answers as a look back does, also after a change. And the names file reader.
#include "tags/CloseTag.h"
#include "tags/ContextIndex.h"
#include "tags/MarkupNames.h"
#include "tags/TagMatch.h"

#include <cstdlib>

namespace {
bool sameTag(const Tag &a, const Tag &b)
{
    return a.kind == b.kind && a.start == b.start && a.end == b.end && a.name == b.name;
}

bool sameContext(const MarkupContext &a, const MarkupContext &b)
{
    return a.kind == b.kind && a.element == b.element;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const QByteArray text(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const int len = int(text.size());
    // The first two bytes place the caret and the gap.
    const int caret = (data[0] | data[1] << 8) % (len + 1);
    const int gap = (data[1] * 131 + data[0]) % (len + 1);
    const MarkupText whole(text);
    const MarkupText split(QByteArrayView(text).first(gap), QByteArrayView(text).sliced(gap), 0, len);

    const TagMatch a = MatchTag(whole, caret);
    const TagMatch b = MatchTag(split, caret);
    if (a.kind != b.kind || !sameTag(a.tag, b.tag) || !sameTag(a.other, b.other) || a.impliedEnd != b.impliedEnd)
        std::abort();
    if (a.kind != TagMatch::NoTag && (a.tag.start < 0 || a.tag.end > len || a.tag.start >= a.tag.end))
        std::abort();
    if (a.kind == TagMatch::Matched && (a.other.start < 0 || a.other.end > len))
        std::abort();
    if (EndTagForTypedGt(whole, caret) != EndTagForTypedGt(split, caret))
        std::abort();
    const CompletionPlace c = CompletionAt(split, caret);
    if (c.kind != CompletionAt(whole, caret).kind
        || (c.kind != CompletionPlace::None && (c.from < 0 || c.from > caret)))
        std::abort();
    const ElementRange r = ElementAround(split, caret, caret);
    if (r.valid() && (r.from < 0 || r.to > len || r.from > r.to))
        std::abort();
    const Tag open = OpenElementAt(split, caret);
    if (open.kind != Tag::None && (open.start < 0 || open.end > caret))
        std::abort();

    ContextIndex index;
    index.build(split);
    if (!sameContext(index.at(caret), ContextAt(whole, caret)))
        std::abort();
    // Some bytes cut at the gap and some typed there, as the editor reports them.
    QByteArray changed = text;
    const int cut = std::min(len - gap, int(data[0] % 8));
    changed.remove(gap, cut);
    index.deleted(MarkupText(changed), gap, cut);
    const QByteArray typed = text.left(data[1] % 8);
    changed.insert(gap, typed);
    index.inserted(MarkupText(changed), gap, int(typed.size()));
    const int changedLen = int(changed.size());
    for (const int pos : {caret % (changedLen + 1), gap, gap + int(typed.size()), changedLen}) {
        if (!sameContext(index.at(pos), ContextAt(MarkupText(changed), pos)))
            std::abort();
    }

    const MarkupNames names = MarkupNames::parse(text);
    if (names.elements().size() > len)
        std::abort();
    return 0;
}
