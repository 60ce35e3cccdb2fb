// A pattern, a replacement and a text: searching forward and backward and
// Replace All stay inside the text, always make progress, and agree with each
// other; a file search of the same text places its matches within it.
#include "search/FileSearch.h"
#include "search/TextSearch.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // First byte: options and encoding; then pattern, NUL, replacement, NUL, text.
    const uint8_t flags = data[0];
    const QByteArrayView rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype end1 = rest.indexOf('\0');
    if (end1 < 0)
        return 0;
    const qsizetype end2 = rest.sliced(end1 + 1).indexOf('\0');
    if (end2 < 0)
        return 0;
    const QByteArrayView pattern = rest.first(end1);
    const QByteArrayView replacement = rest.sliced(end1 + 1, end2);
    const QByteArrayView text = rest.sliced(end1 + 2 + end2);
    const SearchOptions options{(flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0};
    const bool utf8 = (flags & 8) != 0;

    TextSearcher searcher(pattern, options, utf8);
    if (!searcher.isValid())
        return 0;
    (void)searcher.replacementError(replacement);

    // Forward, as Replace All walks: strictly onward, inside the text.
    qsizetype count = 0;
    qsizetype lastEnd = 0;
    TextMatch last;
    for (TextMatch m = searcher.findForward(text, 0); m.found();
         m = searcher.findForward(text, m.end(), m.length == 0 ? m.end() : -1)) {
        // Each match starts at or after the last one's end and is a later one
        // than it: an empty match is never found twice.
        if (m.start < 0 || m.end() > text.size() || m.start < lastEnd)
            std::abort();
        if (last.found() && m.start == last.start && m.end() <= last.end())
            std::abort();
        lastEnd = m.end();
        last = m;
        ++count;
    }
    const bool stopped = !searcher.error().isEmpty();

    const ReplaceAllResult all = searcher.replaceAll(text, 0, replacement);
    if (!stopped && searcher.error().isEmpty()) {
        if (all.count != count)
            std::abort();
        if (count > 0 && (all.from < 0 || all.to > text.size() || all.from > all.to))
            std::abort();
    }

    // Backward from the end finds a match whenever forward did, never past the end.
    const TextMatch back = searcher.findBackward(text, text.size() + 1);
    if (back.found() && (back.start > text.size() || back.end() > text.size()))
        std::abort();
    if (!stopped && searcher.error().isEmpty() && count > 0 && !back.found())
        std::abort();
    if (back.found() && last.found() && back.start < last.start && searcher.error().isEmpty())
        std::abort();

    TextSearchers searchers(QString::fromUtf8(pattern), options);
    const FileResult r = SearchFileText(QStringLiteral("f"), text, std::nullopt, searchers);
    for (const FileMatch &m : r.matches) {
        if (m.fileOffset < 0 || m.fileOffset > text.size() || m.line < 1 || m.column < 1 || m.markStart < 0
            || m.markStart + m.markLength > m.text.size())
            std::abort();
    }
    return 0;
}
