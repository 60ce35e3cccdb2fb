// Reads arbitrary bytes as a hotkeys file and checks what loading may rely on.
//
// Whatever the bytes, the records read are at most 250, have names of 1 to 255
// characters and key values the key table knows; writing them and reading them
// back gives the same records; and every key value survives the trip through Qt.

#include "custom/HotkeyFile.h"
#include "custom/KeyTable.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<HotkeyRecord> records = ReadHotkeyRecords(bytes);
    if (records.size() > HotkeyFileLimits::MaxRecords)
        std::abort();
    QList<HotkeyItem> items;
    for (const HotkeyRecord &r : records) {
        if (r.name.isEmpty() || r.name.size() > HotkeyFileLimits::NameSize || !IsValidHotkey(r.value))
            std::abort();
        const std::optional<QKeyCombination> key = HotkeyToKey(r.value);
        if (KeyToHotkey(*key) != r.value)
            std::abort();
        items.append({r.name, int(r.value & 1), r.value});
    }
    const QByteArray written = WriteHotkeyRecords(records);
    if (written.size() != records.size() * HotkeyFileLimits::RecordSize || ReadHotkeyRecords(written) != records)
        std::abort();

    // The walk helpers take any items: one value per item, each key held once.
    const QList<std::optional<quint16>> values = ValuesToLoad(items, records);
    const QList<bool> holders = KeyHolders(items);
    if (values.size() != items.size() || holders.size() != items.size())
        std::abort();
    for (int i = 0; i < items.size(); ++i)
        if (!values.at(i))
            std::abort();  // every item here has a record of its own name
    return 0;
}
