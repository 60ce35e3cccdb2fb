#pragma once

#include "widgets/NameValueList.h"

#include <QString>
#include <QStringList>

// Markup of the form elements dialog. Unlike the table and list generators this
// one writes every attribute it knows, empty or not; only MULTIPLE and SELECTED
// are flags written when their value is "true".

// The elements in the order of the "&Form" submenu.
enum class FormElement {
    Form,
    CheckBox,
    Hidden,
    Image,
    Password,
    Radio,
    Reset,
    Submit,
    Text,
    TextAreaInput,    // the old INPUT TYPE=TEXTAREA
    TextAreaElement,  // <TEXTAREA>...</TEXTAREA>
    Select,
    Option,
};

// Choice lists of the radio groups; their order is the order of the groups' items.
inline constexpr char FormMethodValues[] = "GET\\POST\\";
inline constexpr char CheckBoxValues[] = "ON\\OFF\\";
inline constexpr char RadioValues[] = "TRUE\\FALSE\\";
inline constexpr char TextAreaWrapValues[] = "OFF\\VIRTUAL\\PHYSICAL\\";

QStringList FormMethodItems();
QStringList CheckBoxValueItems();
QStringList RadioValueItems();
QStringList TextAreaWrapItems();
// The nine items of the image alignment group, in ImageAlignValue's order.
QStringList ImageAlignItems();

struct FormMarkupText
{
    QString start;
    QString end;  // empty for the elements that have no end text
};

// The start and end texts for InsertTagPair. Values are looked up by the names
// "name", "value", "method", "action", "border", "src", "align", "size",
// "maxlength", "rows", "cols", "wrap", "multiple" and "selected"; a missing one
// writes an empty attribute value. Quoted values have `"` written as `&quot;`
// and line breaks as blanks.
FormMarkupText FormElementMarkup(FormElement element, const NameValueList &values);
