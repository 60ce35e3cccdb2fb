#include "tags/DocStructureMarkup.h"

#include "tags/AttributeText.h"
#include "tags/AttributeValues.h"

QStringList DocTypeItems()
{
    return {QStringLiteral("None"), QStringLiteral("HTML 2.0"), QStringLiteral("HTML 3.2"), QStringLiteral("Netscape")};
}

QString DocTypeLine(int index)
{
    switch (index) {
    case 1:
        return QStringLiteral("<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 2.0//EN\">");
    case 2:
        return QStringLiteral("<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 3.2//EN\">");
    case 3:
        return QStringLiteral("<!DOCTYPE html PUBLIC \"-//Netscape Comm. Corp.//DTD HTML//EN\">");
    default:
        return QString();
    }
}

namespace {
QString quoted(const char *name, const QString &typed)
{
    return QLatin1String(name) + QStringLiteral("=\"") + QuotedValue(typed) + QLatin1Char('"');
}
}  // namespace

QStringList DocStructureHeadLines(const DocStructureValues &v)
{
    QStringList lines;
    lines << DocTypeLine(v.docType) << QStringLiteral("<HTML>") << QStringLiteral("<HEAD>");
    // The title is element text, not an attribute: only a line break could break the frame.
    lines << QStringLiteral("<TITLE>") + OneLine(v.title) + QStringLiteral("</TITLE>");
    lines << QStringLiteral("<META NAME=\"Author\" ") + quoted("CONTENT", v.author) + QLatin1Char('>');
    lines << QStringLiteral("<META NAME=\"GENERATOR\" CONTENT=\"Tagloom V1.5\">");
    if (v.isIndex) {
        if (v.isIndexPrompt)
            lines << QStringLiteral("<ISINDEX ") + quoted("PROMPT", v.prompt) + QLatin1Char('>');
        else
            lines << QStringLiteral("<ISINDEX>");
    }
    if (v.baseHref || v.baseTarget) {
        QString base = QStringLiteral("<BASE");
        if (v.baseHref)
            base += QLatin1Char(' ') + quoted("HREF", v.href);
        if (v.baseTarget)
            base += QLatin1Char(' ') + quoted("TARGET", v.target);
        lines << base + QLatin1Char('>');
    }
    if (!v.keywords.isEmpty())
        lines << QStringLiteral("<META NAME=\"KEYWORDS\" ") + quoted("CONTENT", v.keywords) + QLatin1Char('>');
    lines << QStringLiteral("</HEAD>") << QStringLiteral("<BODY");
    if (!v.background.isEmpty())
        lines << QLatin1Char(' ') + quoted("BACKGROUND", v.background);
    for (int i = 0; i < 5; ++i) {
        if (v.colors[i].isValid())
            lines << QLatin1Char(' ') + QLatin1String(BodyColorAttributes[i]) + QStringLiteral("=\"")
                         + ColorToHex(v.colors[i]) + QLatin1Char('"');
    }
    lines << QStringLiteral(">");
    return lines;
}

QStringList DocStructureTailLines()
{
    return {QString::fromLatin1(DocStructurePlaceholder), QStringLiteral("</BODY>"), QStringLiteral("</HTML>")};
}
