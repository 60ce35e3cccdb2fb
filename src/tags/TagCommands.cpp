#include "tags/TagCommands.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/TagInsertion.h"

#include <QColor>

namespace {

TagCommand pair(const char *itemName, const char *caption, const char *key, const char *hint, const char *startText,
                const char *endText)
{
    const QString start = QString::fromUtf8(startText);
    const QString end = QString::fromUtf8(endText);
    return MakeCommand(itemName, caption, key, hint,
                       [start, end](TextDocument &doc) { InsertTagPair(doc, start, end); });
}

TagCommand header(int level)
{
    return {QStringLiteral("Header") + QString::number(level) + QLatin1Char('2'),
            QStringLiteral("Header &") + QString::number(level), QStringLiteral("Alt+") + QString::number(level),
            QString(), [level](TextDocument &doc) { MakeHeader(doc, level); }};
}

QList<TagCommand> buildCommands()
{
    QList<TagCommand> c;
    for (int level = 1; level <= 6; ++level)
        c.append(header(level));

    // "&Paragraph Formatting"
    c.append(pair("Address1", "&Address", "Ctrl+A", "Addressed text", "<ADDRESS>", "</ADDRESS>"));
    c.append(pair("BlockQuote1", "Block&Quote", "", "Quoted text", "<BLOCKQUOTE>", "</BLOCKQUOTE>"));
    c.append(pair("Center1", "&Center", "Ctrl+C", "Centered text", "<CENTER>", "</CENTER>"));
    c.append(pair("Citation1", "Ci&tation", "", "Citation text", "<CITE>", "</CITE>"));
    c.append(pair("Code1", "C&ode", "", "Coded text", "<CODE>", "</CODE>"));
    c.append(pair("Keyboard1", "&Keyboard", "", "Keyboard text", "<KBD>", "</KBD>"));
    c.append(pair("Literal1", "&Literal", "", "Literal text", "<SAMP>", "</SAMP>"));
    c.append(pair("Variable1", "&Variable", "", "Variable text", "<VAR>", "</VAR>"));

    // "For&mat" itself
    c.append(pair("Comment1", "&Comment", "Ctrl+M", "Make a comment", "<!-- ", " -->"));
    c.append(pair("Bold1", "&Bold", "Ctrl+B", "Bolded text", "<B>", "</B>"));
    c.append(pair("Italic1", "&Italic", "Ctrl+I", "Italic styled text", "<I>", "</I>"));
    c.append(pair("Underline1", "&Underline", "Ctrl+U", "Underlined text", "<U>", "</U>"));
    c.append(pair("Typewriter1", "&TypeType", "Ctrl+T", "Teletype text", "<TT>", "</TT>"));
    c.append(pair("Strong1", "&Strong", "", "Strong (bold) text", "<STRONG>", "</STRONG>"));
    c.append(pair("Emphasis1", "&Emphasis", "", "Emphasis (italic) text", "<EM>", "</EM>"));
    c.append(pair("Strike1", "Stri&ketrough", "", "Text with a striketrough line", "<STRIKE>", "</STRIKE>"));
    c.append(pair("Subscript1", "Su&bscript", "", "Subscripted text", "<SUB>", "</SUB>"));
    c.append(pair("Superscript1", "Su&perscript", "", "Superscripted text", "<SUP>", "</SUP>"));
    c.append(pair("Big1", "Bi&g", "", "Big text", "<BIG>", "</BIG>"));
    c.append(pair("Small1", "Sma&ll", "", "Small text", "<SMALL>", "</SMALL>"));
    c.append(pair("Blink1", "Bli&nk", "", "Blinking text", "<BLINK>", "</BLINK>"));

    // "Elemen&ts"
    c.append(pair("HTMLtags1", "H&TML tags", "", "Insert <HTML> </HTML>", "<HTML>", "</HTML>"));
    c.append(pair("Head1", "&Head tags", "", "Insert <HEAD> </HEAD>", "<HEAD>", "</HEAD>"));
    c.append(pair("Title1", "   &Title", "", "Insert TITLE=\" \"", "<TITLE>", "</TITLE>"));
    c.append(pair("IsIndex1", "  &IsIndex", "", "Insert ISINDEX", "ISINDEX", ""));
    c.append(pair("Prompt1", "    &Prompt", "", "Insert PROMPT=\" \"", "PROMPT=\"", "\""));
    c.append(pair("Base1", "  &Base", "", "Insert BASE", "<BASE", ">"));
    c.append(pair("HREF1", "    H&REF", "", "Insert HREF=\" \"", "HREF=\"", "\""));
    c.append(pair("Target1", "    &Target", "", "Insert TARGET=\" \"", "TARGET=\"", "\""));
    c.append(pair("Bodytags1", "&Body tags", "", "Insert <BODY> </BODY>", "<BODY>", "</BODY>"));
    c.append(
        MakeCommand("Backgroundimage1", "  Background &image", "", "Insert BACKGROUND=\" \"", Backgroundimage1Click));
    c.append(pair("Backgroundcolor1", "  Bac&kground color", "", "Insert BGCOLOR=\" \"", "BGCOLOR=\"", "\""));
    c.append(pair("Textcolor1", "  &Text color", "", "Insert TEXT=\" \"", "TEXT=\"", "\""));
    c.append(pair("Linkcolor1", "  &Link color", "", "Insert LINK=\" \"", "LINK=\"", "\""));
    c.append(pair("Activelinkcolor1", "  &Active link color", "", "Insert ACTIVE=\" \"", "ALINK=\"", "\""));
    c.append(pair("Visitedlinkcolor1", "  &Visited link color", "", "Insert VISITED=\" \"", "VLINK=\"", "\""));

    // "Mi&sc"
    c.append(
        MakeCommand("Lowerallselectedletters1", "&Lower all selected letters", "", "", Lowerallselectedletters1Click));
    c.append(MakeCommand("Insertacolorvalue1", "Insert a &color value...", "", "", Insertacolorvalue1Click));
    c.append(MakeCommand("GetTagloombutton1", "\"Get Tagloom\" button", "", "", GetTagloombutton1Click));
    return c;
}

}  // namespace

const QList<TagCommand> &TagCommands()
{
    static const QList<TagCommand> commands = buildCommands();
    return commands;
}

const TagCommand *FindTagCommand(const QString &itemName)
{
    for (const TagCommand &command : TagCommands()) {
        if (command.itemName == itemName)
            return &command;
    }
    return nullptr;
}

void Backgroundimage1Click(TextDocument &document)
{
    // Asked before the edit starts, so a save in between stays out of the undo step.
    const QString name = MakeRelativePath(document, AskFileName(document.window(), FileFilterKind::Pictures));
    ReplaceSelection(document, QStringLiteral("BACKGROUND=\"") + name + QLatin1Char('"'));
}

QByteArray LowerAsciiLetters(QByteArray bytes)
{
    for (char &c : bytes) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return bytes;
}

void Lowerallselectedletters1Click(TextDocument &document)
{
    TColorMemo &memo = *document.editor();
    if (memo.SelLength() < 1)
        return;
    ReplaceSelection(memo, LowerAsciiLetters(memo.SelText()));
}

void Insertacolorvalue1Click(TextDocument &document)
{
    // Like the document window's colour dialog, the next use starts from the last colour chosen.
    static QColor lastColor = Qt::black;
    const QColor color = Prompts::instance().askColor(document.window(), lastColor);
    if (!color.isValid())
        return;
    lastColor = color;
    ReplaceSelection(document, ColorToHex(color));
}

QString GetTagloomButtonMarkup()
{
    return QStringLiteral(
        "<A HREF=\"https://tagloom.org/download\"><IMG SRC=\"https://tagloom.org/images/get-tagloom.gif\" "
        "ALT=\"Get Tagloom\" BORDER=0></A>");
}

void GetTagloombutton1Click(TextDocument &document)
{
    ReplaceSelection(document, GetTagloomButtonMarkup());
}
