#pragma once

#include "tags/Command.h"

class TMDIChild;

// Every command of the document window's menus, each declared once as a row:
// the rows of every subsystem and the window's own, in one list. The menus are
// laid out from these rows by DocumentMenuTable.
const QList<Command> &DocumentCommandRows();

// The window's own commands (files, clipboard, windows, about): always there, so
// they run without the registry.
const QList<Command> &WindowCommands();

// Registers every row but the window's own, and installs the hooks the lower
// folders need; called once at start-up.
void RegisterAllDocumentCommands();
