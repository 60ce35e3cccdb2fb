#pragma once

#include "widgets/NameValueList.h"

#include <QString>

class TextDocument;

// What the table dialog writes, by the command that opened it.
enum class TableKind {
    Table,    // the whole table: start tag, an empty line for the rows, optional caption, end tag
    Caption,  // a caption element around the selection
    Row,      // "<TR ...>" only
    Header,   // "<TH ...>" only
    Data,     // "<TD ...>" only
};

// The two texts handed to InsertTagPair.
struct TagPairTexts
{
    QString start;
    QString end;
};

// Markup of one table command from the dialog's named values: "width", "height"
// (decimal, "%" allowed), "border", "cellSpace", "cellPad", "align", "vAlign",
// "caption", "caption_align", "bgColor" (six hex digits), "nowrap" ("true"),
// "colspan", "rowspan". An empty value writes nothing. Attributes are unquoted
// except BGCOLOR; CR LF line breaks.
TagPairTexts TableMarkup(TableKind kind, const NameValueList &values);

// Writes the markup into the document as one edit.
void InsertTableMarkup(TextDocument &document, TableKind kind, const NameValueList &values);
