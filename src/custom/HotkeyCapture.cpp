#include "custom/HotkeyCapture.h"

#include "custom/HotkeyEdit.h"
#include "custom/HotkeyMenu.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"

#include <QAction>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const char *const CaptureToolBars[] = {"file_tb", "tagsLinks_tb", "tagsImage_tb", "tagsMisc_tb"};

bool isCommandItem(const QAction *a)
{
    return a && !a->menu() && !a->isSeparator() && a->isEnabled() && a->isVisible();
}
}  // namespace

HotkeyCapture::HotkeyCapture(QMainWindow *mainWindow, QMdiArea *documentArea)
    : QObject(mainWindow), m_main(mainWindow), m_area(documentArea)
{
    setObjectName(QStringLiteral("hotkeyCapture"));
    // The panel lies over the document area and follows its size.
    m_panel = new QWidget(documentArea);
    m_panel->setObjectName(QStringLiteral("shortcutsPanel"));
    m_panel->setAutoFillBackground(true);
    auto *column = new QVBoxLayout(m_panel);
    column->addStretch(1);
    auto *press = new QLabel(QStringLiteral("Press hotkey."), m_panel);
    press->setObjectName(QStringLiteral("Label1"));
    auto *click = new QLabel(QStringLiteral("Click with mouse on the menu item you want to assign the hotkey to."),
                             m_panel);
    click->setObjectName(QStringLiteral("Label2"));
    click->setWordWrap(true);
    m_hotKey = new HotkeyEdit(m_panel);
    m_hotKey->setObjectName(QStringLiteral("HotKey1"));
    m_hotKey->setFixedWidth(200);
    auto *ok = new QPushButton(QStringLiteral("OK"), m_panel);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), m_panel);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton *b : {ok, cancel})
        b->setFocusPolicy(Qt::TabFocus);
    auto *keyRow = new QHBoxLayout;
    keyRow->addStretch(1);
    keyRow->addWidget(m_hotKey);
    keyRow->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    for (QLabel *l : {press, click})
        l->setAlignment(Qt::AlignCenter);
    column->addWidget(press);
    column->addWidget(click);
    column->addLayout(keyRow);
    column->addSpacing(12);
    column->addLayout(buttons);
    column->addStretch(2);
    m_panel->hide();
    documentArea->installEventFilter(this);

    connect(ok, &QPushButton::clicked, this, &HotkeyCapture::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &HotkeyCapture::BitBtn2Click);
    connect(m_hotKey, &HotkeyEdit::escapePressed, this, &HotkeyCapture::BitBtn2Click);
}

HotkeyCapture::~HotkeyCapture()
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
}

QString HotkeyCapture::fileName() const
{
    return hotkeysFileName ? hotkeysFileName() : HotKeysFileName();
}

void HotkeyCapture::BeginHotkeyCapture(QWidget *documentWindow, const QList<QMenu *> &menus, QWidget *editor)
{
    if (m_capturing)
        EndHotkeyCapture();
    if (!documentWindow)
        return;
    m_capturing = true;
    m_window = documentWindow;
    m_topMenus.clear();
    m_allMenus.clear();
    m_hooks.clear();
    for (QMenu *m : menus) {
        m_topMenus.append(m);
        m_allMenus.append(m);
    }
    for (QAction *a : HotkeyWalk(menus)) {
        if (a->menu())
            m_allMenus.append(a->menu());
        if (ItemTag(a) == 0)
            m_hooks.append(a);
    }
    // Menu keys would run commands while capturing; the items keep them and show them.
    SuspendShortcuts(menus);
    for (const QPointer<QMenu> &m : std::as_const(m_allMenus))
        m->installEventFilter(this);

    m_connections.append(connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        // The user went to another window: it keeps the focus.
        if (sub && sub->widget() != m_window)
            endCapture(false);
    }));
    m_connections.append(connect(documentWindow, &QObject::destroyed, this, [this] { endCapture(false); }));

    m_panel->setGeometry(m_area->rect());
    m_panel->show();
    m_panel->raise();
    // Hidden without touching the project-visibility setting, which decides the way back.
    if (auto *project = m_main->findChild<QDockWidget *>(QStringLiteral("projectPanel")))
        project->hide();
    m_hiddenBars.clear();
    m_disabledBars.clear();
    for (const char *name : CaptureToolBars) {
        auto *bar = m_main->findChild<QToolBar *>(QString::fromLatin1(name));
        if (!bar)
            continue;
        if (bar->isVisibleTo(m_main)) {
            bar->hide();
            m_hiddenBars.append(bar);
        }
        // The tool bar menu could show a bar again; its buttons run commands.
        if (bar->isEnabled()) {
            bar->setEnabled(false);
            m_disabledBars.append(bar);
        }
    }
    m_editor = editor && editor->isEnabled() ? editor : nullptr;
    if (m_editor)
        m_editor->setEnabled(false);
    m_hotKey->setHotkey(0);
    m_hotKey->setFocus();
}

void HotkeyCapture::EndHotkeyCapture()
{
    endCapture(true);
}

void HotkeyCapture::endCapture(bool focusWindow)
{
    if (!m_capturing)
        return;
    m_capturing = false;
    closeMenus();
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    QList<QMenu *> menus;
    for (const QPointer<QMenu> &m : std::as_const(m_topMenus))
        if (m)
            menus.append(m);
    for (const QPointer<QMenu> &m : std::as_const(m_allMenus))
        if (m)
            m->removeEventFilter(this);
    if (m_window)
        ApplyKeyHolders(menus);
    // The focus leaves the panel for the window that is to have it before the
    // panel hides; otherwise Qt would pass it on to whichever window comes next.
    QWidget *focusTarget = nullptr;
    if (focusWindow && m_window) {
        if (m_editor)
            m_editor->setEnabled(true);
        auto *sub = qobject_cast<QMdiSubWindow *>(m_window->parentWidget());
        if (sub && m_area->subWindowList().contains(sub))
            m_area->setActiveSubWindow(sub);
        focusTarget = m_window;
    } else if (QMdiSubWindow *active = m_area->activeSubWindow()) {
        focusTarget = active->widget();
    }
    if (focusTarget)
        focusTarget->setFocus();
    m_panel->hide();
    if (m_editor)
        m_editor->setEnabled(true);
    m_editor = nullptr;
    if (auto *project = m_main->findChild<QDockWidget *>(QStringLiteral("projectPanel"));
        project && AppSettings().ProjectVisible)
        project->show();
    for (const QPointer<QToolBar> &bar : std::as_const(m_disabledBars))
        if (bar)
            bar->setEnabled(true);
    for (const QPointer<QToolBar> &bar : std::as_const(m_hiddenBars))
        if (bar)
            bar->show();
    m_hiddenBars.clear();
    m_disabledBars.clear();
    m_hooks.clear();
    m_allMenus.clear();
    emit captureEnded();
    emit menuKeysChanged();
}

void HotkeyCapture::AssignCapturedHotkey(QAction *item)
{
    if (!m_capturing || !item || !m_hooks.contains(item))
        return;
    SetItemHotkey(item, m_hotKey->hotkey());
    QList<QMenu *> menus;
    for (const QPointer<QMenu> &m : std::as_const(m_topMenus))
        if (m)
            menus.append(m);
    ApplyKeyHolders(menus, false);
}

void HotkeyCapture::BitBtn1Click()
{
    if (!m_capturing)
        return;
    const QPointer<QWidget> window = m_window;
    QList<QPointer<QMenu>> topMenus = m_topMenus;
    EndHotkeyCapture();
    if (!window)
        return;
    QList<QMenu *> menus;
    for (const QPointer<QMenu> &m : std::as_const(topMenus))
        if (m)
            menus.append(m);
    const QString name = fileName();
    QString reason;
    if (!SaveHotkeys(menus, name, &reason)) {
        // The old file is intact; the keys given stay on this window's items, unsaved.
        Prompts::instance().messageWithDetail(m_main, QStringLiteral("Error"),
                                              QStringLiteral("Cannot create file %1").arg(name), reason,
                                              QMessageBox::Critical, QMessageBox::Ok);
        return;
    }
    LoadHotkeys(menus, name);
    emit menuKeysChanged();
}

void HotkeyCapture::BitBtn2Click()
{
    EndHotkeyCapture();
}

bool HotkeyCapture::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area) {
        if (event->type() == QEvent::Resize)
            m_panel->setGeometry(m_area->rect());
        return false;
    }
    if (m_capturing)
        if (auto *menu = qobject_cast<QMenu *>(watched))
            return menuEvent(menu, event);
    return false;
}

bool HotkeyCapture::menuEvent(QMenu *menu, QEvent *event)
{
    // Every way of choosing an item in an open menu ends here instead of in the
    // item's command: mouse release, Enter, or the item's underlined letter.
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *me = static_cast<QMouseEvent *>(event);
        QAction *a = menu->actionAt(me->position().toPoint());
        if (!isCommandItem(a))
            return false;
        chooseInMenu(a);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter || ke->key() == Qt::Key_Select
        || ke->key() == Qt::Key_Space) {
        QAction *a = menu->activeAction();
        if (!isCommandItem(a))
            return false;
        chooseInMenu(a);
        return true;
    }
    if (ke->text().isEmpty() || (ke->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const int c = ke->text().at(0).toUpper().unicode();
    QAction *match = nullptr;
    int matches = 0;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible() || !a->isEnabled())
            continue;
        const QKeySequence mnemonic = QKeySequence::mnemonic(a->text());
        if (!mnemonic.isEmpty() && (mnemonic[0].toCombined() & 0xffff) == c) {
            match = a;
            ++matches;
        }
    }
    // Several items with the letter only move the highlight; a submenu opens.
    if (matches != 1 || !isCommandItem(match))
        return false;
    chooseInMenu(match);
    return true;
}

void HotkeyCapture::chooseInMenu(QAction *item)
{
    closeMenus();
    AssignCapturedHotkey(item);
}

void HotkeyCapture::closeMenus()
{
    for (const QPointer<QMenu> &m : std::as_const(m_allMenus))
        if (m && m->isVisible())
            m->hide();
}
