#include "tags/FramesDlg.h"
#include "widgets/DialogParts.h"
#include "widgets/PageSizing.h"

#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/TagInsertion.h"
#include "tags/UrlPicker.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const char *caption(TFramesDlg::Page page)
{
    switch (page) {
    case TFramesDlg::SizePage:
        return "FrameSet - Col / Row";
    case TFramesDlg::FramePage:
        return "FrameSet - Frame";
    case TFramesDlg::FrameSetPage:
        return "Frames";
    }
    return "Frames";
}
}  // namespace

TFramesDlg::TFramesDlg(Page page, Mode mode, QWidget *parent) : QDialog(parent), m_page(page), m_mode(mode)
{
    setObjectName(QStringLiteral("FramesDlg"));
    setWindowTitle(QString::fromLatin1(caption(page)));
    m_pages = named(new QTabWidget(this), "PageControl1");

    // size page
    auto *size = named(new QWidget, "SizeSheet");
    auto *sizeLayout = new QGridLayout(size);
    ValueTypeGroup = named(new RadioGroup(QStringLiteral("Value type"), SizeValueTypeItems()), "ValueTypeGroup");
    ValueTypeGroup->setItemIndex(SizeInPercent);
    ValueEdit = numberEdit(nullptr, "ValueEdit", -1, 9999, 0);
    ValueLabel = named(new QLabel(QStringLiteral("&Value")), "ValueLabel");
    ValueLabel->setBuddy(ValueEdit);
    connect(ValueTypeGroup, &RadioGroup::itemIndexChanged, this, &TFramesDlg::updateEnabled);
    sizeLayout->addWidget(ValueTypeGroup, 0, 0, 2, 1);
    sizeLayout->addWidget(ValueLabel, 0, 1, Qt::AlignBottom);
    sizeLayout->addWidget(ValueEdit, 1, 1, Qt::AlignTop);
    sizeLayout->setRowStretch(2, 1);

    // frame page
    auto *frame = named(new QWidget, "FrameSheet");
    auto *frameLayout = new QGridLayout(frame);
    NameEdit = named(new QLineEdit, "NameEdit");
    auto *nameLabel = new QLabel(QStringLiteral("&Name"));
    nameLabel->setBuddy(NameEdit);
    SRCEdit = named(new QLineEdit, "SRCEdit");
    auto *srcLabel = new QLabel(QStringLiteral("&Source"));
    srcLabel->setBuddy(SRCEdit);
    auto *srcButton = named(new QPushButton(QStringLiteral("&Browse...")), "SRCButton");
    auto *srcButton2 = named(new QPushButton(QStringLiteral("&URL Wizard")), "SRCButton2");
    connect(srcButton, &QPushButton::clicked, this, &TFramesDlg::SRCButtonClick);
    ConnectUrlWizard(srcButton2, SRCEdit);
    NoResizeChkBox = named(new QCheckBox(QStringLiteral("No &Resize")), "NoResizeChkBox");
    MerginWidthChkBox = named(new QCheckBox(QStringLiteral("Mergin &Width")), "MerginWidthChkBox");
    MerginWidthEdit = numberEdit(nullptr, "MerginWidthEdit", 1, 9999, 1);
    MerginWidthEdit->setAccessibleName(QStringLiteral("Mergin Width"));
    MerginHeightChkBox = named(new QCheckBox(QStringLiteral("Mergin &Height")), "MerginHeightChkBox");
    MerginHeightEdit = numberEdit(nullptr, "MerginHeightEdit", 1, 9999, 1);
    MerginHeightEdit->setAccessibleName(QStringLiteral("Mergin Height"));
    ScrollingGroup = named(new RadioGroup(QStringLiteral("S&crolling"), FrameScrollingItems()), "ScrollingGroup");
    ScrollingGroup->setItemIndex(2);
    connect(MerginWidthChkBox, &QCheckBox::toggled, this, &TFramesDlg::updateEnabled);
    connect(MerginHeightChkBox, &QCheckBox::toggled, this, &TFramesDlg::updateEnabled);
    auto *srcButtons = new QHBoxLayout;
    srcButtons->addStretch(1);
    srcButtons->addWidget(srcButton);
    srcButtons->addWidget(srcButton2);
    frameLayout->addWidget(nameLabel, 0, 0);
    frameLayout->addWidget(NameEdit, 0, 1, 1, 3);
    frameLayout->addWidget(srcLabel, 1, 0);
    frameLayout->addWidget(SRCEdit, 1, 1, 1, 3);
    frameLayout->addLayout(srcButtons, 2, 1, 1, 3);
    frameLayout->addWidget(NoResizeChkBox, 3, 0, 1, 2);
    frameLayout->addWidget(MerginWidthChkBox, 4, 0, 1, 2);
    frameLayout->addWidget(MerginWidthEdit, 4, 2);
    frameLayout->addWidget(MerginHeightChkBox, 5, 0, 1, 2);
    frameLayout->addWidget(MerginHeightEdit, 5, 2);
    frameLayout->addWidget(ScrollingGroup, 3, 3, 4, 1);
    frameLayout->setRowStretch(6, 1);
    frameLayout->setColumnStretch(1, 1);

    // frame set page
    auto *frameSet = named(new QWidget, "FrameSetSheet");
    auto *frameSetLayout = new QGridLayout(frameSet);
    FrameSet_DivideToGroup = named(new RadioGroup(QStringLiteral("Divide to"), FrameSetDivideItems()),
                                   "FrameSet_DivideToGroup");
    FrameSet_DivideToGroup->setItemIndex(0);
    FrameSet_ColsLabel = named(new QLabel(QStringLiteral("Cols")), "FrameSet_ColsLabel");
    FrameSet_ColsEdit = named(new QLineEdit, "FrameSet_ColsEdit");
    FrameSet_ColsLabel->setBuddy(FrameSet_ColsEdit);
    FrameSet_ColsButton = named(new QPushButton(QStringLiteral("Add C&ol")), "FrameSet_ColsButton");
    FrameSet_RowsLabel = named(new QLabel(QStringLiteral("Rows")), "FrameSet_RowsLabel");
    FrameSet_RowsEdit = named(new QLineEdit, "FrameSet_RowsEdit");
    FrameSet_RowsLabel->setBuddy(FrameSet_RowsEdit);
    FrameSet_RowsButton = named(new QPushButton(QStringLiteral("A&dd Row")), "FrameSet_RowsButton");
    FrameSet_BorderEdit = numberEdit(nullptr, "FrameSet_BorderEdit", 0, 99999, 0);
    FrameSet_BorderEdit->setAccessibleName(QStringLiteral("Border"));
    connect(FrameSet_DivideToGroup, &RadioGroup::itemIndexChanged, this, &TFramesDlg::updateEnabled);
    connect(FrameSet_ColsButton, &QPushButton::clicked, this,
            [this] { addSize(FrameSet_ColsEdit, QStringLiteral("FrameSet - Col")); });
    connect(FrameSet_RowsButton, &QPushButton::clicked, this,
            [this] { addSize(FrameSet_RowsEdit, QStringLiteral("FrameSet - Row")); });
    frameSetLayout->addWidget(FrameSet_DivideToGroup, 0, 0, 3, 1, Qt::AlignTop);
    frameSetLayout->addWidget(FrameSet_ColsLabel, 0, 1);
    frameSetLayout->addWidget(FrameSet_ColsEdit, 0, 2);
    frameSetLayout->addWidget(FrameSet_ColsButton, 0, 3);
    frameSetLayout->addWidget(FrameSet_RowsLabel, 1, 1);
    frameSetLayout->addWidget(FrameSet_RowsEdit, 1, 2);
    frameSetLayout->addWidget(FrameSet_RowsButton, 1, 3);
    frameSetLayout->addWidget(new QLabel(QStringLiteral("Border:  ")), 2, 1);
    frameSetLayout->addWidget(FrameSet_BorderEdit, 2, 2);
    frameSetLayout->setRowStretch(3, 1);
    frameSetLayout->setColumnStretch(2, 1);

    m_pages->addTab(size, QStringLiteral("Col / Row"));
    m_pages->addTab(frame, QStringLiteral("Frame"));
    m_pages->addTab(frameSet, QStringLiteral("Frame Set"));
    ShowOnlyPage(m_pages, int(page));

    auto *buttons = OkCancelButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    if (page != SizePage)
        setMinimumWidth(420);
    updateEnabled();
}

void TFramesDlg::updateEnabled()
{
    const bool valued = ValueTypeGroup->itemIndex() != SizeRemaining;
    ValueLabel->setEnabled(valued);
    ValueEdit->setEnabled(valued);
    MerginWidthEdit->setEnabled(MerginWidthChkBox->isChecked());
    MerginHeightEdit->setEnabled(MerginHeightChkBox->isChecked());
    const bool columns = FrameSet_DivideToGroup->itemIndex() != 1;
    for (QWidget *w : {static_cast<QWidget *>(FrameSet_ColsLabel), static_cast<QWidget *>(FrameSet_ColsEdit),
                       static_cast<QWidget *>(FrameSet_ColsButton)})
        w->setEnabled(columns);
    for (QWidget *w : {static_cast<QWidget *>(FrameSet_RowsLabel), static_cast<QWidget *>(FrameSet_RowsEdit),
                       static_cast<QWidget *>(FrameSet_RowsButton)})
        w->setEnabled(!columns);
}

void TFramesDlg::addSize(QLineEdit *field, const QString &title)
{
    TFramesDlg sizeDialog(SizePage, Collecting, this);
    sizeDialog.setWindowTitle(title);
    // Cancel keeps the field as it was; OK only appends the size, never writes.
    RunThenWrite(sizeDialog, [&] { field->setText(AppendSize(field->text(), sizeDialog.sizeText())); });
}

void TFramesDlg::SRCButtonClick()
{
    // A cancelled file dialog keeps what the user typed.
    const QString name = AskFileName(this, FileFilterKind::HTMLs);
    if (!name.isEmpty())
        SRCEdit->setText(name);
}

QString TFramesDlg::sizeText() const
{
    return SizeText(ValueTypeGroup->itemIndex(), ValueEdit->value(0));
}

NameValueList TFramesDlg::values() const
{
    NameValueList v;
    switch (m_page) {
    case SizePage:
        v.set(QStringLiteral("colRow"), sizeText());
        break;
    case FramePage:
        v.set(QStringLiteral("name"), NameEdit->text());
        if (!SRCEdit->text().isEmpty())
            v.set(QStringLiteral("src"), SRCEdit->text());
        if (MerginWidthChkBox->isChecked())
            v.set(QStringLiteral("marginWidth"), QString::number(MerginWidthEdit->value(MerginWidthEdit->minimum())));
        if (MerginHeightChkBox->isChecked())
            v.set(QStringLiteral("marginHeight"),
                  QString::number(MerginHeightEdit->value(MerginHeightEdit->minimum())));
        if (NoResizeChkBox->isChecked())
            v.set(QStringLiteral("noResize"), QStringLiteral("true"));
        v.set(QStringLiteral("scrolling"),
              ChoiceValue(ScrollingGroup->itemIndex(), QString::fromLatin1(FrameScrollingValues)));
        break;
    case FrameSetPage:
        // Only the field of the chosen division counts, whatever the other one holds.
        if (FrameSet_DivideToGroup->itemIndex() == 1)
            v.set(QStringLiteral("rows"), FrameSet_RowsEdit->text());
        else
            v.set(QStringLiteral("cols"), FrameSet_ColsEdit->text());
        v.set(QStringLiteral("border"), QString::number(FrameSet_BorderEdit->value(0)));
        break;
    }
    return v;
}

namespace {
void writeFromDialog(TextDocument &document, TFramesDlg::Page page, FrameElement element)
{
    TFramesDlg dialog(page, TFramesDlg::Writing, document.window());
    RunThenWrite(dialog, [&] {
        NameValueList values = dialog.values();
        // Asked before anything is written: the answer may save the document.
        if (values.has(QStringLiteral("src")))
            values.set(QStringLiteral("src"), MakeRelativePath(document, values.value(QStringLiteral("src"))));
        const FramesMarkupText text = FramesElementMarkup(element, values);
        InsertTagPair(document, text.start, text.end);
    });
}
}  // namespace

void FrameSet1Click(TextDocument &document)
{
    writeFromDialog(document, TFramesDlg::FrameSetPage, FrameElement::FrameSet);
}

void FrameCol1Click(TextDocument &document)
{
    writeFromDialog(document, TFramesDlg::SizePage, FrameElement::SizeValue);
}

void Frame1Click(TextDocument &document)
{
    writeFromDialog(document, TFramesDlg::FramePage, FrameElement::Frame);
}

void NoFrames1Click(TextDocument &document)
{
    const FramesMarkupText text = FramesElementMarkup(FrameElement::NoFrames, {});
    InsertTagPair(document, text.start, text.end);
}
