#include "objects/ImageCommands.h"

#include "objects/ImageDlg.h"

const QList<Command> &ImageCommands()
{
    static const QList<Command> commands = {
        MakeCommand("Image1", "&Image...", "Ctrl+F2", "", Image1Click),
    };
    return commands;
}
