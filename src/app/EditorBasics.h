#pragma once

#include "tags/Command.h"

class TMDIChild;

// The commands every editor has: undo and redo, select all, go to line, save
// all, and the View menu's line numbers, whitespace, current line and zoom.
// Rows of the window's own commands (see WindowCommands()).
const QList<Command> &EditorBasicsCommands();

// Saves every changed document in the list's order through its own save:
// untitled ones ask for a name in turn, each shown first. Stops at the first
// that is cancelled or cannot be written, and returns false then.
bool SaveAllDocuments(const QList<TMDIChild *> &documents);
