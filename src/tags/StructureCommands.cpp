#include "tags/StructureCommands.h"

#include "tags/DocStructureDlg.h"
#include "tags/MiscDlg.h"

const QList<TagCommand> &StructureCommands()
{
    static const QList<TagCommand> commands = {
        {QStringLiteral("Div1"), QStringLiteral("&Div"), QStringLiteral("Text with alignment"),
         QStringLiteral("Ctrl+D"), 0, Div1Click},
        {QStringLiteral("Paragraph1"), QStringLiteral("&Paragraph"), QStringLiteral("A paragraph"),
         QStringLiteral("Ctrl+P"), 0, Paragraph1Click},
        {QStringLiteral("HorizontalRule1"), QStringLiteral("&Horizontal Rule"), QString(),
         QStringLiteral("Ctrl+Shift+R"), 0, HorizontalRule1Click},
        {QStringLiteral("Insertalldocumentelements1"), QStringLiteral("Insert &all document elements..."), QString(),
         QString(), 0, Insertalldocumentelements1Click},
    };
    return commands;
}

void RegisterStructureCommands(const std::function<void(const TagCommand &)> &add)
{
    for (const TagCommand &command : StructureCommands())
        add(command);
}
