#include "objects/LayerMarkup.h"

#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString plain(const NameValueList &values, const char *name)
{
    return OneLine(values.value(QLatin1String(name))).trimmed();
}

// " NAME=value" for a present value, nothing otherwise.
QString unquoted(const NameValueList &values, const char *name, const char *attributeName)
{
    const QString value = plain(values, name);
    return value.isEmpty() ? QString() : QLatin1Char(' ') + QLatin1String(attributeName) + QLatin1Char('=') + value;
}

QString quoted(const NameValueList &values, const char *name, const char *attributeName)
{
    const QString value = values.value(QLatin1String(name));
    if (value.isEmpty())
        return QString();
    return QLatin1Char(' ') + QLatin1String(attributeName) + QStringLiteral("=\"") + QuotedValue(value)
           + QLatin1Char('"');
}

}  // namespace

TagPairTexts LayerMarkup(int kind, const NameValueList &v)
{
    const QString element = kind == InlineLayer ? QStringLiteral("ILAYER") : QStringLiteral("LAYER");
    TagPairTexts texts;
    texts.start = QLatin1Char('<') + element + quoted(v, "name", "NAME") + unquoted(v, "left", "LEFT")
                  + unquoted(v, "top", "TOP") + unquoted(v, "width", "WIDTH") + unquoted(v, "height", "HEIGHT");
    if (v.has(QStringLiteral("clipX1"))) {
        texts.start += QStringLiteral(" CLIP=\"") + plain(v, "clipX1") + QLatin1Char(',') + plain(v, "clipY1")
                       + QLatin1Char(',') + plain(v, "clipX2") + QLatin1Char(',') + plain(v, "clipY2")
                       + QLatin1Char('"');
    }
    // The attribute browsers know is VISIBILITY; a VISIBLE attribute would be ignored.
    texts.start += unquoted(v, "zindex", "Z-INDEX") + quoted(v, "above", "ABOVE") + quoted(v, "below", "BELOW")
                   + unquoted(v, "visible", "VISIBILITY") + quoted(v, "bgColor", "BGCOLOR")
                   + quoted(v, "background", "BACKGROUND") + quoted(v, "src", "SRC") + QLatin1Char('>') + CrLf;
    texts.end = CrLf + QStringLiteral("</") + element + QLatin1Char('>');
    return texts;
}

void InsertLayerTag(TextDocument &document, int kind, const NameValueList &values)
{
    const TagPairTexts texts = LayerMarkup(kind, values);
    InsertTagPair(document, texts.start, texts.end);
}
