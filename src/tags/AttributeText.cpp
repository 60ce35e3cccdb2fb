#include "tags/AttributeText.h"

QString OneLine(const QString &typed)
{
    QString out;
    out.reserve(typed.size());
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed.at(i);
        if (c == QLatin1Char('\r')) {
            out += QLatin1Char(' ');
            if (i + 1 < typed.size() && typed.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

QString QuotedValue(const QString &typed)
{
    QString out = OneLine(typed);
    out.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    return out;
}
