#include "objects/AppletCommands.h"

#include "objects/JavaAppletDlg.h"

const QList<Command> &AppletCommands()
{
    static const QList<Command> commands = {
        MakeCommand("JavaApplet1", "Java &Applet", "Ctrl+F10", "", JavaApplet1Click),
        MakeCommand("JavaAppletParameter1", "Java Applet &Parameter", "Ctrl+F11", "", JavaAppletParameter1Click),
    };
    return commands;
}
