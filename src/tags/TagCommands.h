#pragma once

#include "tags/Command.h"

// The rows of the element folders are plain commands.
using TagCommand = Command;

// The commands of the Format, Elements and Misc menus that write markup without
// a dialog (or with only a file or colour dialog), in menu order.
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
