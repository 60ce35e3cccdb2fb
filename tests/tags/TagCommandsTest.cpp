#include "support/FakeDocument.h"
#include "support/ScriptedPrompts.h"
#include "app/DocumentMenuTable.h"
#include "tags/TagCommands.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

void run(const char *itemName, TextDocument &doc)
{
    const TagCommand *command = FindTagCommand(QString::fromLatin1(itemName));
    ASSERT_NE(command, nullptr) << itemName;
    command->run(doc);
}

}  // namespace

TEST(TagCommands, ItemNamesAreUniqueFoundAndInTheDocumentMenu)
{
    QSet<QString> menuItems;
    for (int i = 0; i < DocumentMenuTableSize; ++i)
        menuItems.insert(QString::fromLatin1(DocumentMenuTable[i].name));
    QSet<QString> names;
    for (const TagCommand &command : TagCommands()) {
        EXPECT_FALSE(names.contains(command.itemName)) << command.itemName.toStdString();
        names.insert(command.itemName);
        EXPECT_EQ(FindTagCommand(command.itemName), &command);
        EXPECT_TRUE(bool(command.run));
        EXPECT_TRUE(menuItems.contains(command.itemName)) << command.itemName.toStdString();
    }
    EXPECT_EQ(names.size(), 6 + 8 + 13 + 15 + 3);
    EXPECT_EQ(FindTagCommand(QStringLiteral("NoSuchItem1")), nullptr);
}

// The exact markup of every command that writes fixed texts.
TEST(TagCommands, GoldenStartAndEndTextsWithAndWithoutASelection)
{
    const struct
    {
        const char *item;
        const char *start;
        const char *end;
    } golden[] = {
        {"Header12", "<H1>", "</H1>"},
        {"Header22", "<H2>", "</H2>"},
        {"Header32", "<H3>", "</H3>"},
        {"Header42", "<H4>", "</H4>"},
        {"Header52", "<H5>", "</H5>"},
        {"Header62", "<H6>", "</H6>"},
        {"Address1", "<ADDRESS>", "</ADDRESS>"},
        {"BlockQuote1", "<BLOCKQUOTE>", "</BLOCKQUOTE>"},
        {"Center1", "<CENTER>", "</CENTER>"},
        {"Citation1", "<CITE>", "</CITE>"},
        {"Code1", "<CODE>", "</CODE>"},
        {"Keyboard1", "<KBD>", "</KBD>"},
        {"Literal1", "<SAMP>", "</SAMP>"},
        {"Variable1", "<VAR>", "</VAR>"},
        {"Comment1", "<!-- ", " -->"},
        {"Bold1", "<B>", "</B>"},
        {"Italic1", "<I>", "</I>"},
        {"Underline1", "<U>", "</U>"},
        {"Typewriter1", "<TT>", "</TT>"},
        {"Strong1", "<STRONG>", "</STRONG>"},
        {"Emphasis1", "<EM>", "</EM>"},
        {"Strike1", "<STRIKE>", "</STRIKE>"},
        {"Subscript1", "<SUB>", "</SUB>"},
        {"Superscript1", "<SUP>", "</SUP>"},
        {"Big1", "<BIG>", "</BIG>"},
        {"Small1", "<SMALL>", "</SMALL>"},
        {"Blink1", "<BLINK>", "</BLINK>"},
        {"HTMLtags1", "<HTML>", "</HTML>"},
        {"Head1", "<HEAD>", "</HEAD>"},
        {"Title1", "<TITLE>", "</TITLE>"},
        {"IsIndex1", "ISINDEX", ""},
        {"Prompt1", "PROMPT=\"", "\""},
        {"Base1", "<BASE", ">"},
        {"HREF1", "HREF=\"", "\""},
        {"Target1", "TARGET=\"", "\""},
        {"Bodytags1", "<BODY>", "</BODY>"},
        {"Backgroundcolor1", "BGCOLOR=\"", "\""},
        {"Textcolor1", "TEXT=\"", "\""},
        {"Linkcolor1", "LINK=\"", "\""},
        {"Activelinkcolor1", "ALINK=\"", "\""},
        {"Visitedlinkcolor1", "VLINK=\"", "\""},
    };
    QSet<QString> covered;
    for (const auto &g : golden) {
        covered.insert(QString::fromLatin1(g.item));
        const QByteArray start(g.start), end(g.end);

        // Caret between "a" and "b": both texts go in there, the caret between them.
        FakeDocument caret("ab");
        caret.editor()->setSelStart(1);
        run(g.item, caret);
        EXPECT_EQ(caret.text(), "a" + start + end + "b") << g.item;
        EXPECT_EQ(caret.editor()->SelStart(), 1 + start.size()) << g.item;

        // A selection across a line break is wrapped whole; the caret ends after it.
        FakeDocument selection("a\r\nb");
        selection.select(0, 4);
        run(g.item, selection);
        EXPECT_EQ(selection.text(), start + "a\r\nb" + end) << g.item;
        EXPECT_EQ(selection.editor()->SelStart(), selection.text().size()) << g.item;
        EXPECT_EQ(selection.editor()->SelLength(), 0) << g.item;
    }
    // Every command is in the table but the four that ask or compute.
    for (const TagCommand &command : TagCommands()) {
        const bool special = QStringList{"Backgroundimage1", "Lowerallselectedletters1", "Insertacolorvalue1",
                                         "GetTagloombutton1"}
                                 .contains(command.itemName);
        EXPECT_NE(covered.contains(command.itemName), special) << command.itemName.toStdString();
    }
}

TEST(TagCommands, AttributeCommandsLeaveTheCaretBetweenTheQuotes)
{
    for (const char *item : {"Prompt1", "HREF1", "Target1", "Backgroundcolor1", "Textcolor1", "Linkcolor1",
                             "Activelinkcolor1", "Visitedlinkcolor1"}) {
        FakeDocument doc("<BODY >");
        doc.editor()->setSelStart(6);
        run(item, doc);
        const QByteArray text = doc.text();
        ASSERT_TRUE(text.endsWith("=\"\">")) << item << ": " << text.constData();
        EXPECT_EQ(doc.editor()->SelStart(), text.size() - 2) << item;
    }
    FakeDocument doc;
    run("Prompt1", doc);
    EXPECT_EQ(doc.text(), "PROMPT=\"\"");
    EXPECT_EQ(doc.editor()->SelStart(), 8);
}

TEST(TagCommands, EachCommandIsOneUndoStepAndMarksTheDocumentModified)
{
    for (const TagCommand &command : TagCommands()) {
        ScriptedPrompts prompts;
        prompts.files = {QString()};           // background image: cancelled
        prompts.colors = {QColor(0, 0, 255)};  // colour value
        const QByteArray original("<P>Some TEXT\r\nmore</P>");
        FakeDocument doc(original, QStringLiteral("/web/index.html"));
        doc.select(3, 13);
        command.run(doc);
        EXPECT_NE(doc.text(), original) << command.itemName.toStdString();
        EXPECT_TRUE(doc.isModified()) << command.itemName.toStdString();
        EXPECT_EQ(doc.editor()->SelLength(), 0) << command.itemName.toStdString();
        doc.undo();
        EXPECT_EQ(doc.text(), original) << command.itemName.toStdString();
        EXPECT_FALSE(doc.canUndo()) << command.itemName.toStdString();
    }
}

TEST(LowerAllSelectedLetters, LowersOnlyAToZ)
{
    // UTF-8 "Ä" and a Latin-1 "Ä" byte keep every byte above 127.
    FakeDocument doc("<P>ABC xyZ 123 \xC3\x84 @[`{</P>");
    doc.select(3, 20);
    run("Lowerallselectedletters1", doc);
    EXPECT_EQ(doc.text(), "<P>abc xyz 123 \xC3\x84 @[`{</P>");
    EXPECT_EQ(doc.editor()->SelStart(), 23);
    EXPECT_EQ(doc.editor()->SelLength(), 0);

    QByteArray all;
    for (int i = 1; i < 256; ++i)
        all.append(char(i));
    QByteArray expected = all;
    for (char &c : expected) {
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    }
    EXPECT_EQ(LowerAsciiLetters(all), expected);
}

TEST(LowerAllSelectedLetters, WithoutSelectionChangesNothing)
{
    FakeDocument doc("ABC");
    doc.editor()->setSelStart(1);
    run("Lowerallselectedletters1", doc);
    EXPECT_EQ(doc.text(), "ABC");
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
}

TEST(InsertAColorValue, WritesTheChosenColourAndCancelChangesNothing)
{
    ScriptedPrompts prompts;
    prompts.colors = {QColor(255, 0, 0), QColor()};
    FakeDocument doc("=");
    doc.editor()->setSelStart(1);
    run("Insertacolorvalue1", doc);
    EXPECT_EQ(doc.text(), "=FF0000");
    EXPECT_EQ(doc.editor()->SelStart(), 7);
    run("Insertacolorvalue1", doc);
    EXPECT_EQ(doc.text(), "=FF0000");
    EXPECT_TRUE(prompts.colors.isEmpty());
}

TEST(BackgroundImage, CancelledDialogStillWritesTheAttribute)
{
    ScriptedPrompts prompts;
    prompts.files = {QString()};
    FakeDocument doc("<BODY old>", QStringLiteral("/web/index.html"));
    doc.select(6, 3);
    run("Backgroundimage1", doc);
    EXPECT_EQ(doc.text(), "<BODY BACKGROUND=\"\">");
    EXPECT_EQ(doc.editor()->SelStart(), 19);
    ASSERT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_EQ(prompts.fileRequests[0].caption, QStringLiteral("Open/Save"));
    EXPECT_EQ(prompts.fileRequests[0].filterIndex, 1);  // Pictures
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(BackgroundImage, WritesTheNameRelativeToTheDocument)
{
    ScriptedPrompts prompts;
    prompts.files = {QStringLiteral("/web/img/back.gif")};
    FakeDocument doc("<BODY >", QStringLiteral("/web/site/index.html"));
    doc.editor()->setSelStart(6);
    run("Backgroundimage1", doc);
    EXPECT_EQ(doc.text(), "<BODY BACKGROUND=\"/web/img/back.gif\">");

    prompts.files = {QStringLiteral("/web/back.gif")};
    doc.editor()->setSelStart(6);
    run("Backgroundimage1", doc);
    EXPECT_EQ(doc.text(), "<BODY BACKGROUND=\"../back.gif\"BACKGROUND=\"/web/img/back.gif\">");
}

TEST(GetTagloomButton, WritesOneLinkLine)
{
    FakeDocument doc("ab");
    doc.select(0, 1);
    run("GetTagloombutton1", doc);
    const QByteArray markup = GetTagloomButtonMarkup().toUtf8();
    EXPECT_TRUE(markup.startsWith("<A HREF=\""));
    EXPECT_TRUE(markup.endsWith("\" ALT=\"Get Tagloom\" BORDER=0></A>"));
    EXPECT_TRUE(markup.contains("\"><IMG SRC=\""));
    EXPECT_FALSE(markup.contains('\n'));
    EXPECT_EQ(doc.text(), markup + "b");
    EXPECT_EQ(doc.editor()->SelStart(), markup.size());
}
