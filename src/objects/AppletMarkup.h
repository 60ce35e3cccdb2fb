#pragma once

#include "tags/TableMarkup.h"
#include "widgets/NameValueList.h"

#include <QString>

class TextDocument;

// What InsertAppletTag writes.
enum AppletTagKind : int {
    AppletElement = 0,    // the APPLET element with an empty line inside for its parameters
    AppletParameter = 1,  // one PARAM element, no end text
};

// The class file named by a typed code: ".class" is added unless the text
// already ends in it (any case), so "Clock" gives "Clock.class".
QString AppletClassFile(const QString &code);

// The folder part of a file name, up to and including its last "/" or "\";
// empty when it has none. Either separator counts, whatever the platform.
QString FolderOfFileName(const QString &fileName);

// Applet: the values "code", "name", "width", "height", "align" are always
// written (empty ones as empty texts), then "codeBase", "alt", "vspace",
// "hspace" when present. Parameter: "name" and "value", always written.
// Quoted values have `"` written as `&quot;`; CR LF line breaks.
TagPairTexts AppletMarkup(int kind, const NameValueList &values);

// Writes the kind's texts around the selection as one edit.
void InsertAppletTag(TextDocument &document, int kind, const NameValueList &values);
