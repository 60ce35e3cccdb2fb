#pragma once

#include <QColor>
#include <QString>

// Conversions from what a dialog shows (a file, a colour, a radio group) to the
// text of an attribute value. None of them touches a widget or a document.

enum class PathStyle {
    Windows,  // "C:\web\a.gif": drive letter, backslashes, "..\"
    Posix,    // "/web/a.gif": leading slash, slashes, "../"
};

#ifdef Q_OS_WIN
inline constexpr PathStyle NativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle NativePathStyle = PathStyle::Posix;
#endif

// Whether the name is an absolute file name of that style, the only kind a
// relative name can be made of: "X:\..." (or "X:/...") for Windows, "/..." for POSIX.
bool IsAbsoluteFileName(const QString &fileName, PathStyle style = NativePathStyle);

// The name relative to the folder of documentFileName where the file lies in that
// folder, below it or in a folder above it; otherwise the name unchanged. An empty
// documentFileName leaves the name unchanged.
QString RelativePathTo(const QString &fileName, const QString &documentFileName, PathStyle style = NativePathStyle);

// "C:\web\a.gif" becomes "C|/web/a.gif", "..\img\a.gif" becomes "../img/a.gif".
QString ToFileUrlPath(const QString &path);

// Six upper-case hexadecimal digits, red first, no "#". The colour reference
// holds red in its lowest byte ($00BBGGRR); its highest byte is ignored.
QString ColorToHex(quint32 colorRef);
QString ColorToHex(const QColor &color);
// The $00BBGGRR colour reference of a colour.
quint32 ColorToRef(const QColor &color);

// The alignment keyword of item itemIndex of the nine-item image alignment group
// ("LEFT", "RIGHT", "TOP", "TEXTTOP", "MIDDLE", "ABSMIDDLE", "BASELINE",
// "BOTTOM", "ABSBOTTOM"); empty for any other number, -1 (no item) included.
QString ImageAlignValue(int itemIndex);

// Entry itemIndex of a choice list such as "LEFT\CENTER\RIGHT\": each entry ends
// with a backslash, an empty entry writes nothing, text after the last backslash
// is dropped. At most 20 entries; any item without an entry gives empty.
QString ChoiceValue(int itemIndex, const QString &choiceList);
