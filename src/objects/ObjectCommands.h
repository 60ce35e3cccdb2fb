#pragma once

#include "tags/Command.h"

// The document commands of links, anchors, URLs and image maps.
const QList<Command> &ObjectCommands();

void Insertadocumentinthesamesystem1Click(TextDocument &document);  // link to a file
void Insertadocumentinothersystem1Click(TextDocument &document);    // link to a URL
void Jumpwithinthisdocument1Click(TextDocument &document);          // link to an anchor
void TargetName1Click(TextDocument &document);                      // anchor
void InsertaURLaddress1Click(TextDocument &document);
void Insertarelativefilename1Click(TextDocument &document);
void Map1Click(TextDocument &document);
void Area1Click(TextDocument &document);
