#include "tags/TableDlg.h"

#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeValues.h"
#include "widgets/ColorButton.h"
#include "widgets/DialogParts.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

NumberEdit *numberField(QWidget *parent, const char *name, int minimum, int maximum, int value)
{
    auto *edit = numberEdit(parent, name, minimum, maximum, value);
    edit->setMaximumWidth(80);
    return edit;
}

// The number as an attribute value when above the lowest value that writes nothing.
QString numberValue(const NumberEdit *edit, int writesNothing)
{
    const int n = edit->value(edit->minimum());
    return n > writesNothing ? QString::number(n) : QString();
}

QString sizeValue(const NumberEdit *edit, const QCheckBox *percent)
{
    const QString n = numberValue(edit, 0);
    return n.isEmpty() || !percent->isChecked() ? n : n + QLatin1Char('%');
}

const int NoLimit = 99999;

}  // namespace

TTableDlg::TTableDlg(TableKind kind, QWidget *parent) : QDialog(parent), m_kind(kind)
{
    setObjectName(QStringLiteral("TableDlg"));
    m_pages = new QStackedWidget(this);
    m_tablePage = buildTablePage();
    m_rowPage = buildRowPage();
    m_pages->addWidget(m_tablePage);
    m_pages->addWidget(m_rowPage);

    const OkCancel buttons = OkCancelButtons(
        this, Qt::Horizontal, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons.layout);
    showForKind();
}

QWidget *TTableDlg::buildTablePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TablePage"));

    Table_UpperPanel = new QWidget(page);
    Table_UpperPanel->setObjectName(QStringLiteral("Table_UpperPanel"));
    Table_BorderEdit = numberField(Table_UpperPanel, "Table_BorderEdit", 0, NoLimit, 0);
    Table_CelSpacingEdit = numberField(Table_UpperPanel, "Table_CelSpacingEdit", 0, NoLimit, 0);
    Table_CelPaddingEdit = numberField(Table_UpperPanel, "Table_CelPaddingEdit", 0, NoLimit, 0);
    Table_WidthEdit = numberField(Table_UpperPanel, "Table_WidthEdit", 0, NoLimit, 0);
    Table_Width_InPercentChkBox = checkBox(Table_UpperPanel, "Table_Width_InPercentChkBox",
                                           QStringLiteral("&In percent"));
    Table_WidthEdit->setPercentBox(Table_Width_InPercentChkBox);
    Table_HeightEdit = numberField(Table_UpperPanel, "Table_HeightEdit", 0, NoLimit, 0);
    Table_Height_InPercentChkBox = checkBox(Table_UpperPanel, "Table_Height_InPercentChkBox",
                                            QStringLiteral("In p&ercent"));
    Table_HeightEdit->setPercentBox(Table_Height_InPercentChkBox);
    Table_AlingGroup = radioGroup(Table_UpperPanel, "Table_AlingGroup", QStringLiteral("&Alignment"),
                                  {QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Right")}, 3, 0);

    auto *upper = new QGridLayout(Table_UpperPanel);
    upper->setContentsMargins(0, 0, 0, 0);
    upper->addWidget(labelFor(QStringLiteral("Border"), Table_BorderEdit), 0, 0);
    upper->addWidget(Table_BorderEdit, 0, 1);
    upper->addWidget(labelFor(QStringLiteral("CellSpacing"), Table_CelSpacingEdit), 1, 0);
    upper->addWidget(Table_CelSpacingEdit, 1, 1);
    upper->addWidget(labelFor(QStringLiteral("CellPadding"), Table_CelPaddingEdit), 2, 0);
    upper->addWidget(Table_CelPaddingEdit, 2, 1);
    upper->setColumnMinimumWidth(2, 16);
    upper->addWidget(labelFor(QStringLiteral("Width"), Table_WidthEdit), 0, 3);
    upper->addWidget(Table_WidthEdit, 0, 4);
    upper->addWidget(Table_Width_InPercentChkBox, 0, 5);
    upper->addWidget(labelFor(QStringLiteral("Height"), Table_HeightEdit), 1, 3);
    upper->addWidget(Table_HeightEdit, 1, 4);
    upper->addWidget(Table_Height_InPercentChkBox, 1, 5);
    upper->addWidget(Table_AlingGroup, 3, 0, 1, 6);

    auto *captionPanel = new QGroupBox(QStringLiteral("Table Caption"), page);
    captionPanel->setObjectName(QStringLiteral("Table_CaptionPanel"));
    Table_CaptionEdit = new QLineEdit(captionPanel);
    Table_CaptionEdit->setObjectName(QStringLiteral("Table_CaptionEdit"));
    Table_Caption_AlingGroup = radioGroup(captionPanel, "Table_Caption_AlingGroup", QStringLiteral("A&lignment"),
                                          {QStringLiteral("None"), QStringLiteral("Top"), QStringLiteral("Bottom")}, 3,
                                          0);
    auto *caption = new QVBoxLayout(captionPanel);
    caption->addWidget(Table_CaptionEdit);
    caption->addWidget(Table_Caption_AlingGroup);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Table_UpperPanel);
    layout->addWidget(captionPanel);
    layout->addStretch();
    return page;
}

QWidget *TTableDlg::buildRowPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("RowPage"));
    AlignGroup = radioGroup(
        page, "AlignGroup", QStringLiteral("&Alignment"),
        {QStringLiteral("Default"), QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")}, 2, 0);
    VAlignGroup = radioGroup(page, "VAlignGroup", QStringLiteral("&Vertical Alignment"),
                             {QStringLiteral("Default"), QStringLiteral("Top"), QStringLiteral("Middle"),
                              QStringLiteral("Bottom"), QStringLiteral("Baseline")},
                             2, 0);

    m_cellPanel = new QWidget(page);
    m_cellPanel->setObjectName(QStringLiteral("CellPanel"));
    WidthEdit = numberField(m_cellPanel, "WidthEdit", 0, NoLimit, 0);
    Width_InPercentChkBox = checkBox(m_cellPanel, "Width_InPercentChkBox", QStringLiteral("&In percent"));
    WidthEdit->setPercentBox(Width_InPercentChkBox);
    HeightEdit = numberField(m_cellPanel, "HeightEdit", 0, NoLimit, 0);
    Height_InPercentChkBox = checkBox(m_cellPanel, "Height_InPercentChkBox", QStringLiteral("In p&ercent"));
    HeightEdit->setPercentBox(Height_InPercentChkBox);
    ColSpanEdit = numberField(m_cellPanel, "ColSpanEdit", 1, 999, 1);
    ColSpanEdit->setMaxLength(3);
    RowSpanEdit = numberField(m_cellPanel, "RowSpanEdit", 1, 999, 1);
    RowSpanEdit->setMaxLength(3);
    NoWrapChkBox = checkBox(m_cellPanel, "NoWrapChkBox", QStringLiteral("No&Wrap"));

    auto *cell = new QGridLayout(m_cellPanel);
    cell->setContentsMargins(0, 0, 0, 0);
    cell->addWidget(labelFor(QStringLiteral("Width"), WidthEdit), 0, 0);
    cell->addWidget(WidthEdit, 0, 1);
    cell->addWidget(Width_InPercentChkBox, 0, 2);
    cell->addWidget(labelFor(QStringLiteral("Height"), HeightEdit), 1, 0);
    cell->addWidget(HeightEdit, 1, 1);
    cell->addWidget(Height_InPercentChkBox, 1, 2);
    cell->setColumnMinimumWidth(3, 16);
    cell->addWidget(labelFor(QStringLiteral("ColSpan"), ColSpanEdit), 0, 4);
    cell->addWidget(ColSpanEdit, 0, 5);
    cell->addWidget(labelFor(QStringLiteral("RowSpan"), RowSpanEdit), 1, 4);
    cell->addWidget(RowSpanEdit, 1, 5);
    cell->addWidget(NoWrapChkBox, 2, 0, 1, 3);

    bgColorChk = checkBox(page, "bgColorChk", QStringLiteral("Background &color"));
    bgColorBtn = new ColorButton(page);
    bgColorBtn->setAccessibleName(QStringLiteral("Background color"));
    bgColorBtn->setObjectName(QStringLiteral("bgColorBtn"));
    bgColorBtn->setColor(Qt::white);
    bgColorBtn->setEnabled(false);
    connect(bgColorChk, &QCheckBox::toggled, bgColorBtn, &QWidget::setEnabled);
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(bgColorChk);
    colorRow->addWidget(bgColorBtn);
    colorRow->addStretch();

    auto *groups = new QHBoxLayout;
    groups->addWidget(AlignGroup);
    groups->addWidget(VAlignGroup);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(groups);
    layout->addWidget(m_cellPanel);
    layout->addLayout(colorRow);
    layout->addStretch();
    return page;
}

void TTableDlg::showForKind()
{
    switch (m_kind) {
    case TableKind::Table:
    case TableKind::Caption:
        setWindowTitle(QStringLiteral("Table"));
        m_pages->setCurrentWidget(m_tablePage);
        Table_UpperPanel->setVisible(m_kind == TableKind::Table);
        break;
    case TableKind::Row:
    case TableKind::Header:
    case TableKind::Data:
        setWindowTitle(m_kind == TableKind::Row      ? QStringLiteral("Table - Row")
                       : m_kind == TableKind::Header ? QStringLiteral("Table - Header")
                                                     : QStringLiteral("Table - Data"));
        m_pages->setCurrentWidget(m_rowPage);
        m_cellPanel->setVisible(m_kind != TableKind::Row);
        break;
    }
    // Only the shown page decides the dialog's size.
    for (QWidget *page : {m_tablePage, m_rowPage}) {
        const auto policy = page == m_pages->currentWidget() ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        page->setSizePolicy(policy, policy);
    }
    layout()->activate();
    adjustSize();
}

NameValueList TTableDlg::values() const
{
    NameValueList v;
    switch (m_kind) {
    case TableKind::Table: {
        v.set(QStringLiteral("width"), sizeValue(Table_WidthEdit, Table_Width_InPercentChkBox));
        v.set(QStringLiteral("height"), sizeValue(Table_HeightEdit, Table_Height_InPercentChkBox));
        v.set(QStringLiteral("border"), numberValue(Table_BorderEdit, 0));
        v.set(QStringLiteral("cellSpace"), numberValue(Table_CelSpacingEdit, 0));
        v.set(QStringLiteral("cellPad"), numberValue(Table_CelPaddingEdit, 0));
        v.set(QStringLiteral("align"), ChoiceValue(Table_AlingGroup->itemIndex(), QStringLiteral("\\LEFT\\RIGHT\\")));
        if (!Table_CaptionEdit->text().isEmpty()) {
            v.set(QStringLiteral("caption"), Table_CaptionEdit->text());
            v.set(QStringLiteral("caption_align"),
                  ChoiceValue(Table_Caption_AlingGroup->itemIndex(), QStringLiteral("\\TOP\\BOTTOM\\")));
        }
        break;
    }
    case TableKind::Caption:
        v.set(QStringLiteral("caption"), Table_CaptionEdit->text());
        v.set(QStringLiteral("align"),
              ChoiceValue(Table_Caption_AlingGroup->itemIndex(), QStringLiteral("\\TOP\\BOTTOM\\")));
        break;
    case TableKind::Row:
    case TableKind::Header:
    case TableKind::Data:
        v.set(QStringLiteral("align"), ChoiceValue(AlignGroup->itemIndex(), QStringLiteral("\\LEFT\\CENTER\\RIGHT\\")));
        v.set(QStringLiteral("vAlign"),
              ChoiceValue(VAlignGroup->itemIndex(), QStringLiteral("\\TOP\\MIDDLE\\BOTTOM\\BASELINE\\")));
        if (bgColorChk->isChecked() && bgColorBtn->hasColor())
            v.set(QStringLiteral("bgColor"), ColorToHex(bgColorBtn->color()));
        if (m_kind != TableKind::Row) {
            v.set(QStringLiteral("width"), sizeValue(WidthEdit, Width_InPercentChkBox));
            v.set(QStringLiteral("height"), sizeValue(HeightEdit, Height_InPercentChkBox));
            if (NoWrapChkBox->isChecked())
                v.set(QStringLiteral("nowrap"), QStringLiteral("true"));
            v.set(QStringLiteral("colspan"), numberValue(ColSpanEdit, 1));
            v.set(QStringLiteral("rowspan"), numberValue(RowSpanEdit, 1));
        }
        break;
    }
    return v;
}

void TTableDlg::OKBtnClick()
{
    accept();
}

void TTableDlg::CancelBtnClick()
{
    reject();
}

bool RunTableDialog(TextDocument &document, TableKind kind)
{
    TTableDlg dialog(kind, document.window());
    return RunThenWrite(dialog, [&] { InsertTableMarkup(document, kind, dialog.values()); });
}

void Table2Click(TextDocument &document)
{
    RunTableDialog(document, TableKind::Table);
}

void TableCaption1Click(TextDocument &document)
{
    RunTableDialog(document, TableKind::Caption);
}

void TableRow1Click(TextDocument &document)
{
    RunTableDialog(document, TableKind::Row);
}

void TableHeader1Click(TextDocument &document)
{
    RunTableDialog(document, TableKind::Header);
}

void TableData1Click(TextDocument &document)
{
    RunTableDialog(document, TableKind::Data);
}
