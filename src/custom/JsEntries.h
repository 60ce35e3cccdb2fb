#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The shipped script snippets live in a CR LF text file of numbered entries:
// entry n is the block of lines after the line "Tagloom JS Entry #n". Inside an
// entry, "TL%k" (k one decimal digit) stands for parameter k of the call. The
// parameter text is every value followed by "~".

// Parameter k (from 1) of a parameter text: the text between the (k-1)-th and the
// k-th "~". Parameter 0 and parameters past the last are empty. The last
// character of params is never part of a parameter.
QString GetJSParam(int k, const QString &params);

// The parameter text of values: each value followed by "~". A value must not hold
// "~" itself; pass typed text through JsStringText first.
QString JoinJSParams(const QStringList &values);

// A typed value made safe inside a double- or single-quoted JavaScript string
// written into a page: backslash, quotes and line breaks escaped, "</" and "<!"
// kept from ending or confusing the script element, and "~" written as \u007E so
// it cannot split the parameter text.
QString JsStringText(const QString &typed);

// Entry n of the entries file's text with its placeholders filled, every line
// ended by CR LF; nullopt when the text holds no entry n. Placeholders are filled
// in one left-to-right pass, so a value that itself holds "TL%1" is written as
// given; "TL%" not followed by a digit stays as it is. Lines of the entry holding
// "Tagloom JS Entry #" are left out, and any header line ends the entry.
std::optional<QString> ExtractJSEntry(const QString &fileText, int n, const QString &params);

// The text of the entries file's bytes: UTF-8 when they are valid UTF-8 (a
// leading BOM dropped), else Latin-1.
QString DecodeJSEntriesText(const QByteArray &bytes);

// Entry n of the entries file in the data folder (or of fileName). A missing file
// shows the "not found" message, a file too large or unreadable says "Cannot open
// file"; then, or when the entry is missing, nullopt, and the caller writes nothing.
std::optional<QString> ReadJSEntry(int n, const QString &params, QWidget *parent = nullptr,
                                   const QString &fileName = QString());
