#pragma once

#include <QByteArrayView>
#include <QString>

class QIODevice;

// Titles are looked for in this many bytes at the start of a page, so a title
// shows at once however large the page is.
inline constexpr qsizetype TitleReadLimit = 64 * 1024;

// The text between "<title>" and the first "</title>" after it (both found
// ignoring case), as written but without CR; to the end of the text when the end
// tag is missing. Decoded as UTF-8 when valid, else as Latin-1. Empty without a title.
QString TitleFromText(QByteArrayView text);

// The title from the first TitleReadLimit bytes of an open device, read in
// small steps that stop once the end tag is in.
QString ReadTitleFrom(QIODevice &device);

// The title of a page file, from its first TitleReadLimit bytes. Empty when the
// file has no title, is not a regular file or cannot be read.
QString ReadTitle(const QString &fileName);
