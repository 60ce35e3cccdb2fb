#pragma once

// For the benchmarks: a main window as the user meets it. Default settings
// (no splash screen), shown at a common size, its first paint done; document
// windows shown maximised in it, laid out and painted (word wrap as set).

#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QSize>

namespace bench {

class ShownMain
{
public:
    explicit ShownMain(const QString &storeFile, QSize size = QSize(1000, 700))
        : m_store(storeFile), m_main((m_store.writeBool("Misc", "Show splash screen", false), &m_store), {})
    {
        m_main.resize(size);
        m_main.show();
        settle();
    }

    TMainForm &main() { return m_main; }

    TMDIChild *showDocument(TMDIChild *doc)
    {
        if (doc) {
            doc->showMaximized();
            settle();
        }
        return doc;
    }

    // The paints, layouts and timers a change leaves behind, run.
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

private:
    SettingsStore m_store;
    TMainForm m_main;
};

}  // namespace bench
