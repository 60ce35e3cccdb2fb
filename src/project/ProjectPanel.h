#pragma once

#include "project/ProjectFile.h"

#include <QMessageBox>
#include <QWidget>
#include <memory>

class ProjectHost;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QTreeWidget;

// The project panel: the "Project" tool bar, the project name, the list of the
// project's files and the title of the selected file. One project is open at a time.
class ProjectPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ProjectPanel(std::unique_ptr<ProjectHost> host, QWidget *parent = nullptr);
    ~ProjectPanel() override;

    // Each is true when it did what was asked; a failure has been shown to the user.
    bool OpenProject(const QString &fileName);
    bool SaveProject(const QString &fileName);
    // A name holding a line break cannot be kept in a project file and is refused.
    bool AddFileToProject(const QString &fileName);
    // The "Save project?" question when the project has unsaved changes.
    // NoButton when nothing was asked; Cancel also when Yes led to no save.
    QMessageBox::StandardButton AskSaveProject();

    QString ProjectFileName() const { return m_fileName; }
    bool ProjectModified() const { return m_modified; }
    QString projectName() const;
    // The full names of the entries in list order.
    QStringList entryNames() const;
    // A label for the panel's title bar that shows ProjectFileName, shortened
    // at the left when it does not fit. The caller places and owns it.
    QLabel *createFileNameLabel(QWidget *parent);
    // "Add currently opened file to project" works only while a document is open.
    void setDocumentOpen(bool open);
    void rebuildReopenMenu();

    void projectNewBtnClick();
    void projectOpenBtnClick();
    void projectSaveBtnClick();
    void projectSaveAsBtnClick();
    void projectViewFNBtnClick();
    void projectRemoveFNClick();
    void projectAddFNClick();
    void projectAddCurrentFNClick();
    void projectFilesDblClick();
    void projectFilesKeyPress(int key);
    void projectFilesChange();

signals:
    void projectFileNameChanged(const QString &fileName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QAction *addButton(const char *name, const char *hint, const QIcon &icon, void (ProjectPanel::*handler)());
    void setFileName(const QString &fileName);
    void showEntries();
    void insertEntry(const ProjectEntry &entry);
    int selectedIndex() const;
    bool saveCurrent();
    bool saveAs();
    void reopenProject(const QString &fileName);

    std::unique_ptr<ProjectHost> m_host;
    ProjectContent m_content;
    QString m_fileName;
    bool m_modified = false;
    QString m_titleShownFor;

    QLineEdit *m_name = nullptr;
    QTreeWidget *m_files = nullptr;
    QLabel *m_title = nullptr;
    QToolButton *m_reopenBtn = nullptr;
    QMenu *m_reopenMenu = nullptr;
    QAction *m_addCurrent = nullptr;
};
