#pragma once

#include <QString>
#include <functional>

class TMDIChild;

// Menu commands of the document window that other subsystems provide, by item name.
struct DocumentCommand
{
    QString itemName;
    QString hint;
    std::function<void(TMDIChild &)> run;
};

void RegisterDocumentCommand(const DocumentCommand &command);
const DocumentCommand *FindDocumentCommand(const QString &itemName);
// Registers every command the program has; called once at start-up.
void RegisterAllDocumentCommands();
