#include "custom/PrivateTags.h"

#include "platform/SafeWrite.h"
#include "platform/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {
bool fitsLatin1(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

QByteArray encodeWhole(QStringView text)
{
    return fitsLatin1(text) ? text.toLatin1() : text.toUtf8();
}

void putText(char *field, const QString &text)
{
    const QByteArray bytes = EncodePrivateText(text);
    field[0] = char(bytes.size());
    std::copy(bytes.cbegin(), bytes.cend(), field + 1);
}

QString takeText(const char *field)
{
    const int length = std::min<int>(quint8(field[0]), PrivateTagLimits::TextSize);
    return DecodePrivateText(QByteArray(field + 1, length));
}
}  // namespace

PrivateTagList &PrivateTags()
{
    static PrivateTagList tags;
    return tags;
}

QByteArray EncodePrivateText(const QString &text)
{
    using PrivateTagLimits::TextSize;
    // Every character takes at least one byte, so no more than 30 can fit.
    for (qsizetype n = std::min<qsizetype>(text.size(), TextSize); n > 0; --n) {
        if (n < text.size()) {
            if (text.at(n - 1) == QLatin1Char('\r') && text.at(n) == QLatin1Char('\n'))
                continue;
            if (text.at(n - 1).isHighSurrogate() && text.at(n).isLowSurrogate())
                continue;
        }
        const QByteArray bytes = encodeWhole(QStringView(text).left(n));
        if (bytes.size() <= TextSize)
            return bytes;
    }
    return {};
}

QString DecodePrivateText(const QByteArray &bytes)
{
    // A leading BOM is kept as a character, so it is written back as it was read.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString asUtf8 = utf8.decode(bytes);
    if (!utf8.hasError() && !fitsLatin1(asUtf8))
        return asUtf8;
    return QString::fromLatin1(bytes);
}

QString StoredPrivateText(const QString &text)
{
    return DecodePrivateText(EncodePrivateText(text));
}

QString WithCRLF(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return text;
}

PrivateTagList ReadPrivateTagRecords(const QByteArray &bytes)
{
    using namespace PrivateTagLimits;
    PrivateTagList tags;
    const qsizetype whole = std::min<qsizetype>(bytes.size() / RecordSize, Count);
    for (qsizetype i = 0; i < whole; ++i) {
        const char *rec = bytes.constData() + i * RecordSize;
        PrivateTag &tag = tags[size_t(i)];
        tag.name = takeText(rec);
        tag.open = takeText(rec + 31);
        tag.close = takeText(rec + 62);
        const int layout = quint8(rec[93]);
        tag.layout = layout > 2 ? 1 : layout;
    }
    return tags;
}

QByteArray WritePrivateTagRecords(const PrivateTagList &tags)
{
    using namespace PrivateTagLimits;
    QByteArray out(FileSize, '\0');
    for (int i = 0; i < Count; ++i) {
        char *rec = out.data() + i * RecordSize;
        const PrivateTag &tag = tags[size_t(i)];
        putText(rec, tag.name);
        putText(rec + 31, tag.open);
        putText(rec + 62, tag.close);
        rec[93] = char(tag.layout >= 0 && tag.layout <= 2 ? tag.layout : 1);
    }
    return out;
}

PrivateTagList ReadPrivateTagsFile(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return {};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadPrivateTagRecords(file.read(PrivateTagLimits::FileSize));
}

bool WritePrivateTagsFile(const QString &fileName, const PrivateTagList &tags, QString *error)
{
    return WriteFileSafely(fileName, WritePrivateTagRecords(tags), error);
}

void LoadPrivateTags()
{
    PrivateTags() = ReadPrivateTagsFile(PrivateMenuFileName());
}
