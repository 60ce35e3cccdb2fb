#include "project/ProjectPanel.h"
#include "widgets/DialogParts.h"

#include "platform/FileAsk.h"
#include "platform/Prompts.h"
#include "project/ProjectHost.h"
#include "project/ReadTitle.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QIcon glyphIcon(const QString &text, const QColor &colour)
{
    return GlyphIcon(text, colour, 16);
}

// Shows a long file name by its end, where the file's own name is.
class FileNameLabel : public QLabel
{
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect r = contentsRect().adjusted(2, 0, -2, 0);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text(), Qt::ElideLeft, r.width()));
    }
};

QTreeWidgetItem *entryItem(const ProjectEntry &entry)
{
    auto *item = new QTreeWidgetItem(QStringList{entry.fileName, entry.folder});
    item->setToolTip(0, entry.fullName());
    item->setToolTip(1, entry.fullName());
    return item;
}

// A title is shown on one line, its blanks collapsed as a browser shows it.
QString oneLineTitle(const QString &title)
{
    return title.simplified();
}

}  // namespace

ProjectPanel::ProjectPanel(std::unique_ptr<ProjectHost> host, QWidget *parent)
    : QWidget(parent), m_host(std::move(host))
{
    setObjectName(QStringLiteral("projectContent"));
    setMinimumWidth(120);
    setAcceptDrops(true);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    auto *bar = new QToolBar(QStringLiteral("Project"), this);
    bar->setObjectName(QStringLiteral("projectToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    // Nine buttons fit the panel's design width of 231 pixels.
    bar->setIconSize(QSize(16, 16));
    bar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; }"));
    column->addWidget(bar);

    QStyle *st = style();
    auto add = [this, bar](const char *name, const char *hint, const QIcon &icon, void (ProjectPanel::*handler)()) {
        QAction *a = addButton(name, hint, icon, handler);
        bar->addAction(a);
        return a;
    };
    add("projectNewBtn", "New project", st->standardIcon(QStyle::SP_FileIcon), &ProjectPanel::projectNewBtnClick);
    add("projectOpenBtn", "Open project", st->standardIcon(QStyle::SP_DialogOpenButton),
        &ProjectPanel::projectOpenBtnClick);

    m_reopenBtn = new QToolButton(bar);
    m_reopenBtn->setObjectName(QStringLiteral("projectReopenBtn"));
    m_reopenBtn->setToolTip(QStringLiteral("Project list"));
    m_reopenBtn->setStatusTip(m_reopenBtn->toolTip());
    m_reopenBtn->setIcon(st->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_reopenBtn->setPopupMode(QToolButton::InstantPopup);
    auto *dropDown = new QMenu(m_reopenBtn);
    m_reopenMenu = dropDown->addMenu(QStringLiteral("&Reopen a project"));
    m_reopenMenu->setObjectName(QStringLiteral("projectReopenMenu"));
    m_reopenBtn->setMenu(dropDown);
    bar->addWidget(m_reopenBtn);

    add("projectSaveBtn", "Save project", st->standardIcon(QStyle::SP_DialogSaveButton),
        &ProjectPanel::projectSaveBtnClick);
    add("projectSaveAsBtn", "Save project as", glyphIcon(QStringLiteral("as"), QColor(0x2a6fb0)),
        &ProjectPanel::projectSaveAsBtnClick);
    bar->addSeparator();
    add("projectViewFNBtn", "View selected file", glyphIcon(QStringLiteral("www"), QColor(0x2a6fb0)),
        &ProjectPanel::projectViewFNBtnClick);
    add("projectRemoveFN", "Remove selected file from project", glyphIcon(QStringLiteral("-"), QColor(0xb03a2a)),
        &ProjectPanel::projectRemoveFNClick);
    add("projectAddFN", "Add a file to project", glyphIcon(QStringLiteral("+"), QColor(0x3a8a3a)),
        &ProjectPanel::projectAddFNClick);
    m_addCurrent = add("projectAddCurrentFN", "Add currently opened file to project",
                       glyphIcon(QStringLiteral("+D"), QColor(0x3a8a3a)), &ProjectPanel::projectAddCurrentFNClick);
    m_addCurrent->setEnabled(false);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("projectName"));
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    auto *nameRow = new QHBoxLayout;
    // The name box stays 7 pixels narrower than the panel.
    nameRow->setContentsMargins(2, 0, 5, 0);
    nameRow->addWidget(m_name);
    column->addLayout(nameRow);

    m_files = new QTreeWidget(this);
    m_files->setObjectName(QStringLiteral("projectFiles"));
    m_files->setColumnCount(2);
    m_files->setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("Path")});
    m_files->setRootIsDecorated(false);
    m_files->setUniformRowHeights(true);
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    m_files->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_files->setAllColumnsShowFocus(true);
    // Folders are told apart by their ends.
    m_files->setTextElideMode(Qt::ElideLeft);
    m_files->header()->setSectionsClickable(false);
    m_files->header()->resizeSection(0, 110);
    m_files->installEventFilter(this);
    connect(m_files, &QTreeWidget::itemDoubleClicked, this, [this] { projectFilesDblClick(); });
    connect(m_files, &QTreeWidget::itemSelectionChanged, this, [this] { projectFilesChange(); });
    column->addWidget(m_files, 1);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("projectFNTitle"));
    // Titles come from the user's pages: never read them as markup.
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFrameShape(QFrame::StyledPanel);
    m_title->setFrameShadow(QFrame::Sunken);
    m_title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_title->setMinimumHeight(m_title->fontMetrics().height() + 6);
    column->addWidget(m_title);

    rebuildReopenMenu();
}

ProjectPanel::~ProjectPanel() = default;

QAction *ProjectPanel::addButton(const char *name, const char *hint, const QIcon &icon, void (ProjectPanel::*handler)())
{
    auto *a = new QAction(icon, QString::fromLatin1(hint), this);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(a->text());
    a->setStatusTip(a->text());
    connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return a;
}

QLabel *ProjectPanel::createFileNameLabel(QWidget *parent)
{
    auto *label = new FileNameLabel(parent);
    label->setObjectName(QStringLiteral("projectFileNameCaption"));
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setText(m_fileName);
    label->setToolTip(m_fileName);
    connect(this, &ProjectPanel::projectFileNameChanged, label, [label](const QString &name) {
        label->setText(name);
        label->setToolTip(name);
    });
    return label;
}

QString ProjectPanel::projectName() const
{
    return m_name->text();
}

QStringList ProjectPanel::entryNames() const
{
    QStringList names;
    for (const ProjectEntry &entry : m_content.entries)
        names.append(entry.fullName());
    return names;
}

void ProjectPanel::setDocumentOpen(bool open)
{
    m_addCurrent->setEnabled(open);
}

void ProjectPanel::rebuildReopenMenu()
{
    m_host->buildProjectReopenMenu(m_reopenMenu, [this](const QString &name) { reopenProject(name); });
}

void ProjectPanel::setFileName(const QString &fileName)
{
    m_fileName = fileName;
    emit projectFileNameChanged(fileName);
}

void ProjectPanel::showEntries()
{
    m_files->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(m_content.entries.size());
    for (const ProjectEntry &entry : m_content.entries)
        items.append(entryItem(entry));
    m_files->addTopLevelItems(items);
    m_titleShownFor.clear();
    m_title->clear();
}

void ProjectPanel::insertEntry(const ProjectEntry &entry)
{
    const qsizetype index = InsertProjectEntry(m_content.entries, entry);
    // The row goes to the same place, so the selection stays on its entry.
    m_files->insertTopLevelItem(int(index), entryItem(entry));
}

int ProjectPanel::selectedIndex() const
{
    const QList<QTreeWidgetItem *> selected = m_files->selectedItems();
    const int index = selected.isEmpty() ? -1 : m_files->indexOfTopLevelItem(selected.constFirst());
    return index < m_content.entries.size() ? index : -1;
}

bool ProjectPanel::OpenProject(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    ProjectContent content;
    switch (ReadProjectFile(fileName, &content)) {
    case ProjectReadResult::Read:
        break;
    case ProjectReadResult::NotFound:
        ShowFileMessage(FileNotFound, fileName, this);
        return false;
    case ProjectReadResult::NotAProject:
        ShowFileMessage(NotAValidProjectFile, fileName, this);
        return false;
    case ProjectReadResult::CannotOpen:
        Prompts::instance().message(this, QStringLiteral("Error"), QStringLiteral("Cannot open file %1").arg(fileName),
                                    QMessageBox::Critical, QMessageBox::Ok);
        return false;
    }
    // Kept absolute, so a project named relative to the start folder reopens from anywhere.
    const QString full = QFileInfo(fileName).absoluteFilePath();
    m_content = std::move(content);
    m_name->setText(m_content.name);
    m_name->setCursorPosition(0);
    showEntries();
    setFileName(full);
    m_modified = false;
    m_host->rememberProject(full);
    rebuildReopenMenu();
    return true;
}

bool ProjectPanel::SaveProject(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    const QString full = QFileInfo(fileName).absoluteFilePath();
    m_content.name = m_name->text();
    QString reason;
    if (!WriteProjectFile(full, m_content, &reason)) {
        // The old file, the project's name and its unsaved state stay as they were.
        Prompts::instance().messageWithDetail(this, QStringLiteral("Error"),
                                              QStringLiteral("Cannot create file %1").arg(full), reason,
                                              QMessageBox::Critical, QMessageBox::Ok);
        return false;
    }
    setFileName(full);
    m_modified = false;
    return true;
}

bool ProjectPanel::AddFileToProject(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('\n')) || fileName.contains(QLatin1Char('\r')))
        return false;
    insertEntry(SplitProjectPath(fileName));
    m_modified = true;
    return true;
}

QMessageBox::StandardButton ProjectPanel::AskSaveProject()
{
    if (!m_modified)
        return QMessageBox::NoButton;
    const QString text = QStringLiteral("Save project?\r\n%1\r\n%2").arg(m_name->text(), m_fileName);
    const QMessageBox::StandardButton answer = Prompts::instance().message(
        this, QStringLiteral("Warning"), text, QMessageBox::Warning,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        // A cancelled or failed save would lose the changes: the caller stops.
        return saveCurrent() ? QMessageBox::Yes : QMessageBox::Cancel;
    return answer == QMessageBox::No ? QMessageBox::No : QMessageBox::Cancel;
}

bool ProjectPanel::saveCurrent()
{
    return m_fileName.isEmpty() ? saveAs() : SaveProject(m_fileName);
}

bool ProjectPanel::saveAs()
{
    Prompts::FileRequest request;
    request.caption = QStringLiteral("Save project as");
    request.filters = OpenDialogFilters();
    request.filterIndex = FileFilterKind::Projects - 1;
    request.save = true;
    request.fileName = m_fileName;
    request.folder = m_fileName.isEmpty() ? QString() : QFileInfo(m_fileName).absolutePath();
    const Prompts::FileAnswer answer = Prompts::instance().askFile(this, request);
    if (answer.fileName.isEmpty())
        return false;
    QString name = answer.fileName;
    // Project files are found by their extension, in the open dialog and on the command line.
    if (!name.endsWith(QLatin1String(".tlp"), Qt::CaseInsensitive)) {
        name += QLatin1String(".tlp");
        // The dialog confirmed the name without the extension, not this one.
        if (QFileInfo::exists(name)
            && Prompts::instance().message(this, QStringLiteral("Confirm"),
                                           QStringLiteral("%1 already exists.\r\nDo you want to replace it?").arg(name),
                                           QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No)
                   != QMessageBox::Yes)
            return false;
    }
    return SaveProject(name);
}

void ProjectPanel::reopenProject(const QString &fileName)
{
    if (AskSaveProject() == QMessageBox::Cancel)
        return;
    OpenProject(fileName);
}

void ProjectPanel::projectNewBtnClick()
{
    if (AskSaveProject() == QMessageBox::Cancel)
        return;
    m_content = ProjectContent();
    m_name->clear();
    showEntries();
    setFileName(QString());
    m_modified = false;
}

void ProjectPanel::projectOpenBtnClick()
{
    // Opening another project would drop unsaved changes of this one.
    if (AskSaveProject() == QMessageBox::Cancel)
        return;
    const QString name = AskFileName(this, FileFilterKind::Projects);
    if (!name.isEmpty())
        OpenProject(name);
}

void ProjectPanel::projectSaveBtnClick()
{
    saveCurrent();
}

void ProjectPanel::projectSaveAsBtnClick()
{
    saveAs();
}

void ProjectPanel::projectViewFNBtnClick()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    const QString name = m_content.entries.at(index).fullName();
    if (!name.isEmpty())
        m_host->previewInBrowser(name);
}

void ProjectPanel::projectRemoveFNClick()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    const QString text = QStringLiteral("Are you sure you want to remove\r\n%1\r\nfrom your project?")
                             .arg(m_content.entries.at(index).fileName);
    if (Prompts::instance().message(this, QStringLiteral("Warning"), text, QMessageBox::Warning,
                                    QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    {
        // The list and the entries must agree before anyone looks at the selection.
        const QSignalBlocker quiet(m_files);
        delete m_files->takeTopLevelItem(index);
        m_content.entries.removeAt(index);
    }
    m_modified = true;
    projectFilesChange();
}

void ProjectPanel::projectAddFNClick()
{
    const QString name = AskFileName(this, FileFilterKind::HTMLs);
    if (name.isEmpty())
        return;
    if (AddFileToProject(name))
        m_host->openDocument(name);
}

void ProjectPanel::projectAddCurrentFNClick()
{
    const QString name = m_host->activeDocumentFileName();
    if (!name.isEmpty())
        AddFileToProject(name);
}

void ProjectPanel::projectFilesDblClick()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    const QString name = m_content.entries.at(index).fullName();
    if (!name.isEmpty())
        m_host->openDocument(name);
}

void ProjectPanel::projectFilesKeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        projectFilesDblClick();
}

void ProjectPanel::projectFilesChange()
{
    const int index = selectedIndex();
    const QString name = index < 0 ? QString() : m_content.entries.at(index).fullName();
    // The same file stays selected when others are added: no second read, no second message.
    if (name == m_titleShownFor && !name.isEmpty())
        return;
    m_titleShownFor = name;
    if (name.isEmpty()) {
        m_title->clear();
        return;
    }
    if (!QFileInfo::exists(name)) {
        m_title->clear();
        ShowFileMessage(FileNotFound, name, this);
        return;
    }
    m_title->setText(oneLineTitle(ReadTitle(name)));
}

bool ProjectPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_files && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            projectFilesKeyPress(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ProjectPanel::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void ProjectPanel::dropEvent(QDropEvent *event)
{
    // Files dropped on the panel join the project; dropped elsewhere they open as documents.
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            AddFileToProject(QFileInfo(url.toLocalFile()).absoluteFilePath());
    event->acceptProposedAction();
}
