#include "custom/NewLinkMarkup.h"

#include "custom/JsEntries.h"
#include "tags/AttributeValues.h"

#include <QDate>
#include <QRegularExpression>

QString NewLinkDateText(const QDate &date)
{
    return date.toString(QStringLiteral("MM/dd/yy"));
}

bool IsNewLinkDate(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d\\d)/(\\d\\d)/(\\d\\d)$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch())
        return false;
    const int yy = m.captured(3).toInt();
    return QDate(yy < 70 ? 2000 + yy : 1900 + yy, m.captured(1).toInt(), m.captured(2).toInt()).isValid();
}

QString NewLinkDateExpression(bool onThisDate, const QString &dateText)
{
    // Only the date field's digits and slashes reach the quotes (the dialog refuses anything else).
    return onThisDate ? QLatin1Char('\'') + dateText + QLatin1Char('\'') : QStringLiteral("document.lastModified");
}

QString NewLinkCheckerParams(int days, const QString &dateExpression)
{
    return JoinJSParams({QString::number(days), dateExpression});
}

namespace {
QString JsStringValue(const QString &typed, bool latin1Document)
{
    QString text = JsStringText(typed);
    if (!latin1Document)
        return text;
    QString out;
    out.reserve(text.size());
    for (const QChar c : std::as_const(text)) {
        if (c.unicode() > 0xFF)
            out += QStringLiteral("\\u") + QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}
} // namespace

QString NewLinkHeadParams(const QString &picture, const QString &alignment, const QString &altText, bool latin1Document)
{
    return JoinJSParams({JsStringValue(picture, latin1Document), JsStringValue(alignment, latin1Document),
                         JsStringValue(altText, latin1Document)});
}

std::optional<QString> NewLinkCheckerText(const QString &entriesFile, int days, const QString &dateExpression)
{
    return ExtractJSEntry(entriesFile, NewLinkCheckerEntry, NewLinkCheckerParams(days, dateExpression));
}

std::optional<QString> NewLinkHeadLine(const std::optional<QString> &entry)
{
    if (!entry)
        return std::nullopt;
    return QStringLiteral("\r\n") + *entry;
}

std::optional<QString> NewLinkHeadText(const QString &entriesFile, const QString &picture, const QString &alignment,
                                       const QString &altText, bool latin1Document)
{
    return NewLinkHeadLine(ExtractJSEntry(entriesFile, NewLinkHeadEntry,
                                          NewLinkHeadParams(picture, alignment, altText, latin1Document)));
}

int NewLinkAlignmentIndex(const QString &alignment)
{
    for (int i = 0; i < 9; ++i) {
        if (alignment == ImageAlignValue(i))
            return i;
    }
    return 0;
}

qsizetype FindHeadEnd(QByteArrayView text)
{
    static constexpr char tag[] = "</head>";
    constexpr qsizetype n = sizeof tag - 1;
    for (qsizetype at = text.indexOf('<'); at >= 0 && at + n <= text.size(); at = text.indexOf('<', at + 1)) {
        qsizetype i = 1;
        while (i < n) {
            char c = text[at + i];
            if (c >= 'A' && c <= 'Z')
                c = char(c + ('a' - 'A'));
            if (c != tag[i])
                break;
            ++i;
        }
        if (i == n)
            return at;
    }
    return -1;
}
