#include "tags/StructureCommands.h"

#include "tags/DocStructureDlg.h"
#include "tags/MiscDlg.h"

const QList<TagCommand> &StructureCommands()
{
    static const QList<TagCommand> commands = {
        MakeCommand("Div1", "&Div", "Ctrl+D", "Text with alignment", Div1Click),
        MakeCommand("Paragraph1", "&Paragraph", "Ctrl+P", "A paragraph", Paragraph1Click),
        MakeCommand("HorizontalRule1", "&Horizontal Rule", "Ctrl+Shift+R", "", HorizontalRule1Click),
        MakeCommand("Insertalldocumentelements1", "Insert &all document elements...", "", "",
                    Insertalldocumentelements1Click),
    };
    return commands;
}
