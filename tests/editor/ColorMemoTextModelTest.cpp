#include "editor/ColorMemo.h"

#include <gtest/gtest.h>

TEST(ColorMemoTextModel, KeepsEveryByteAndCountsLineBreaksAsTwo)
{
    TColorMemo memo;
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    memo.loadBytes(all);
    EXPECT_EQ(memo.bytes(), all);
    EXPECT_FALSE(memo.isUtf8Document());

    memo.loadBytes("ab\r\ncd");
    memo.setSelStart(4);
    EXPECT_EQ(memo.SelStart(), 4);
    memo.setSelLength(2);
    EXPECT_EQ(memo.SelText(), "cd");
    memo.setSelText(QByteArray("X\0Y", 3));
    EXPECT_EQ(memo.bytes(), QByteArray("ab\r\nX\0Y", 7));
    EXPECT_EQ(memo.SelStart(), 7);
    EXPECT_EQ(memo.SelLength(), 0);
}
