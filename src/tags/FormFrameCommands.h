#pragma once

#include "tags/TagCommands.h"

#include <functional>

// The commands of the "&Form" and "F&rames" submenus, in menu order.
const QList<TagCommand> &FormFrameCommands();
// Hands each command to add; the menus' registry lives above this folder.
void RegisterFormFrameCommands(const std::function<void(const TagCommand &)> &add);
