#include "app/DocumentFile.h"
#include "editor/ColorMemo.h"
#include "support/FileSizeLimit.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DocumentFile, LoneCrAndLfBecomeCrLf)
{
    EXPECT_EQ(ConvertLineEnds("a\nb\rc\r\nd\n\re"), QByteArray("a\r\nb\r\nc\r\nd\r\n\r\ne"));
    EXPECT_EQ(ConvertLineEnds("\r"), QByteArray("\r\n"));
    EXPECT_EQ(ConvertLineEnds("no break"), QByteArray("no break"));
    // A CR LF split between two chunks stays one line break.
    QByteArray out;
    bool pendingCR = false;
    AppendWithCRLF("a\r", out, pendingCR);
    AppendWithCRLF("\nb\r", out, pendingCR);
    AppendWithCRLF("c", out, pendingCR);
    EXPECT_EQ(out, QByteArray("a\r\nb\r\nc"));
}

TEST(DocumentFile, LineEndsConvertAlikeWhereverTheChunksSplit)
{
    // Runs of CR LF lines are copied whole; what breaks a run must still be
    // converted, also when a chunk ends right at it.
    const struct
    {
        QByteArray in, out;
    } cases[] = {
        {"\r\n\r\n\r\n", "\r\n\r\n\r\n"},
        {"a\r\nb\nc\r\nd", "a\r\nb\r\nc\r\nd"},
        {"\r\r\n\n\r", "\r\n\r\n\r\n\r\n"},
        {"\n\n\r\n", "\r\n\r\n\r\n"},
        {"x\r\n\ry\r", "x\r\n\r\ny\r\n"},
        {"\r\n\n\r\r\n", "\r\n\r\n\r\n\r\n"},
        {"", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ConvertLineEnds(c.in), c.out) << c.in.toPercentEncoding().constData();
        for (qsizetype cut = 0; cut <= c.in.size(); ++cut) {
            for (qsizetype cut2 = cut; cut2 <= c.in.size(); ++cut2) {
                QByteArray out;
                bool pendingCR = false;
                AppendWithCRLF(QByteArrayView(c.in).first(cut), out, pendingCR);
                AppendWithCRLF(QByteArrayView(c.in).sliced(cut, cut2 - cut), out, pendingCR);
                AppendWithCRLF(QByteArrayView(c.in).sliced(cut2), out, pendingCR);
                EXPECT_EQ(out, c.out) << c.in.toPercentEncoding().constData() << " cut at " << cut << ", " << cut2;
            }
        }
    }
}

TEST(DocumentFile, EachLoadTakesTheEncodingOfItsOwnText)
{
    // The encoding is set before the text goes in when it is known: a load
    // must not keep the one of the text before it.
    QTemporaryDir dir;
    const struct
    {
        QByteArray text;
        bool utf8;
    } loads[] = {{"caf\xC3\xA9\r\n", true},
                 {"caf\xE9\r\n", false},
                 {"caf\xE9", false},
                 {"plain", true},
                 {"\xC3\xA9t\xC3\xA9", true}};
    TColorMemo viaFile, viaBytes;
    for (const auto &l : loads) {
        const QString name = dir.filePath("page.html");
        ASSERT_TRUE(writeFileBytes(name, l.text));
        ASSERT_EQ(LoadFileIntoEditor(name, &viaFile), LoadResult::Loaded);
        EXPECT_EQ(viaFile.isUtf8Document(), l.utf8) << l.text.constData();
        EXPECT_EQ(viaFile.bytes(), l.text);
        viaBytes.loadBytes(l.text);
        EXPECT_EQ(viaBytes.isUtf8Document(), l.utf8) << l.text.constData();
        EXPECT_EQ(viaBytes.bytes(), l.text);
        EXPECT_EQ(viaBytes.decode(viaBytes.textView()),
                  l.utf8 ? QString::fromUtf8(l.text) : QString::fromLatin1(l.text));
    }
}

TEST(DocumentFile, EveryByteSurvivesLoadEditAndSave)
{
    QTemporaryDir dir;
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    all.append("\xC3\x28 invalid \xFF\xFE utf-8 \0 nul", 25);
    const QString name = dir.filePath("bytes.html");
    ASSERT_TRUE(writeFileBytes(name, all));

    TColorMemo memo;
    ASSERT_EQ(LoadFileIntoEditor(name, &memo), LoadResult::Loaded);
    EXPECT_EQ(memo.bytes(), ConvertLineEnds(all));
    memo.setSelStart(0);
    memo.setSelText(QByteArray("<B>"));
    ASSERT_TRUE(SaveBytesToFile(name, memo.textView()));
    EXPECT_EQ(readFileBytes(name), "<B>" + ConvertLineEnds(all));
}

TEST(DocumentFile, LoadAcrossChunksAndUtf8Detection)
{
    QTemporaryDir dir;
    // Bigger than one read chunk, with a CR LF straddling the chunk border.
    QByteArray text;
    while (text.size() < (4 << 20) - 100)
        text.append(QByteArray(99, 'x') + '\n');
    text.append(QByteArray((4 << 20) - text.size() - 1, 'y') + '\r');
    text.append("\nend\n\xC3\xA9");
    const QString name = dir.filePath("big.htm");
    ASSERT_TRUE(writeFileBytes(name, text));
    TColorMemo memo;
    ASSERT_EQ(LoadFileIntoEditor(name, &memo), LoadResult::Loaded);
    EXPECT_EQ(memo.bytes(), ConvertLineEnds(text));
    EXPECT_EQ(memo.rangeView(memo.length() - 9, memo.length()), QByteArray("\r\nend\r\n\xC3\xA9"));
    EXPECT_TRUE(memo.isUtf8Document());
    EXPECT_EQ(LoadFileIntoEditor(dir.filePath("missing.html"), &memo), LoadResult::CannotOpen);
}

TEST(DocumentFile, FailedSaveLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("page.html");
    ASSERT_TRUE(writeFileBytes(name, "old contents"));
    QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(SaveBytesToFile(name, "new"));
    EXPECT_EQ(readFileBytes(name), "new");
    const auto perms = QFile::permissions(name);
    EXPECT_TRUE(perms.testFlag(QFile::ReadGroup));
    EXPECT_FALSE(perms.testFlag(QFile::WriteGroup));
    EXPECT_FALSE(perms.testFlag(QFile::ReadOther));

    // A write that fails half-way (the file size limit stands in for a full
    // disk, and holds for root too): the old text stays whole.
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const bool saved = SaveBytesToFile(name, QByteArray(100000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFileBytes(name), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"page.html"}));  // no temporary left behind

    // A folder that does not exist.
    EXPECT_FALSE(SaveBytesToFile(dir.filePath("no/such/page.html"), "x"));
    EXPECT_EQ(readFileBytes(name), "new");
}

// Qt keeps a write this small in its buffer until the end and used to report
// success with the file cut off at the limit.
TEST(DocumentFile, SmallPageOnFullDiskIsNotCutOff)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("page.html");
    ASSERT_TRUE(writeFileBytes(name, "old contents"));
    QString error;
    EXPECT_FALSE(withSizeLimit(4096, [&] { return SaveBytesToFile(name, QByteArray(5000, 'x'), &error); }));
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(readFileBytes(name), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"page.html"}));
}

TEST(DocumentFile, DefaultExtensionOnlyWithoutAnyDot)
{
    EXPECT_EQ(WithDefaultExt("/home/me/page", "html"), "/home/me/page.html");
    EXPECT_EQ(WithDefaultExt("/home/me.site/page", "html"), "/home/me.site/page");
    EXPECT_EQ(WithDefaultExt("/home/me/page.htm", "html"), "/home/me/page.htm");
}

TEST(DocumentFile, Utf8CheckAcrossPieces)
{
    const QByteArray text = "a\xC3\xA9"
                            "b\xE2\x82\xAC"
                            "c\xF0\x9F\x98\x80";
    // Every split point, as if the text arrived in two pieces.
    for (int cut = 0; cut <= text.size(); ++cut) {
        Utf8Check check;
        check.feed(text.left(cut), false);
        check.feed(text, true);
        EXPECT_TRUE(check.valid) << cut;
    }
    Utf8Check bad;
    bad.feed("ok\xC3", false);
    bad.feed("ok\xC3(", true);
    EXPECT_FALSE(bad.valid);
    Utf8Check cutShort;
    cutShort.feed("ok\xE2\x82", false);
    cutShort.feed("ok\xE2\x82", true);
    EXPECT_FALSE(cutShort.valid);
}
