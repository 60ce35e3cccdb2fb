#pragma once

#include "tags/ListMarkup.h"
#include "widgets/StringGrid.h"
#include "widgets/NameValueList.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QWidget;
class NumberEdit;
class RadioGroup;
class TextDocument;

// "List": a whole list in two steps (type and options, then the items), or one
// item of a list already in the document. After OK the dialog holds what to write.
class TListDlg : public QDialog
{
    Q_OBJECT
public:
    // Item kinds of the single-item commands.
    enum ItemKind { OrderedItem = 0, UnorderedItem = 1, DefinitionItem = 2, DirectoryItem = 3, MenuItem = 4 };
    static constexpr int MaxItems = 999;

    explicit TListDlg(QWidget *parent = nullptr);

    // Page "list (main)": choose the list type and its options.
    void showListPage();
    // The item page for one item of an existing list.
    void showItemPage(ItemKind kind);

    // The list kind chosen on the main page (ListTypeGroup's item).
    ListKind chosenListKind() const;
    // The list options or the item's values, as the generator's named values.
    NameValueList values() const;
    // Items of the grid of the chosen type, first to last.
    QList<ListRow> rows() const;
    int itemCount() const;
    bool onGridPage() const;

    // Writes what the dialog holds after OK: the whole list or the item, one edit.
    void write(TextDocument &document) const;

    void ListTypeGroupClick();
    void InsertBtnClick();
    void RemoveBtnClick();
    void OKBtnClick();
    void CancelBtnClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildMainPage();
    QWidget *buildItemPage();
    QWidget *buildDefinitionItemPage();
    StringGrid *buildGrid(const char *name, const QStringList &titles);
    StringGrid *currentGrid() const;
    void showPage(QWidget *page);

    enum class Step { ListType, Items, Item };
    Step m_step = Step::ListType;
    ItemKind m_itemKind = OrderedItem;
    ListKind m_listKind = ListKind::Definition;

    QStackedWidget *m_pages = nullptr;
    QWidget *m_mainPage = nullptr;
    QWidget *m_definitionGridPage = nullptr;
    QWidget *m_itemGridPage = nullptr;
    QWidget *m_definitionItemPage = nullptr;
    QWidget *m_itemPage = nullptr;

    RadioGroup *ListTypeGroup = nullptr;
    QStackedWidget *m_options = nullptr;
    QWidget *m_definitionPanel = nullptr;
    QCheckBox *Definition_CompactChkBox = nullptr;
    QWidget *m_orderedPanel = nullptr;
    RadioGroup *Ordered_TypeGroup = nullptr;
    NumberEdit *Ordered_StartEdit = nullptr;
    QCheckBox *Ordered_CompactChkBox = nullptr;
    QWidget *m_unorderedPanel = nullptr;
    RadioGroup *UnOrdered_TypeGroup = nullptr;
    QCheckBox *UnOrdered_CompactChkBox = nullptr;

    StringGrid *ListGrid = nullptr;
    StringGrid *ListGrid2 = nullptr;
    QPushButton *InsertBtn = nullptr;
    QPushButton *RemoveBtn = nullptr;

    QLineEdit *AddItem_Definition_Term_Edit = nullptr;
    QLineEdit *AddItem_Definition_Definition_Edit = nullptr;
    QLineEdit *AddItem_AllOthers_Edit = nullptr;
    QCheckBox *AddItem_ValueChkBox = nullptr;
    NumberEdit *AddItem_ValueEdit = nullptr;
    RadioGroup *AddItem_Ordered_TypeGroup = nullptr;
    RadioGroup *AddItem_UnOrdered_TypeGroup = nullptr;

    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};

// Runs the dialog on the list page, or on the item page of the kind; on the
// final OK writes as one edit. Returns whether anything was written.
bool RunListDialog(TextDocument &document);
bool RunListItemDialog(TextDocument &document, TListDlg::ItemKind kind);

// The menu commands of the "Li&st" submenu (DirectoryListItem1Click has no menu item).
void List2Click(TextDocument &document);
void DefinitionListItem1Click(TextDocument &document);
void MenuListItem1Click(TextDocument &document);
void DirectoryListItem1Click(TextDocument &document);
void OrderedListItem1Click(TextDocument &document);
void UnOrderedListItem1Click(TextDocument &document);
