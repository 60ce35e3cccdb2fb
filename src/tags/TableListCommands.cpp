#include "tags/TableListCommands.h"

#include "tags/ListDlg.h"
#include "tags/TableDlg.h"

namespace {

TagCommand command(const char *itemName, const char *caption, const char *shortcut, const char *hint,
                   void (*run)(TextDocument &))
{
    return {QString::fromUtf8(itemName), QString::fromUtf8(caption), QString::fromUtf8(hint),
            QString::fromUtf8(shortcut), 0, run};
}

} // namespace

const QList<TagCommand> &TableListCommands()
{
    static const QList<TagCommand> commands = {
        command("Table2", "&Table...", "Ctrl+F7", "Insert a table", Table2Click),
        command("TableCaption1", "  Table &Caption", "", "", TableCaption1Click),
        command("TableRow1", "  Table &Row", "Ctrl+Shift+F10", "", TableRow1Click),
        command("TableHeader1", "  Table &Header", "Ctrl+Shift+F11", "", TableHeader1Click),
        command("TableData1", "  Table &Data", "Ctrl+Shift+F12", "", TableData1Click),
        command("List2", "&List...", "Ctrl+F3", "Make a list", List2Click),
        command("DefinitionListItem1", "  De&finition List Item...", "Ctrl+Shift+F5", "A definition list item",
                DefinitionListItem1Click),
        command("MenuListItem1", "  &Menu/Directory List Item...", "Ctrl+Shift+F7", "A menu list item",
                MenuListItem1Click),
        command("OrderedListItem1", "  &Ordered List Item...", "Ctrl+Shift+F8", "An ordered list item",
                OrderedListItem1Click),
        command("UnOrderedListItem1", "  &UnOrdered List Item...", "Ctrl+Shift+F9", "An unordered list item",
                UnOrderedListItem1Click),
    };
    return commands;
}

void RegisterTableListCommands(const std::function<void(const TagCommand &)> &registerCommand)
{
    for (const TagCommand &command : TableListCommands())
        registerCommand(command);
}
