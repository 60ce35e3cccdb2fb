#include "app/MainForm.h"
#include "widgets/DialogParts.h"

#include "app/AboutBox.h"
#include "app/ResultsDocks.h"
#include "app/CheckCommands.h"
#include "app/ChildWin.h"
#include "app/MainProjectHost.h"
#include "app/ReopenList.h"
#include "app/SearchController.h"
#include "app/SplashScreen.h"
#include "app/StatusFields.h"
#include "custom/HotkeyCapture.h"
#include "custom/PrivateMenu.h"
#include "editor/ColorMemo.h"
#include "editor/ColorRulesFile.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "project/ProjectPanel.h"
#include "project/ProjectTitleBar.h"
#include "tags/Command.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QTimer>

namespace {
// The item name of the document command that a tool button runs.
constexpr char CommandProperty[] = "documentCommand";
QIcon glyphIcon(const QString &text, const QColor &colour)
{
    return GlyphIcon(text, colour, 24);
}
}  // namespace

TMainForm::TMainForm(SettingsStore *store, const QStringList &commandLine, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_commandLine(commandLine)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tagloom"));
    resize(775, 435);
    // Open large enough to work in, centred on the screen.
    if (QScreen *screen = QApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        const QSize size(std::max(775, avail.width() * 4 / 5), std::max(435, avail.height() * 4 / 5));
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size.boundedTo(avail.size()), avail));
    }
    setAcceptDrops(true);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("ClientArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TMainForm::subWindowActivated);
    // First to hear of it, so the menus are right before anyone else looks.
    connect(&m_documents, &DocumentManager::documentsChanged, this, &TMainForm::showActiveDocument);
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The document windows go unasked, before the rest of the window, and call nothing back.
    delete m_hotkeys;
    disconnect(m_mdi, nullptr, this, nullptr);
    m_documents.destroyWindows();
    // A window closed since the event loop last ran waits for its deferred
    // deletion; it goes now, while the manager it reports to still exists.
    const QList<TMDIChild *> closed = findChildren<TMDIChild *>();
    qDeleteAll(closed);
}

void TMainForm::FormCreate()
{
    Settings &settings = AppSettings();
    LoadSettings(*m_store, settings);
    SharedEditorFont() = EditorFontFromSettings(settings);
    LoadPrivateTags();
    ReadColorRulesFile(this);

    LoadReopenList(FileReopenList, FileReopenSection, *m_store);
    LoadReopenList(ProjectReopenList, ProjectReopenSection, *m_store);

    m_search = new SearchController(this, [this] {
        TMDIChild *active = m_documents.active();
        return active ? active->Memo1 : nullptr;
    });
    connect(m_search, &SearchController::findNextEnabledChanged, this, [this](bool enabled) {
        for (TMDIChild *doc : m_documents.list())
            if (QAction *a = doc->action(QStringLiteral("FindNext1")))
                a->setEnabled(enabled);
    });
    m_search->useSettings(m_store);
    connect(m_search, &SearchController::statusMessage, this, [this](const QString &text) { setStatusText(1, text); });

    buildMainMenu();
    buildToolBars();
    connect(&CommandEvents::instance(), &CommandEvents::changed, this, &TMainForm::UpdateMenuItems);
    buildProjectPanel();
    AddCheckProjectButton(*this);
    m_results = new ResultsDocks(*this);
    buildStatusBar();
    m_hotkeys = new HotkeyCapture(this, m_mdi);
    // The editors claim every key they bind, so after keys are given in capture
    // each open window's editor gives up the ones its menus now hold.
    connect(m_hotkeys, &HotkeyCapture::menuKeysChanged, this, [this] {
        for (TMDIChild *doc : m_documents.list())
            doc->releaseMenuKeys();
    });
    // Small enough to tile beside another program, big enough to keep a document in view.
    setMinimumSize(400, 300);

    if (!settings.LastProject.isEmpty())
        m_project->OpenProject(settings.LastProject);

    setStatusBarShown(settings.ShowStatusBar);
    setProjectPanelAlignment(settings.ProjectPanelAlignment, false);
    setProjectVisible(settings.ProjectVisible);

    if (settings.ShowSplash) {
        // The splash blocks on purpose: nothing else happens until it is gone.
        TsplashScreen splash;
        splash.showFor(settings.SplashSeconds);
    }
    UpdateMenuItems();
}

void TMainForm::buildMainMenu()
{
    auto *file = new QMenu(QStringLiteral("&File"), this);
    file->menuAction()->setObjectName(QStringLiteral("File1"));
    QAction *newItem = file->addAction(QStringLiteral("&New"), this, &TMainForm::FileNewItemClick);
    newItem->setObjectName(QStringLiteral("FileNewItem"));
    newItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    newItem->setStatusTip(QStringLiteral("New file"));
    QAction *openItem = file->addAction(QStringLiteral("&Open"), this, &TMainForm::FileOpenItemClick);
    openItem->setObjectName(QStringLiteral("FileOpenItem"));
    openItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    openItem->setStatusTip(QStringLiteral("Open file"));
    m_reopenMenu = file->addMenu(QStringLiteral("&Reopen"));
    m_reopenMenu->setObjectName(QStringLiteral("Reopen1"));
    file->addSeparator();
    QAction *exitItem = file->addAction(QStringLiteral("E&xit"), this, &TMainForm::FileExitItemClick);
    exitItem->setObjectName(QStringLiteral("FileExitItem"));

    auto *help = new QMenu(QStringLiteral("&Help"), this);
    help->menuAction()->setObjectName(QStringLiteral("Help1"));
    help->menuAction()->setStatusTip(QStringLiteral("Help topics"));
    QAction *about = help->addAction(QStringLiteral("&About"), this, &TMainForm::HelpAboutItemClick);
    about->setObjectName(QStringLiteral("HelpAboutItem"));
    about->setStatusTip(QStringLiteral("About Tagloom"));

    m_mainMenus = {file, help};
    showMenusOf(nullptr);
}

void TMainForm::buildToolBars()
{
    struct Button
    {
        const char *name;
        const char *hint;
        QIcon icon;
        std::function<void()> run;
        const char *command = nullptr;  // the document command the button runs, if any
    };
    auto addBar = [this](const char *name, const char *title, const QList<Button> &buttons) {
        auto *bar = new QToolBar(QString::fromLatin1(title), this);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setIconSize(QSize(24, 24));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setFloatable(true);
        for (const Button &b : buttons) {
            if (!b.name) {
                bar->addSeparator();
                continue;
            }
            QAction *a = bar->addAction(b.icon, QString::fromLatin1(b.hint));
            a->setObjectName(QString::fromLatin1(b.name));
            a->setToolTip(QString::fromLatin1(b.hint));
            a->setStatusTip(QString::fromLatin1(b.hint));
            if (b.run)
                connect(a, &QAction::triggered, this, b.run);
            if (b.command) {
                const QString command = QString::fromLatin1(b.command);
                a->setProperty(CommandProperty, command);
                connect(a, &QAction::triggered, this, [this, command] { runActiveDocumentCommand(command); });
            }
            m_buttons.insert(a->objectName(), a);
        }
        addToolBar(Qt::TopToolBarArea, bar);
        m_toolBars.append(bar);
        return bar;
    };
    QStyle *st = style();
    addBar("file_tb", "File",
           {{"newBtn", "New file", st->standardIcon(QStyle::SP_FileIcon), [this] { FileNewItemClick(); }},
            {"openBtn", "Open file", st->standardIcon(QStyle::SP_DialogOpenButton), [this] { FileOpenItemClick(); }},
            {"saveBtn", "Save file", st->standardIcon(QStyle::SP_DialogSaveButton), [this] { SaveBtnClick(); }},
            {nullptr, nullptr, {}, {}},
            {"previewBtn",
             "Preview using browser",
             glyphIcon(QStringLiteral("www"), QColor(0x2a6fb0)),
             {},
             "Viewinbrowser1"},
            {"showHideProjectBtn", "Show/Hide project", st->standardIcon(QStyle::SP_FileDialogListView), {}}});
    addBar("tagsLinks_tb", "Links",
           {{"lnkFileBtn",
             "Link to a file",
             glyphIcon(QStringLiteral("A"), QColor(0x3a8a3a)),
             {},
             "Insertadocumentinthesamesystem1"},
            {"lnkURLBtn",
             "Link to a URL",
             glyphIcon(QStringLiteral("URL"), QColor(0x3a8a3a)),
             {},
             "Insertadocumentinothersystem1"},
            {"lnkAnchorBtn",
             "Link to an anchor in the document",
             glyphIcon(QStringLiteral("#"), QColor(0x3a8a3a)),
             {},
             "Jumpwithinthisdocument1"}});
    addBar("tagsImage_tb", "Image",
           {{"imgBtn", "Image", glyphIcon(QStringLiteral("IMG"), QColor(0xa0522d)), {}, "Image1"}});
    addBar("tagsMisc_tb", "Misc",
           {{"hrBtn", "Horizontal rule", glyphIcon(QStringLiteral("HR"), QColor(0x7a4aa0)), {}, "HorizontalRule1"}});

    m_toolbarPop = new QMenu(this);
    m_toolbarPop->setObjectName(QStringLiteral("toolbarPop"));
    const char *items[] = {"&File", "&Links", "&Image", "&Misc"};
    for (int i = 0; i < 4; ++i) {
        QToolBar *bar = m_toolBars.at(i);
        QAction *item = m_toolbarPop->addAction(QString::fromLatin1(items[i]));
        item->setCheckable(true);
        item->setChecked(true);
        // toolbarPopClick flips the bar; toolbarClose (the bar hidden some other way) unchecks the item.
        connect(item, &QAction::triggered, bar, [bar](bool on) { bar->setVisible(on); });
        connect(bar, &QToolBar::visibilityChanged, item, [item, bar](bool visible) {
            if (!bar->isHidden() == visible)
                item->setChecked(visible);
        });
    }

    QAction *toggle = m_buttons.value(QStringLiteral("showHideProjectBtn"));
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::triggered, this, [this](bool down) { setProjectVisible(down); });
}

QMenu *TMainForm::createPopupMenu()
{
    // QMainWindow deletes the menu it gets here after use: hand it a copy.
    auto *menu = new QMenu(this);
    for (QAction *a : m_toolbarPop->actions())
        menu->addAction(a);
    return menu;
}

void TMainForm::buildProjectPanel()
{
    m_projectPanel = new QDockWidget(QStringLiteral("Project"), this);
    m_projectPanel->setObjectName(QStringLiteral("projectPanel"));
    m_projectPanel->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_projectPanel->setAllowedAreas(Qt::AllDockWidgetAreas);

    m_project = new ProjectPanel(std::make_unique<MainProjectHost>(*this), m_projectPanel);
    auto *title = new ProjectTitleBar(*m_project, m_projectPanel);
    connect(title, &ProjectTitleBar::alignmentChosen, this,
            [this](int alignment) { setProjectPanelAlignment(alignment); });
    connect(title, &ProjectTitleBar::hideClicked, this, [this] {
        QAction *toggle = m_buttons.value(QStringLiteral("showHideProjectBtn"));
        setProjectVisible(!toggle->isChecked());
    });
    m_projectPanel->setTitleBarWidget(title);

    m_projectPanel->setWidget(m_project);
    m_projectPanel->resize(231, m_projectPanel->height());
    // The splitter between the panel and the documents is 7 pixels thick.
    setStyleSheet(QStringLiteral("QMainWindow::separator { width: 7px; height: 7px; }"));
    addDockWidget(Qt::LeftDockWidgetArea, m_projectPanel);
    resizeDocks({m_projectPanel}, {231}, Qt::Horizontal);
}

void TMainForm::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("Panel1"));
    bar->setSizeGripEnabled(true);
    m_panel0 = new QLabel(QStringLiteral("Ready"), bar);
    m_panel0->setObjectName(QStringLiteral("panel0"));
    m_panel1 = new QLabel(bar);
    m_panel1->setObjectName(QStringLiteral("panel1"));
    m_panel0->setFrameShape(QFrame::StyledPanel);
    m_panel1->setFrameShape(QFrame::StyledPanel);
    // Panel 1 keeps its width and panel 0 takes the rest. Neither may ask for
    // the width of its text: the status bar's minimum is the window's minimum.
    m_panel0->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_panel1->setFixedWidth(100);
    bar->addWidget(m_panel0, 1);
    bar->addWidget(m_panel1);
    m_documentNote = new QLabel(bar);
    m_documentNote->setObjectName(QStringLiteral("documentNote"));
    m_documentNote->setFrameShape(QFrame::StyledPanel);
    m_documentNote->hide();
    bar->addPermanentWidget(m_documentNote);
    m_journalNote = new QLabel(bar);
    m_journalNote->setObjectName(QStringLiteral("journalNote"));
    m_journalNote->setFrameShape(QFrame::StyledPanel);
    m_journalNote->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
    // A long reason is cut off rather than widening the window; the tool tip has it all.
    m_journalNote->setMinimumWidth(120);
    m_journalNote->setMaximumWidth(480);
    m_journalNote->hide();
    bar->addPermanentWidget(m_journalNote);
    new DocumentStatusFields(bar, m_mdi);
}

void TMainForm::setJournalNote(const QString &text)
{
    m_journalNote->setText(text);
    m_journalNote->setToolTip(text);
    m_journalNote->setVisible(!text.isEmpty());
}

QString TMainForm::journalNote() const
{
    return m_journalNote->text();
}

void TMainForm::setDocumentNote(const QString &text)
{
    m_documentNote->setText(text);
    m_documentNote->setVisible(!text.isEmpty());
}

QString TMainForm::documentNote() const
{
    return m_documentNote->text();
}

void TMainForm::setStatusText(int panel, const QString &text)
{
    QLabel *label = panel == 0 ? m_panel0 : m_panel1;
    label->setText(text);
    // Status texts of a long load must show before the work starts.
    label->repaint();
}

QString TMainForm::statusText(int panel) const
{
    return (panel == 0 ? m_panel0 : m_panel1)->text();
}

bool TMainForm::event(QEvent *e)
{
    if (e->type() == QEvent::StatusTip) {
        m_panel0->setText(static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TMainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    m_documents.buildReopenMenu(m_reopenMenu);
    openCommandLine(m_commandLine);
}

void TMainForm::openCommandLine(const QStringList &arguments)
{
    for (const QString &arg : arguments) {
        if (!QFileInfo(arg).isFile())
            continue;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const QString lower = arg.toLower();
        // ".xht" too: the desktop entry offers the program for XHTML pages.
        const bool page = lower.contains(QLatin1String(".htm")) || lower.contains(QLatin1String(".xht"));
        if (page)
            m_documents.openCommandLinePage(arg);
        if (lower.contains(QLatin1String(".tlp")))
            m_project->OpenProject(arg);
        QApplication::restoreOverrideCursor();
    }
}

void TMainForm::FileNewItemClick()
{
    m_documents.NewDocument();
}

void TMainForm::FileOpenItemClick()
{
    m_documents.OpenDocument(QString());
}

void TMainForm::FileExitItemClick()
{
    close();
}

void TMainForm::SaveBtnClick()
{
    if (TMDIChild *doc = m_documents.active())
        doc->FileSaveItemClick();
}

void TMainForm::runActiveDocumentCommand(const QString &itemName)
{
    TMDIChild *doc = m_documents.active();
    if (!doc)
        return;
    if (QAction *a = doc->action(itemName); a && a->isEnabled())
        a->trigger();
}

void TMainForm::HelpAboutItemClick()
{
    AboutBox about(this);
    Prompts::instance().runModal(&about);
}

void TMainForm::CloseAll1Click()
{
    m_documents.closeAll();
}

void TMainForm::WindowCascadeItemClick()
{
    m_mdi->cascadeSubWindows();
}

void TMainForm::WindowTileItemClick()
{
    m_mdi->tileSubWindows();
}

void TMainForm::WindowArrangeItemClick()
{
    // Minimised windows line up along the bottom of the area.
    const auto windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    int x = 0;
    for (QMdiSubWindow *w : windows) {
        if (!w->isMinimized())
            continue;
        w->move(x, m_mdi->viewport()->height() - w->height());
        x += w->width();
    }
}

void TMainForm::WindowMinimizeItemClick()
{
    const auto windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        (*it)->showMinimized();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!m_documents.closeAll() || m_project->AskSaveProject() == QMessageBox::Cancel) {
        event->ignore();
        return;
    }
    Settings &settings = AppSettings();
    settings.LastProject = m_project->ProjectFileName();
    SaveSettings(*m_store, settings);
    event->accept();
}

void TMainForm::subWindowActivated(QMdiSubWindow *window)
{
    if (!window)
        return;
    if (auto *child = qobject_cast<TMDIChild *>(window->widget())) {
        if (m_documents.list().contains(child)) {
            child->FormActivate();
            showMenusOf(child);
        }
    }
    UpdateMenuItems();
}

void TMainForm::showActiveDocument()
{
    TMDIChild *active = m_documents.active();
    if (!active)
        setDocumentNote(QString());
    showMenusOf(active);
    UpdateMenuItems();
}

void TMainForm::showMenusOf(TMDIChild *child)
{
    // The active document's menu bar takes the place of the main menus; menus
    // that are not on the bar keep no live shortcuts.
    QMenuBar *bar = menuBar();
    const auto current = bar->actions();
    for (QAction *a : current)
        bar->removeAction(a);
    const QList<QMenu *> &menus = child ? child->menus() : m_mainMenus;
    for (QMenu *m : menus)
        bar->addMenu(m);
}

void TMainForm::UpdateMenuItems()
{
    const bool any = !m_documents.list().isEmpty();
    for (const char *name : {"saveBtn", "previewBtn", "lnkFileBtn", "lnkURLBtn", "lnkAnchorBtn", "imgBtn", "hrBtn"}) {
        if (QAction *a = m_buttons.value(QString::fromLatin1(name))) {
            // A button whose command is not built yet stays disabled, as its menu item does.
            const QString command = a->property(CommandProperty).toString();
            a->setEnabled(any && (command.isEmpty() || FindCommand(command)));
        }
    }
    if (m_project)
        m_project->setDocumentOpen(any);
    if (!any)
        m_documents.buildReopenMenu(m_reopenMenu);
}

void TMainForm::setProjectVisible(bool visible)
{
    AppSettings().ProjectVisible = visible;
    if (QAction *toggle = m_buttons.value(QStringLiteral("showHideProjectBtn")))
        toggle->setChecked(visible);
    m_projectPanel->setVisible(visible);
    for (TMDIChild *doc : m_documents.list())
        doc->setProjectPanelChecked(visible);
}

void TMainForm::setProjectPanelAlignment(int alignment, bool remember)
{
    static const Qt::DockWidgetArea areas[] = {Qt::LeftDockWidgetArea, Qt::RightDockWidgetArea, Qt::TopDockWidgetArea,
                                               Qt::BottomDockWidgetArea};
    // Any other stored number leaves the panel at the left (and is kept as it is).
    const Qt::DockWidgetArea area = alignment >= 0 && alignment < 4 ? areas[alignment] : Qt::LeftDockWidgetArea;
    const bool visible = m_projectPanel->isVisibleTo(this) || !m_shown;
    removeDockWidget(m_projectPanel);
    addDockWidget(area, m_projectPanel);
    m_projectPanel->setVisible(visible && AppSettings().ProjectVisible);
    if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea)
        resizeDocks({m_projectPanel}, {231}, Qt::Horizontal);
    else
        resizeDocks({m_projectPanel}, {120}, Qt::Vertical);
    if (remember)
        AppSettings().ProjectPanelAlignment = quint8(alignment);
}

void TMainForm::setStatusBarShown(bool shown)
{
    statusBar()->setVisible(shown);
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    event->acceptProposedAction();
    // Opened once the drop has returned: a message box shown from inside the
    // drop would hold up the program the files were dragged from.
    QTimer::singleShot(0, this, [this, files] { mdDropFiles1FilesDroped(files); });
}

void TMainForm::mdDropFiles1FilesDroped(const QStringList &files)
{
    // The last dropped file is opened first.
    for (auto it = files.crbegin(); it != files.crend(); ++it) {
        if (!m_documents.roomForDocument())
            break;
        m_documents.OpenDocument(*it);
    }
}
