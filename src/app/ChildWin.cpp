#include "app/ChildWin.h"

#include "app/DiskWatch.h"
#include "app/DocumentCommands.h"
#include "app/DocumentFile.h"
#include "app/DocumentManager.h"
#include "app/DocumentMenuTable.h"
#include "app/DocumentView.h"
#include "app/TypingHelp.h"
#include "app/MainForm.h"
#include "custom/HotkeyMenu.h"
#include "editor/ColorMemo.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "tags/MiscDlg.h"
#include "tags/TagCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSet>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QStringList &saveFilters()
{
    static const QStringList filters = {QStringLiteral("HTML Files (*.html)"), QStringLiteral("HTM Files (*.htm)"),
                                        QStringLiteral("All Files (*)")};
    return filters;
}
}  // namespace

bool EnterOpensLineBreakDialog(bool insertBROnEnter, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrlAlone = mods == Qt::ControlModifier;
    return insertBROnEnter ? !ctrlAlone : ctrlAlone;
}

namespace {
// "Header12" to "Header62" are the six header items; their tag is the level.
int HeaderLevel(const QString &itemName)
{
    if (itemName.size() == 8 && itemName.startsWith(QLatin1String("Header")) && itemName.endsWith(QLatin1Char('2'))) {
        const int level = itemName.at(6).digitValue();
        return level >= 1 && level <= 6 ? level : 0;
    }
    return 0;
}
}  // namespace

TMDIChild::TMDIChild(DocumentManager &documents, const QString &caption) : m_documents(documents)
{
    setObjectName(QStringLiteral("MDIChild"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(533, 303);
    Memo1 = new TColorMemo(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
    setFocusProxy(Memo1);

    // The right-click menu offers the clipboard only.
    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *editPop = new QMenu(this);
    editPop->setObjectName(QStringLiteral("editPop"));
    editPop->addAction(QStringLiteral("&Copy"), this, &TMDIChild::CopyItemClick)
        ->setObjectName(QStringLiteral("Copy1"));
    editPop->addAction(QStringLiteral("C&ut"), this, &TMDIChild::CutItemClick)->setObjectName(QStringLiteral("Cut1"));
    editPop->addAction(QStringLiteral("&Paste"), this, &TMDIChild::PasteItemClick)
        ->setObjectName(QStringLiteral("Paste1"));
    connect(Memo1, &QWidget::customContextMenuRequested, editPop,
            [this, editPop](const QPoint &pos) { editPop->popup(Memo1->mapToGlobal(pos)); });

    // Announced before each change, so no edit is missed, undo and redo included.
    connect(Memo1, &TColorMemo::textChanging, this, &TMDIChild::Memo1Change);
    connect(Memo1, &TColorMemo::loaded, this, &TMDIChild::showWrapState);
    connect(Memo1, &TColorMemo::keyDown, this, &TMDIChild::Memo1KeyDown);

    buildMenus();
    connectCommands();
    AttachDocumentView(*this);
    AttachTypingHelp(*this);
    setCaption(caption);
    diskWatch = new DiskWatch(this);
}

TMDIChild::~TMDIChild()
{
    m_documents.remove(this);
}

TMainForm *TMDIChild::mainForm() const
{
    return &m_documents.mainForm();
}

QString TMDIChild::caption() const
{
    return m_caption;
}

void TMDIChild::setCaption(const QString &caption)
{
    m_caption = caption;
    setWindowTitle(caption);
    // What a screen reader says on entering the editor: the file's name (or
    // "Untitled:N"); the whole path is the description.
    const QString name = QFileInfo(caption).fileName();
    Memo1->setAccessibleName(name.isEmpty() ? caption : name);
    Memo1->setAccessibleDescription(name == caption ? QString() : caption);
}

QMdiSubWindow *TMDIChild::subWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

void TMDIChild::buildMenus()
{
    QList<QMenu *> stack;  // the open menu at each depth
    for (int i = 0; i < DocumentMenuTableSize; ++i) {
        const MenuItemDef &def = DocumentMenuTable[i];
        const QString name = QString::fromLatin1(def.name);
        if (def.depth == 0) {
            auto *menu = new QMenu(QString::fromLatin1(def.caption), this);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            menu->menuAction()->setStatusTip(QString::fromLatin1(def.hint));
            m_menus.append(menu);
            m_actions.insert(name, menu->menuAction());
            stack = {menu};
            if (name == QLatin1String("Private1"))
                m_privateMenu = menu;
            if (name == QLatin1String("Window1"))
                m_windowMenu = menu;
            continue;
        }
        stack.resize(def.depth);
        QMenu *parentMenu = stack.value(def.depth - 1);
        if (!parentMenu)
            continue;
        if (def.flags & MenuItemDef::Separator) {
            QAction *sep = parentMenu->addSeparator();
            sep->setObjectName(name);
            continue;
        }
        QAction *act = nullptr;
        if (def.flags & MenuItemDef::Submenu) {
            QMenu *sub = parentMenu->addMenu(QString::fromLatin1(def.caption));
            sub->setObjectName(name);
            act = sub->menuAction();
            stack.append(sub);
            if (name.startsWith(QLatin1String("Reopen")))
                m_reopenMenu = sub;
        } else {
            act = parentMenu->addAction(QString::fromLatin1(def.caption));
        }
        act->setObjectName(name);
        act->setStatusTip(QString::fromLatin1(def.hint));
        // Items with a tag take no part in hotkey capture; the header items carry their level.
        if (def.flags & MenuItemDef::TagOne)
            act->setProperty(TagProperty, 1);
        else if (const int level = HeaderLevel(name))
            act->setProperty(TagProperty, level);
        if (*def.key)
            act->setShortcut(QKeySequence::fromString(QString::fromLatin1(def.key), QKeySequence::PortableText));
        if (def.flags & MenuItemDef::Checkable) {
            act->setCheckable(true);
            act->setChecked(def.flags & MenuItemDef::CheckedAtStart);
        }
        m_actions.insert(name, act);
    }

    // Ctrl+C is the key of "&Copy" and of "&Center": the first in menu order holds it.
    InitItemHotkeys(m_menus);
    releaseMenuKeys();

    if (m_windowMenu) {
        connect(m_windowMenu, &QMenu::aboutToShow, this, [this] {
            // The open windows are listed after the fixed items.
            const auto old = m_windowMenu->actions();
            for (QAction *a : old)
                if (a->property("windowListEntry").toBool())
                    delete a;
            QAction *sep = m_windowMenu->addSeparator();
            sep->setProperty("windowListEntry", true);
            int n = 0;
            for (TMDIChild *doc : m_documents.list()) {
                ++n;
                QAction *a = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(n).arg(doc->caption()));
                a->setProperty("windowListEntry", true);
                a->setCheckable(true);
                a->setChecked(doc == m_documents.active());
                connect(a, &QAction::triggered, doc, [doc] {
                    if (doc->subWindow())
                        doc->subWindow()->mdiArea()->setActiveSubWindow(doc->subWindow());
                });
            }
        });
    }
}

void TMDIChild::connectCommands()
{
    QSet<QString> own;
    for (const Command &command : WindowCommands()) {
        own.insert(command.itemName);
        if (QAction *act = m_actions.value(command.itemName)) {
            act->setProperty("ownCommand", true);
            connect(act, &QAction::triggered, this, [this, run = command.run] { run(*this); });
        }
    }
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        QAction *act = it.value();
        const QString &name = it.key();
        if (act->menu() || act->isSeparator() || own.contains(name))
            continue;
        // Looked up when triggered: a command may be registered after the window was made.
        // A window's menus are only on the bar while it is the active document.
        connect(act, &QAction::triggered, this, [this, name] {
            // A copy: the command may register or unregister commands while it runs.
            if (const Command *cmd = FindCommand(name)) {
                const auto run = cmd->run;
                run(*this);
            }
        });
        commandChanged(name);
    }
    connect(&CommandEvents::instance(), &CommandEvents::changed, this, &TMDIChild::commandChanged);
}

void TMDIChild::commandChanged(const QString &itemName)
{
    QAction *act = m_actions.value(itemName);
    if (!act || act->menu() || act->isSeparator() || act->property("ownCommand").toBool())
        return;
    // Items without a command (features not in this build yet) are disabled.
    const Command *cmd = FindCommand(itemName);
    act->setEnabled(cmd != nullptr);
    if (cmd && !cmd->hint.isEmpty() && act->statusTip().isEmpty())
        act->setStatusTip(cmd->hint);
}

void TMDIChild::FormActivate()
{
    m_documents.setActive(this);
    Memo1->setFont(SharedEditorFont());
    mainForm()->setDocumentNote(documentNote());
    // After the activation is through, so a question appears over the active window.
    QTimer::singleShot(0, diskWatch, &DiskWatch::checkNow);
    emit activated(this);
}

bool TMDIChild::SaveDocument(const QString &name)
{
    const QString fileName = WithDefaultExt(name, AppSettings().DefaultExt);
    if (fileName == DocumentFileName && diskWatch->changedSinceLoadOrSave()
        && Prompts::instance().message(this, QStringLiteral("Warning"),
                                       QStringLiteral("The file %1 was changed by another program since it was "
                                                      "opened or saved.\nOverwrite it?")
                                           .arg(fileName),
                                       QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString reason;
    const bool ok = SaveBytesToFile(fileName, Memo1->textView(), &reason);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        Prompts::instance().messageWithDetail(this, QStringLiteral("Error"),
                                              QStringLiteral("Cannot create file %1").arg(fileName), reason,
                                              QMessageBox::Critical, QMessageBox::Ok);
        return false;
    }
    DocumentFileName = fileName;
    Modified = false;
    Memo1->setLoadedLineEnds({});  // the file now has the document's CR LF
    setCaption(fileName);
    diskWatch->fileInEditor(fileName);
    emit documentSaved(this);
    return true;
}

bool TMDIChild::saveDocumentAs()
{
    Prompts::FileRequest request;
    request.caption = QStringLiteral("Save As");
    request.filters = saveFilters();
    request.filterIndex = 0;
    request.save = true;
    request.fileName = DocumentFileName;
    const Prompts::FileAnswer answer = Prompts::instance().askFile(this, request);
    if (answer.fileName.isEmpty())
        return false;
    return SaveDocument(answer.fileName);
}

void TMDIChild::FileSaveItemClick()
{
    if (!DocumentFileName.isEmpty())
        SaveDocument(DocumentFileName);
    else
        saveDocumentAs();
}

void TMDIChild::FileSaveAsItemClick()
{
    saveDocumentAs();
}

void TMDIChild::FileCloseItemClick()
{
    if (QMdiSubWindow *sub = subWindow())
        sub->close();
    else
        close();
}

bool TMDIChild::QueryClose()
{
    if (!Modified)
        return true;
    const auto answer = Prompts::instance().message(
        this, QStringLiteral("Warning"), QStringLiteral("Save changes in %1?").arg(caption()), QMessageBox::Warning,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No)
        return true;
    if (answer == QMessageBox::Yes) {
        // A save that was cancelled or failed keeps the window: closing it would lose the text.
        const bool saved = DocumentFileName.isEmpty() ? saveDocumentAs() : SaveDocument(DocumentFileName);
        if (saved)
            return true;
    }
    m_documents.setCloseCancelled(true);
    return false;
}

void TMDIChild::closeEvent(QCloseEvent *event)
{
    if (!QueryClose()) {
        event->ignore();
        return;
    }
    m_documents.remove(this);
    event->accept();
    emit closeAccepted(this);
}

void TMDIChild::CutItemClick()
{
    Memo1->cut();
}

void TMDIChild::CopyItemClick()
{
    Memo1->copy();
}

void TMDIChild::PasteItemClick()
{
    Memo1->paste();
}

void TMDIChild::Wordwrap1Click()
{
    QAction *item = action(QStringLiteral("Wordwrap1"));
    // The action has already flipped its own check mark when triggered from the menu.
    const bool wrap = item ? item->isChecked() : Memo1->wrapMode() == QsciScintilla::WrapNone;
    Memo1->setWrapSuspended(false);
    Memo1->setWrapMode(wrap ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    showWrapState();
}

void TMDIChild::showWrapState()
{
    const bool wrap = Memo1->wrapMode() != QsciScintilla::WrapNone;
    if (QAction *item = action(QStringLiteral("Wordwrap1")))
        item->setChecked(wrap);
    Memo1->SendScintilla(QsciScintillaBase::SCI_SETHSCROLLBAR, wrap ? 0 : 1);
    if (m_documents.active() == this)
        mainForm()->setDocumentNote(documentNote());
}

QString TMDIChild::documentNote() const
{
    return Memo1->wrapSuspended() ? QStringLiteral("Large document: word wrap off") : QString();
}

void TMDIChild::Refrssh1Click()
{
    // A repaint recomputes the colours of the visible lines.
    Memo1->PaintColors(false);
    Memo1->viewport()->update();
}

void TMDIChild::ShowHideprojectpanel1Click()
{
    QAction *item = action(QStringLiteral("ShowHideprojectpanel1"));
    mainForm()->setProjectVisible(item ? item->isChecked() : !AppSettings().ProjectVisible);
}

void TMDIChild::setProjectPanelChecked(bool checked)
{
    if (QAction *item = action(QStringLiteral("ShowHideprojectpanel1")))
        item->setChecked(checked);
}

void TMDIChild::Memo1Change()
{
    Modified = true;
}

void TMDIChild::Memo1KeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return;
    if (!EnterOpensLineBreakDialog(AppSettings().InsertBROnEnter, event->modifiers()))
        return;
    // The editor takes the key too; the dialog writes after its line break, and
    // needs to know whether there is one: not every Enter combination types it.
    const int start = Memo1->SelStart();
    const int keptLength = Memo1->length() - Memo1->SelLength();
    QTimer::singleShot(0, this, [this, start, keptLength] {
        const int caret = Memo1->SelStart();
        const bool typed = caret == start + 2 && Memo1->length() == keptLength + 2
                           && Memo1->rangeView(start, caret) == QByteArrayView("\r\n");
        LineBreakDialog(*this, typed);
    });
}

void TMDIChild::releaseMenuKeys()
{
    // The editor gives up exactly the keys its window's menu items hold, so
    // those reach the menus and every other editing key stays the editor's.
    QList<int> menuKeys;
    QList<QAction *> all = findChildren<QAction *>();
    for (QAction *act : std::as_const(m_actions)) {
        if (!all.contains(act))
            all.append(act);
    }
    for (QAction *act : std::as_const(all)) {
        for (const QKeySequence &key : act->shortcuts()) {
            if (!key.isEmpty())
                menuKeys.append(key[0].toCombined());
        }
    }
    Memo1->releaseKeys(menuKeys);
}
