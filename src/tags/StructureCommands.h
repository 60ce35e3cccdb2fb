#pragma once

#include "tags/TagCommands.h"

#include <functional>

// The commands of the "Document Properties" and "Attributes" dialogs, in menu order.
const QList<TagCommand> &StructureCommands();
// Hands each command to add; the menus' registry lives above this folder.
void RegisterStructureCommands(const std::function<void(const TagCommand &)> &add);
