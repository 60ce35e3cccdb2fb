#include "app/DocumentFile.h"

#include "editor/ColorMemo.h"
#include "platform/SafeWrite.h"

#include <QFile>
#include <QFileDevice>
#include <limits>

void AppendWithCRLF(QByteArrayView in, QByteArray &out, bool &pendingCR, LineEndCount *ends)
{
    const char *p = in.data();
    const char *const end = p + in.size();
    if (p == end)
        return;  // a CR at the end of the last piece still waits for its LF
    if (pendingCR && *p == '\n') {
        ++p;  // the LF that completes a CR LF split across chunks
        if (ends) {
            --ends->cr;
            ++ends->crlf;
        }
    }
    pendingCR = false;
    qint64 crlf = 0, lf = 0, cr = 0;
    while (p < end) {
        // Copy up to the next line end that is not CR LF in one go: a file of
        // CR LF lines, however many and however short, is one copy.
        const char *q = p;
        for (; q < end; ++q) {
            if (*q == '\n')
                break;
            if (*q == '\r') {
                if (q + 1 < end && q[1] == '\n') {
                    ++q;
                    ++crlf;
                } else {
                    break;
                }
            }
        }
        out.append(p, q - p);
        if (q == end)
            break;
        out.append("\r\n", 2);
        ++(*q == '\n' ? lf : cr);
        if (*q == '\r' && q + 1 == end)
            pendingCR = true;
        p = q + 1;
    }
    if (ends) {
        ends->crlf += crlf;
        ends->lf += lf;
        ends->cr += cr;
    }
}

QByteArray ConvertLineEnds(QByteArrayView in, LineEndCount *ends)
{
    QByteArray out;
    out.reserve(in.size() + in.size() / 16 + 16);
    bool pendingCR = false;
    AppendWithCRLF(in, out, pendingCR, ends);
    return out;
}

void Utf8Check::feed(QByteArrayView text, bool atEnd)
{
    if (!valid)
        return;
    qsizetype end = text.size();
    if (!atEnd) {
        // Hold back a sequence that may go on in the next piece.
        qsizetype lead = end;
        while (lead > checked && lead > end - 4 && (uchar(text[lead - 1]) & 0xC0) == 0x80)
            --lead;
        if (lead > checked && uchar(text[lead - 1]) >= 0xC0)
            end = lead - 1;
    }
    if (end <= checked)
        return;
    valid = text.sliced(checked, end - checked).isValidUtf8();
    checked = end;
}

LoadResult LoadFileIntoEditor(const QString &fileName, TColorMemo *memo)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::CannotOpen;
    if (file.size() > MaxDocumentFileSize)
        return LoadResult::TooLarge;

    // Read in pieces straight into the converted text, which the editor then
    // takes in one append: each append costs time in proportion to the
    // document already there, so many small ones would be quadratic.
    constexpr qint64 ChunkSize = 4 << 20;
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    QByteArray converted;
    converted.reserve(file.size() + file.size() / 32 + 16);
    bool pendingCR = false;
    LineEndCount ends;
    // The encoding check follows the conversion while the bytes are still in
    // the cache, so the text is walked once.
    Utf8Check utf8;
    for (;;) {
        const qint64 n = file.read(chunk.data(), ChunkSize);
        if (n < 0)
            return LoadResult::CannotOpen;
        if (n == 0)
            break;
        AppendWithCRLF(QByteArrayView(chunk.constData(), n), converted, pendingCR, &ends);
        utf8.feed(converted, false);
    }
    utf8.feed(converted, true);
    chunk = QByteArray();
    if (converted.size() > std::numeric_limits<int>::max() - 1)
        return LoadResult::TooLarge;
    memo->beginLoad(converted.size(), utf8.valid);
    memo->appendLoadedBytes(converted);
    converted = QByteArray();
    // Known before the load says it has ended.
    memo->setLoadedLineEnds(ends);
    memo->endLoad(utf8.valid);
    return LoadResult::Loaded;
}

bool SaveBytesToFile(const QString &fileName, QByteArrayView bytes, QString *error)
{
    return WriteFileSafely(fileName, bytes, error);
}

QString WithDefaultExt(const QString &fileName, const QString &ext)
{
    if (fileName.contains(QLatin1Char('.')))
        return fileName;
    return fileName + QLatin1Char('.') + ext;
}
