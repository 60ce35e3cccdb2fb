#include "app/DocumentMenuTable.h"
#include "custom/HotkeyFile.h"
#include "custom/KeyTable.h"
#include "GoldenFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QKeySequence>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray record(const QByteArray &name, quint16 value, int lengthByte = -1)
{
    QByteArray r(HotkeyFileLimits::RecordSize, '\0');
    r[0] = char(lengthByte < 0 ? name.size() : lengthByte);
    for (int i = 0; i < name.size() && i < 255; ++i)
        r[1 + i] = name.at(i);
    r[256] = char(value & 0xFF);
    r[257] = char(value >> 8);
    return r;
}

QString text(quint16 value)
{
    const auto key = HotkeyToKey(value);
    return key ? QKeySequence(*key).toString(QKeySequence::PortableText) : QStringLiteral("invalid");
}
}  // namespace

TEST(KeyTable, ChordsAndTheirStoredValues)
{
    struct Row
    {
        const char *chord;
        quint16 value;
    } rows[] = {
        {"Ctrl+N", 0x404E},     {"Alt+1", 0x8031},    {"Ctrl+Shift+F1", 0x6070},    {"Shift+F12", 0x207B},
        {"F3", 0x0072},         {"Ctrl+F12", 0x407B}, {"Ctrl+Alt+Shift+Z", 0xE05A}, {"Ctrl+Del", 0x402E},
        {"Alt+PgDown", 0x8022}, {"Ctrl+;", 0x40BA},   {"Ctrl+Num+5", 0x4065},       {"Ctrl+Num++", 0x406B},
        {"Ctrl+-", 0x40BD},     {"Alt+Left", 0x8025}, {"Ctrl+F24", 0x4087},         {"Ctrl+Return", 0x400D},
    };
    for (const Row &row : rows) {
        const QKeySequence seq = QKeySequence::fromString(QString::fromLatin1(row.chord), QKeySequence::PortableText);
        ASSERT_FALSE(seq.isEmpty()) << row.chord;
        EXPECT_EQ(KeyToHotkey(seq[0]), row.value) << row.chord;
        EXPECT_EQ(text(row.value), seq.toString(QKeySequence::PortableText)) << row.chord;
    }
    EXPECT_EQ(KeyToHotkey(QKeyCombination()), quint16(0));
    EXPECT_EQ(HotkeyToKey(0), QKeyCombination());
    // Shifted keys as Qt reports them are stored as their key caps.
    EXPECT_EQ(KeyToHotkey(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Exclam)), quint16(0x6031));
    EXPECT_EQ(KeyToHotkey(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Colon)), quint16(0x60BA));
    // Meta has no bit in the file.
    EXPECT_EQ(KeyToHotkey(QKeyCombination(Qt::MetaModifier, Qt::Key_A)), std::nullopt);
}

TEST(KeyTable, EveryDefaultMenuKeyRoundTrips)
{
    int keys = 0;
    for (int i = 0; i < DocumentMenuTableSize; ++i) {
        const MenuItemDef &def = DocumentMenuTable[i];
        if (!*def.key)
            continue;
        ++keys;
        const QKeySequence seq = QKeySequence::fromString(QString::fromLatin1(def.key), QKeySequence::PortableText);
        const std::optional<quint16> value = KeyToHotkey(seq[0]);
        ASSERT_TRUE(value) << def.name;
        EXPECT_EQ(QKeySequence(*HotkeyToKey(*value)), seq) << def.name;
    }
    EXPECT_GT(keys, 50);
}

TEST(KeyTable, EveryKnownValueRoundTrips)
{
    int known = 0;
    for (int vk = 1; vk < 256; ++vk)
        for (quint16 mods : {0x0000, 0x2000, 0x4000, 0x8000, 0xE000}) {
            const quint16 value = quint16(vk | mods);
            if (const auto key = HotkeyToKey(value)) {
                ++known;
                EXPECT_EQ(KeyToHotkey(*key), value) << Qt::hex << value;
            }
        }
    EXPECT_GT(known, 5 * 100);
}

TEST(KeyTable, ValuesThatAreNoKey)
{
    for (quint16 value : {0x4000, 0x2000, 0xE000, 0x1041, 0x0141, 0x4007, 0x40FF, 0x4088}) {
        EXPECT_FALSE(IsValidHotkey(value)) << Qt::hex << value;
    }
}

TEST(HotkeyFile, GoldenFileReadsAndWritesBackByteForByte)
{
    const QList<HotkeyRecord> expected = {
        {"FileNewItem", 0x404E},     {"N1", 0},
        {"Header12", 0x8031},        {"Insertadocumentinthesamesystem1", 0x6070},
        {"SelectListItem1", 0x207B}, {"privateMenuItem0", 0x4051},
    };
    const QByteArray golden = goldenBytes(QStringLiteral("menu.HotKeys"));
    ASSERT_EQ(golden.size(), 6 * 258);
    EXPECT_EQ(ReadHotkeyRecords(golden), expected);
    const QByteArray written = WriteHotkeyRecords(expected);
    if (written != golden)
        writeActual(QStringLiteral("menu.HotKeys"), written);
    EXPECT_EQ(written, golden);

    QTemporaryDir dir;
    const QString path = dir.filePath("Tagloom.HotKeys");
    ASSERT_TRUE(WriteHotkeysFile(path, expected));
    EXPECT_EQ(readFileBytes(path), golden);
    EXPECT_EQ(ReadHotkeysFile(path), expected);
}

TEST(HotkeyFile, CorruptRecordsAreSkippedAndTheRestLoads)
{
    const QByteArray good = record("Bold1", 0x4042);
    struct Row
    {
        const char *what;
        QByteArray bytes;
        QList<HotkeyRecord> expected;
    } rows[] = {
        {"empty file", {}, {}},
        {"partial record at the end", good + record("Italic1", 0x4049).left(200), {{"Bold1", 0x4042}}},
        {"empty name", record("", 0x4049) + good, {{"Bold1", 0x4042}}},
        {"unknown bits", record("Italic1", 0x5049) + good, {{"Bold1", 0x4042}}},
        {"modifiers without a key", record("Italic1", 0x4000) + good, {{"Bold1", 0x4042}}},
        {"unknown key code", record("Italic1", 0x40FF) + good, {{"Bold1", 0x4042}}},
        {"no key clears", record("Italic1", 0) + good, {{"Italic1", 0}, {"Bold1", 0x4042}}},
        {"name bytes after the length ignored", record("Bold1xyz", 0x4042, 5), {{"Bold1", 0x4042}}},
        {"longest name stays inside its record", record(QByteArray(255, 'n'), 0x4042), {{QString(255, 'n'), 0x4042}}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ReadHotkeyRecords(row.bytes), row.expected) << row.what;
}

TEST(HotkeyFile, RecordsAfterTheTwoHundredFiftiethAreIgnored)
{
    QByteArray bytes;
    for (int i = 0; i < 260; ++i)
        bytes += record("Item" + QByteArray::number(i), 0x4041);
    const QList<HotkeyRecord> records = ReadHotkeyRecords(bytes);
    ASSERT_EQ(records.size(), 250);
    EXPECT_EQ(records.last().name, "Item249");
}

TEST(HotkeyFile, LongNamesAreCutTo255Characters)
{
    const QByteArray bytes = WriteHotkeyRecords({{QString(300, 'x'), 0x4041}});
    ASSERT_EQ(bytes.size(), 258);
    EXPECT_EQ(quint8(bytes[0]), 255);
    EXPECT_EQ(ReadHotkeyRecords(bytes).value(0).name, QString(255, 'x'));
}

TEST(HotkeyFile, FailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing-folder/Tagloom.HotKeys");
    EXPECT_FALSE(WriteHotkeysFile(path, {{"Bold1", 0x4042}}));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(ReadHotkeysFile(dir.filePath("none")).isEmpty());
    // A folder in place of the file reads as no file.
    EXPECT_TRUE(ReadHotkeysFile(dir.path()).isEmpty());
}

TEST(HotkeyWalkRules, SavingLoadingAndKeyHolders)
{
    const QList<HotkeyItem> items = {
        {"CopyItem", 0, 0x4043}, {"Header12", 1, 0x8031}, {"N1", 0, 0}, {"Center1", 0, 0x4043}, {"Bold1", 0, 0x4042},
    };
    // Only tag 0 is written, separators included, in walk order.
    EXPECT_EQ(RecordsToSave(items),
              (QList<HotkeyRecord>{{"CopyItem", 0x4043}, {"N1", 0}, {"Center1", 0x4043}, {"Bold1", 0x4042}}));
    // The first in menu order holds a shared key.
    EXPECT_EQ(KeyHolders(items), (QList<bool>{true, true, false, false, true}));

    // The first record of a name counts, names match with exact case, any tag loads.
    const QList<HotkeyRecord> records = {{"Header12", 0x4048}, {"bold1", 0x4055}, {"Header12", 0x4049}, {"", 0x404A}};
    const auto values = ValuesToLoad(items, records);
    ASSERT_EQ(values.size(), items.size());
    EXPECT_EQ(values[1], quint16(0x4048));
    EXPECT_EQ(values[4], std::nullopt);
    EXPECT_EQ(values[0], std::nullopt);
}

// A file small enough to stay in a write buffer used to be cut off on a full
// disk while the write said it had worked.
TEST(HotkeyFile, SmallFileOnFullDiskKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tagloom.HotKeys");
    ASSERT_TRUE(WriteHotkeysFile(path, {{"Bold1", 0x4042}}));
    const QByteArray before = readFileBytes(path);
    QList<HotkeyRecord> records;
    for (int i = 0; i < 10; ++i)  // 2,580 bytes
        records.append({QStringLiteral("Item%1").arg(i), quint16(0x4041 + i)});
    QString error;
    EXPECT_FALSE(withSizeLimit(1024, [&] { return WriteHotkeysFile(path, records, &error); }));
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"Tagloom.HotKeys"}));
}
