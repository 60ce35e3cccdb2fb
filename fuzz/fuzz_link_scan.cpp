// The tag scan of the link and picture checks over any bytes: it ends, every tag
// and value lies inside the text in order, a tag starts with "<" and its name,
// and the page's own links (anchors, maps, duplicates) are checked without a
// file system, tidy left out.
#include "check/PageCheck.h"
#include "check/PageScan.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    PageScanLimits limits;
    limits.maxTags = 5000;
    const QList<ScannedTag> tags = ScanPageTags(text, limits);
    qsizetype last = -1;
    for (const ScannedTag &tag : tags) {
        if (tag.offset <= last || tag.length < 2 || tag.offset + tag.length > text.size())
            std::abort();
        if (text[tag.offset] != '<' || tag.name.isEmpty())
            std::abort();
        last = tag.offset;
        for (const ScannedAttribute &a : tag.attributes) {
            if (a.valueOffset <= tag.offset || a.valueLength < 0
                || a.valueOffset + a.valueLength > tag.offset + tag.length)
                std::abort();
            (void)AttributeBytes(text, a);
        }
    }
    CheckContext context;
    context.options.markup = false;
    const PageFindings page = CheckPage(QStringLiteral("Untitled1"),
                                        text.first(std::min<qsizetype>(text.size(), 64 * 1024)), context, true);
    for (const CheckFinding &f : page.findings)
        if (f.offset >= 0 && (f.line < 1 || f.column < 1 || f.offset + f.length > text.size()))
            std::abort();
    return 0;
}
