#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <limits>

struct LineEndCount;
class TColorMemo;

// Turns every CR or LF that is not part of a CR LF pair into CR LF. Works on a
// stream of chunks: `pendingCR` carries a CR that ended the previous chunk.
// `ends`, when given, counts the line ends as they were before the change.
void AppendWithCRLF(QByteArrayView in, QByteArray &out, bool &pendingCR, LineEndCount *ends = nullptr);
QByteArray ConvertLineEnds(QByteArrayView in, LineEndCount *ends = nullptr);

// Checks a growing text for valid UTF-8 piece by piece, each byte once.
struct Utf8Check
{
    bool valid = true;
    qsizetype checked = 0;
    // `text` is the whole text so far; with atEnd false, a sequence cut at the end waits for more.
    void feed(QByteArrayView text, bool atEnd);
};

// The editor's positions are 32-bit; leave room for the CRs that loading adds.
constexpr qint64 MaxDocumentFileSize = std::numeric_limits<int>::max() / 2;

enum class LoadResult { Loaded, CannotOpen, TooLarge };
// Reads the file into the editor in one pass, converting line ends on the way.
LoadResult LoadFileIntoEditor(const QString &fileName, TColorMemo *memo);

// Writes the bytes atomically: a temporary file in the same folder renamed over
// the target, so a failed save leaves the old file whole. Keeps links, owner and mode.
bool SaveBytesToFile(const QString &fileName, QByteArrayView bytes, QString *error = nullptr);

// A name with no "." anywhere, the folder part included, gets "." + ext.
QString WithDefaultExt(const QString &fileName, const QString &ext);
