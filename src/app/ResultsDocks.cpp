#include "app/ResultsDocks.h"

#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
bool sameFile(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// Byte position of a 1-based line and character column, within the document.
long placeOf(TColorMemo &memo, int line, int column)
{
    const long lineCount = memo.SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    const long l = std::clamp<long>(line - 1, 0, lineCount - 1);
    const long start = memo.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, l);
    const long end = memo.SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, l);
    const long pos = memo.SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, start, long(std::max(column - 1, 0)));
    // Past the line's end (the text changed since) the line's end will do.
    return pos == 0 && start > 0 ? end : std::min(pos, end);
}
}  // namespace

ResultsDocks::ResultsDocks(TMainForm &main) : QObject(&main), m_main(main)
{
    m_next = new QAction(QStringLiteral("Next Result"), &main);
    m_next->setObjectName(QStringLiteral("NextResult1"));
    m_next->setShortcut(QKeySequence(Qt::Key_F4));
    m_previous = new QAction(QStringLiteral("Previous Result"), &main);
    m_previous->setObjectName(QStringLiteral("PreviousResult1"));
    m_previous->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F4));
    for (QAction *a : {m_next, m_previous}) {
        a->setShortcutContext(Qt::WindowShortcut);
        main.addAction(a);
    }
    connect(m_next, &QAction::triggered, this, [this] { step(1); });
    connect(m_previous, &QAction::triggered, this, [this] { step(-1); });
}

ResultsPanel *ResultsDocks::show(const QString &name, const QString &title)
{
    QDockWidget *d = dock(name);
    if (!d) {
        d = new QDockWidget(title, &m_main);
        d->setObjectName(name);
        d->setAllowedAreas(Qt::AllDockWidgetAreas);
        auto *panel = new ResultsPanel(d);
        panel->setObjectName(name + QStringLiteral("Panel"));
        d->setWidget(panel);
        m_main.addDockWidget(Qt::BottomDockWidgetArea, d);
        // A second panel shares the bottom as a tab rather than halving its height.
        for (const QPointer<QDockWidget> &other : std::as_const(m_docks))
            if (other && m_main.dockWidgetArea(other) == Qt::BottomDockWidgetArea) {
                m_main.tabifyDockWidget(other, d);
                break;
            }
        panel->addContextAction(m_next);
        panel->addContextAction(m_previous);
        connect(panel, &ResultsPanel::activated, this, [this](const ResultEntry &e) { open(e); });
        connect(d, &QDockWidget::visibilityChanged, this, [this, name](bool visible) {
            if (visible)
                m_lastShown = name;
        });
        m_docks.insert(name, d);
    }
    d->show();
    d->raise();
    m_lastShown = name;
    return static_cast<ResultsPanel *>(d->widget());
}

ResultsPanel *ResultsDocks::panel(const QString &name) const
{
    QDockWidget *d = dock(name);
    return d ? static_cast<ResultsPanel *>(d->widget()) : nullptr;
}

QDockWidget *ResultsDocks::dock(const QString &name) const
{
    return m_docks.value(name);
}

bool ResultsDocks::step(int direction)
{
    // The panel in view; failing that, the one shown last.
    ResultsPanel *p = nullptr;
    QDockWidget *last = dock(m_lastShown);
    if (last && last->isVisible() && !last->visibleRegion().isEmpty())
        p = panel(m_lastShown);
    for (auto it = m_docks.cbegin(); !p && it != m_docks.cend(); ++it)
        if (it.value() && it.value()->isVisible() && !it.value()->visibleRegion().isEmpty())
            p = panel(it.key());
    if (!p)
        p = panel(m_lastShown);
    return p && p->step(direction);
}

bool ResultsDocks::open(const ResultEntry &entry)
{
    TMDIChild *doc = nullptr;
    for (TMDIChild *d : m_main.documents().list())
        if (d->DocumentFileName.isEmpty() ? d->windowTitle() == entry.file
                                          : sameFile(d->DocumentFileName, entry.file)) {
            doc = d;
            break;
        }
    if (!doc) {
        if (!QFileInfo(entry.file).isFile()) {
            m_main.setStatusText(1, QStringLiteral("%1 is not there any more").arg(entry.file));
            return false;
        }
        doc = m_main.documents().OpenDocument(entry.file);
        if (!doc)
            return false;
    }
    if (QMdiSubWindow *sub = doc->subWindow())
        m_main.mdiArea()->setActiveSubWindow(sub);
    TColorMemo &memo = *doc->Memo1;
    const long start = entry.offset >= 0 ? long(std::min<qint64>(entry.offset, memo.length()))
                                         : (entry.line > 0 ? placeOf(memo, entry.line, entry.column) : 0);
    memo.setSelStart(int(start));
    memo.setSelLength(int(entry.length));
    memo.setFocus();
    return true;
}
