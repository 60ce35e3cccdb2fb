#pragma once

#include "tags/TagCommands.h"

// The commands of the "Document Properties" and "Attributes" dialogs.
const QList<TagCommand> &StructureCommands();
