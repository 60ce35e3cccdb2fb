#pragma once

#include "widgets/ResultsPanel.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QAction;
class QDockWidget;
class TMainForm;

// The main window's results panels (search results, problems), each in a dock
// at the bottom, made on first use. Opening an entry opens its file, or
// activates the window that already holds it, and selects the place; F4 and
// Ctrl+Shift+F4 walk the panel shown last.
class ResultsDocks : public QObject
{
    Q_OBJECT
public:
    explicit ResultsDocks(TMainForm &main);

    // The panel called `name` (also its dock's object name), shown and raised.
    ResultsPanel *show(const QString &name, const QString &title);
    // nullptr until show() made it.
    ResultsPanel *panel(const QString &name) const;
    QDockWidget *dock(const QString &name) const;

    // Goes to the next (+1) or previous (-1) entry of the panel shown last;
    // false when no panel has one.
    bool step(int direction);
    // Opens the entry's file or activates its window, and selects the place.
    // False (after a message in the status bar) when the file cannot be opened.
    bool open(const ResultEntry &entry);

    QAction *nextAction() const { return m_next; }
    QAction *previousAction() const { return m_previous; }

private:
    TMainForm &m_main;
    QHash<QString, QPointer<QDockWidget>> m_docks;
    QString m_lastShown;
    QAction *m_next;
    QAction *m_previous;
};
