#pragma once

#include "editor/TextDocument.h"

#include <QHash>
#include <QList>
#include <QWidget>

class DiskWatch;
class DocumentManager;
class QAction;
class QMenu;
class QMdiSubWindow;
class TColorMemo;
class TMainForm;

// One document window: its editor, file name and modified flag, and its own
// menu bar, which the main window shows while the window is active.
class TMDIChild : public QWidget, public TextDocument
{
    Q_OBJECT
public:
    static constexpr int MaxDocuments = 50;

    // Made by DocumentManager::CreateDocumentWindow, which lists it.
    TMDIChild(DocumentManager &documents, const QString &caption);
    ~TMDIChild() override;

    TColorMemo *Memo1 = nullptr;
    QString DocumentFileName;
    bool Modified = false;
    QString DocType;
    // Tells about changes other programs make to the file.
    DiskWatch *diskWatch = nullptr;

    // TextDocument
    TColorMemo *editor() const override { return Memo1; }
    QString documentFileName() const override { return DocumentFileName; }
    bool isModified() const override { return Modified; }
    bool saveDocument(const QString &fileName) override { return SaveDocument(fileName); }
    bool saveDocumentAs() override;
    QWidget *window() override { return this; }
    QString docType() const override { return DocType; }
    void setDocType(const QString &line) override { DocType = line; }

    // The documents this window is one of, and their main window.
    DocumentManager &documents() const { return m_documents; }
    TMainForm *mainForm() const;
    QString caption() const;
    void setCaption(const QString &caption);
    QMdiSubWindow *subWindow() const;

    // The window's top-level menus, in menu bar order.
    const QList<QMenu *> &menus() const { return m_menus; }
    QAction *action(const QString &itemName) const { return m_actions.value(itemName); }
    const QHash<QString, QAction *> &actions() const { return m_actions; }
    // Takes the keys of the window's menu items (hotkeys included) from the editor.
    void releaseMenuKeys();
    QMenu *reopenMenu() const { return m_reopenMenu; }
    QMenu *privateMenu() const { return m_privateMenu; }

    // Writes the text to the file; false (after the message) when it cannot be written.
    bool SaveDocument(const QString &fileName);
    // The close prompt: true when the window may close.
    bool QueryClose();

    void FormActivate();
    void FileSaveItemClick();
    void FileSaveAsItemClick();
    void FileCloseItemClick();
    void CutItemClick();
    void CopyItemClick();
    void PasteItemClick();
    void Wordwrap1Click();
    void Refrssh1Click();
    void ShowHideprojectpanel1Click();
    void setProjectPanelChecked(bool checked);
    // What the status bar says about this document while it is active.
    QString documentNote() const;

signals:
    void activated(TMDIChild *child);
    // The text was written to its file.
    void documentSaved(TMDIChild *child);
    // The window is closing because the user let it (saved, or changes dropped);
    // a window destroyed with the program, unasked, never sends this.
    void closeAccepted(TMDIChild *child);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void connectCommands();
    void commandChanged(const QString &itemName);
    void Memo1Change();
    void Memo1KeyDown(QKeyEvent *event);
    void showWrapState();

    DocumentManager &m_documents;
    QList<QMenu *> m_menus;
    QHash<QString, QAction *> m_actions;
    QMenu *m_reopenMenu = nullptr;
    QMenu *m_privateMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    QString m_caption;
};

// Whether Enter with these modifiers opens the line-break dialog.
bool EnterOpensLineBreakDialog(bool insertBROnEnter, Qt::KeyboardModifiers modifiers);
