#pragma once

#include <QObject>
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
void UnregisterDocumentCommand(const QString &itemName);
const DocumentCommand *FindDocumentCommand(const QString &itemName);
// Registers every command the program has; called once at start-up.
void RegisterAllDocumentCommands();

// Menu items and tool buttons made before their command was registered stay
// disabled until it is; this tells them when a command comes or goes.
class DocumentCommandEvents : public QObject
{
    Q_OBJECT
public:
    static DocumentCommandEvents &instance();
signals:
    void changed(const QString &itemName);
};
