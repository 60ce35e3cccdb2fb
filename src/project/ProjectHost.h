#pragma once

#include <QString>
#include <functional>

class QMenu;

// What the project panel needs of the main window: documents, the browser and
// the project reopen list.
class ProjectHost
{
public:
    virtual ~ProjectHost() = default;

    virtual void openDocument(const QString &fileName) = 0;
    // The file name of the active document; empty when it is untitled or none is open.
    virtual QString activeDocumentFileName() const = 0;
    virtual void previewInBrowser(const QString &fileName) = 0;
    // Puts an opened project at the front of the project reopen list and stores the list.
    virtual void rememberProject(const QString &fileName) = 0;
    // Fills the menu with the project reopen list; a click hands over the entry's name.
    virtual void buildProjectReopenMenu(QMenu *menu, std::function<void(const QString &)> onClick) = 0;
};
