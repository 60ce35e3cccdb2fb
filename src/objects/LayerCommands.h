#pragma once

#include "tags/Command.h"

// The layer command of the "&Insert" menu.
const QList<Command> &LayerCommands();
