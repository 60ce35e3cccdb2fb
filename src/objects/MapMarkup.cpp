#include "objects/MapMarkup.h"

#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"
#include "widgets/NameValueList.h"

MapTagTexts MapTagText(int kind, const NameValueList &values)
{
    const auto value = [&values](const char *name) { return QuotedValue(values.value(QString::fromLatin1(name))); };
    if (kind == MapTag)
        return {QStringLiteral("<MAP NAME=\"") + value("name") + QStringLiteral("\">\r\n"),
                QStringLiteral("\r\n</MAP>")};
    QString area = QStringLiteral("<AREA SHAPE=\"RECT\" COORDS=\"") + value("left") + QLatin1Char(',') + value("top")
                   + QLatin1Char(',') + value("right") + QLatin1Char(',') + value("bottom") + QLatin1Char('"');
    const QString href = value("href");
    if (href.isEmpty()) {
        area += QStringLiteral(" NOHREF");
    } else {
        area += QStringLiteral(" HREF=\"") + href + QLatin1Char('"');
        const QString target = value("target");
        if (!target.isEmpty())
            area += QStringLiteral(" TARGET=\"") + target + QLatin1Char('"');
    }
    return {area + QLatin1Char('>'), QString()};
}

void InsertMapTag(TextDocument &document, int kind, const NameValueList &values)
{
    const MapTagTexts texts = MapTagText(kind, values);
    InsertTagPair(document, texts.start, texts.end);
}
