#pragma once

#include "tags/Command.h"

// The font command of "&Paragraph Formatting".
const QList<Command> &FontCommands();
