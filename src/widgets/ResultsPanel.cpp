#include "widgets/ResultsPanel.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

#include <array>

namespace {
constexpr int MarkRole = Qt::UserRole + 1;
constexpr int EntryRole = Qt::UserRole + 2;
// Group rows carry no parent; an entry row's internal id is its group's index + 1.
constexpr quintptr GroupId = 0;

QString entryText(const ResultEntry &e, int *markAt)
{
    QString prefix;
    if (e.severity == ResultSeverity::None)
        prefix = e.line > 0 ? QStringLiteral("%1: ").arg(e.line) : QString();
    else if (e.line > 0)
        prefix = QStringLiteral("%1 %2:%3: %4").arg(severityName(e.severity)).arg(e.line).arg(e.column).arg(e.message);
    else
        prefix = QStringLiteral("%1: %2").arg(severityName(e.severity), e.message);
    if (e.severity != ResultSeverity::None && !e.text.isEmpty())
        prefix += QStringLiteral(": ");
    if (markAt)
        *markAt = e.markStart >= 0 ? int(prefix.size()) + e.markStart : -1;
    return prefix + e.text;
}
}  // namespace

QString severityName(ResultSeverity severity)
{
    switch (severity) {
    case ResultSeverity::Error:
        return QStringLiteral("Error");
    case ResultSeverity::Warning:
        return QStringLiteral("Warning");
    case ResultSeverity::Info:
        return QStringLiteral("Info");
    case ResultSeverity::None:
        break;
    }
    return {};
}

QString resultLine(const ResultEntry &e)
{
    QString line = e.file;
    if (e.line > 0)
        line += QStringLiteral(":%1:%2").arg(e.line).arg(e.column);
    if (e.severity != ResultSeverity::None)
        line += QStringLiteral(": ") + severityName(e.severity).toLower() + QStringLiteral(": ") + e.message;
    if (!e.text.isEmpty())
        line += QStringLiteral(": ") + e.text;
    return line;
}

// Files as top rows, their shown entries below them. Entries are kept whole;
// the severity filter only decides which of them have rows.
class ResultsModel : public QAbstractItemModel
{
public:
    using QAbstractItemModel::QAbstractItemModel;

    struct Group
    {
        QString file;
        QList<int> rows;  // indexes into m_entries
        int total = 0;    // entries of the file, shown or not
    };

    QList<ResultEntry> entries;
    QList<Group> groups;
    std::array<bool, 4> shown{true, true, true, true};

    bool isShown(const ResultEntry &e) const { return shown[size_t(e.severity)]; }

    void clearAll()
    {
        beginResetModel();
        entries.clear();
        groups.clear();
        m_groupOf.clear();
        endResetModel();
    }

    void append(const QList<ResultEntry> &added)
    {
        // New rows of one group arrive as one insertion, so streaming thousands
        // of matches costs the view one update per file and batch.
        QHash<int, QList<int>> byGroup;
        QList<int> order;
        QList<Group> newGroups;
        for (const ResultEntry &e : added) {
            const int index = int(entries.size());
            entries.append(e);
            int g = m_groupOf.value(e.file, -1);
            if (g < 0) {
                g = int(groups.size() + newGroups.size());
                m_groupOf.insert(e.file, g);
                newGroups.append(Group{e.file, {}, 0});
            }
            Group &group = g < groups.size() ? groups[g] : newGroups[g - groups.size()];
            ++group.total;
            if (!isShown(e))
                continue;
            if (g < groups.size()) {
                if (!byGroup.contains(g))
                    order.append(g);
                byGroup[g].append(index);
            } else {
                group.rows.append(index);
            }
        }
        for (int g : order) {
            const QList<int> &rows = byGroup[g];
            const QModelIndex parent = createIndex(g, 0, GroupId);
            beginInsertRows(parent, int(groups[g].rows.size()), int(groups[g].rows.size() + rows.size() - 1));
            groups[g].rows += rows;
            endInsertRows();
            emit dataChanged(parent, parent);
        }
        if (!newGroups.isEmpty()) {
            beginInsertRows({}, int(groups.size()), int(groups.size() + newGroups.size() - 1));
            groups += newGroups;
            endInsertRows();
        }
    }

    void refilter()
    {
        beginResetModel();
        for (Group &g : groups) {
            g.rows.clear();
        }
        for (int i = 0; i < entries.size(); ++i) {
            if (isShown(entries[i]))
                groups[m_groupOf.value(entries[i].file)].rows.append(i);
        }
        endResetModel();
    }

    // The entry behind a row, -1 for a file row.
    int entryAt(const QModelIndex &index) const
    {
        if (!index.isValid() || index.internalId() == GroupId)
            return -1;
        return groups[int(index.internalId() - 1)].rows[index.row()];
    }

    QModelIndex entryIndex(int group, int row) const { return createIndex(row, 0, quintptr(group) + 1); }

    QModelIndex index(int row, int column, const QModelIndex &parent) const override
    {
        if (column != 0 || row < 0)
            return {};
        if (!parent.isValid())
            return row < groups.size() ? createIndex(row, 0, GroupId) : QModelIndex();
        if (parent.internalId() != GroupId || row >= groups[parent.row()].rows.size())
            return {};
        return createIndex(row, 0, quintptr(parent.row()) + 1);
    }

    QModelIndex parent(const QModelIndex &child) const override
    {
        if (!child.isValid() || child.internalId() == GroupId)
            return {};
        return createIndex(int(child.internalId() - 1), 0, GroupId);
    }

    int rowCount(const QModelIndex &parent) const override
    {
        if (!parent.isValid())
            return int(groups.size());
        if (parent.internalId() == GroupId)
            return int(groups[parent.row()].rows.size());
        return 0;
    }

    int columnCount(const QModelIndex &) const override { return 1; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (index.internalId() == GroupId) {
            const Group &g = groups[index.row()];
            if (role == Qt::DisplayRole)
                return QStringLiteral("%1 (%2)").arg(g.file).arg(g.total);
            if (role == Qt::ToolTipRole)
                return g.file;
            return {};
        }
        const int i = entryAt(index);
        const ResultEntry &e = entries[i];
        int markAt = -1;
        switch (role) {
        case Qt::DisplayRole:
            return entryText(e, nullptr);
        case MarkRole:
            entryText(e, &markAt);
            return markAt >= 0 ? QVariant(QPoint(markAt, e.markLength)) : QVariant();
        case EntryRole:
            return i;
        default:
            return {};
        }
    }

private:
    QHash<QString, int> m_groupOf;
};

namespace {
// Draws the matched characters of an entry on a marked background.
class MarkDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QVariant mark = index.data(MarkRole);
        if (!mark.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget).adjusted(2, 0, -2, 0);
        const QPoint m = mark.toPoint();
        const int start = std::clamp(m.x(), 0, int(text.size()));
        const int length = std::clamp(m.y(), 0, int(text.size()) - start);
        const QFontMetrics fm(opt.font);
        const int x0 = area.left() + fm.horizontalAdvance(text.left(start));
        const int x1 = x0 + fm.horizontalAdvance(text.mid(start, length));
        painter->save();
        if (length > 0 && x0 < area.right()) {
            QColor back = opt.palette.color(QPalette::Highlight);
            back.setAlpha(opt.state & QStyle::State_Selected ? 255 : 70);
            painter->fillRect(QRect(QPoint(x0, area.top() + 1), QPoint(std::min(x1, area.right()), area.bottom() - 1)),
                              back);
        }
        painter->setPen(
            opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setClipRect(area);
        painter->drawText(area, int(Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine,
                          fm.elidedText(text, Qt::ElideRight, area.width() + fm.horizontalAdvance(text)));
        painter->restore();
    }
};

// Enter activates the current entry instead of going to the dock's window.
class ResultsTree : public QTreeView
{
public:
    using QTreeView::QTreeView;
    std::function<void(const QModelIndex &)> onEnter;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && onEnter) {
            onEnter(currentIndex());
            return;
        }
        QTreeView::keyPressEvent(event);
    }
};
}  // namespace

ResultsPanel::ResultsPanel(QWidget *parent) : QWidget(parent), m_model(new ResultsModel(this))
{
    auto *tree = new ResultsTree(this);
    m_view = tree;
    m_view->setObjectName(QStringLiteral("resultsList"));
    m_view->setAccessibleName(QStringLiteral("Results"));
    m_view->setModel(m_model);
    m_view->setHeaderHidden(true);
    m_view->setUniformRowHeights(true);  // keeps 100,000 rows quick to scroll
    m_view->setItemDelegate(new MarkDelegate(m_view));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->onEnter = [this](const QModelIndex &index) { activateIndex(index); };
    connect(m_view, &QTreeView::doubleClicked, this, &ResultsPanel::activateIndex);
    // New files' groups open as they arrive, so the first match is seen at once.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &parent, int first, int last) {
        if (!parent.isValid())
            for (int g = first; g <= last; ++g)
                m_view->expand(m_model->index(g, 0, {}));
    });
    connect(m_model, &QAbstractItemModel::modelReset, m_view, &QTreeView::expandAll);

    auto *copy = new QAction(QStringLiteral("&Copy"), m_view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &ResultsPanel::copyToClipboard);
    m_view->addAction(copy);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("resultsSummary"));
    m_summary->setTextFormat(Qt::PlainText);  // it quotes the find text, markup and all
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("resultsProgress"));
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setMaximumHeight(m_summary->sizeHint().height() + 4);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("resultsCancel"));
    connect(m_cancel, &QPushButton::clicked, this, &ResultsPanel::cancelRequested);

    m_filter = new QWidget(this);
    auto *filterRow = new QHBoxLayout(m_filter);
    filterRow->setContentsMargins(0, 0, 0, 0);
    const std::pair<ResultSeverity, const char *> boxes[] = {
        {ResultSeverity::Error, "&Errors"}, {ResultSeverity::Warning, "&Warnings"}, {ResultSeverity::Info, "&Notes"}};
    for (const auto &row : boxes) {
        const ResultSeverity severity = row.first;
        const char *caption = row.second;
        auto *box = new QCheckBox(QString::fromUtf8(caption), m_filter);
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, [this, severity](bool on) { setSeverityShown(severity, on); });
        filterRow->addWidget(box);
        m_severityBoxes.append(box);
    }
    filterRow->addStretch();
    m_filter->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(m_summary, 1);
    top->addWidget(m_filter);
    top->addWidget(m_progress);
    top->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    hideProgress();
}

ResultsPanel::~ResultsPanel() = default;

void ResultsPanel::clear()
{
    m_model->clearAll();
    m_summary->clear();
}

void ResultsPanel::append(const QList<ResultEntry> &entries)
{
    const bool first = m_model->entries.isEmpty();
    m_model->append(entries);
    // The first result becomes current without being opened: Enter or F4 takes it.
    if (first && m_model->rowCount({}) > 0 && !m_view->currentIndex().isValid())
        for (int g = 0; g < m_model->groups.size(); ++g)
            if (!m_model->groups[g].rows.isEmpty()) {
                m_view->setCurrentIndex(m_model->entryIndex(g, 0));
                break;
            }
}

int ResultsPanel::count() const
{
    return int(m_model->entries.size());
}

const ResultEntry &ResultsPanel::entry(int index) const
{
    return m_model->entries.at(index);
}

int ResultsPanel::currentEntry() const
{
    return m_model->entryAt(m_view->currentIndex());
}

void ResultsPanel::setSummary(const QString &text)
{
    m_summary->setText(text);
}

QString ResultsPanel::summary() const
{
    return m_summary->text();
}

void ResultsPanel::setProgress(qint64 done, qint64 total)
{
    // The bar counts in ints; large totals (bytes) are scaled down to fit.
    int shift = 0;
    while ((total >> shift) > std::numeric_limits<int>::max() / 2)
        ++shift;
    m_progress->setRange(0, int(total >> shift));
    m_progress->setValue(int(std::min(done, total) >> shift));
    m_progress->show();
    m_cancel->show();
}

void ResultsPanel::hideProgress()
{
    m_progress->hide();
    m_cancel->hide();
}

bool ResultsPanel::progressShown() const
{
    return !m_progress->isHidden();
}

void ResultsPanel::setSeverityFilterShown(bool shown)
{
    m_filter->setVisible(shown);
}

void ResultsPanel::setSeverityShown(ResultSeverity severity, bool shown)
{
    if (m_model->shown[size_t(severity)] == shown)
        return;
    m_model->shown[size_t(severity)] = shown;
    const int box = severity == ResultSeverity::Error ? 0 : severity == ResultSeverity::Warning ? 1 : 2;
    if (severity != ResultSeverity::None && m_severityBoxes[box]->isChecked() != shown)
        m_severityBoxes[box]->setChecked(shown);
    m_model->refilter();
}

bool ResultsPanel::step(int direction)
{
    const QList<ResultsModel::Group> &groups = m_model->groups;
    const int groupCount = int(groups.size());
    if (groupCount == 0)
        return false;
    const QModelIndex current = m_view->currentIndex();
    int g = -1;
    int row = -1;
    if (current.isValid() && current.internalId() != GroupId) {
        g = int(current.internalId() - 1);
        row = current.row() + direction;
    } else if (current.isValid()) {
        // On a file row: forward starts with its first entry, back with the file before.
        g = current.row();
        row = direction > 0 ? 0 : -1;
    } else {
        g = direction > 0 ? 0 : groupCount - 1;
        row = direction > 0 ? 0 : int(groups[g].rows.size()) - 1;
    }
    // Past either end of a file, on into the next one that has shown entries, wrapping round.
    for (int tries = 0; tries <= groupCount; ++tries) {
        if (row >= 0 && row < groups[g].rows.size()) {
            const QModelIndex index = m_model->entryIndex(g, row);
            m_view->setCurrentIndex(index);
            m_view->scrollTo(index);
            emit activated(m_model->entries[groups[g].rows[row]]);
            return true;
        }
        g = (g + (direction > 0 ? 1 : -1) + groupCount) % groupCount;
        row = direction > 0 ? 0 : int(groups[g].rows.size()) - 1;
    }
    return false;
}

QString ResultsPanel::toPlainText() const
{
    QString text;
    for (const ResultsModel::Group &g : m_model->groups)
        for (int i : g.rows)
            text += resultLine(m_model->entries[i]) + QLatin1Char('\n');
    return text;
}

void ResultsPanel::addContextAction(QAction *action)
{
    m_view->addAction(action);
}

void ResultsPanel::activateIndex(const QModelIndex &index)
{
    const int i = m_model->entryAt(index);
    if (i >= 0)
        emit activated(m_model->entries[i]);
}

void ResultsPanel::copyToClipboard()
{
    QApplication::clipboard()->setText(toPlainText());
}
