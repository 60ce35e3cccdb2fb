#include "app/DocumentManager.h"

#include "app/ChildWin.h"
#include "app/DocumentFile.h"
#include "app/MainForm.h"
#include "app/ReopenList.h"
#include "app/SearchController.h"
#include "custom/HotkeyMenu.h"
#include "custom/PrivateMenu.h"
#include "editor/ColorMemo.h"
#include "platform/FileAsk.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "tags/DocStructureDlg.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace {
// Nothing was read into the window: it goes rather than posing as the file.
void dropUnread(QWidget *parent, TMDIChild *child, const QString &fileName, LoadResult result)
{
    Prompts::instance().message(parent, QStringLiteral("Error"),
                                result == LoadResult::TooLarge ? QStringLiteral("Text exceeds memo capacity")
                                                               : QStringLiteral("Cannot open file %1").arg(fileName),
                                QMessageBox::Critical, QMessageBox::Ok);
    child->Modified = false;
    child->subWindow()->close();
}
}  // namespace

DocumentManager::DocumentManager(TMainForm &main) : m_main(main) {}

DocumentManager::~DocumentManager()
{
    destroyWindows();
}

void DocumentManager::destroyWindows()
{
    const QList<TMDIChild *> windows = m_list;
    for (TMDIChild *doc : windows) {
        // Gone unasked: nothing follows up on the window, and no other becomes active.
        disconnect(doc, nullptr, this, nullptr);
        if (QMdiSubWindow *sub = doc->subWindow())
            delete sub;
        else
            delete doc;
    }
    m_list.clear();
    m_active = nullptr;
}

void DocumentManager::remove(TMDIChild *child)
{
    m_list.removeOne(child);
    if (m_active == child)
        m_active = nullptr;
}

bool DocumentManager::roomForDocument()
{
    if (m_list.size() < TMDIChild::MaxDocuments)
        return true;
    Prompts::instance().message(&m_main, QStringLiteral("Tagloom"),
                                QStringLiteral("No more than %1 documents can be open at once. "
                                               "Close a document window first.")
                                    .arg(TMDIChild::MaxDocuments),
                                QMessageBox::Information, QMessageBox::Ok);
    return false;
}

TMDIChild *DocumentManager::CreateDocumentWindow(const QString &caption)
{
    auto *child = new TMDIChild(*this, caption);
    BuildPrivateMenu(child->privateMenu(), PrivateTags(),
                     [child](const QString &name) { PrivateMenuClick(*child, name); });
    LoadHotkeys(child->menus(), HotKeysFileName());
    child->releaseMenuKeys();
    ApplyColorRules(*child->Memo1, &m_main);
    m_list.append(child);
    m_active = child;
    QMdiArea *area = m_main.mdiArea();
    QMdiSubWindow *sub = area->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(m_main.style()->standardIcon(QStyle::SP_FileIcon));
    sub->resize(std::max(533, area->width() * 9 / 10), std::max(303, area->height() * 9 / 10));
    // Each new window steps down and right from the last, like a cascade.
    const int step = (m_list.size() - 1) % 8;
    sub->move(step * 24, step * 24);
    connect(child, &QObject::destroyed, this, [this, child] { documentClosed(child); });
    child->setProjectPanelChecked(AppSettings().ProjectVisible);
    if (QAction *findNext = child->action(QStringLiteral("FindNext1")))
        findNext->setEnabled(m_main.search()->findNextEnabled());
    // Another program instance may have changed the list since start-up.
    LoadReopenList(FileReopenList, FileReopenSection, m_main.store());
    if (child->reopenMenu())
        buildReopenMenu(child->reopenMenu());
    sub->show();
    area->setActiveSubWindow(sub);
    child->FormActivate();
    emit documentsChanged();
    return child;
}

TMDIChild *DocumentManager::NewDocument()
{
    if (!roomForDocument())
        return nullptr;
    TMDIChild *child = CreateDocumentWindow(QStringLiteral("Untitled:%1").arg(m_list.size() + 1));
    if (AppSettings().InsertStructureOnNew)
        Insertalldocumentelements1Click(*child);
    return child;
}

TMDIChild *DocumentManager::OpenDocument(const QString &name)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString fileName = name;
    TMDIChild *child = nullptr;
    if (fileName.isEmpty()) {
        QApplication::restoreOverrideCursor();
        // Refused before asking: choosing a file that cannot be opened wastes the user's time.
        if (!roomForDocument()) {
            m_main.setStatusText(1, QStringLiteral("Done"));
            return nullptr;
        }
        // The shared open dialog, with no filter preset.
        fileName = AskFileName(&m_main, 0);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    if (!fileName.isEmpty() && QFileInfo(fileName).isFile() && roomForDocument()) {
        const QString full = QFileInfo(fileName).absoluteFilePath();
        m_main.setStatusText(1, QStringLiteral("Creating new window..."));
        child = CreateDocumentWindow(full);
        m_main.setStatusText(1, QStringLiteral("Opening file..."));
        const LoadResult result = LoadFileIntoEditor(full, child->Memo1);
        if (result == LoadResult::Loaded) {
            child->DocumentFileName = full;
            child->Modified = false;
            m_main.setStatusText(1, QStringLiteral("Adding to Reopen menu..."));
            AddToReopenList(FileReopenList, full);
            SaveReopenList(FileReopenList, FileReopenSection, m_main.store());
            if (child->reopenMenu())
                buildReopenMenu(child->reopenMenu());
        } else {
            QApplication::restoreOverrideCursor();
            dropUnread(&m_main, child, full, result);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            child = nullptr;
        }
    }
    m_main.setStatusText(1, QStringLiteral("Done"));
    QApplication::restoreOverrideCursor();
    return child;
}

TMDIChild *DocumentManager::openCommandLinePage(const QString &fileName)
{
    if (!roomForDocument())
        return nullptr;
    TMDIChild *child = CreateDocumentWindow(fileName);
    const LoadResult result = LoadFileIntoEditor(fileName, child->Memo1);
    if (result != LoadResult::Loaded) {
        dropUnread(&m_main, child, fileName, result);
        return nullptr;
    }
    child->DocumentFileName = fileName;
    child->Modified = false;
    return child;
}

bool DocumentManager::closeAll()
{
    m_closeCancelled = false;
    const auto windows = m_main.mdiArea()->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        (*it)->close();
        if (m_closeCancelled)
            return false;
    }
    return true;
}

void DocumentManager::documentClosed(TMDIChild *child)
{
    remove(child);
    if (QMdiSubWindow *sub = m_main.mdiArea()->activeSubWindow()) {
        if (auto *next = qobject_cast<TMDIChild *>(sub->widget()); next && m_list.contains(next))
            next->FormActivate();
    }
    if (!m_active && !m_list.isEmpty())
        m_list.constLast()->FormActivate();
    emit documentsChanged();
}

void DocumentManager::buildReopenMenu(QMenu *menu)
{
    BuildReopenMenu(FileReopenList, menu, [this](const QString &name) { OpenDocument(name); });
}
