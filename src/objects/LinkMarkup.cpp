#include "objects/LinkMarkup.h"

#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"

QString LinkText(const QString &href, const QString &target, const QString &description)
{
    QString text = QStringLiteral("<A HREF=\"") + QuotedValue(href) + QLatin1Char('"');
    if (!target.isEmpty())
        text += QStringLiteral(" TARGET=\"") + QuotedValue(target) + QLatin1Char('"');
    return text + QLatin1Char('>') + description + QStringLiteral("</A>");
}

QString AnchorText(const QString &name)
{
    return QStringLiteral("<A NAME=\"") + QuotedValue(name) + QStringLiteral("\"></A>");
}

void InsertLink(TextDocument &document, const QString &href, const QString &target, const QString &description)
{
    ReplaceSelection(document, LinkText(href, target, description));
}

void InsertAnchor(TextDocument &document, const QString &name)
{
    ReplaceSelection(document, AnchorText(name));
}
