#include "objects/LayerCommands.h"

#include "objects/LayerDlg.h"

const QList<Command> &LayerCommands()
{
    static const QList<Command> commands = {
        MakeCommand("Newlayer1", "New &layer... (Netscape 4+)", "Ctrl+F12", "", Newlayer1Click),
    };
    return commands;
}
