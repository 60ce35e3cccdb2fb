#include "support/FakeDocument.h"
#include "tags/DocStructureDlg.h"
#include "tags/DocStructureMarkup.h"
#include "tags/TagCommands.h"
#include "tags/TagInsertion.h"

#include <functional>

#include <gtest/gtest.h>

// A UTF-8 page saved with a byte-order mark keeps it as its first bytes: the
// mark is kept in the document, so markup written "at the start" must go after
// it, or the saved page starts with a tag and carries a stray U+FEFF.
namespace {
const QByteArray Bom("\xEF\xBB\xBF");
}

TEST(ByteOrderMark, LoadingPutsTheCaretAfterTheMark)
{
    FakeDocument marked(Bom + "Hello");
    EXPECT_EQ(marked.editor()->textStart(), 3);
    EXPECT_EQ(marked.editor()->SelStart(), 3);
    FakeDocument plain("Hello");
    EXPECT_EQ(plain.editor()->textStart(), 0);
    EXPECT_EQ(plain.editor()->SelStart(), 0);
    // In a single-byte document the same bytes are three characters of text.
    FakeDocument latin1(Bom + "caf\xE9");
    EXPECT_EQ(latin1.editor()->textStart(), 0);
}

TEST(ByteOrderMark, MarkupWrittenAtTheStartGoesAfterTheMark)
{
    const struct
    {
        const char *what;
        QByteArray before;
        int selFrom, selLength;
        std::function<void(FakeDocument &)> command;
        QByteArray expected;
        int caret;
    } cases[] = {
        {"tag pair at the very start", Bom + "Hello", 0, 0,
         [](FakeDocument &d) { InsertTagPair(d, QStringLiteral("<B>"), QStringLiteral("</B>")); }, Bom + "<B></B>Hello",
         6},
        {"tag pair around a selection holding the mark", Bom + "Hello", 0, 8,
         [](FakeDocument &d) { InsertTagPair(d, QStringLiteral("<B>"), QStringLiteral("</B>")); }, Bom + "<B>Hello</B>",
         15},
        {"single element at the very start", Bom + "Hello", 0, 0,
         [](FakeDocument &d) { ReplaceSelection(d, QStringLiteral("<BR>")); }, Bom + "<BR>Hello", 7},
        {"lower-casing a selection holding the mark keeps one mark", Bom + "HeLLo", 0, 8,
         [](FakeDocument &d) { Lowerallselectedletters1Click(d); }, Bom + "hello", 8},
        {"single-byte document: no mark, written at 0", Bom + "caf\xE9", 0, 0,
         [](FakeDocument &d) { ReplaceSelection(d, QStringLiteral("<BR>")); }, "<BR>" + Bom + "caf\xE9", 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FakeDocument doc(c.before);
        doc.select(c.selFrom, c.selLength);
        c.command(doc);
        EXPECT_EQ(doc.text(), c.expected);
        EXPECT_EQ(doc.editor()->SelStart(), c.caret);
        doc.undo();
        EXPECT_EQ(doc.text(), c.before);
    }
}

TEST(ByteOrderMark, DocumentStructureWritesTheHeadAfterTheMark)
{
    for (const int caret : {0, 3, 8}) {
        SCOPED_TRACE(caret);
        FakeDocument doc(Bom + "Hello");
        doc.select(caret, 0);
        WriteDocStructure(doc, DocStructureValues());
        EXPECT_TRUE(doc.text().startsWith(Bom + "\r\n<HTML>\r\n<HEAD>\r\n")) << doc.text().left(20).toStdString();
        EXPECT_EQ(doc.text().count(Bom), 1);
        EXPECT_TRUE(doc.text().endsWith("<BODY\r\n>\r\nHello\r\nStart writing here\r\n</BODY>\r\n</HTML>"));
        EXPECT_EQ(doc.editor()->SelText(), QByteArray("Start writing here"));
        doc.undo();
        EXPECT_EQ(doc.text(), Bom + "Hello");
    }
}
