#include "tags/FormMarkup.h"

#include "tags/AttributeText.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");

// NAME="value" with the typed value made safe for its double quotes.
QString quoted(const char *attribute, const NameValueList &values, const char *name)
{
    return QLatin1String(attribute) + QStringLiteral("=\"") + QuotedValue(values.value(QLatin1String(name)))
           + QLatin1Char('"');
}

// NAME=value for the values that come from number fields and radio groups; a
// line break is still turned into a blank so it cannot split the tag.
QString bare(const char *attribute, const NameValueList &values, const char *name)
{
    return QLatin1String(attribute) + QLatin1Char('=') + OneLine(values.value(QLatin1String(name)));
}

QString input(const char *type, const QStringList &attributes)
{
    return QStringLiteral("<INPUT TYPE=") + QLatin1String(type) + QLatin1Char(' ') + attributes.join(QLatin1Char(' '))
           + QLatin1Char('>');
}
}  // namespace

QStringList FormMethodItems()
{
    return {QStringLiteral("&Get"), QStringLiteral("&Post")};
}

QStringList CheckBoxValueItems()
{
    return {QStringLiteral("On"), QStringLiteral("Off")};
}

QStringList RadioValueItems()
{
    return {QStringLiteral("True"), QStringLiteral("False")};
}

QStringList TextAreaWrapItems()
{
    return {QStringLiteral("Off"), QStringLiteral("Virtual"), QStringLiteral("Physical")};
}

QStringList ImageAlignItems()
{
    return {QStringLiteral("Left"),     QStringLiteral("Right"),  QStringLiteral("Top"),
            QStringLiteral("TextTop"),  QStringLiteral("Middle"), QStringLiteral("AbsMiddle"),
            QStringLiteral("BaseLine"), QStringLiteral("Bottom"), QStringLiteral("AbsBottom")};
}

FormMarkupText FormElementMarkup(FormElement element, const NameValueList &v)
{
    const QString name = quoted("NAME", v, "name");
    const QString value = quoted("VALUE", v, "value");
    switch (element) {
    case FormElement::Form:
        return {QStringLiteral("<FORM ") + name + QLatin1Char(' ') + quoted("METHOD", v, "method") + QLatin1Char(' ')
                    + quoted("ACTION", v, "action") + QLatin1Char('>') + CRLF,
                CRLF + QStringLiteral("</FORM>")};
    case FormElement::CheckBox:
        return {input("CHECKBOX", {name, value}), {}};
    case FormElement::Hidden:
        return {input("HIDDEN", {name, value}), {}};
    case FormElement::Image:
        return {input("IMAGE", {bare("BORDER", v, "border"), name, quoted("SRC", v, "src"), bare("ALIGN", v, "align")}),
                {}};
    case FormElement::Password:
        return {input("PASSWORD", {name, quoted("SIZE", v, "size"), quoted("MAXLENGTH", v, "maxlength")}), {}};
    case FormElement::Radio:
        return {input("RADIO", {name, value}), {}};
    case FormElement::Reset:
        return {input("RESET", {name, value}), {}};
    case FormElement::Submit:
        return {input("SUBMIT", {name, value}), {}};
    case FormElement::Text:
        return {input("TEXT", {name, quoted("SIZE", v, "size"), quoted("MAXLENGTH", v, "maxlength"), value}), {}};
    case FormElement::TextAreaInput:
        return {input("TEXTAREA", {name, quoted("SIZE", v, "size"), quoted("MAXLENGTH", v, "maxlength"), value}), {}};
    case FormElement::TextAreaElement:
        // Written whole as one start text: a selection ends up after the element.
        return {QStringLiteral("<TEXTAREA ") + name + QLatin1Char(' ') + bare("ROWS", v, "rows") + QLatin1Char(' ')
                    + bare("COLS", v, "cols") + QLatin1Char(' ') + bare("WRAP", v, "wrap") + QLatin1Char('>') + CRLF
                    + CRLF + QStringLiteral("</TEXTAREA>"),
                {}};
    case FormElement::Select:
        return {QStringLiteral("<SELECT ") + name + QLatin1Char(' ') + bare("SIZE", v, "size")
                    + (v.value(QStringLiteral("multiple")) == QLatin1String("true") ? QStringLiteral(" MULTIPLE")
                                                                                    : QString())
                    + QLatin1Char('>') + CRLF,
                CRLF + QStringLiteral("</SELECT>")};
    case FormElement::Option:
        return {QStringLiteral("<OPTION")
                    + (v.value(QStringLiteral("selected")) == QLatin1String("true") ? QStringLiteral(" SELECTED")
                                                                                    : QString())
                    + QLatin1Char('>'),
                {}};
    }
    return {};
}
