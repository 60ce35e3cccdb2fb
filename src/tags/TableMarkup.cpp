#include "tags/TableMarkup.h"

#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

// " NAME=value" for a present value, nothing otherwise.
QString attribute(const NameValueList &values, const char *name, const char *attributeName)
{
    const QString value = OneLine(values.value(QLatin1String(name)));
    if (value.isEmpty())
        return QString();
    return QLatin1Char(' ') + QLatin1String(attributeName) + QLatin1Char('=') + value;
}

QString bgColor(const NameValueList &values)
{
    const QString hex = values.value(QStringLiteral("bgColor"));
    return hex.isEmpty() ? QString() : QStringLiteral(" BGCOLOR=\"#") + QuotedValue(hex) + QLatin1Char('"');
}

QString noWrap(const NameValueList &values)
{
    return values.value(QStringLiteral("nowrap")) == QLatin1String("true") ? QStringLiteral(" NOWRAP") : QString();
}

TagPairTexts table(const NameValueList &v)
{
    TagPairTexts texts;
    texts.start = QStringLiteral("<TABLE") + attribute(v, "border", "BORDER") + attribute(v, "cellSpace", "CELLSPACING")
                  + attribute(v, "cellPad", "CELLPADDING") + attribute(v, "width", "WIDTH")
                  + attribute(v, "height", "HEIGHT") + attribute(v, "align", "ALIGN") + QLatin1Char('>') + CrLf;
    const QString caption = OneLine(v.value(QStringLiteral("caption")));
    if (!caption.isEmpty())
        texts.end = CrLf + QStringLiteral(" <CAPTION") + attribute(v, "caption_align", "ALIGN") + QLatin1Char('>')
                    + caption + QStringLiteral("</CAPTION>");
    texts.end += CrLf + QStringLiteral("</TABLE>");
    return texts;
}

}  // namespace

TagPairTexts TableMarkup(TableKind kind, const NameValueList &v)
{
    switch (kind) {
    case TableKind::Table:
        return table(v);
    case TableKind::Caption:
        return {QStringLiteral("<CAPTION") + attribute(v, "align", "ALIGN") + QLatin1Char('>')
                    + OneLine(v.value(QStringLiteral("caption"))),
                QStringLiteral("</CAPTION>")};
    case TableKind::Row:
        return {QStringLiteral("<TR") + attribute(v, "align", "ALIGN") + attribute(v, "vAlign", "VALIGN") + bgColor(v)
                    + QLatin1Char('>'),
                QString()};
    case TableKind::Header:
    case TableKind::Data:
        return {QLatin1Char('<') + QLatin1String(kind == TableKind::Header ? "TH" : "TD")
                    + attribute(v, "align", "ALIGN") + attribute(v, "vAlign", "VALIGN") + bgColor(v)
                    + attribute(v, "width", "WIDTH") + attribute(v, "height", "HEIGHT") + noWrap(v)
                    + attribute(v, "colspan", "COLSPAN") + attribute(v, "rowspan", "ROWSPAN") + QLatin1Char('>'),
                QString()};
    }
    return {};
}

void InsertTableMarkup(TextDocument &document, TableKind kind, const NameValueList &values)
{
    const TagPairTexts texts = TableMarkup(kind, values);
    InsertTagPair(document, texts.start, texts.end);
}
