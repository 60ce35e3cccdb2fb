#include "objects/ImageMarkup.h"

#include "objects/LinkMarkup.h"
#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"

QString ImageText(const ImageValues &v)
{
    QString text = QStringLiteral("<IMG SRC=\"") + QuotedValue(v.src) + QLatin1Char('"');
    // Unquoted values come from number boxes and the alignment list; OneLine keeps
    // a stray line break from splitting the tag.
    const auto plain = [&text](const char *name, const QString &value) {
        if (!value.isEmpty())
            text += QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + OneLine(value);
    };
    const auto quoted = [&text](const char *name, const QString &value) {
        if (!value.isEmpty())
            text += QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + QuotedValue(value)
                    + QLatin1Char('"');
    };
    plain("ALIGN", v.align);
    quoted("ALT", v.alt);
    if (v.isMap)
        text += QStringLiteral(" ISMAP");
    plain("WIDTH", v.width);
    plain("HEIGHT", v.height);
    plain("BORDER", v.border);
    plain("VSPACE", v.vspace);
    plain("HSPACE", v.hspace);
    quoted("LOWSRC", v.lowSrc);
    quoted("USEMAP", v.useMap);
    return text + QLatin1Char('>');
}

QString ImageCommandText(const ImageValues &values, const QString &serverMap)
{
    if (!values.isMap)
        return ImageText(values);
    return LinkText(serverMap, QString(), ImageText(values));
}

void InsertImage(TextDocument &document, const ImageValues &values)
{
    ReplaceSelection(document, ImageText(values));
}
