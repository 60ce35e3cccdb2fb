#pragma once

#include "tags/Command.h"

// The image command (the main window's image button runs it too).
const QList<Command> &ImageCommands();
