#include "objects/JavaAppletDlg.h"

#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/AttributeText.h"
#include "tags/UrlPicker.h"
#include "widgets/DialogParts.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
NumberEdit *narrowNumber(const char *name, int minimum, int maximum, int value)
{
    auto *edit = numberEdit(nullptr, name, minimum, maximum, value);
    edit->setMaximumWidth(70);
    return edit;
}
}  // namespace

TJavaAppletDlg::TJavaAppletDlg(Page page, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("JavaAppletDlg"));
    setWindowTitle(QStringLiteral("Java Applet"));
    Notebook1 = named(new QStackedWidget(this), "Notebook1");

    auto *applet = named(new QWidget, "AppletPage");
    auto *grid = new QGridLayout(applet);
    CodeEdit = named(new QLineEdit, "CodeEdit");
    NameEdit = named(new QLineEdit, "NameEdit");
    WidthEdit = narrowNumber("WidthEdit", 0, 9999, 0);
    HeightEdit = narrowNumber("HeightEdit", 0, 9999, 0);
    grid->addWidget(labelFor(QStringLiteral("&Code"), CodeEdit), 0, 0);
    grid->addWidget(CodeEdit, 0, 1, 1, 3);
    grid->addWidget(labelFor(QStringLiteral("&Name"), NameEdit), 1, 0);
    grid->addWidget(NameEdit, 1, 1, 1, 3);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(labelFor(QStringLiteral("&Width"), WidthEdit));
    sizeRow->addWidget(WidthEdit);
    sizeRow->addSpacing(12);
    sizeRow->addWidget(labelFor(QStringLiteral("H&eight"), HeightEdit));
    sizeRow->addWidget(HeightEdit);
    sizeRow->addStretch(1);
    grid->addLayout(sizeRow, 2, 0, 1, 4);

    CodeBaseChkBox = named(new QCheckBox(QStringLiteral("Code &Base")), "CodeBaseChkBox");
    CodeBaseEdit = named(new QLineEdit, "CodeBaseEdit");
    CodeBaseButton = named(new QPushButton(QStringLiteral("B&rowse...")), "CodeBaseButton");
    CodeBaseButton2 = named(new QPushButton(QStringLiteral("&URL Wizard")), "CodeBaseButton2");
    grid->addWidget(CodeBaseChkBox, 3, 0);
    grid->addWidget(CodeBaseEdit, 3, 1);
    grid->addWidget(CodeBaseButton, 3, 2);
    grid->addWidget(CodeBaseButton2, 3, 3);
    connect(CodeBaseButton, &QPushButton::clicked, this, &TJavaAppletDlg::CodeBaseButtonClick);
    ConnectUrlWizard(CodeBaseButton2, CodeBaseEdit);
    // The wizard stays disabled without a URL composer, whatever the box says.
    const bool canPick = CodeBaseButton2->isEnabled();
    enables(CodeBaseChkBox, {CodeBaseEdit, CodeBaseButton});
    CodeBaseButton2->setEnabled(false);
    connect(CodeBaseChkBox, &QCheckBox::toggled, CodeBaseButton2,
            [this, canPick](bool on) { CodeBaseButton2->setEnabled(on && canPick); });

    AltChkBox = named(new QCheckBox(QStringLiteral("&Alternative Text")), "AltChkBox");
    AltEdit = named(new QLineEdit, "AltEdit");
    enables(AltChkBox, {AltEdit});
    grid->addWidget(AltChkBox, 4, 0);
    grid->addWidget(AltEdit, 4, 1, 1, 3);

    ALIGNgroupbox = radioGroup(nullptr, "ALIGNgroupbox", QStringLiteral("A&lignment"),
                               {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Top"),
                                QStringLiteral("TextTop"), QStringLiteral("Middle"), QStringLiteral("AbsMiddle"),
                                QStringLiteral("BaseLine"), QStringLiteral("Bottom"), QStringLiteral("AbsBottom")},
                               3, 0);
    grid->addWidget(ALIGNgroupbox, 5, 0, 1, 4);

    VSpaceChkBox = named(new QCheckBox(QStringLiteral("&VSpace")), "VSpaceChkBox");
    VSpaceEdit = narrowNumber("VSpaceEdit", 0, 99, 1);
    HSpaceChkBox = named(new QCheckBox(QStringLiteral("&HSpace")), "HSpaceChkBox");
    HSpaceEdit = narrowNumber("HSpaceEdit", 0, 99, 1);
    enables(VSpaceChkBox, {VSpaceEdit});
    enables(HSpaceChkBox, {HSpaceEdit});
    auto *spaceRow = new QHBoxLayout;
    spaceRow->addWidget(VSpaceChkBox);
    spaceRow->addWidget(VSpaceEdit);
    spaceRow->addSpacing(12);
    spaceRow->addWidget(HSpaceChkBox);
    spaceRow->addWidget(HSpaceEdit);
    spaceRow->addStretch(1);
    grid->addLayout(spaceRow, 6, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    auto *parameter = named(new QWidget, "ParameterPage");
    auto *paramGrid = new QGridLayout(parameter);
    ParamNameEdit = named(new QLineEdit, "ParamNameEdit");
    ParamValueEdit = named(new QLineEdit, "ParamValueEdit");
    paramGrid->addWidget(labelFor(QStringLiteral("&Name"), ParamNameEdit), 0, 0);
    paramGrid->addWidget(ParamNameEdit, 0, 1);
    paramGrid->addWidget(labelFor(QStringLiteral("&Value"), ParamValueEdit), 1, 0);
    paramGrid->addWidget(ParamValueEdit, 1, 1);

    Notebook1->addWidget(applet);
    Notebook1->addWidget(parameter);

    QHBoxLayout *buttons = OkCancelButtons(this);
    buttons->setContentsMargins(0, 0, 0, 0);
    auto *bottom = named(new QWidget, "Panel1");
    bottom->setLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Notebook1);
    layout->addWidget(bottom);
    setMinimumWidth(480);
    setPage(page);
}

TJavaAppletDlg::Page TJavaAppletDlg::page() const
{
    return Page(Notebook1->currentIndex());
}

void TJavaAppletDlg::setPage(Page page)
{
    // A stacked widget is as tall as its tallest page; the hidden page must not count.
    for (int i = 0; i < Notebook1->count(); ++i) {
        const auto policy = i == int(page) ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        Notebook1->widget(i)->setSizePolicy(policy, policy);
    }
    Notebook1->setCurrentIndex(int(page));
    Notebook1->updateGeometry();
    if (layout())
        layout()->activate();
    resize(width(), minimumSizeHint().height());
    adjustSize();
}

void TJavaAppletDlg::CodeBaseButtonClick()
{
    // A cancelled file dialog keeps what the field held.
    const QString name = AskFileName(this, FileFilterKind::JavaClasses);
    if (!name.isEmpty())
        CodeBaseEdit->setText(FolderOfFileName(name));
}

NameValueList TJavaAppletDlg::appletValues() const
{
    NameValueList values;
    values.set(QStringLiteral("code"), AppletClassFile(OneLine(CodeEdit->text()).trimmed()));
    values.set(QStringLiteral("name"), NameEdit->text());
    values.set(QStringLiteral("width"), QString::number(WidthEdit->value(0)));
    values.set(QStringLiteral("height"), QString::number(HeightEdit->value(0)));
    values.set(QStringLiteral("align"), ImageAlignValue(ALIGNgroupbox->itemIndex()));
    if (CodeBaseChkBox->isChecked())
        values.set(QStringLiteral("codeBase"), CodeBaseEdit->text().trimmed());
    if (AltChkBox->isChecked())
        values.set(QStringLiteral("alt"), AltEdit->text());
    if (VSpaceChkBox->isChecked())
        values.set(QStringLiteral("vspace"), QString::number(VSpaceEdit->value(1)));
    if (HSpaceChkBox->isChecked())
        values.set(QStringLiteral("hspace"), QString::number(HSpaceEdit->value(1)));
    return values;
}

NameValueList TJavaAppletDlg::parameterValues() const
{
    return {{QStringLiteral("name"), ParamNameEdit->text()}, {QStringLiteral("value"), ParamValueEdit->text()}};
}

void JavaApplet1Click(TextDocument &document)
{
    TJavaAppletDlg dialog(TJavaAppletDlg::AppletPage, document.window());
    RunThenWrite(dialog, [&] {
        NameValueList values = dialog.appletValues();
        // Asked before anything is written: the answer may save the document.
        const QString codeBase = values.value(QStringLiteral("codeBase"));
        if (!codeBase.isEmpty())
            values.set(QStringLiteral("codeBase"), MakeRelativePath(document, codeBase));
        InsertAppletTag(document, AppletElement, values);
    });
}

void JavaAppletParameter1Click(TextDocument &document)
{
    TJavaAppletDlg dialog(TJavaAppletDlg::ParameterPage, document.window());
    RunThenWrite(dialog, [&] { InsertAppletTag(document, AppletParameter, dialog.parameterValues()); });
}
