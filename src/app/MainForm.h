#pragma once

#include "app/DocumentManager.h"

#include <QMainWindow>
#include <QStringList>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QDockWidget;
class QAction;
class SearchController;
class SettingsStore;
class TMDIChild;
class ProjectPanel;
class HotkeyCapture;
class ResultsDocks;

// The main window: the document area, four tool bars, the project panel and the status bar.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // `store` holds the settings; the main window does not own it.
    TMainForm(SettingsStore *store, const QStringList &commandLine, QWidget *parent = nullptr);
    ~TMainForm() override;

    SettingsStore &store() const { return *m_store; }
    QMdiArea *mdiArea() const { return m_mdi; }
    DocumentManager &documents() { return m_documents; }
    const DocumentManager &documents() const { return m_documents; }

    void FileNewItemClick();
    void FileOpenItemClick();
    void FileExitItemClick();
    void HelpAboutItemClick();
    void CloseAll1Click();
    void WindowCascadeItemClick();
    void WindowTileItemClick();
    void WindowArrangeItemClick();
    void WindowMinimizeItemClick();
    void SaveBtnClick();
    // Opens dropped files, the last of the list first.
    void mdDropFiles1FilesDroped(const QStringList &files);

    void UpdateMenuItems();
    void setProjectVisible(bool visible);
    void setProjectPanelAlignment(int alignment, bool remember = true);
    void setStatusBarShown(bool shown);
    void setStatusText(int panel, const QString &text);
    QString statusText(int panel) const;
    // A note about the active document at the right of the status bar; empty hides it.
    void setDocumentNote(const QString &text);
    QString documentNote() const;
    // A lasting note about the whole program (unsaved work not protected); empty hides it.
    void setJournalNote(const QString &text);
    QString journalNote() const;
    QMenu *mainReopenMenu() const { return m_reopenMenu; }
    SearchController *search() const { return m_search; }
    ProjectPanel *projectPanel() const { return m_project; }
    // Hotkey capture mode and its panel `shortcutsPanel`.
    HotkeyCapture *hotkeyCapture() const { return m_hotkeys; }
    // The search results and problems panels.
    ResultsDocks &results() const { return *m_results; }
    // Runs the command-line handling of the first show (also used by tests).
    void openCommandLine(const QStringList &arguments);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    void FormCreate();
    void FormShow();
    void buildMainMenu();
    void buildToolBars();
    void buildProjectPanel();
    void buildStatusBar();
    void subWindowActivated(QMdiSubWindow *window);
    // The menu bar, the tool buttons and the status note follow the active document.
    void showActiveDocument();
    void showMenusOf(TMDIChild *child);
    void runActiveDocumentCommand(const QString &itemName);

    SettingsStore *m_store;
    DocumentManager m_documents{*this};
    QStringList m_commandLine;
    bool m_shown = false;
    QMdiArea *m_mdi = nullptr;
    QLabel *m_panel0 = nullptr;
    QLabel *m_panel1 = nullptr;
    QLabel *m_documentNote = nullptr;
    QLabel *m_journalNote = nullptr;
    QList<QMenu *> m_mainMenus;
    QMenu *m_reopenMenu = nullptr;
    QMenu *m_toolbarPop = nullptr;
    QList<QToolBar *> m_toolBars;
    QHash<QString, QAction *> m_buttons;
    QDockWidget *m_projectPanel = nullptr;
    SearchController *m_search = nullptr;
    ProjectPanel *m_project = nullptr;
    HotkeyCapture *m_hotkeys = nullptr;
    ResultsDocks *m_results = nullptr;
};
