#include "tags/TagCommands.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/TagInsertion.h"

#include <QColor>

namespace {

TagCommand pair(const char *itemName, const char *startText, const char *endText)
{
    const QString start = QString::fromUtf8(startText);
    const QString end = QString::fromUtf8(endText);
    return {QString::fromUtf8(itemName), [start, end](TextDocument &doc) { InsertTagPair(doc, start, end); }};
}

TagCommand header(int level)
{
    return {QStringLiteral("Header") + QString::number(level) + QLatin1Char('2'),
            [level](TextDocument &doc) { MakeHeader(doc, level); }};
}

QList<TagCommand> buildCommands()
{
    QList<TagCommand> c;
    for (int level = 1; level <= 6; ++level)
        c.append(header(level));

    // "&Paragraph Formatting"
    c.append(pair("Address1", "<ADDRESS>", "</ADDRESS>"));
    c.append(pair("BlockQuote1", "<BLOCKQUOTE>", "</BLOCKQUOTE>"));
    c.append(pair("Center1", "<CENTER>", "</CENTER>"));
    c.append(pair("Citation1", "<CITE>", "</CITE>"));
    c.append(pair("Code1", "<CODE>", "</CODE>"));
    c.append(pair("Keyboard1", "<KBD>", "</KBD>"));
    c.append(pair("Literal1", "<SAMP>", "</SAMP>"));
    c.append(pair("Variable1", "<VAR>", "</VAR>"));

    // "For&mat" itself
    c.append(pair("Comment1", "<!-- ", " -->"));
    c.append(pair("Bold1", "<B>", "</B>"));
    c.append(pair("Italic1", "<I>", "</I>"));
    c.append(pair("Underline1", "<U>", "</U>"));
    c.append(pair("Typewriter1", "<TT>", "</TT>"));
    c.append(pair("Strong1", "<STRONG>", "</STRONG>"));
    c.append(pair("Emphasis1", "<EM>", "</EM>"));
    c.append(pair("Strike1", "<STRIKE>", "</STRIKE>"));
    c.append(pair("Subscript1", "<SUB>", "</SUB>"));
    c.append(pair("Superscript1", "<SUP>", "</SUP>"));
    c.append(pair("Big1", "<BIG>", "</BIG>"));
    c.append(pair("Small1", "<SMALL>", "</SMALL>"));
    c.append(pair("Blink1", "<BLINK>", "</BLINK>"));

    // "Elemen&ts"
    c.append(pair("HTMLtags1", "<HTML>", "</HTML>"));
    c.append(pair("Head1", "<HEAD>", "</HEAD>"));
    c.append(pair("Title1", "<TITLE>", "</TITLE>"));
    c.append(pair("IsIndex1", "ISINDEX", ""));
    c.append(pair("Prompt1", "PROMPT=\"", "\""));
    c.append(pair("Base1", "<BASE", ">"));
    c.append(pair("HREF1", "HREF=\"", "\""));
    c.append(pair("Target1", "TARGET=\"", "\""));
    c.append(pair("Bodytags1", "<BODY>", "</BODY>"));
    c.append({QStringLiteral("Backgroundimage1"), Backgroundimage1Click});
    c.append(pair("Backgroundcolor1", "BGCOLOR=\"", "\""));
    c.append(pair("Textcolor1", "TEXT=\"", "\""));
    c.append(pair("Linkcolor1", "LINK=\"", "\""));
    c.append(pair("Activelinkcolor1", "ALINK=\"", "\""));
    c.append(pair("Visitedlinkcolor1", "VLINK=\"", "\""));

    // "Mi&sc"
    c.append({QStringLiteral("Lowerallselectedletters1"), Lowerallselectedletters1Click});
    c.append({QStringLiteral("Insertacolorvalue1"), Insertacolorvalue1Click});
    c.append({QStringLiteral("GetTagloombutton1"), GetTagloombutton1Click});
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
