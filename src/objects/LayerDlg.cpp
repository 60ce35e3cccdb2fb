#include "objects/LayerDlg.h"

#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/UrlPicker.h"
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
#include <QVBoxLayout>

#include <limits>

namespace {
// Positions, sizes and the stacking order may be any whole number.
NumberEdit *numberEdit(const char *name)
{
    auto *edit = named(new NumberEdit, name);
    edit->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    edit->setValue(0);
    edit->setMaximumWidth(80);
    return edit;
}

// A file field's Browse button: a chosen file replaces the text, a cancelled
// file dialog keeps it.
void connectBrowse(QPushButton *button, QLineEdit *field, int filterKind)
{
    QObject::connect(button, &QPushButton::clicked, field, [button, field, filterKind] {
        const QString name = AskFileName(button->window(), filterKind);
        if (!name.isEmpty())
            field->setText(name);
    });
}

QString positive(const NumberEdit *edit)
{
    const int value = edit->value(0);
    return value > 0 ? QString::number(value) : QString();
}
}  // namespace

TlayerFrm::TlayerFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("layerFrm"));
    setWindowTitle(QStringLiteral("Layer"));

    layerType = radioGroup(nullptr, "layerType", QString(),
                           {QStringLiteral("<LAYER>...</LAYER>         "), QStringLiteral("<ILAYER>...</ILAYER>")}, 2,
                           0);
    connect(layerType, &RadioGroup::itemIndexChanged, this, &TlayerFrm::layerTypeClick);

    nameEdit = named(new QLineEdit, "nameEdit");
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(labelFor(QStringLiteral("&Name:"), nameEdit));
    nameRow->addWidget(nameEdit, 1);

    auto *position = new QGroupBox(QStringLiteral("Position and size"));
    auto *positionGrid = new QGridLayout(position);
    Panel1 = named(new QWidget, "Panel1");
    auto *panelRow = new QHBoxLayout(Panel1);
    panelRow->setContentsMargins(0, 0, 0, 0);
    leftEdit = numberEdit("leftEdit");
    topEdit = numberEdit("topEdit");
    panelRow->addWidget(labelFor(QStringLiteral("&Left:"), leftEdit));
    panelRow->addWidget(leftEdit);
    panelRow->addWidget(labelFor(QStringLiteral("&Top:"), topEdit));
    panelRow->addWidget(topEdit);
    panelRow->addStretch(1);
    positionGrid->addWidget(Panel1, 0, 0, 1, 4);
    widthEdit = numberEdit("widthEdit");
    heightEdit = numberEdit("heightEdit");
    positionGrid->addWidget(labelFor(QStringLiteral("&Width:"), widthEdit), 1, 0);
    positionGrid->addWidget(widthEdit, 1, 1);
    positionGrid->addWidget(labelFor(QStringLiteral("&Height:"), heightEdit), 1, 2);
    positionGrid->addWidget(heightEdit, 1, 3);

    auto *clip = new QGroupBox(QStringLiteral("&Clip"));
    auto *clipGrid = new QGridLayout(clip);
    x1edit = numberEdit("x1edit");
    y1edit = numberEdit("y1edit");
    x2edit = numberEdit("x2edit");
    y2edit = numberEdit("y2edit");
    clipGrid->addWidget(labelFor(QStringLiteral("X1"), x1edit), 0, 0);
    clipGrid->addWidget(x1edit, 0, 1);
    clipGrid->addWidget(labelFor(QStringLiteral("Y1"), y1edit), 0, 2);
    clipGrid->addWidget(y1edit, 0, 3);
    clipGrid->addWidget(labelFor(QStringLiteral("X2"), x2edit), 1, 0);
    clipGrid->addWidget(x2edit, 1, 1);
    clipGrid->addWidget(labelFor(QStringLiteral("Y2"), y2edit), 1, 2);
    clipGrid->addWidget(y2edit, 1, 3);
    // The group's "&Clip" mnemonic goes to its first field.
    clip->setFocusProxy(x1edit);

    auto *stacking = new QGroupBox(QStringLiteral("Stacking"));
    auto *stackGrid = new QGridLayout(stacking);
    zindexChk = named(new QCheckBox(QStringLiteral("Z-Index")), "zindexChk");
    zindexEdit = numberEdit("zindexEdit");
    zindexEdit->setEnabled(false);
    connect(zindexChk, &QCheckBox::toggled, zindexEdit, &QWidget::setEnabled);
    aboveEdit = named(new QLineEdit, "aboveEdit");
    belowEdit = named(new QLineEdit, "belowEdit");
    stackGrid->addWidget(zindexChk, 0, 0);
    stackGrid->addWidget(zindexEdit, 0, 1);
    stackGrid->addWidget(labelFor(QStringLiteral("&Above:"), aboveEdit), 1, 0);
    stackGrid->addWidget(aboveEdit, 1, 1);
    stackGrid->addWidget(labelFor(QStringLiteral("&Below:"), belowEdit), 2, 0);
    stackGrid->addWidget(belowEdit, 2, 1);

    visibleGroup = radioGroup(nullptr, "visibleGroup", QStringLiteral("&Visible"),
                              {QStringLiteral("Show"), QStringLiteral("Hide"), QStringLiteral("Inherit")}, 3, -1);

    auto *look = new QGroupBox(QStringLiteral("Background and source"));
    auto *lookGrid = new QGridLayout(look);
    bgcolorChk = named(new QCheckBox(QStringLiteral("Bac&kground")), "bgcolorChk");
    bgColorBtn = named(new ColorButton, "bgColorBtn");
    bgColorBtn->setColor(Qt::white);
    bgColorBtn->setEnabled(false);
    connect(bgcolorChk, &QCheckBox::toggled, bgColorBtn, &QWidget::setEnabled);
    lookGrid->addWidget(bgcolorChk, 0, 0);
    lookGrid->addWidget(bgColorBtn, 0, 1, Qt::AlignLeft);

    bgEdit = named(new QLineEdit, "bgEdit");
    auto *SRCButton = named(new QPushButton(QStringLiteral("Br&owse...")), "SRCButton");
    auto *SRCButton2 = named(new QPushButton(QStringLiteral("&URL Wizard")), "SRCButton2");
    connectBrowse(SRCButton, bgEdit, FileFilterKind::Pictures);
    ConnectUrlWizard(SRCButton2, bgEdit);
    lookGrid->addWidget(labelFor(QStringLiteral("Background &Image"), bgEdit), 1, 0);
    lookGrid->addWidget(bgEdit, 1, 1);
    lookGrid->addWidget(SRCButton, 1, 2);
    lookGrid->addWidget(SRCButton2, 1, 3);

    srcEdit = named(new QLineEdit, "srcEdit");
    auto *SpeedButton2 = named(new QPushButton(QStringLiteral("B&rowse...")), "SpeedButton2");
    auto *SpeedButton1 = named(new QPushButton(QStringLiteral("URL Wi&zard")), "SpeedButton1");
    connectBrowse(SpeedButton2, srcEdit, FileFilterKind::HTMLs);
    ConnectUrlWizard(SpeedButton1, srcEdit);
    lookGrid->addWidget(labelFor(QStringLiteral("Layer &source"), srcEdit), 2, 0);
    lookGrid->addWidget(srcEdit, 2, 1);
    lookGrid->addWidget(SpeedButton2, 2, 2);
    lookGrid->addWidget(SpeedButton1, 2, 3);
    lookGrid->setColumnStretch(1, 1);

    auto *okBtn = named(new QPushButton(QStringLiteral("Lay it !")), "okBtn");
    auto *cancelBtn = named(new QPushButton(QStringLiteral("Never mind")), "cancelBtn");
    okBtn->setDefault(true);
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);

    auto *middle = new QHBoxLayout;
    auto *leftColumn = new QVBoxLayout;
    leftColumn->addWidget(position);
    leftColumn->addWidget(clip);
    middle->addLayout(leftColumn);
    auto *rightColumn = new QVBoxLayout;
    rightColumn->addWidget(stacking);
    rightColumn->addWidget(visibleGroup);
    middle->addLayout(rightColumn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(layerType);
    layout->addLayout(nameRow);
    layout->addLayout(middle);
    layout->addWidget(look);
    layout->addLayout(buttons);
}

int TlayerFrm::kind() const
{
    return layerType->itemIndex() == InlineLayer ? InlineLayer : Layer;
}

void TlayerFrm::layerTypeClick()
{
    // Only a positioned layer has a left and top.
    Panel1->setVisible(kind() == Layer);
}

NameValueList TlayerFrm::values() const
{
    NameValueList v;
    v.set(QStringLiteral("name"), nameEdit->text());
    if (kind() == Layer) {
        v.set(QStringLiteral("left"), positive(leftEdit));
        v.set(QStringLiteral("top"), positive(topEdit));
    }
    v.set(QStringLiteral("width"), positive(widthEdit));
    v.set(QStringLiteral("height"), positive(heightEdit));
    if (x2edit->value(0) > 0 && y2edit->value(0) > 0) {
        v.set(QStringLiteral("clipX1"), QString::number(x1edit->value(0)));
        v.set(QStringLiteral("clipY1"), QString::number(y1edit->value(0)));
        v.set(QStringLiteral("clipX2"), QString::number(x2edit->value(0)));
        v.set(QStringLiteral("clipY2"), QString::number(y2edit->value(0)));
    }
    if (zindexChk->isChecked())
        v.set(QStringLiteral("zindex"), QString::number(zindexEdit->value(0)));
    v.set(QStringLiteral("above"), aboveEdit->text());
    v.set(QStringLiteral("below"), belowEdit->text());
    v.set(QStringLiteral("visible"), ChoiceValue(visibleGroup->itemIndex(), QStringLiteral("SHOW\\HIDE\\INHERIT\\")));
    if (bgcolorChk->isChecked())
        v.set(QStringLiteral("bgColor"), ColorToHex(bgColorBtn->hasColor() ? bgColorBtn->color() : QColor(Qt::white)));
    v.set(QStringLiteral("background"), bgEdit->text().trimmed());
    v.set(QStringLiteral("src"), srcEdit->text().trimmed());
    return v;
}

void Newlayer1Click(TextDocument &document)
{
    TlayerFrm dialog(document.window());
    RunThenWrite(dialog, [&] {
        NameValueList values = dialog.values();
        // Asked before anything is written, background first: either may save the document.
        for (const QString &key : {QStringLiteral("background"), QStringLiteral("src")}) {
            const QString name = values.value(key);
            if (!name.isEmpty())
                values.set(key, MakeRelativePath(document, name));
        }
        InsertLayerTag(document, dialog.kind(), values);
    });
}
