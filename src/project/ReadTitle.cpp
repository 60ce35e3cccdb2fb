#include "project/ReadTitle.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// Finds an ASCII needle (given in lower case) ignoring the case of ASCII letters.
qsizetype indexOfIgnoringCase(QByteArrayView text, QByteArrayView lowerNeedle, qsizetype from)
{
    const qsizetype last = text.size() - lowerNeedle.size();
    for (qsizetype i = from; i <= last; ++i) {
        // '<' opens both tags; testing it first skips most positions quickly.
        if (text[i] != lowerNeedle[0])
            continue;
        qsizetype k = 1;
        while (k < lowerNeedle.size() && asciiLower(text[i + k]) == lowerNeedle[k])
            ++k;
        if (k == lowerNeedle.size())
            return i;
    }
    return -1;
}

constexpr QByteArrayView StartTag("<title>");
constexpr QByteArrayView EndTag("</title>");

}  // namespace

QString TitleFromText(QByteArrayView text)
{
    const qsizetype start = indexOfIgnoringCase(text, StartTag, 0);
    if (start < 0)
        return {};
    const qsizetype from = start + StartTag.size();
    qsizetype end = indexOfIgnoringCase(text, EndTag, from);
    if (end < 0)
        end = text.size();
    QByteArray bytes = text.sliced(from, end - from).toByteArray();
    bytes.replace("\r", "");
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString decoded = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : decoded;
}

QString ReadTitle(const QString &fileName)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return {};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadTitleFrom(file);
}

QString ReadTitleFrom(QIODevice &file)
{
    // Most titles sit in the first few hundred bytes: read in small steps and
    // stop as soon as the end tag is in.
    constexpr qsizetype Step = 4096;
    QByteArray head;
    head.reserve(Step);
    qsizetype start = -1;
    while (head.size() < TitleReadLimit) {
        const QByteArray chunk = file.read(std::min(Step, TitleReadLimit - head.size()));
        if (chunk.isEmpty())
            break;
        // A tag cut by a step boundary is found once the next step is in.
        const qsizetype resume = std::max<qsizetype>(0, head.size() - EndTag.size());
        head.append(chunk);
        if (start < 0)
            start = indexOfIgnoringCase(head, StartTag, resume);
        if (start >= 0 && indexOfIgnoringCase(head, EndTag, std::max(resume, start + StartTag.size())) >= 0)
            break;
    }
    return TitleFromText(head);
}
