#pragma once

#include "app/DocumentCommands.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>

// What a test needs before it builds a real main window: the default settings,
// the document commands registered, and a store of its own in which the window
// shows no splash screen and starts new documents empty.
struct QuietMainWindowStore
{
    QuietMainWindowStore()
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        store.writeBool("Misc", "Show splash screen", false);
        store.writeBool("Misc", "Insert all document structure tags when opening a new document", false);
    }

    QTemporaryDir dir;
    SettingsStore store{dir.filePath(QStringLiteral("store.ini"))};
};
