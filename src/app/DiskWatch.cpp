#include "app/DiskWatch.h"

#include "app/ChildWin.h"
#include "app/DocumentFile.h"
#include "app/DocumentManager.h"
#include "editor/ColorMemo.h"
#include "platform/Prompts.h"
#include "platform/RegularFileRead.h"

#include <QApplication>
#include <QFile>
#include <QFileSystemWatcher>
#include <QTimer>

#include <limits>

DiskWatch::DiskWatch(TMDIChild *child) : QObject(child), m_child(child), m_watcher(new QFileSystemWatcher(this))
{
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::fileSignal);
    // Coming back from another program re-activates no document window, so the
    // application's own activation is checked too.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive && m_child->documents().active() == m_child)
            QTimer::singleShot(0, this, &DiskWatch::checkNow);
    });
}

void DiskWatch::fileInEditor(const QString &fileName)
{
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    m_fileName = fileName;
    m_loaded = m_seen = DiskStamp::of(fileName);
    if (!fileName.isEmpty() && m_loaded.regular)
        m_watcher->addPath(fileName);
}

void DiskWatch::fileInEditor(const QString &fileName, const DiskStamp &loaded)
{
    fileInEditor(fileName);
    m_loaded = loaded;
}

DiskStamp DiskWatch::loadedStamp() const
{
    return m_fileName == m_child->DocumentFileName ? m_loaded : DiskStamp::of(m_child->DocumentFileName);
}

bool DiskWatch::changedSinceLoadOrSave() const
{
    return !m_fileName.isEmpty() && DiskStamp::of(m_fileName) != m_loaded;
}

void DiskWatch::fileSignal()
{
    // A file replaced by rename drops out of the watch; watch the new one.
    if (DiskStamp::of(m_fileName).regular && !m_watcher->files().contains(m_fileName))
        m_watcher->addPath(m_fileName);
    if (QApplication::applicationState() == Qt::ApplicationActive && m_child->documents().active() == m_child)
        QTimer::singleShot(0, this, &DiskWatch::checkNow);
}

void DiskWatch::checkNow()
{
    // Not over another dialog; the next activation asks.
    if (m_asking || QApplication::activeModalWidget())
        return;
    if (m_fileName != m_child->DocumentFileName) {
        // A file just opened into the window: what is on disk now is what it holds.
        fileInEditor(m_child->DocumentFileName);
        return;
    }
    if (m_fileName.isEmpty())
        return;
    const DiskStamp now = DiskStamp::of(m_fileName);
    if (now == m_seen)
        return;
    m_seen = now;
    m_asking = true;
    Prompts &prompts = Prompts::instance();
    // A folder, FIFO or device put at the path holds no text of ours: as far as
    // the document goes, its file is gone.
    if (!now.regular) {
        // The text is no longer anywhere on disk: closing must offer to save it,
        // and it is kept safe while the message waits for an answer.
        m_child->Modified = true;
        emit fileGone();
        prompts.message(m_child, QStringLiteral("Warning"),
                        QStringLiteral("The file %1 was removed or renamed by another program.\n"
                                       "The text stays in the window; save it to write the file again.")
                            .arg(m_fileName),
                        QMessageBox::Warning, QMessageBox::Ok);
    } else {
        const QString question = m_child->Modified
                                     ? QStringLiteral(
                                         "The file %1 was changed by another program.\n"
                                         "Reload it and lose your unsaved changes? (Undo brings them back.)")
                                     : QStringLiteral("The file %1 was changed by another program.\nReload it?");
        if (!m_watcher->files().contains(m_fileName))
            m_watcher->addPath(m_fileName);
        if (prompts.message(m_child, QStringLiteral("Warning"), question.arg(m_fileName), QMessageBox::Warning,
                            QMessageBox::Yes | QMessageBox::No)
                == QMessageBox::Yes
            && !reload())
            prompts.message(m_child, QStringLiteral("Error"), QStringLiteral("Cannot open file %1").arg(m_fileName),
                            QMessageBox::Critical, QMessageBox::Ok);
    }
    m_asking = false;
}

bool DiskWatch::reload()
{
    const DiskStamp stamp = DiskStamp::of(m_fileName);
    QByteArray read;
    if (ReadRegularFile(m_fileName, MaxDocumentFileSize, &read) != RegularFileRead::Read)
        return false;
    LineEndCount ends;
    const QByteArray bytes = ConvertLineEnds(read, &ends);
    read = QByteArray();
    if (bytes.size() > std::numeric_limits<int>::max() - 1)
        return false;
    TColorMemo *memo = m_child->Memo1;
    const int caret = memo->SelStart();
    {
        UndoStep step(memo);
        memo->setSelStart(0);
        memo->setSelLength(memo->length());
        memo->setSelText(bytes);
    }
    memo->setSelStart(std::min(caret, memo->length()));
    memo->setLoadedLineEnds(ends);
    m_child->Modified = false;
    m_loaded = m_seen = stamp;
    return true;
}
