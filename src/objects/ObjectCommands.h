#pragma once

#include <QList>
#include <QString>
#include <functional>

class TextDocument;

// The document commands of links, anchors, URLs and image maps, by menu item name.
struct ObjectCommand
{
    QString itemName;
    std::function<void(TextDocument &)> run;
};

const QList<ObjectCommand> &ObjectCommands();

// Hands every command to the program's command registry.
void RegisterObjectCommands(const std::function<void(const ObjectCommand &)> &add);

void Insertadocumentinthesamesystem1Click(TextDocument &document);  // link to a file
void Insertadocumentinothersystem1Click(TextDocument &document);    // link to a URL
void Jumpwithinthisdocument1Click(TextDocument &document);          // link to an anchor
void TargetName1Click(TextDocument &document);                      // anchor
void InsertaURLaddress1Click(TextDocument &document);
void Insertarelativefilename1Click(TextDocument &document);
void Map1Click(TextDocument &document);
void Area1Click(TextDocument &document);
