#pragma once

#include <QList>
#include <QString>
#include <functional>

class TextDocument;

// A menu command that writes markup without a dialog (or with only a file or
// colour dialog). Its caption, key and hint are those of the document menu table.
struct TagCommand
{
    QString itemName;  // the menu item name, used as the action's objectName ("Bold1")
    std::function<void(TextDocument &)> run;
};

// Every such command of the Format, Elements and Misc menus, in menu order.
const QList<TagCommand> &TagCommands();
// nullptr when no command has that item name.
const TagCommand *FindTagCommand(const QString &itemName);

// The commands that do more than write fixed texts.
void Backgroundimage1Click(TextDocument &document);
void Lowerallselectedletters1Click(TextDocument &document);
void Insertacolorvalue1Click(TextDocument &document);
void GetTagloombutton1Click(TextDocument &document);

// Letters A to Z lowered; every other byte, UTF-8 sequences included, unchanged.
QByteArray LowerAsciiLetters(QByteArray bytes);

// The line written by the "Get Tagloom" button command.
QString GetTagloomButtonMarkup();
