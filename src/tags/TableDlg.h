#pragma once

#include "tags/TableMarkup.h"
#include "widgets/NameValueList.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QWidget;
class TColorButton;
class TNumberEdit;
class TRadioGroup;
class TextDocument;

// "Table": the attributes of a table, a caption, a row or a cell, on the page
// for the command that opened it. OK gives back the named values for the
// table generator; the dialog itself never touches a document.
class TTableDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TTableDlg(TableKind kind, QWidget *parent = nullptr);

    TableKind kind() const { return m_kind; }
    // The choices as the generator's named values; absent values are left out.
    NameValueList values() const;

    void OKBtnClick();
    void CancelBtnClick();

private:
    QWidget *buildTablePage();
    QWidget *buildRowPage();
    void showForKind();

    TableKind m_kind;
    QStackedWidget *m_pages = nullptr;
    QWidget *m_tablePage = nullptr;
    QWidget *m_rowPage = nullptr;

    QWidget *Table_UpperPanel = nullptr;
    TNumberEdit *Table_BorderEdit = nullptr;
    TNumberEdit *Table_CelSpacingEdit = nullptr;
    TNumberEdit *Table_CelPaddingEdit = nullptr;
    TNumberEdit *Table_WidthEdit = nullptr;
    QCheckBox *Table_Width_InPercentChkBox = nullptr;
    TNumberEdit *Table_HeightEdit = nullptr;
    QCheckBox *Table_Height_InPercentChkBox = nullptr;
    TRadioGroup *Table_AlingGroup = nullptr;
    QLineEdit *Table_CaptionEdit = nullptr;
    TRadioGroup *Table_Caption_AlingGroup = nullptr;

    TRadioGroup *AlignGroup = nullptr;
    TRadioGroup *VAlignGroup = nullptr;
    QWidget *m_cellPanel = nullptr;
    TNumberEdit *WidthEdit = nullptr;
    QCheckBox *Width_InPercentChkBox = nullptr;
    TNumberEdit *HeightEdit = nullptr;
    QCheckBox *Height_InPercentChkBox = nullptr;
    TNumberEdit *ColSpanEdit = nullptr;
    TNumberEdit *RowSpanEdit = nullptr;
    QCheckBox *NoWrapChkBox = nullptr;
    QCheckBox *bgColorChk = nullptr;
    TColorButton *bgColorBtn = nullptr;

    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};

// Runs the dialog for the kind and, on OK, writes its markup as one edit.
// Returns whether anything was written.
bool RunTableDialog(TextDocument &document, TableKind kind);

// The menu commands of the "&Table" submenu.
void Table2Click(TextDocument &document);
void TableCaption1Click(TextDocument &document);
void TableRow1Click(TextDocument &document);
void TableHeader1Click(TextDocument &document);
void TableData1Click(TextDocument &document);
