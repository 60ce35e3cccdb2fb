#include "tags/FramesMarkup.h"

#include "tags/AttributeText.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");

QString quoted(const char *attribute, const QString &typed)
{
    return QLatin1Char(' ') + QLatin1String(attribute) + QStringLiteral("=\"") + QuotedValue(typed) + QLatin1Char('"');
}
}  // namespace

QStringList SizeValueTypeItems()
{
    return {QStringLiteral("In &percent"), QStringLiteral("In pi&xels"), QStringLiteral("Remaining &space")};
}

QStringList FrameScrollingItems()
{
    return {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Auto")};
}

QStringList FrameSetDivideItems()
{
    return {QStringLiteral("Columns"), QStringLiteral("Rows")};
}

QString SizeText(int valueType, int value)
{
    switch (valueType) {
    case SizeInPercent:
        return QString::number(value) + QLatin1Char('%');
    case SizeInPixels:
        return QString::number(value);
    case SizeRemaining:
        return QStringLiteral("*");
    default:
        return QString();
    }
}

QString AppendSize(const QString &list, const QString &size)
{
    return list.isEmpty() ? size : list + QLatin1Char(',') + size;
}

FramesMarkupText FramesElementMarkup(FrameElement element, const NameValueList &v)
{
    switch (element) {
    case FrameElement::FrameSet: {
        QString start = QStringLiteral("<FRAMESET BORDER=") + OneLine(v.value(QStringLiteral("border")));
        if (v.has(QStringLiteral("cols")))
            start += quoted("COLS", v.value(QStringLiteral("cols")));
        if (v.has(QStringLiteral("rows")))
            start += quoted("ROWS", v.value(QStringLiteral("rows")));
        return {start + QLatin1Char('>') + CRLF, CRLF + QStringLiteral("</FRAMESET>")};
    }
    case FrameElement::SizeValue:
        return {OneLine(v.value(QStringLiteral("colRow"))), {}};
    case FrameElement::Frame: {
        QString tag = QStringLiteral("<FRAME") + quoted("NAME", v.value(QStringLiteral("name")))
                      + quoted("SCROLLING", v.value(QStringLiteral("scrolling")));
        if (v.has(QStringLiteral("src")))
            tag += quoted("SRC", v.value(QStringLiteral("src")));
        if (v.has(QStringLiteral("marginWidth")))
            tag += quoted("MARGINWIDTH", v.value(QStringLiteral("marginWidth")));
        if (v.has(QStringLiteral("marginHeight")))
            tag += quoted("MARGINHEIGHT", v.value(QStringLiteral("marginHeight")));
        if (v.value(QStringLiteral("noResize")) == QLatin1String("true"))
            tag += QStringLiteral(" NORESIZE");
        return {tag + QLatin1Char('>'), {}};
    }
    case FrameElement::NoFrames:
        // With its end tag: without one a browser takes the rest of the page as
        // the NOFRAMES content and shows none of it.
        return {QStringLiteral("<NOFRAMES>"), QStringLiteral("</NOFRAMES>")};
    }
    return {};
}
