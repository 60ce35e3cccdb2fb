// Document bytes as the loader sees them: line ends converted piece by piece
// must equal the whole-text conversion, and the piecewise UTF-8 check must
// agree with a check of the whole text. Settings integers parse without fault.
#include "app/DocumentFile.h"
#include "platform/SettingsStore.h"

#include <QByteArray>
#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the piece size, so pieces split CR LF pairs and UTF-8 sequences anywhere.
    const qsizetype piece = 1 + data[0] % 17;
    const QByteArrayView text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const QByteArray whole = ConvertLineEnds(text);
    QByteArray pieces;
    bool pendingCR = false;
    Utf8Check check;
    for (qsizetype at = 0; at < text.size(); at += piece) {
        AppendWithCRLF(text.sliced(at, std::min(piece, text.size() - at)), pieces, pendingCR);
        check.feed(pieces, false);
    }
    check.feed(pieces, true);
    if (pieces != whole)
        std::abort();
    if (check.valid != QByteArrayView(whole).isValidUtf8())
        std::abort();
    // No lone CR or LF survives.
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (whole[i] == '\r' && (i + 1 >= whole.size() || whole[i + 1] != '\n'))
            std::abort();
        if (whole[i] == '\n' && (i == 0 || whole[i - 1] != '\r'))
            std::abort();
    }

    qint64 value = 0;
    SettingsStore::parseInteger(QString::fromLatin1(text.first(std::min<qsizetype>(40, text.size()))), &value);
    return 0;
}
