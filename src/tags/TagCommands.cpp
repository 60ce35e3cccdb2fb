#include "tags/TagCommands.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/TagInsertion.h"

#include <QColor>

namespace {

TagCommand pair(const char *itemName, const char *caption, const char *shortcut, const char *startText,
                const char *endText, const char *hint)
{
    const QString start = QString::fromUtf8(startText);
    const QString end = QString::fromUtf8(endText);
    return {QString::fromUtf8(itemName), QString::fromUtf8(caption), QString::fromUtf8(hint),
            QString::fromUtf8(shortcut), 0, [start, end](TextDocument &doc) { InsertTagPair(doc, start, end); }};
}

TagCommand header(int level)
{
    const QString n = QString::number(level);
    return {QStringLiteral("Header") + n + QLatin1Char('2'), QStringLiteral("Header &") + n, QString(),
            QStringLiteral("Alt+") + n, level, [level](TextDocument &doc) { MakeHeader(doc, level); }};
}

TagCommand special(const char *itemName, const char *caption, const char *hint,
                   std::function<void(TextDocument &)> run)
{
    return {QString::fromUtf8(itemName), QString::fromUtf8(caption), QString::fromUtf8(hint), QString(), 0,
            std::move(run)};
}

QList<TagCommand> buildCommands()
{
    QList<TagCommand> c;
    for (int level = 1; level <= 6; ++level)
        c.append(header(level));

    // "&Paragraph Formatting"
    c.append(pair("Address1", "&Address", "Ctrl+A", "<ADDRESS>", "</ADDRESS>", "Addressed text"));
    c.append(pair("BlockQuote1", "Block&Quote", "", "<BLOCKQUOTE>", "</BLOCKQUOTE>", "Quoted text"));
    c.append(pair("Center1", "&Center", "Ctrl+C", "<CENTER>", "</CENTER>", "Centered text"));
    c.append(pair("Citation1", "Ci&tation", "", "<CITE>", "</CITE>", "Citation text"));
    c.append(pair("Code1", "C&ode", "", "<CODE>", "</CODE>", "Coded text"));
    c.append(pair("Keyboard1", "&Keyboard", "", "<KBD>", "</KBD>", "Keyboard text"));
    c.append(pair("Literal1", "&Literal", "", "<SAMP>", "</SAMP>", "Literal text"));
    c.append(pair("Variable1", "&Variable", "", "<VAR>", "</VAR>", "Variable text"));

    // "For&mat" itself
    c.append(pair("Comment1", "&Comment", "Ctrl+M", "<!-- ", " -->", "Make a comment"));
    c.append(pair("Bold1", "&Bold", "Ctrl+B", "<B>", "</B>", "Bolded text"));
    c.append(pair("Italic1", "&Italic", "Ctrl+I", "<I>", "</I>", "Italic styled text"));
    c.append(pair("Underline1", "&Underline", "Ctrl+U", "<U>", "</U>", "Underlined text"));
    c.append(pair("Typewriter1", "&TypeType", "Ctrl+T", "<TT>", "</TT>", "Teletype text"));
    c.append(pair("Strong1", "&Strong", "", "<STRONG>", "</STRONG>", "Strong (bold) text"));
    c.append(pair("Emphasis1", "&Emphasis", "", "<EM>", "</EM>", "Emphasis (italic) text"));
    c.append(pair("Strike1", "Stri&ketrough", "", "<STRIKE>", "</STRIKE>", "Text with a striketrough line"));
    c.append(pair("Subscript1", "Su&bscript", "", "<SUB>", "</SUB>", "Subscripted text"));
    c.append(pair("Superscript1", "Su&perscript", "", "<SUP>", "</SUP>", "Superscripted text"));
    c.append(pair("Big1", "Bi&g", "", "<BIG>", "</BIG>", "Big text"));
    c.append(pair("Small1", "Sma&ll", "", "<SMALL>", "</SMALL>", "Small text"));
    c.append(pair("Blink1", "Bli&nk", "", "<BLINK>", "</BLINK>", "Blinking text"));

    // "Elemen&ts"
    c.append(pair("HTMLtags1", "H&TML tags", "", "<HTML>", "</HTML>", "Insert <HTML> </HTML>"));
    c.append(pair("Head1", "&Head tags", "", "<HEAD>", "</HEAD>", "Insert <HEAD> </HEAD>"));
    c.append(pair("Title1", "   &Title", "", "<TITLE>", "</TITLE>", "Insert TITLE=\" \""));
    c.append(pair("IsIndex1", "  &IsIndex", "", "ISINDEX", "", "Insert ISINDEX"));
    c.append(pair("Prompt1", "    &Prompt", "", "PROMPT=\"", "\"", "Insert PROMPT=\" \""));
    c.append(pair("Base1", "  &Base", "", "<BASE", ">", "Insert BASE"));
    c.append(pair("HREF1", "    H&REF", "", "HREF=\"", "\"", "Insert HREF=\" \""));
    c.append(pair("Target1", "    &Target", "", "TARGET=\"", "\"", "Insert TARGET=\" \""));
    c.append(pair("Bodytags1", "&Body tags", "", "<BODY>", "</BODY>", "Insert <BODY> </BODY>"));
    c.append(special("Backgroundimage1", "  Background &image", "Insert BACKGROUND=\" \"", Backgroundimage1Click));
    c.append(pair("Backgroundcolor1", "  Bac&kground color", "", "BGCOLOR=\"", "\"", "Insert BGCOLOR=\" \""));
    c.append(pair("Textcolor1", "  &Text color", "", "TEXT=\"", "\"", "Insert TEXT=\" \""));
    c.append(pair("Linkcolor1", "  &Link color", "", "LINK=\"", "\"", "Insert LINK=\" \""));
    c.append(pair("Activelinkcolor1", "  &Active link color", "", "ALINK=\"", "\"", "Insert ACTIVE=\" \""));
    c.append(pair("Visitedlinkcolor1", "  &Visited link color", "", "VLINK=\"", "\"", "Insert VISITED=\" \""));

    // "Mi&sc"
    c.append(special("Lowerallselectedletters1", "&Lower all selected letters", "", Lowerallselectedletters1Click));
    c.append(special("Insertacolorvalue1", "Insert a &color value...", "", Insertacolorvalue1Click));
    c.append(special("GetTagloombutton1", "\"Get Tagloom\" button", "", GetTagloombutton1Click));
    return c;
}

} // namespace

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
    return QStringLiteral("<A HREF=\"https://tagloom.org/download\"><IMG SRC=\"https://tagloom.org/images/get-tagloom.gif\" "
                          "ALT=\"Get Tagloom\" BORDER=0></A>");
}

void GetTagloombutton1Click(TextDocument &document)
{
    ReplaceSelection(document, GetTagloomButtonMarkup());
}
