#pragma once

#include "tags/Command.h"

// The "&Java" submenu: an applet and its parameters.
const QList<Command> &AppletCommands();
