#pragma once

#include "tags/TagCommands.h"

#include <functional>

// The applet, layer and font commands of the document window's menus.
const QList<TagCommand> &AppletLayerFontCommands();

// Hands every one of them to the document window's command registry.
void RegisterAppletLayerFontCommands(const std::function<void(const TagCommand &)> &registerCommand);
