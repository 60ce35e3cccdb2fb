#include "app/DocumentCommands.h"

#include "app/ChildWin.h"

#include <QHash>

namespace {
QHash<QString, DocumentCommand> &registry()
{
    static QHash<QString, DocumentCommand> commands;
    return commands;
}
}  // namespace

void RegisterDocumentCommand(const DocumentCommand &command)
{
    registry().insert(command.itemName, command);
}

const DocumentCommand *FindDocumentCommand(const QString &itemName)
{
    auto it = registry().constFind(itemName);
    return it == registry().constEnd() ? nullptr : &it.value();
}

void RegisterAllDocumentCommands()
{
    static bool done = false;
    if (done)
        return;
    done = true;
}
