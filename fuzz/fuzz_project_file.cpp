// Project files and page titles as the project panel reads them. A project that
// reads must write back to text that reads the same and writes the same bytes.
// Reading a title in steps must equal reading it from the whole start.
#include "project/ProjectFile.h"
#include "project/ReadTitle.h"

#include <QByteArray>
#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    ProjectContent content;
    if (ParseProjectText(bytes, &content)) {
        const QByteArray written = ProjectFileText(content);
        ProjectContent again;
        if (!ParseProjectText(written, &again) || !(again == content) || ProjectFileText(again) != written)
            std::abort();
    }

    // Padding chosen by the first byte moves the tags across the reading steps.
    QByteArray text = bytes;
    if (!text.isEmpty())
        text.prepend(QByteArray((uint8_t(text.at(0)) * 37) % 9000, ' '));
    QBuffer page(&text);
    page.open(QIODevice::ReadOnly);
    if (ReadTitleFrom(page) != TitleFromText(QByteArrayView(text).first(std::min(text.size(), TitleReadLimit))))
        std::abort();
    return 0;
}
