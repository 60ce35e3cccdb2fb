#pragma once

#include <QByteArrayView>
#include <QString>

struct LineEndCount;

// The texts of the status bar fields that describe the active document.

// "Ln 12, Col 5" from a line and column counted from 0; with characters
// selected, their number follows: "Ln 12, Col 5 (7 selected)".
QString caretStatus(qint64 line, qint64 column, qint64 selectedChars);
// "UTF-8", "UTF-8 BOM" or "Latin-1".
QString encodingLabel(bool utf8, bool byteOrderMark);
// "CR LF" while the document has the line ends of its file; "mixed" when the
// file came with others and loading changed them.
QString lineEndsLabel(const LineEndCount &ends);
// The same said in full, for the field's tool tip.
QString lineEndsNote(const LineEndCount &ends);
// Characters in the bytes: each byte of a single-byte document, and in a UTF-8
// one each byte that starts a character. A CR LF is two.
qint64 countCharacters(QByteArrayView bytes, bool utf8);
