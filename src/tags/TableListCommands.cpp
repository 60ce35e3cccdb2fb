#include "tags/TableListCommands.h"

#include "tags/ListDlg.h"
#include "tags/TableDlg.h"

const QList<TagCommand> &TableListCommands()
{
    static const QList<TagCommand> commands = {
        MakeCommand("Table2", "&Table...", "Ctrl+F7", "Insert a table", Table2Click),
        MakeCommand("TableCaption1", "  Table &Caption", "", "", TableCaption1Click),
        MakeCommand("TableRow1", "  Table &Row", "Ctrl+Shift+F10", "", TableRow1Click),
        MakeCommand("TableHeader1", "  Table &Header", "Ctrl+Shift+F11", "", TableHeader1Click),
        MakeCommand("TableData1", "  Table &Data", "Ctrl+Shift+F12", "", TableData1Click),
        MakeCommand("List2", "&List...", "Ctrl+F3", "Make a list", List2Click),
        MakeCommand("DefinitionListItem1", "  De&finition List Item...", "Ctrl+Shift+F5", "A definition list item",
                    DefinitionListItem1Click),
        MakeCommand("MenuListItem1", "  &Menu/Directory List Item...", "Ctrl+Shift+F7", "A menu list item",
                    MenuListItem1Click),
        MakeCommand("OrderedListItem1", "  &Ordered List Item...", "Ctrl+Shift+F8", "An ordered list item",
                    OrderedListItem1Click),
        MakeCommand("UnOrderedListItem1", "  &UnOrdered List Item...", "Ctrl+Shift+F9", "An unordered list item",
                    UnOrderedListItem1Click),
    };
    return commands;
}
