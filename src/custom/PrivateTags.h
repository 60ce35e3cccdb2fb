#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// One snippet of the private menu. In the file "Tagloom.pm" a record of 94 bytes:
// name, opening and closing text as a length byte and up to 30 bytes each (the
// bytes after the text are zeros), then the layout byte.
struct PrivateTag
{
    QString name;  // empty: a free record
    QString open;
    QString close;
    int layout = 0;  // 0 tags on lines of their own, 1 around the selection, 2 in place of it

    bool isUsed() const { return !name.isEmpty(); }
    bool operator==(const PrivateTag &) const = default;
};

namespace PrivateTagLimits {
constexpr int Count = 20;
constexpr int TextSize = 30;
constexpr int RecordSize = 94;
constexpr int FileSize = Count * RecordSize;
}  // namespace PrivateTagLimits

using PrivateTagList = std::array<PrivateTag, PrivateTagLimits::Count>;

// The 20 snippets of the program, read at start-up.
PrivateTagList &PrivateTags();

// A text as the file holds it: Latin-1 where every character fits, else UTF-8;
// at most 30 bytes, cut at the end, never inside a character or a CR LF.
QByteArray EncodePrivateText(const QString &text);
// The reverse: bytes that are UTF-8 holding a character beyond Latin-1 read as
// UTF-8, all others as Latin-1, so every encoded text reads back the same.
QString DecodePrivateText(const QByteArray &bytes);
// The text as it will read back from the file (cut and encoded, then decoded).
QString StoredPrivateText(const QString &text);
// Line breaks of a multi-line field as CR LF, whatever the editor gave.
QString WithCRLF(QString text);

// Whole records from the start of the bytes; lengths over 30 read as 30, layouts
// over 2 as 1, a partial record and the records the bytes do not reach are empty.
PrivateTagList ReadPrivateTagRecords(const QByteArray &bytes);
// Exactly 20 records, 1880 bytes.
QByteArray WritePrivateTagRecords(const PrivateTagList &tags);

// All records empty when the file is missing or unreadable.
PrivateTagList ReadPrivateTagsFile(const QString &fileName);
// Atomic; false when the file could not be written, the old one then intact, and `error` says why.
bool WritePrivateTagsFile(const QString &fileName, const PrivateTagList &tags, QString *error = nullptr);

// Reads the data folder's file into PrivateTags(); once at start-up.
void LoadPrivateTags();
