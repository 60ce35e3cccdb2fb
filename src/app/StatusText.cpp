#include "app/StatusText.h"

#include "editor/ColorMemo.h"

#include <QStringList>

QString caretStatus(qint64 line, qint64 column, qint64 selectedChars)
{
    QString text = QStringLiteral("Ln %1, Col %2").arg(line + 1).arg(column + 1);
    if (selectedChars > 0)
        text += QStringLiteral(" (%1 selected)").arg(selectedChars);
    return text;
}

QString encodingLabel(bool utf8, bool byteOrderMark)
{
    if (!utf8)
        return QStringLiteral("Latin-1");
    return byteOrderMark ? QStringLiteral("UTF-8 BOM") : QStringLiteral("UTF-8");
}

QString lineEndsLabel(const LineEndCount &ends)
{
    return ends.lf == 0 && ends.cr == 0 ? QStringLiteral("CR LF") : QStringLiteral("mixed");
}

QString lineEndsNote(const LineEndCount &ends)
{
    if (ends.lf == 0 && ends.cr == 0)
        return QStringLiteral("Line ends: CR LF");
    QStringList had;
    if (ends.crlf)
        had.append(QStringLiteral("%1 CR LF").arg(ends.crlf));
    if (ends.lf)
        had.append(QStringLiteral("%1 LF").arg(ends.lf));
    if (ends.cr)
        had.append(QStringLiteral("%1 CR").arg(ends.cr));
    return QStringLiteral("The file came with %1 line ends; they were made CR LF on load and are saved so")
        .arg(had.join(QStringLiteral(", ")));
}

qint64 countCharacters(QByteArrayView bytes, bool utf8)
{
    if (!utf8)
        return bytes.size();
    // A loop the compiler can vectorise: a selection of a whole huge page is counted in milliseconds.
    qint64 continuation = 0;
    for (const char c : bytes)
        continuation += (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    return bytes.size() - continuation;
}
