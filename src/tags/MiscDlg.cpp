#include "tags/MiscDlg.h"
#include "widgets/DialogParts.h"
#include "widgets/PageSizing.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/TagInsertion.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TMiscDlg::TMiscDlg(Page page, QWidget *parent) : QDialog(parent), m_page(page)
{
    setObjectName(QStringLiteral("MiscDlg"));
    setWindowTitle(QStringLiteral("Attributes"));
    m_pages = named(new QTabWidget(this), "PageControl1");

    auto *alignment = named(new QWidget, "AlignmentSheet");
    AlignmentGroup = named(new RadioGroup(QStringLiteral("Alignment"), AlignmentItems()), "AlignmentGroup");
    AlignmentGroup->setItemIndex(0);
    (new QVBoxLayout(alignment))->addWidget(AlignmentGroup);

    auto *lineBreak = named(new QWidget, "LineBreakSheet");
    BRClearTypeGroup = named(new RadioGroup(QStringLiteral("Clear type"), ClearTypeItems()), "BRClearTypeGroup");
    BRClearTypeGroup->setItemIndex(0);
    (new QVBoxLayout(lineBreak))->addWidget(BRClearTypeGroup);

    auto *rule = named(new QWidget, "HorizontalRuleSheet");
    auto *ruleGrid = new QGridLayout(rule);
    HR_SizeChkBox = named(new QCheckBox(QStringLiteral("Si&ze")), "HR_SizeChkBox");
    HR_SizeEdit = named(new NumberEdit, "HR_SizeEdit");
    HR_SizeEdit->setAccessibleName(QStringLiteral("Size"));
    HR_SizeEdit->setValue(0);
    HR_WidthChkBox = named(new QCheckBox(QStringLiteral("Widt&h")), "HR_WidthChkBox");
    HR_WidthEdit = named(new NumberEdit, "HR_WidthEdit");
    HR_WidthEdit->setAccessibleName(QStringLiteral("Width"));
    HR_WidthEdit->setValue(0);
    HR_Width_InPercentChkBox = named(new QCheckBox(QStringLiteral("In percent")), "HR_Width_InPercentChkBox");
    HR_WidthEdit->setPercentBox(HR_Width_InPercentChkBox);
    HR_AlignGroup = named(new RadioGroup(QStringLiteral("Alignment"), RuleAlignItems()), "HR_AlignGroup");
    HR_AlignGroup->setItemIndex(0);
    HR_SizeEdit->setEnabled(false);
    HR_WidthEdit->setEnabled(false);
    HR_Width_InPercentChkBox->setEnabled(false);
    connect(HR_SizeChkBox, &QCheckBox::toggled, HR_SizeEdit, &QWidget::setEnabled);
    connect(HR_WidthChkBox, &QCheckBox::toggled, HR_WidthEdit, &QWidget::setEnabled);
    connect(HR_WidthChkBox, &QCheckBox::toggled, HR_Width_InPercentChkBox, &QWidget::setEnabled);
    ruleGrid->addWidget(HR_SizeChkBox, 0, 0);
    ruleGrid->addWidget(HR_SizeEdit, 0, 1);
    ruleGrid->addWidget(HR_WidthChkBox, 1, 0);
    ruleGrid->addWidget(HR_WidthEdit, 1, 1);
    ruleGrid->addWidget(HR_Width_InPercentChkBox, 1, 2);
    ruleGrid->addWidget(HR_AlignGroup, 0, 3, 3, 1);
    ruleGrid->setRowStretch(2, 1);

    m_pages->addTab(alignment, QStringLiteral("Alignment"));
    m_pages->addTab(lineBreak, QStringLiteral("LineBreak"));
    m_pages->addTab(rule, QStringLiteral("Horizontal Rule"));
    ShowOnlyPage(m_pages, int(page));

    auto *buttons = OkCancelButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
}

int TMiscDlg::alignment() const
{
    return AlignmentGroup->itemIndex();
}

int TMiscDlg::clearType() const
{
    return BRClearTypeGroup->itemIndex();
}

HorizontalRuleValues TMiscDlg::rule() const
{
    HorizontalRuleValues v;
    v.sizeChecked = HR_SizeChkBox->isChecked();
    v.size = HR_SizeEdit->value(0);
    // The width box only enables the field; a number left in it still counts.
    v.width = HR_WidthEdit->value(0);
    v.widthInPercent = HR_Width_InPercentChkBox->isChecked();
    v.alignIndex = HR_AlignGroup->itemIndex();
    return v;
}

namespace {
void alignedBlock(TextDocument &document, const QString &element)
{
    TMiscDlg dialog(TMiscDlg::AlignmentPage, document.window());
    RunThenWrite(dialog, [&] {
        InsertTagPair(document, AlignedStartText(element, dialog.alignment()), AlignedEndText(element));
    });
}
}  // namespace

void Div1Click(TextDocument &document)
{
    alignedBlock(document, QStringLiteral("DIV"));
}

void Paragraph1Click(TextDocument &document)
{
    alignedBlock(document, QStringLiteral("P"));
}

void HorizontalRule1Click(TextDocument &document)
{
    TMiscDlg dialog(TMiscDlg::HorizontalRulePage, document.window());
    RunThenWrite(dialog, [&] { InsertTagPair(document, HorizontalRuleText(dialog.rule())); });
}

void LineBreakDialog(TextDocument &document, bool lineBreakTyped)
{
    TMiscDlg dialog(TMiscDlg::LineBreakPage, document.window());
    RunThenWrite(dialog, [&] {
        const QString text = LineBreakText(dialog.clearType());
        TColorMemo &memo = *document.editor();
        const int caret = memo.SelStart();
        // Checked again here: the two bytes are replaced only when they still are the CR LF the key typed.
        if (lineBreakTyped && memo.SelLength() == 0 && caret >= 2 && memo.rangeView(caret - 2, caret) == "\r\n") {
            UndoStep step(&memo);
            memo.setSelStart(caret - 2);
            memo.setSelLength(2);
            ReplaceSelection(memo, text);
            return;
        }
        InsertTagPair(document, text);
    });
}
