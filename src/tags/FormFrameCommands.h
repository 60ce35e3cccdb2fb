#pragma once

#include "tags/TagCommands.h"

// The commands of the "&Form" and "F&rames" submenus, in menu order.
const QList<TagCommand> &FormFrameCommands();
