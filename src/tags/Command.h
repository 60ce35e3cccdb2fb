#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <utility>

class TextDocument;

// One menu command, declared once: the menus, the hotkeys file and the command
// registry all read this row. Each subsystem exports its rows; app/ places them
// in the menus.
struct Command
{
    QString itemName;  // the menu item name, the action's objectName and the hotkeys file's key ("Bold1")
    QString caption;   // exactly as shown, with "&" and leading blanks
    QString key;       // default key in QKeySequence portable text ("Ctrl+Shift+F1"), empty for none
    QString hint;      // status bar hint, empty for none
    std::function<void(TextDocument &)> run;
};

// A row from the texts as typed in a table.
inline Command MakeCommand(const char *itemName, const char *caption, const char *key, const char *hint,
                           std::function<void(TextDocument &)> run)
{
    return {QString::fromUtf8(itemName), QString::fromUtf8(caption), QString::fromUtf8(key), QString::fromUtf8(hint),
            std::move(run)};
}

// The commands a document window can run, by item name. Rows come and go at run
// time: a menu item whose command is not registered stays disabled.
void RegisterCommand(const Command &command);
void UnregisterCommand(const QString &itemName);
// nullptr when no command has that item name.
const Command *FindCommand(const QString &itemName);

// Says when a command comes or goes, so items made before it can follow.
class CommandEvents : public QObject
{
    Q_OBJECT
public:
    static CommandEvents &instance();
signals:
    void changed(const QString &itemName);
};
