#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QMenu;
class TMainForm;
class TMDIChild;

// The documents of one main window: its document windows in creation order,
// the one activated last, and the opening, creating and closing of them. The
// main window owns it and each of its document windows knows it, so two main
// windows never share a document, an active document or a cancelled close.
class DocumentManager : public QObject
{
    Q_OBJECT
public:
    explicit DocumentManager(TMainForm &main);
    ~DocumentManager() override;

    TMainForm &mainForm() const { return m_main; }

    // Every open document window in creation order.
    const QList<TMDIChild *> &list() const { return m_list; }
    // The document window activated last; nullptr when none is open.
    TMDIChild *active() const { return m_active; }
    void setActive(TMDIChild *child) { m_active = child; }
    // Set when the user answers Cancel to a save-changes prompt; closeAll clears it first.
    bool closeCancelled() const { return m_closeCancelled; }
    void setCloseCancelled(bool cancelled) { m_closeCancelled = cancelled; }

    TMDIChild *NewDocument();
    // Opens the file in a new window; with an empty name asks for one first.
    TMDIChild *OpenDocument(const QString &fileName);
    TMDIChild *CreateDocumentWindow(const QString &caption);
    // False (after a message) when no further document window may be opened.
    bool roomForDocument();
    // A page named on the command line: its name, as given, is the caption, and
    // neither the status bar nor the reopen list hears of it.
    TMDIChild *openCommandLinePage(const QString &fileName);
    // Closes the windows from the last to the first, each through its close
    // prompt; false as soon as the user cancels one (those closed stay closed).
    bool closeAll();
    // Rebuilds a "Reopen" submenu from the file reopen list.
    void buildReopenMenu(QMenu *menu);

    // A closing or destroyed window leaves the list, and stops being the active one.
    void remove(TMDIChild *child);
    // Destroys the windows still open without asking: their main window is going.
    void destroyWindows();

signals:
    // A document window was created or has gone; the active document may have changed.
    void documentsChanged();

private:
    void documentClosed(TMDIChild *child);

    TMainForm &m_main;
    QList<TMDIChild *> m_list;
    TMDIChild *m_active = nullptr;
    bool m_closeCancelled = false;
};
