#include "custom/NewLinkMarkup.h"

#include "custom/JsEntries.h"
#include "custom/JsWizardMarkup.h"
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

QString NewLinkHeadParams(const QString &picture, const QString &alignment, const QString &altText, bool utf8Document)
{
    return JoinJSParams({JsScriptValue(picture, utf8Document), JsScriptValue(alignment, utf8Document),
                         JsScriptValue(altText, utf8Document)});
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
                                       const QString &altText, bool utf8Document)
{
    return NewLinkHeadLine(
        ExtractJSEntry(entriesFile, NewLinkHeadEntry, NewLinkHeadParams(picture, alignment, altText, utf8Document)));
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
