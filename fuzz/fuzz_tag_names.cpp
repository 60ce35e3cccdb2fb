// The name scan over any bytes: it ends, every name lies inside the text right
// after the attribute prefix and before a double quote, and it agrees with the
// plain quadratic scan.
#include "TagNameReference.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the prefixes, so both the callers' prefixes and odd ones are tried.
    static const char *const tagPrefixes[] = {"<A", "<MAP", "<form", "a", "<", "<a<"};
    static const char *const attrPrefixes[] = {"NAME=\"", "name=\"", "", "\"", "n>"};
    const QByteArrayView tagPrefix(tagPrefixes[data[0] % 6]);
    const QByteArrayView attrPrefix(attrPrefixes[(data[0] / 6) % 5]);
    const QByteArrayView text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const QList<TagNameSpan> names = FindTagNames(text, tagPrefix, attrPrefix);
    for (const TagNameSpan &n : names) {
        if (n.offset < attrPrefix.size() || n.length < 0 || n.offset + n.length >= text.size())
            std::abort();
        if (text.at(n.offset + n.length) != '"')
            std::abort();
        if (text.sliced(n.offset, n.length).contains('"') || text.sliced(n.offset, n.length).contains('>'))
            std::abort();
        if (text.sliced(n.offset - attrPrefix.size(), attrPrefix.size()).toByteArray().toLower()
            != attrPrefix.toByteArray().toLower())
            std::abort();
    }
    if (names != ReferenceTagNames(text, tagPrefix, attrPrefix))
        std::abort();
    return 0;
}
