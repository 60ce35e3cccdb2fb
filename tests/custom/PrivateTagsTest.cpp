#include "custom/PrivateMenu.h"
#include "custom/PrivateTags.h"
#include "GoldenFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestUtil.h"
#include "support/FakeDocument.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
PrivateTagList goldenTags()
{
    PrivateTagList tags;
    tags[0] = {"Bold", "<B>", "</B>", 1};
    tags[1] = {"Para", "<P>", "</P>", 0};
    tags[2] = {QString::fromUtf8("Euro \u20ac"), "&euro;", "", 2};
    tags[3] = {QString::fromUtf8("Caf\u00e9"), "<DIV>\r\n<P>", "</P>\r\n</DIV>", 1};
    tags[4] = {"A&B", "&amp;", "", 2};
    return tags;
}

QByteArray field(const QByteArray &text, int lengthByte = -1)
{
    QByteArray f(31, '\0');
    f[0] = char(lengthByte < 0 ? text.size() : lengthByte);
    for (int i = 0; i < text.size() && i < 30; ++i)
        f[1 + i] = text.at(i);
    return f;
}

QByteArray record(const QByteArray &name, const QByteArray &open, const QByteArray &close, int layout)
{
    return field(name) + field(open) + field(close) + QByteArray(1, char(layout));
}
}  // namespace

TEST(PrivateTagsFile, GoldenFileReadsAndWritesBackByteForByte)
{
    const QByteArray golden = goldenBytes(QStringLiteral("menu.pm"));
    ASSERT_EQ(golden.size(), 1880);
    EXPECT_EQ(ReadPrivateTagRecords(golden), goldenTags());
    const QByteArray written = WritePrivateTagRecords(goldenTags());
    if (written != golden)
        writeActual(QStringLiteral("menu.pm"), written);
    EXPECT_EQ(written, golden);

    QTemporaryDir dir;
    const QString path = dir.filePath("Tagloom.pm");
    ASSERT_TRUE(WritePrivateTagsFile(path, goldenTags()));
    EXPECT_EQ(readFileBytes(path), golden);
    EXPECT_EQ(ReadPrivateTagsFile(path), goldenTags());
}

TEST(PrivateTagsFile, DamagedFilesGiveWhatIsSound)
{
    const QByteArray bold = record("Bold", "<B>", "</B>", 1);
    QByteArray longLength = record("Bold", "<B>", "</B>", 1);
    longLength[31] = char(200);  // opening text says 200 bytes
    QByteArray lateLayout = bold;
    lateLayout[93] = char(7);
    struct Row
    {
        const char *what;
        QByteArray bytes;
        PrivateTag first;
        PrivateTag second;
    } rows[] = {
        {"no bytes", {}, {}, {}},
        {"one record and a half", bold + bold.left(50), {"Bold", "<B>", "</B>", 1}, {}},
        {"length over 30 clamped", longLength, {"Bold", "<B>" + QString(27, QChar(0)), "</B>", 1}, {}},
        {"layout over 2 reads as 1", lateLayout, {"Bold", "<B>", "</B>", 1}, {}},
        {"bytes after the records ignored", QByteArray(1880, '\0') + bold, {}, {}},
    };
    for (const Row &row : rows) {
        const PrivateTagList tags = ReadPrivateTagRecords(row.bytes);
        EXPECT_EQ(tags[0], row.first) << row.what;
        EXPECT_EQ(tags[1], row.second) << row.what;
        EXPECT_FALSE(tags[19].isUsed()) << row.what;
    }
}

TEST(PrivateTagsFile, TextsAreCutToThirtyBytesWithoutBreakingAnything)
{
    const QString euro = QString::fromUtf8("\u20ac");
    struct Row
    {
        const char *what;
        QString text;
        QByteArray bytes;
    } rows[] = {
        {"short ASCII", "<B>", "<B>"},
        {"35 characters keep 30", QString(35, 'a'), QByteArray(30, 'a')},
        {"Latin-1 stays one byte each", QString::fromUtf8("caf\u00e9"), "caf\xe9"},
        {"beyond Latin-1 as UTF-8", "a" + euro, "a\xe2\x82\xac"},
        {"CR LF at the limit is not split", QString(29, 'x') + "\r\n", QByteArray(29, 'x')},
        {"CR LF inside the limit kept", QString(28, 'x') + "\r\n", QByteArray(28, 'x') + "\r\n"},
        {"UTF-8 never split", QString(28, 'x') + euro, QByteArray(28, 'x')},
        {"UTF-8 cut back to Latin-1 once the wide letter is gone", QString(29, QChar(0xe9)) + euro,
         QByteArray(29, '\xe9')},
        {"a character outside the BMP stays whole", QString(26, 'x') + QString::fromUtf8("\U0001F600"),
         QByteArray(26, 'x') + "\xf0\x9f\x98\x80"},
    };
    for (const Row &row : rows) {
        const QByteArray bytes = EncodePrivateText(row.text);
        EXPECT_EQ(bytes, row.bytes) << row.what;
        EXPECT_EQ(EncodePrivateText(DecodePrivateText(bytes)), bytes) << row.what;
        EXPECT_TRUE(row.text.startsWith(DecodePrivateText(bytes))) << row.what;
    }
    EXPECT_EQ(WithCRLF("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
}

TEST(PrivateMenu, ItemsStandInRecordOrderNamedByRecord)
{
    PrivateTagList tags;
    tags[0] = {"Bold", "<B>", "</B>", 1};
    tags[2] = {"Fish & Chips", "<I>", "</I>", 1};
    tags[19] = {"Last", "x", "", 2};
    QMenu menu;
    menu.addAction("placeholder");
    QStringList clicked;
    BuildPrivateMenu(&menu, tags, [&clicked](const QString &name) { clicked.append(name); });
    const auto items = menu.actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->objectName(), "privateMenuItem0");
    EXPECT_EQ(items[1]->objectName(), "privateMenuItem2");
    EXPECT_EQ(items[2]->objectName(), "privateMenuItem19");
    // "&" shows as written, not as a mnemonic.
    EXPECT_EQ(items[1]->text(), "Fish && Chips");
    items[1]->trigger();
    EXPECT_EQ(clicked, QStringList{"Fish & Chips"});
}

TEST(PrivateMenu, LayoutsWriteIntoTheDocument)
{
    struct Row
    {
        int layout;
        QByteArray text;
        int from, length;
        QByteArray expected;
        int caret;
    } rows[] = {
        {1, "x", 0, 1, "<B>x</B>", 8},
        {1, "", 0, 0, "<B></B>", 3},
        {0, "x", 0, 1, "<B>\r\nx\r\n</B>", 12},
        {2, "x", 0, 1, "<B></B>", 7},
    };
    for (const Row &row : rows) {
        PrivateTagList tags;
        tags[3] = {"Bold", "<B>", "</B>", row.layout};
        FakeDocument doc(row.text);
        doc.select(row.from, row.length);
        PrivateMenuClick(doc, "Bold", tags);
        EXPECT_EQ(doc.text(), row.expected) << row.layout;
        EXPECT_EQ(doc.editor()->SelStart(), row.caret) << row.layout;
    }
}

TEST(PrivateMenu, EveryRecordOfTheNameIsWrittenInOneUndoStep)
{
    PrivateTagList tags;
    tags[0] = {"Twice", "<B>", "</B>", 1};
    tags[1] = {"twice", "<S>", "</S>", 1};
    tags[5] = {"Twice", "<I>", "</I>", 1};
    FakeDocument doc("x");
    doc.select(0, 1);
    PrivateMenuClick(doc, "Twice", tags);
    EXPECT_EQ(doc.text(), "<B>x</B><I></I>");
    doc.editor()->undo();
    EXPECT_EQ(doc.text(), "x");
    // A name no record has any more writes nothing.
    PrivateMenuClick(doc, "Gone", tags);
    EXPECT_EQ(doc.text(), "x");
}

// The file (1,880 bytes) fits a write buffer, and used to be cut off on a full
// disk while the write said it had worked.
TEST(PrivateTagsFile, FullDiskKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tagloom.pm");
    PrivateTagList old;
    old[0] = {"Old", "<I>", "</I>", 0};
    ASSERT_TRUE(WritePrivateTagsFile(path, old));
    const QByteArray before = readFileBytes(path);
    QString error;
    EXPECT_FALSE(withSizeLimit(1024, [&] { return WritePrivateTagsFile(path, goldenTags(), &error); }));
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"Tagloom.pm"}));
}
