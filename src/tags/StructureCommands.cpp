#include "tags/StructureCommands.h"

#include "tags/DocStructureDlg.h"
#include "tags/MiscDlg.h"

const QList<TagCommand> &StructureCommands()
{
    static const QList<TagCommand> commands = {
        {QStringLiteral("Div1"), Div1Click},
        {QStringLiteral("Paragraph1"), Paragraph1Click},
        {QStringLiteral("HorizontalRule1"), HorizontalRule1Click},
        {QStringLiteral("Insertalldocumentelements1"), Insertalldocumentelements1Click},
    };
    return commands;
}

void RegisterStructureCommands(const std::function<void(const TagCommand &)> &add)
{
    for (const TagCommand &command : StructureCommands())
        add(command);
}
