#include "app/MainForm.h"
#include "widgets/DialogParts.h"

#include "app/AboutBox.h"
#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/DocumentFile.h"
#include "app/MainProjectHost.h"
#include "app/ReopenList.h"
#include "app/SearchController.h"
#include "app/SplashScreen.h"
#include "app/StatusFields.h"
#include "custom/HotkeyCapture.h"
#include "custom/HotkeyMenu.h"
#include "custom/PrivateMenu.h"
#include "editor/ColorMemo.h"
#include "editor/ColorRulesFile.h"
#include "platform/FileAsk.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "project/ProjectPanel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

namespace {
// The item name of the document command that a tool button runs.
constexpr char CommandProperty[] = "documentCommand";
QIcon glyphIcon(const QString &text, const QColor &colour)
{
    return GlyphIcon(text, colour, 24);
}
}  // namespace

TMainForm::Hooks &TMainForm::hooks()
{
    static Hooks h;
    return h;
}

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
    FormCreate();
}

TMainForm::~TMainForm()
{
    // Document windows and the area die after this body: they must not call back.
    delete m_hotkeys;
    disconnect(m_mdi, nullptr, this, nullptr);
    for (TMDIChild *doc : DocumentList())
        disconnect(doc, nullptr, this, nullptr);
    DocumentList().clear();
    setActiveDocument(nullptr);
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

    m_search = new SearchController(this, [] { return ActiveDocument() ? ActiveDocument()->Memo1 : nullptr; });
    connect(m_search, &SearchController::findNextEnabledChanged, this, [](bool enabled) {
        for (TMDIChild *doc : DocumentList())
            if (QAction *a = doc->action(QStringLiteral("FindNext1")))
                a->setEnabled(enabled);
    });

    buildMainMenu();
    buildToolBars();
    connect(&CommandEvents::instance(), &CommandEvents::changed, this, &TMainForm::UpdateMenuItems);
    buildProjectPanel();
    buildStatusBar();
    m_hotkeys = new THotkeyCapture(this, m_mdi);
    // The editors claim every key they bind, so after keys are given in capture
    // each open window's editor gives up the ones its menus now hold.
    connect(m_hotkeys, &THotkeyCapture::menuKeysChanged, this, [] {
        for (TMDIChild *doc : DocumentList())
            doc->releaseMenuKeys();
    });
    // Small enough to tile beside another program, big enough to keep a document in view.
    setMinimumSize(400, 300);

    if (!settings.LastProject.isEmpty() && hooks().openProject)
        hooks().openProject(settings.LastProject);

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
            {"previewBtn", "Preview using browser", glyphIcon(QStringLiteral("www"), QColor(0x2a6fb0)), {}, "Viewinbrowser1"},
            {"showHideProjectBtn", "Show/Hide project", st->standardIcon(QStyle::SP_FileDialogListView), {}}});
    addBar("tagsLinks_tb", "Links",
           {{"lnkFileBtn", "Link to a file", glyphIcon(QStringLiteral("A"), QColor(0x3a8a3a)), {},
             "Insertadocumentinthesamesystem1"},
            {"lnkURLBtn", "Link to a URL", glyphIcon(QStringLiteral("URL"), QColor(0x3a8a3a)), {},
             "Insertadocumentinothersystem1"},
            {"lnkAnchorBtn", "Link to an anchor in the document", glyphIcon(QStringLiteral("#"), QColor(0x3a8a3a)), {},
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

    m_project = new TProjectPanel(std::make_unique<MainProjectHost>(*this), m_projectPanel);
    QPointer<TProjectPanel> panel = m_project;
    hooks().openProject = [panel](const QString &name) {
        if (panel)
            panel->OpenProject(name);
    };
    hooks().askSaveProject = [panel] { return !panel || panel->AskSaveProject() != QMessageBox::Cancel; };
    hooks().projectFileName = [panel] { return panel ? panel->ProjectFileName() : QString(); };

    auto *title = new QWidget(m_projectPanel);
    title->setObjectName(QStringLiteral("projectFileNamePanel"));
    auto *row = new QHBoxLayout(title);
    row->setContentsMargins(4, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(m_project->createFileNameLabel(title), 1);

    auto *alignBtn = new QToolButton(title);
    alignBtn->setObjectName(QStringLiteral("projectAlignBtn"));
    alignBtn->setToolTip(QStringLiteral("Change project panel alignment"));
    alignBtn->setStatusTip(alignBtn->toolTip());
    alignBtn->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    alignBtn->setPopupMode(QToolButton::InstantPopup);
    alignBtn->setAutoRaise(true);
    auto *alignMenu = new QMenu(alignBtn);
    const char *names[] = {"Left1", "Right1", "Top1", "Bottom1"};
    const char *captions[] = {"&Left", "&Right", "&Top", "&Bottom"};
    for (int i = 0; i < 4; ++i) {
        QAction *a = alignMenu->addAction(QString::fromLatin1(captions[i]), this, [this, i] { setProjectPanelAlignment(i); });
        a->setObjectName(QString::fromLatin1(names[i]));
    }
    alignBtn->setMenu(alignMenu);
    row->addWidget(alignBtn);

    auto *hideBtn = new QToolButton(title);
    hideBtn->setObjectName(QStringLiteral("projectHide"));
    hideBtn->setToolTip(QStringLiteral("Hide project"));
    hideBtn->setStatusTip(hideBtn->toolTip());
    hideBtn->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    hideBtn->setAutoRaise(true);
    connect(hideBtn, &QToolButton::clicked, this, [this] {
        QAction *toggle = m_buttons.value(QStringLiteral("showHideProjectBtn"));
        setProjectVisible(!toggle->isChecked());
    });
    row->addWidget(hideBtn);
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

void TMainForm::buildReopenMenu(QMenu *menu)
{
    BuildReopenMenu(FileReopenList, menu, [this](const QString &name) { OpenDocument(name); });
}

void TMainForm::FormShow()
{
    buildReopenMenu(m_reopenMenu);
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
        if (page && roomForDocument()) {
            TMDIChild *child = CreateDocumentWindow(arg);
            const LoadResult result = LoadFileIntoEditor(arg, child->Memo1);
            if (result != LoadResult::Loaded) {
                Prompts::instance().message(this, QStringLiteral("Error"),
                                            result == LoadResult::TooLarge
                                                ? QStringLiteral("Text exceeds memo capacity")
                                                : QStringLiteral("Cannot open file %1").arg(arg),
                                            QMessageBox::Critical, QMessageBox::Ok);
                child->Modified = false;
                child->subWindow()->close();
            } else {
                child->DocumentFileName = arg;
                child->Modified = false;
            }
        }
        if (lower.contains(QLatin1String(".tlp")) && hooks().openProject)
            hooks().openProject(arg);
        QApplication::restoreOverrideCursor();
    }
}

bool TMainForm::roomForDocument()
{
    if (DocumentList().size() < TMDIChild::MaxDocuments)
        return true;
    Prompts::instance().message(this, QStringLiteral("Tagloom"),
                                QStringLiteral("No more than %1 documents can be open at once. "
                                               "Close a document window first.")
                                    .arg(TMDIChild::MaxDocuments),
                                QMessageBox::Information, QMessageBox::Ok);
    return false;
}

TMDIChild *TMainForm::CreateDocumentWindow(const QString &caption)
{
    auto *child = new TMDIChild(this, caption);
    BuildPrivateMenu(child->privateMenu(), PrivateTags(), [child](const QString &name) { PrivateMenuClick(*child, name); });
    LoadHotkeys(child->menus(), HotKeysFileName());
    child->releaseMenuKeys();
    ApplyColorRules(*child->Memo1, this);
    DocumentList().append(child);
    setActiveDocument(child);
    QMdiSubWindow *sub = m_mdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(style()->standardIcon(QStyle::SP_FileIcon));
    sub->resize(std::max(533, m_mdi->width() * 9 / 10), std::max(303, m_mdi->height() * 9 / 10));
    // Each new window steps down and right from the last, like a cascade.
    const int step = (DocumentList().size() - 1) % 8;
    sub->move(step * 24, step * 24);
    connect(child, &QObject::destroyed, this, [this, child] { documentClosed(child); });
    child->setProjectPanelChecked(AppSettings().ProjectVisible);
    if (QAction *findNext = child->action(QStringLiteral("FindNext1")))
        findNext->setEnabled(m_search->findNextEnabled());
    // Another program instance may have changed the list since start-up.
    LoadReopenList(FileReopenList, FileReopenSection, *m_store);
    if (child->reopenMenu())
        buildReopenMenu(child->reopenMenu());
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    child->FormActivate();
    showMenusOf(child);
    UpdateMenuItems();
    emit documentsChanged();
    return child;
}

TMDIChild *TMainForm::NewDocument()
{
    if (!roomForDocument())
        return nullptr;
    TMDIChild *child = CreateDocumentWindow(QStringLiteral("Untitled:%1").arg(DocumentList().size() + 1));
    if (AppSettings().InsertStructureOnNew && hooks().newDocumentStructure)
        hooks().newDocumentStructure(*child);
    return child;
}

TMDIChild *TMainForm::OpenDocument(const QString &name)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString fileName = name;
    TMDIChild *child = nullptr;
    if (fileName.isEmpty()) {
        QApplication::restoreOverrideCursor();
        // Refused before asking: choosing a file that cannot be opened wastes the user's time.
        if (!roomForDocument()) {
            setStatusText(1, QStringLiteral("Done"));
            return nullptr;
        }
        // The shared open dialog, with no filter preset.
        fileName = AskFileName(this, 0);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    if (!fileName.isEmpty() && QFileInfo(fileName).isFile() && roomForDocument()) {
        const QString full = QFileInfo(fileName).absoluteFilePath();
        setStatusText(1, QStringLiteral("Creating new window..."));
        child = CreateDocumentWindow(full);
        setStatusText(1, QStringLiteral("Opening file..."));
        const LoadResult result = LoadFileIntoEditor(full, child->Memo1);
        if (result == LoadResult::Loaded) {
            child->DocumentFileName = full;
            child->Modified = false;
            setStatusText(1, QStringLiteral("Adding to Reopen menu..."));
            AddToReopenList(FileReopenList, full);
            SaveReopenList(FileReopenList, FileReopenSection, *m_store);
            if (child->reopenMenu())
                buildReopenMenu(child->reopenMenu());
        } else {
            QApplication::restoreOverrideCursor();
            Prompts::instance().message(this, QStringLiteral("Error"),
                                        result == LoadResult::TooLarge ? QStringLiteral("Text exceeds memo capacity")
                                                                       : QStringLiteral("Cannot open file %1").arg(full),
                                        QMessageBox::Critical, QMessageBox::Ok);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            // Nothing was read into the window: it goes rather than posing as the file.
            child->Modified = false;
            child->subWindow()->close();
            child = nullptr;
        }
    }
    setStatusText(1, QStringLiteral("Done"));
    QApplication::restoreOverrideCursor();
    return child;
}

void TMainForm::FileNewItemClick()
{
    NewDocument();
}

void TMainForm::FileOpenItemClick()
{
    OpenDocument(QString());
}

void TMainForm::FileExitItemClick()
{
    close();
}

void TMainForm::SaveBtnClick()
{
    if (TMDIChild *doc = ActiveDocument())
        doc->FileSaveItemClick();
}

void TMainForm::runActiveDocumentCommand(const QString &itemName)
{
    TMDIChild *doc = ActiveDocument();
    if (!doc)
        return;
    if (QAction *a = doc->action(itemName); a && a->isEnabled())
        a->trigger();
}

void TMainForm::HelpAboutItemClick()
{
    TAboutBox about(this);
    Prompts::instance().runModal(&about);
}

void TMainForm::CloseAll1Click()
{
    CloseCancelled = false;
    const auto windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        (*it)->close();
        if (CloseCancelled)
            break;
    }
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
    CloseCancelled = false;
    const auto windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        (*it)->close();
        if (CloseCancelled) {
            event->ignore();
            return;
        }
    }
    if (hooks().askSaveProject && !hooks().askSaveProject()) {
        event->ignore();
        return;
    }
    Settings &settings = AppSettings();
    settings.LastProject = hooks().projectFileName ? hooks().projectFileName() : QString();
    SaveSettings(*m_store, settings);
    event->accept();
}

void TMainForm::subWindowActivated(QMdiSubWindow *window)
{
    if (!window)
        return;
    if (auto *child = qobject_cast<TMDIChild *>(window->widget())) {
        if (DocumentList().contains(child)) {
            child->FormActivate();
            showMenusOf(child);
        }
    }
    UpdateMenuItems();
}

void TMainForm::documentClosed(TMDIChild *child)
{
    DocumentList().removeOne(child);
    if (m_menusShownFor == child)
        m_menusShownFor = nullptr;
    if (ActiveDocument() == child || !ActiveDocument())
        setActiveDocument(nullptr);
    if (QMdiSubWindow *sub = m_mdi->activeSubWindow()) {
        if (auto *next = qobject_cast<TMDIChild *>(sub->widget()); next && DocumentList().contains(next))
            next->FormActivate();
    }
    if (!ActiveDocument() && !DocumentList().isEmpty())
        DocumentList().constLast()->FormActivate();
    if (!ActiveDocument())
        setDocumentNote(QString());
    showMenusOf(ActiveDocument());
    UpdateMenuItems();
    emit documentsChanged();
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
    m_menusShownFor = child;
}

void TMainForm::UpdateMenuItems()
{
    const bool any = !DocumentList().isEmpty();
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
        buildReopenMenu(m_reopenMenu);
}

void TMainForm::setProjectVisible(bool visible)
{
    AppSettings().ProjectVisible = visible;
    if (QAction *toggle = m_buttons.value(QStringLiteral("showHideProjectBtn")))
        toggle->setChecked(visible);
    m_projectPanel->setVisible(visible);
    for (TMDIChild *doc : DocumentList())
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
        if (!roomForDocument())
            break;
        OpenDocument(*it);
    }
}
