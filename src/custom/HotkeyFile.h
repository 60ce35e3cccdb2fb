#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The hotkeys file: records of 258 bytes, no header. Byte 0 is the length of the
// item name (0 to 255), bytes 1 to 255 the name, bytes 256 and 257 the key value
// (little-endian, see KeyTable.h).
struct HotkeyRecord
{
    QString name;
    quint16 value = 0;
    bool operator==(const HotkeyRecord &) const = default;
};

namespace HotkeyFileLimits {
constexpr int RecordSize = 258;
constexpr int NameSize = 255;
constexpr int MaxRecords = 250;  // records after these are ignored
}  // namespace HotkeyFileLimits

// The records of a file's bytes, in file order, at most MaxRecords records read.
// Records that cannot be sound (a partial record at the end, an empty name, a key
// value the key table does not know) are skipped; the rest still load.
QList<HotkeyRecord> ReadHotkeyRecords(const QByteArray &bytes);
// Names are cut to 255 characters; bytes after a name are zeros.
QByteArray WriteHotkeyRecords(const QList<HotkeyRecord> &records);

// Reads the file (a bounded read of a regular file); empty when it is missing.
QList<HotkeyRecord> ReadHotkeysFile(const QString &fileName);
// Writes atomically; false when the file could not be written, the old one then
// intact, and `error` says why.
bool WriteHotkeysFile(const QString &fileName, const QList<HotkeyRecord> &records, QString *error = nullptr);

// One menu item as the hotkey routines see it, in walk order: each top-level
// menu's items in order, every item before its own sub-items.
struct HotkeyItem
{
    QString name;
    int tag = 0;        // items with a tag other than 0 are not captured or saved
    quint16 value = 0;  // the item's key (its own, even when an earlier item holds the same key)
};

// The records SaveHotkeys writes: every item with tag 0, in walk order.
QList<HotkeyRecord> RecordsToSave(const QList<HotkeyItem> &items);
// For each item, the value of the first record with exactly its name, if any.
QList<std::optional<quint16>> ValuesToLoad(const QList<HotkeyItem> &items, const QList<HotkeyRecord> &records);
// For each item, whether it is the one that runs on its key: the first in walk
// order among the items with the same key, as the Windows menus do.
QList<bool> KeyHolders(const QList<HotkeyItem> &items);
