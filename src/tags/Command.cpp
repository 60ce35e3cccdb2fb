#include "tags/Command.h"

#include <QHash>

namespace {
QHash<QString, Command> &registry()
{
    static QHash<QString, Command> commands;
    return commands;
}
}  // namespace

CommandEvents &CommandEvents::instance()
{
    static CommandEvents events;
    return events;
}

void RegisterCommand(const Command &command)
{
    registry().insert(command.itemName, command);
    emit CommandEvents::instance().changed(command.itemName);
}

void UnregisterCommand(const QString &itemName)
{
    if (registry().remove(itemName))
        emit CommandEvents::instance().changed(itemName);
}

const Command *FindCommand(const QString &itemName)
{
    auto it = registry().constFind(itemName);
    return it == registry().constEnd() ? nullptr : &it.value();
}
