#include "objects/AppletLayerFontCommands.h"

#include "objects/FontsDlg.h"
#include "objects/JavaAppletDlg.h"
#include "objects/LayerDlg.h"

namespace {

// Captions, keys and hints are the menu table's; the rest of each row documents the item.
TagCommand command(const char *itemName, const char *, const char *, const char *, void (*run)(TextDocument &))
{
    return {QString::fromUtf8(itemName), run};
}

} // namespace

const QList<TagCommand> &AppletLayerFontCommands()
{
    static const QList<TagCommand> commands = {
        command("ChooseFont1", "Choose &Font", "", "Write text with a selected font", ChooseFont1Click),
        command("JavaApplet1", "Java &Applet", "Ctrl+F10", "", JavaApplet1Click),
        command("JavaAppletParameter1", "Java Applet &Parameter", "Ctrl+F11", "", JavaAppletParameter1Click),
        command("Newlayer1", "New &layer... (Netscape 4+)", "Ctrl+F12", "", Newlayer1Click),
    };
    return commands;
}

void RegisterAppletLayerFontCommands(const std::function<void(const TagCommand &)> &registerCommand)
{
    for (const TagCommand &command : AppletLayerFontCommands())
        registerCommand(command);
}
