#include "support/FakeDocument.h"
#include "tags/TagInsertion.h"

#include <gtest/gtest.h>

TEST(InsertTagPair, WithoutSelectionLeavesTheCaretBetweenTheTexts)
{
    FakeDocument doc("0123456789abcdef");
    doc.editor()->setSelStart(10);
    InsertTagPair(doc, QStringLiteral("<B>"), QStringLiteral("</B>"));
    EXPECT_EQ(doc.text(), "0123456789<B></B>abcdef");
    EXPECT_EQ(doc.editor()->SelStart(), 13);
    EXPECT_EQ(doc.editor()->SelLength(), 0);
    EXPECT_TRUE(doc.isModified());
}

TEST(InsertTagPair, WrapsTheSelectionAndLeavesTheCaretAfterIt)
{
    FakeDocument doc("a word here");
    doc.select(2, 4);
    InsertTagPair(doc, QStringLiteral("<B>"), QStringLiteral("</B>"));
    EXPECT_EQ(doc.text(), "a <B>word</B> here");
    EXPECT_EQ(doc.editor()->SelStart(), 13);
    EXPECT_EQ(doc.editor()->SelLength(), 0);
}

TEST(InsertTagPair, WrapsASelectionSpanningLineBreaksAsOnePiece)
{
    FakeDocument doc("x\r\none\r\ntwo\r\ny");
    doc.select(3, 10);  // "one\r\ntwo\r\n"
    InsertTagPair(doc, QStringLiteral("<PRE>"), QStringLiteral("</PRE>"));
    EXPECT_EQ(doc.text(), "x\r\n<PRE>one\r\ntwo\r\n</PRE>y");
    EXPECT_EQ(doc.editor()->SelStart(), 24);
}

TEST(InsertTagPair, EmptyEndTextPutsTheStartTextInFront)
{
    FakeDocument doc("abc");
    InsertTagPair(doc, QStringLiteral("ISINDEX"));
    EXPECT_EQ(doc.text(), "ISINDEXabc");
    EXPECT_EQ(doc.editor()->SelStart(), 7);

    doc.select(7, 3);
    InsertTagPair(doc, QStringLiteral("<X>"));
    EXPECT_EQ(doc.text(), "ISINDEX<X>abc");
    EXPECT_EQ(doc.editor()->SelStart(), 13);
}

TEST(InsertTagPair, KeepsTheSelectedBytesAsTheyWere)
{
    // Latin-1 document with a NUL: the selection must not go through a text conversion.
    const QByteArray body("\xE9t\xE9\0\xFF", 5);
    FakeDocument doc("<" + body + ">");
    doc.select(1, 5);
    InsertTagPair(doc, QStringLiteral("<I>"), QStringLiteral("</I>"));
    EXPECT_EQ(doc.text(), "<<I>" + body + "</I>>");
}

TEST(InsertTagPair, EncodesTextIntoTheDocumentsEncoding)
{
    FakeDocument latin("\xE9");
    latin.editor()->setSelStart(1);
    InsertTagPair(latin, QStringLiteral("<A TITLE=\"\u00E9\">"), QStringLiteral("</A>"));
    EXPECT_EQ(latin.text(), "\xE9<A TITLE=\"\xE9\"></A>");
    EXPECT_EQ(latin.editor()->SelStart(), 14);

    FakeDocument utf8("\xC3\xA9");
    utf8.editor()->setSelStart(2);
    InsertTagPair(utf8, QStringLiteral("\u00E9"), QStringLiteral("\u00E9"));
    EXPECT_EQ(utf8.text(), "\xC3\xA9\xC3\xA9\xC3\xA9");
    EXPECT_EQ(utf8.editor()->SelStart(), 4);
}

TEST(InsertTagPair, IsOneUndoStep)
{
    FakeDocument doc("abc");
    doc.editor()->setSelStart(1);
    InsertTagPair(doc, QStringLiteral("<B>"), QStringLiteral("</B>"));
    doc.undo();
    EXPECT_EQ(doc.text(), "abc");
    EXPECT_FALSE(doc.canUndo());
}

TEST(ReplaceSelection, ReplacesInsertsAndDeletes)
{
    FakeDocument doc("one two");
    doc.select(4, 3);
    ReplaceSelection(doc, QStringLiteral("2"));
    EXPECT_EQ(doc.text(), "one 2");
    EXPECT_EQ(doc.editor()->SelStart(), 5);
    EXPECT_EQ(doc.editor()->SelLength(), 0);

    doc.editor()->setSelStart(0);
    ReplaceSelection(doc, "1\r\n");
    EXPECT_EQ(doc.text(), "1\r\none 2");
    EXPECT_EQ(doc.editor()->SelStart(), 3);

    doc.select(3, 4);
    ReplaceSelection(doc, QString());
    EXPECT_EQ(doc.text(), "1\r\n2");
    EXPECT_EQ(doc.editor()->SelStart(), 3);
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_EQ(doc.text(), "1\r\none 2");
}
