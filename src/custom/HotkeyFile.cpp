#include "custom/HotkeyFile.h"

#include "custom/KeyTable.h"
#include "platform/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

QList<HotkeyRecord> ReadHotkeyRecords(const QByteArray &bytes)
{
    using namespace HotkeyFileLimits;
    QList<HotkeyRecord> records;
    const qsizetype whole = std::min<qsizetype>(bytes.size() / RecordSize, MaxRecords);
    for (qsizetype i = 0; i < whole; ++i) {
        const char *rec = bytes.constData() + i * RecordSize;
        // The length byte can say at most 255, which is the name field's width.
        const int length = quint8(rec[0]);
        const quint16 value = quint16(quint8(rec[256]) | (quint8(rec[257]) << 8));
        if (length == 0 || !IsValidHotkey(value))
            continue;
        records.append({QString::fromLatin1(rec + 1, length), value});
    }
    return records;
}

QByteArray WriteHotkeyRecords(const QList<HotkeyRecord> &records)
{
    using namespace HotkeyFileLimits;
    QByteArray out(records.size() * RecordSize, '\0');
    char *rec = out.data();
    for (const HotkeyRecord &r : records) {
        // Item names are plain ASCII; anything else is written as Latin-1 like the Windows build.
        const QByteArray name = r.name.left(NameSize).toLatin1();
        rec[0] = char(name.size());
        std::copy(name.cbegin(), name.cend(), rec + 1);
        rec[256] = char(r.value & 0xFF);
        rec[257] = char(r.value >> 8);
        rec += RecordSize;
    }
    return out;
}

QList<HotkeyRecord> ReadHotkeysFile(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return {};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadHotkeyRecords(file.read(qint64(HotkeyFileLimits::RecordSize) * HotkeyFileLimits::MaxRecords));
}

bool WriteHotkeysFile(const QString &fileName, const QList<HotkeyRecord> &records, QString *error)
{
    return WriteFileSafely(fileName, WriteHotkeyRecords(records), error);
}

QList<HotkeyRecord> RecordsToSave(const QList<HotkeyItem> &items)
{
    QList<HotkeyRecord> records;
    for (const HotkeyItem &item : items)
        if (item.tag == 0)
            records.append({item.name.left(HotkeyFileLimits::NameSize), item.value});
    return records;
}

QList<std::optional<quint16>> ValuesToLoad(const QList<HotkeyItem> &items, const QList<HotkeyRecord> &records)
{
    QHash<QString, quint16> first;
    for (const HotkeyRecord &r : records)
        if (!first.contains(r.name))
            first.insert(r.name, r.value);
    QList<std::optional<quint16>> values;
    values.reserve(items.size());
    for (const HotkeyItem &item : items) {
        auto it = first.constFind(item.name);
        values.append(it == first.constEnd() || item.name.isEmpty() ? std::nullopt : std::optional<quint16>(*it));
    }
    return values;
}

QList<bool> KeyHolders(const QList<HotkeyItem> &items)
{
    QSet<quint16> taken;
    QList<bool> holders;
    holders.reserve(items.size());
    for (const HotkeyItem &item : items) {
        const bool holds = item.value != 0 && !taken.contains(item.value);
        if (holds)
            taken.insert(item.value);
        holders.append(holds);
    }
    return holders;
}
