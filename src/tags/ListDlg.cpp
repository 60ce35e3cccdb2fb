#include "tags/ListDlg.h"

#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeValues.h"
#include "widgets/DialogParts.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
// The most digits a number field takes; list numbers have no other bound.
constexpr int ListNumberLimit = 999999999;

const QString OrderedTypes = QStringLiteral("A\\a\\I\\i\\1\\");
const QString UnorderedTypes = QStringLiteral("DISC\\CIRCLE\\SQUARE\\");

QStringList orderedTypeCaptions()
{
    return {QStringLiteral("Alphabetic letters (Capital)"), QStringLiteral("Alphabetic letters (Small)"),
            QStringLiteral("Roman numerals (Large)"), QStringLiteral("Roman numerals (Small)"),
            QStringLiteral("Numbers")};
}

QStringList unorderedTypeCaptions()
{
    return {QStringLiteral("Disc"), QStringLiteral("Circle"), QStringLiteral("Square")};
}

// ListTypeGroup's items, in order.
const ListKind ListTypes[] = {ListKind::Definition, ListKind::Directory, ListKind::Menu, ListKind::Ordered,
                              ListKind::Unordered};

}  // namespace

TListDlg::TListDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ListDlg"));
    setWindowTitle(QStringLiteral("List"));

    m_pages = new QStackedWidget(this);
    m_mainPage = buildMainPage();
    ListGrid = buildGrid("ListGrid", {QStringLiteral("Term"), QStringLiteral("Definition")});
    ListGrid->setAccessibleName(QStringLiteral("Terms and definitions"));
    ListGrid2 = buildGrid("ListGrid2", {QStringLiteral("Item")});
    ListGrid2->setAccessibleName(QStringLiteral("Items"));
    m_definitionGridPage = ListGrid;
    m_itemGridPage = ListGrid2;
    m_definitionItemPage = buildDefinitionItemPage();
    m_itemPage = buildItemPage();
    for (QWidget *page : {m_mainPage, m_definitionGridPage, m_itemGridPage, m_definitionItemPage, m_itemPage})
        m_pages->addWidget(page);

    InsertBtn = new QPushButton(QStringLiteral("&Add Item"), this);
    InsertBtn->setObjectName(QStringLiteral("InsertBtn"));
    InsertBtn->setAutoDefault(false);
    RemoveBtn = new QPushButton(QStringLiteral("&Remove Item"), this);
    RemoveBtn->setObjectName(QStringLiteral("RemoveBtn"));
    RemoveBtn->setAutoDefault(false);
    InsertBtn->hide();
    RemoveBtn->hide();
    connect(InsertBtn, &QPushButton::clicked, this, &TListDlg::InsertBtnClick);
    connect(RemoveBtn, &QPushButton::clicked, this, &TListDlg::RemoveBtnClick);

    const OkCancel buttons = OkCancelButtons(
        this, Qt::Horizontal, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    CancelBtn->setAutoDefault(false);
    // The grid's own buttons stand at the left of the row.
    buttons.layout->insertWidget(0, InsertBtn);
    buttons.layout->insertWidget(1, RemoveBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons.layout);

    // Enter in the grid belongs to the cell being edited, never to OK.
    ListGrid->installEventFilter(this);
    ListGrid2->installEventFilter(this);
    showListPage();
}

QWidget *TListDlg::buildMainPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ListMainPage"));
    ListTypeGroup = radioGroup(page, "ListTypeGroup", QStringLiteral("L&ist Type"),
                               {QStringLiteral("Definition List"), QStringLiteral("Directory List"),
                                QStringLiteral("Menu List"), QStringLiteral("Ordered List"),
                                QStringLiteral("UnOrdered List")},
                               1, 0);
    connect(ListTypeGroup, &RadioGroup::itemIndexChanged, this, &TListDlg::ListTypeGroupClick);

    m_definitionPanel = new QWidget(page);
    Definition_CompactChkBox = checkBox(m_definitionPanel, "Definition_CompactChkBox", QStringLiteral("Compact"));
    auto *definition = new QVBoxLayout(m_definitionPanel);
    definition->setContentsMargins(0, 0, 0, 0);
    definition->addWidget(Definition_CompactChkBox);
    definition->addStretch();

    m_orderedPanel = new QWidget(page);
    Ordered_TypeGroup = radioGroup(m_orderedPanel, "Ordered_TypeGroup", QStringLiteral("&Type"), orderedTypeCaptions(),
                                   1, 4);
    Ordered_StartEdit = new NumberEdit(m_orderedPanel);
    Ordered_StartEdit->setObjectName(QStringLiteral("Ordered_StartEdit"));
    // Browsers count from any whole number, negative ones too.
    Ordered_StartEdit->setRange(-ListNumberLimit, ListNumberLimit);
    // A list the user did not number starts at 1, as browsers count by default.
    Ordered_StartEdit->setValue(1);
    Ordered_StartEdit->setMaximumWidth(80);
    Ordered_CompactChkBox = checkBox(m_orderedPanel, "Ordered_CompactChkBox", QStringLiteral("Compact"));
    auto *start = new QHBoxLayout;
    start->addWidget(labelFor(QStringLiteral("Start"), Ordered_StartEdit, m_orderedPanel));
    start->addWidget(Ordered_StartEdit);
    start->addStretch();
    auto *ordered = new QVBoxLayout(m_orderedPanel);
    ordered->setContentsMargins(0, 0, 0, 0);
    ordered->addWidget(Ordered_TypeGroup);
    ordered->addLayout(start);
    ordered->addWidget(Ordered_CompactChkBox);
    ordered->addStretch();

    m_unorderedPanel = new QWidget(page);
    UnOrdered_TypeGroup = radioGroup(m_unorderedPanel, "UnOrdered_TypeGroup", QStringLiteral("&Type"),
                                     unorderedTypeCaptions(), 1, 1);
    UnOrdered_CompactChkBox = checkBox(m_unorderedPanel, "UnOrdered_CompactChkBox", QStringLiteral("Compact"));
    auto *unordered = new QVBoxLayout(m_unorderedPanel);
    unordered->setContentsMargins(0, 0, 0, 0);
    unordered->addWidget(UnOrdered_TypeGroup);
    unordered->addWidget(UnOrdered_CompactChkBox);
    unordered->addStretch();

    // One options panel per list type; directory and menu lists have none.
    m_options = new QStackedWidget(page);
    for (QWidget *panel : {m_definitionPanel, m_orderedPanel, m_unorderedPanel, new QWidget})
        m_options->addWidget(panel);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListTypeGroup, 0, Qt::AlignTop);
    layout->addWidget(m_options, 1, Qt::AlignTop);
    return page;
}

StringGrid *TListDlg::buildGrid(const char *name, const QStringList &titles)
{
    auto *grid = new StringGrid(1, int(titles.size()));
    grid->setObjectName(QLatin1String(name));
    grid->setHorizontalHeaderLabels(titles);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grid->setMinimumWidth(360);
    return grid;
}

QWidget *TListDlg::buildDefinitionItemPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("DefinitionItemPage"));
    AddItem_Definition_Term_Edit = named(new QLineEdit(page), "AddItem_Definition_Term_Edit");
    AddItem_Definition_Definition_Edit = named(new QLineEdit(page), "AddItem_Definition_Definition_Edit");
    auto *layout = new QFormLayout(page);
    layout->addRow(QStringLiteral("Term"), AddItem_Definition_Term_Edit);
    layout->addRow(QStringLiteral("Definition"), AddItem_Definition_Definition_Edit);
    return page;
}

QWidget *TListDlg::buildItemPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ItemPage"));
    AddItem_AllOthers_Edit = named(new QLineEdit(page), "AddItem_AllOthers_Edit");
    AddItem_ValueChkBox = checkBox(page, "AddItem_ValueChkBox", QStringLiteral("Define &Value"));
    AddItem_ValueEdit = new NumberEdit(page);
    AddItem_ValueEdit->setObjectName(QStringLiteral("AddItem_ValueEdit"));
    AddItem_ValueEdit->setAccessibleName(QStringLiteral("Value"));
    AddItem_ValueEdit->setRange(-ListNumberLimit, ListNumberLimit);
    AddItem_ValueEdit->setValue(0);
    AddItem_ValueEdit->setEnabled(false);
    AddItem_ValueEdit->setMaximumWidth(80);
    connect(AddItem_ValueChkBox, &QCheckBox::toggled, AddItem_ValueEdit, &QWidget::setEnabled);
    QStringList orderedTypes = orderedTypeCaptions();
    orderedTypes.append(QStringLiteral("Default"));
    AddItem_Ordered_TypeGroup = radioGroup(page, "AddItem_Ordered_TypeGroup", QStringLiteral("&Type"), orderedTypes, 1,
                                           5);
    QStringList unorderedTypes = unorderedTypeCaptions();
    unorderedTypes.append(QStringLiteral("Default"));
    AddItem_UnOrdered_TypeGroup = radioGroup(page, "AddItem_UnOrdered_TypeGroup", QStringLiteral("&Type"),
                                             unorderedTypes, 1, 3);

    QLabel *itemLabel = labelFor(QStringLiteral("Item"), AddItem_AllOthers_Edit, page);
    auto *value = new QHBoxLayout;
    value->addWidget(AddItem_ValueChkBox);
    value->addWidget(AddItem_ValueEdit);
    value->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(itemLabel);
    layout->addWidget(AddItem_AllOthers_Edit);
    layout->addLayout(value);
    layout->addWidget(AddItem_Ordered_TypeGroup);
    layout->addWidget(AddItem_UnOrdered_TypeGroup);
    layout->addStretch();
    return page;
}

void TListDlg::showPage(QWidget *page)
{
    m_pages->setCurrentWidget(page);
    // Only the shown page decides the dialog's size.
    for (int i = 0; i < m_pages->count(); ++i) {
        QWidget *each = m_pages->widget(i);
        const auto policy = each == page ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        each->setSizePolicy(policy, policy);
    }
    const bool grid = page == m_definitionGridPage || page == m_itemGridPage;
    InsertBtn->setVisible(grid);
    RemoveBtn->setVisible(grid);
    // Hidden and shown controls change the layout only once it is activated.
    layout()->activate();
    adjustSize();
}

void TListDlg::showListPage()
{
    m_step = Step::ListType;
    showPage(m_mainPage);
    ListTypeGroupClick();
}

void TListDlg::showItemPage(ItemKind kind)
{
    m_step = Step::Item;
    m_itemKind = kind;
    if (kind == DefinitionItem) {
        showPage(m_definitionItemPage);
        AddItem_Definition_Term_Edit->setFocus();
        return;
    }
    AddItem_ValueChkBox->setVisible(kind == OrderedItem);
    AddItem_ValueEdit->setVisible(kind == OrderedItem);
    AddItem_Ordered_TypeGroup->setVisible(kind == OrderedItem);
    AddItem_UnOrdered_TypeGroup->setVisible(kind == UnorderedItem);
    showPage(m_itemPage);
    AddItem_AllOthers_Edit->setFocus();
}

ListKind TListDlg::chosenListKind() const
{
    const int index = ListTypeGroup->itemIndex();
    return index >= 0 && index < int(std::size(ListTypes)) ? ListTypes[index] : ListKind::Definition;
}

void TListDlg::ListTypeGroupClick()
{
    const ListKind kind = chosenListKind();
    m_options->setCurrentWidget(kind == ListKind::Definition  ? m_definitionPanel
                                : kind == ListKind::Ordered   ? m_orderedPanel
                                : kind == ListKind::Unordered ? m_unorderedPanel
                                                              : m_options->widget(3));
}

StringGrid *TListDlg::currentGrid() const
{
    return m_listKind == ListKind::Definition ? ListGrid : ListGrid2;
}

bool TListDlg::onGridPage() const
{
    return m_step == Step::Items;
}

int TListDlg::itemCount() const
{
    return currentGrid()->rowCount();
}

NameValueList TListDlg::values() const
{
    NameValueList v;
    auto compact = [&v](const QCheckBox *box) {
        if (box->isChecked())
            v.set(QStringLiteral("compact"), QStringLiteral("true"));
    };
    if (m_step == Step::Item) {
        switch (m_itemKind) {
        case OrderedItem:
            if (AddItem_ValueChkBox->isChecked())
                v.set(QStringLiteral("value"), AddItem_ValueEdit->valueText());
            v.set(QStringLiteral("type"), ChoiceValue(AddItem_Ordered_TypeGroup->itemIndex(), OrderedTypes));
            break;
        case UnorderedItem:
            v.set(QStringLiteral("type"), ChoiceValue(AddItem_UnOrdered_TypeGroup->itemIndex(), UnorderedTypes));
            break;
        case DefinitionItem:
            v.set(QStringLiteral("def.term"), AddItem_Definition_Term_Edit->text());
            v.set(QStringLiteral("def.def"), AddItem_Definition_Definition_Edit->text());
            break;
        case DirectoryItem:
        case MenuItem:
            break;
        }
        return v;
    }
    switch (m_step == Step::Items ? m_listKind : chosenListKind()) {
    case ListKind::Definition:
        compact(Definition_CompactChkBox);
        break;
    case ListKind::Ordered:
        compact(Ordered_CompactChkBox);
        v.set(QStringLiteral("type"), ChoiceValue(Ordered_TypeGroup->itemIndex(), OrderedTypes));
        // An emptied field counts as not numbered, like the default.
        v.set(QStringLiteral("start"), QString::number(Ordered_StartEdit->value(1)));
        break;
    case ListKind::Unordered:
        compact(UnOrdered_CompactChkBox);
        v.set(QStringLiteral("type"), ChoiceValue(UnOrdered_TypeGroup->itemIndex(), UnorderedTypes));
        break;
    default:
        break;
    }
    return v;
}

QList<ListRow> TListDlg::rows() const
{
    const StringGrid *grid = currentGrid();
    QList<ListRow> out;
    out.reserve(grid->rowCount());
    auto cell = [grid](int row, int column) {
        const QTableWidgetItem *item = grid->item(row, column);
        return item ? item->text() : QString();
    };
    for (int row = 0; row < grid->rowCount(); ++row)
        out.append({cell(row, 0), grid->columnCount() > 1 ? cell(row, 1) : QString()});
    return out;
}

void TListDlg::write(TextDocument &document) const
{
    if (m_step == Step::Items) {
        InsertWholeList(document, m_listKind, values(), rows());
        return;
    }
    if (m_step != Step::Item)
        return;
    static const ListKind itemKinds[] = {ListKind::OrderedItem, ListKind::UnorderedItem, ListKind::DefinitionItem,
                                         ListKind::PlainItem, ListKind::PlainItem};
    InsertListItem(document, itemKinds[m_itemKind], values(), AddItem_AllOthers_Edit->text());
}

void TListDlg::InsertBtnClick()
{
    StringGrid *grid = currentGrid();
    grid->commitEditing();
    if (grid->rowCount() >= MaxItems)
        return;
    grid->insertRow(grid->rowCount());
    grid->setCurrentCell(grid->rowCount() - 1, 0);
    grid->setFocus();
}

void TListDlg::RemoveBtnClick()
{
    StringGrid *grid = currentGrid();
    grid->commitEditing();
    if (grid->rowCount() <= 1)
        return;
    grid->removeRow(grid->rowCount() - 1);
    grid->setCurrentCell(grid->rowCount() - 1, 0);
    grid->setFocus();
}

void TListDlg::OKBtnClick()
{
    switch (m_step) {
    case Step::ListType: {
        m_listKind = chosenListKind();
        m_step = Step::Items;
        StringGrid *grid = currentGrid();
        showPage(grid);
        grid->setFocus();
        grid->setCurrentCell(0, 0);
        break;
    }
    case Step::Items:
        currentGrid()->commitEditing();
        accept();
        break;
    case Step::Item:
        accept();
        break;
    }
}

void TListDlg::CancelBtnClick()
{
    reject();
}

bool TListDlg::eventFilter(QObject *watched, QEvent *event)
{
    // Key presses of a cell editor reach the grid before the dialog.
    auto *grid = qobject_cast<StringGrid *>(watched);
    if (grid && (grid == ListGrid || grid == ListGrid2) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // An open cell has already been taken by the item delegate; otherwise
            // Enter opens the current cell.
            if (!grid->isEditing() && grid->currentIndex().isValid())
                grid->edit(grid->currentIndex());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool RunListDialog(TextDocument &document)
{
    TListDlg dialog(document.window());
    dialog.showListPage();
    return RunThenWrite(dialog, [&] { dialog.write(document); });
}

bool RunListItemDialog(TextDocument &document, TListDlg::ItemKind kind)
{
    TListDlg dialog(document.window());
    dialog.showItemPage(kind);
    return RunThenWrite(dialog, [&] { dialog.write(document); });
}

void List2Click(TextDocument &document)
{
    RunListDialog(document);
}

void DefinitionListItem1Click(TextDocument &document)
{
    RunListItemDialog(document, TListDlg::DefinitionItem);
}

void MenuListItem1Click(TextDocument &document)
{
    RunListItemDialog(document, TListDlg::MenuItem);
}

void DirectoryListItem1Click(TextDocument &document)
{
    RunListItemDialog(document, TListDlg::DirectoryItem);
}

void OrderedListItem1Click(TextDocument &document)
{
    RunListItemDialog(document, TListDlg::OrderedItem);
}

void UnOrderedListItem1Click(TextDocument &document)
{
    RunListItemDialog(document, TListDlg::UnorderedItem);
}
