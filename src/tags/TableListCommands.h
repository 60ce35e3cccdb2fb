#pragma once

#include "tags/TagCommands.h"

// The commands of the "&Table" and "Li&st" submenus, each opening its dialog.
const QList<TagCommand> &TableListCommands();
