#pragma once

#include "tags/TableMarkup.h"
#include "widgets/NameValueList.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QWidget;
class ColorButton;
class NumberEdit;
class RadioGroup;
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
    NumberEdit *Table_BorderEdit = nullptr;
    NumberEdit *Table_CelSpacingEdit = nullptr;
    NumberEdit *Table_CelPaddingEdit = nullptr;
    NumberEdit *Table_WidthEdit = nullptr;
    QCheckBox *Table_Width_InPercentChkBox = nullptr;
    NumberEdit *Table_HeightEdit = nullptr;
    QCheckBox *Table_Height_InPercentChkBox = nullptr;
    RadioGroup *Table_AlingGroup = nullptr;
    QLineEdit *Table_CaptionEdit = nullptr;
    RadioGroup *Table_Caption_AlingGroup = nullptr;

    RadioGroup *AlignGroup = nullptr;
    RadioGroup *VAlignGroup = nullptr;
    QWidget *m_cellPanel = nullptr;
    NumberEdit *WidthEdit = nullptr;
    QCheckBox *Width_InPercentChkBox = nullptr;
    NumberEdit *HeightEdit = nullptr;
    QCheckBox *Height_InPercentChkBox = nullptr;
    NumberEdit *ColSpanEdit = nullptr;
    NumberEdit *RowSpanEdit = nullptr;
    QCheckBox *NoWrapChkBox = nullptr;
    QCheckBox *bgColorChk = nullptr;
    ColorButton *bgColorBtn = nullptr;

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
