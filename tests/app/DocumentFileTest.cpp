#include "app/DocumentFile.h"
#include "editor/ColorMemo.h"
#include "TestUtil.h"

#include <QFile>
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

    // A folder that cannot be written: no temporary file, no rename, old text kept.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QString error;
    const bool saved = SaveBytesToFile(name, "lost?", &error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (saved)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFileBytes(name), "new");
}

TEST(DocumentFile, DefaultExtensionOnlyWithoutAnyDot)
{
    EXPECT_EQ(WithDefaultExt("/home/me/page", "html"), "/home/me/page.html");
    EXPECT_EQ(WithDefaultExt("/home/me.site/page", "html"), "/home/me.site/page");
    EXPECT_EQ(WithDefaultExt("/home/me/page.htm", "html"), "/home/me/page.htm");
}
