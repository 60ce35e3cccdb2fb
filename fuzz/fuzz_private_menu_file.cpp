// Reads arbitrary bytes as a private menu file and checks the records.
//
// Whatever the bytes, there are 20 records with texts that fit their 30-byte
// fields and a layout of 0 to 2; writing them gives 1880 bytes that read back as
// the same records; and each text field written holds the bytes the file held
// (lengths over 30 clamped).

#include "custom/PrivateTags.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace PrivateTagLimits;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const PrivateTagList tags = ReadPrivateTagRecords(bytes);
    for (const PrivateTag &tag : tags) {
        if (tag.layout < 0 || tag.layout > 2)
            std::abort();
        for (const QString *text : {&tag.name, &tag.open, &tag.close})
            if (EncodePrivateText(*text).size() > TextSize || StoredPrivateText(*text) != *text)
                std::abort();
    }
    const QByteArray written = WritePrivateTagRecords(tags);
    if (written.size() != FileSize || ReadPrivateTagRecords(written) != tags)
        std::abort();
    const qsizetype whole = std::min<qsizetype>(bytes.size() / RecordSize, Count);
    for (qsizetype i = 0; i < whole; ++i)
        for (int field : {0, 31, 62}) {
            const char *in = bytes.constData() + i * RecordSize + field;
            const char *out = written.constData() + i * RecordSize + field;
            const int length = std::min(int(quint8(in[0])), TextSize);
            if (quint8(out[0]) != length || QByteArray(in + 1, length) != QByteArray(out + 1, length))
                std::abort();
        }

    // Any text the dialog may be given is cut to fit and reads back as stored.
    const QString typed = QString::fromUtf16(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2));
    const QByteArray encoded = EncodePrivateText(typed);
    if (encoded.size() > TextSize || EncodePrivateText(DecodePrivateText(encoded)) != encoded)
        std::abort();
    return 0;
}
