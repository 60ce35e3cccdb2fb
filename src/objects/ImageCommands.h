#pragma once
#include "objects/ObjectCommands.h"

// The image command, by menu item name (the main window's image button runs it too).
void RegisterImageCommands(const std::function<void(const ObjectCommand &)> &add);
