#include "objects/AppletMarkup.h"

#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString quoted(const NameValueList &values, const char *name)
{
    return QLatin1Char('"') + QuotedValue(values.value(QLatin1String(name))) + QLatin1Char('"');
}

QString number(const NameValueList &values, const char *name)
{
    return OneLine(values.value(QLatin1String(name))).trimmed();
}

}  // namespace

QString AppletClassFile(const QString &code)
{
    if (code.right(6).toLower() == QLatin1String(".class"))
        return code;
    return code + QStringLiteral(".class");
}

QString FolderOfFileName(const QString &fileName)
{
    const qsizetype cut = qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : fileName.left(cut + 1);
}

TagPairTexts AppletMarkup(int kind, const NameValueList &v)
{
    TagPairTexts texts;
    if (kind == AppletParameter) {
        texts.start = QStringLiteral("<PARAM NAME=") + quoted(v, "name") + QStringLiteral(" VALUE=")
                      + quoted(v, "value") + QLatin1Char('>');
        return texts;
    }
    texts.start = QStringLiteral("<APPLET CODE=") + quoted(v, "code") + QStringLiteral(" NAME=") + quoted(v, "name")
                  + QStringLiteral(" WIDTH=") + number(v, "width") + QStringLiteral(" HEIGHT=") + number(v, "height")
                  + QStringLiteral(" ALIGN=") + number(v, "align");
    if (v.has(QStringLiteral("codeBase")))
        texts.start += QStringLiteral(" CODEBASE=") + quoted(v, "codeBase");
    if (v.has(QStringLiteral("alt")))
        texts.start += QStringLiteral(" ALT=") + quoted(v, "alt");
    if (!number(v, "vspace").isEmpty())
        texts.start += QStringLiteral(" VSPACE=") + number(v, "vspace");
    if (!number(v, "hspace").isEmpty())
        texts.start += QStringLiteral(" HSPACE=") + number(v, "hspace");
    texts.start += QLatin1Char('>') + CrLf;
    texts.end = CrLf + QStringLiteral("</APPLET>");
    return texts;
}

void InsertAppletTag(TextDocument &document, int kind, const NameValueList &values)
{
    const TagPairTexts texts = AppletMarkup(kind, values);
    InsertTagPair(document, texts.start, texts.end);
}
