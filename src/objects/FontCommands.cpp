#include "objects/FontCommands.h"

#include "objects/FontsDlg.h"

const QList<Command> &FontCommands()
{
    static const QList<Command> commands = {
        MakeCommand("ChooseFont1", "Choose &Font", "", "Write text with a selected font", ChooseFont1Click),
    };
    return commands;
}
