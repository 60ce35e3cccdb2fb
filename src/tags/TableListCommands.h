#pragma once

#include "tags/TagCommands.h"

#include <functional>

// The commands of the "&Table" and "Li&st" submenus, each opening its dialog.
const QList<TagCommand> &TableListCommands();

// Hands every one of them to the document window's command registry.
void RegisterTableListCommands(const std::function<void(const TagCommand &)> &registerCommand);
