#include "tags/FormElementsDlg.h"
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
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Text that is not a number counts as the field's lower limit.
QString number(const NumberEdit *edit)
{
    return QString::number(edit->value(edit->minimum()));
}

// The page of each element; reset and submit share one.
int pageOf(FormElement element)
{
    switch (element) {
    case FormElement::Form:
        return 0;
    case FormElement::CheckBox:
        return 1;
    case FormElement::Hidden:
        return 2;
    case FormElement::Image:
        return 3;
    case FormElement::Password:
        return 4;
    case FormElement::Radio:
        return 5;
    case FormElement::Reset:
    case FormElement::Submit:
        return 6;
    case FormElement::Text:
        return 7;
    case FormElement::TextAreaInput:
        return 8;
    case FormElement::TextAreaElement:
        return 9;
    case FormElement::Select:
        return 10;
    case FormElement::Option:
        return 11;
    }
    return 0;
}

QString tabTitle(FormElement element)
{
    switch (element) {
    case FormElement::Form:
        return QStringLiteral("Form");
    case FormElement::CheckBox:
        return QStringLiteral("Check Box");
    case FormElement::Hidden:
        return QStringLiteral("Hidden");
    case FormElement::Image:
        return QStringLiteral("Image");
    case FormElement::Password:
        return QStringLiteral("Password");
    case FormElement::Radio:
        return QStringLiteral("Radio");
    case FormElement::Reset:
        return QStringLiteral("Reset");
    case FormElement::Submit:
        return QStringLiteral("Submit");
    case FormElement::Text:
        return QStringLiteral("Text Box");
    case FormElement::TextAreaInput:
        return QStringLiteral("Text Area");
    case FormElement::TextAreaElement:
        return QStringLiteral("Text Area Element");
    case FormElement::Select:
        return QStringLiteral("Select List");
    case FormElement::Option:
        return QStringLiteral("Select List Item");
    }
    return QString();
}

bool usesName(FormElement element)
{
    return element != FormElement::Option;
}

// The elements whose VALUE comes from the value field (check box and radio have their own group).
bool usesValueField(FormElement element)
{
    switch (element) {
    case FormElement::Hidden:
    case FormElement::Reset:
    case FormElement::Submit:
    case FormElement::Text:
    case FormElement::TextAreaInput:
        return true;
    default:
        return false;
    }
}

QWidget *page(const char *name, QLayout *content)
{
    auto *sheet = named(new QWidget, name);
    auto *layout = new QVBoxLayout(sheet);
    if (content)
        layout->addLayout(content);
    layout->addStretch(1);
    return sheet;
}

QFormLayout *formLayout()
{
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

// Two number fields side by side on one row, as the size pages show them.
QFormLayout *numberPair(const char *firstCaption, NumberEdit *first, const char *secondCaption, NumberEdit *second)
{
    auto *form = formLayout();
    form->addRow(QString::fromLatin1(firstCaption), first);
    form->addRow(QString::fromLatin1(secondCaption), second);
    return form;
}
}  // namespace

TFormElementsDlg::TFormElementsDlg(FormElement element, QWidget *parent) : QDialog(parent), m_element(element)
{
    setObjectName(QStringLiteral("FormElementsDlg"));
    setWindowTitle(QStringLiteral("Form elements dialog"));
    m_pages = named(new QTabWidget(this), "PageControl1");

    NameGroup = named(new QGroupBox(QStringLiteral("&Name")), "NameGroup");
    NameEdit = named(new QLineEdit, "NameEdit");
    (new QVBoxLayout(NameGroup))->addWidget(NameEdit);
    ValueGroup = named(new QGroupBox(QStringLiteral("&Value")), "ValueGroup");
    ValueEdit = named(new QLineEdit, "ValueEdit");
    (new QVBoxLayout(ValueGroup))->addWidget(ValueEdit);

    // form
    Form_ActionEdit = named(new QLineEdit, "Form_ActionEdit");
    Form_ActionEdit->setAccessibleName(QStringLiteral("Action"));
    auto *actionButton = named(new QPushButton(QStringLiteral("URL &Wizard...")), "Form_ActionURLButton");
    ConnectUrlWizard(actionButton, Form_ActionEdit);
    Form_MethodGroup = named(new RadioGroup(QStringLiteral("Method"), FormMethodItems()), "Form_MethodGroup");
    Form_MethodGroup->setItemIndex(0);
    auto *formPage = formLayout();
    auto *actionRow = new QHBoxLayout;
    actionRow->addWidget(Form_ActionEdit, 1);
    actionRow->addWidget(actionButton);
    formPage->addRow(QStringLiteral("Action"), actionRow);
    formPage->addRow(Form_MethodGroup);

    // check box
    CheckBox_ValueGroup = named(new RadioGroup(QStringLiteral("&Value"), CheckBoxValueItems()), "CheckBox_ValueGroup");
    CheckBox_ValueGroup->setItemIndex(0);
    auto *checkBoxPage = new QVBoxLayout;
    checkBoxPage->addWidget(CheckBox_ValueGroup);

    // image
    Image_SRCEdit = named(new QLineEdit, "Image_SRCEdit");
    Image_SRCEdit->setAccessibleName(QStringLiteral("SRC"));
    auto *srcButton = named(new QPushButton(QStringLiteral("&Browse...")), "SRCButton");
    auto *srcButton2 = named(new QPushButton(QStringLiteral("URL &Wizard")), "SRCButton2");
    connect(srcButton, &QPushButton::clicked, this, &TFormElementsDlg::SRCButtonClick);
    ConnectUrlWizard(srcButton2, Image_SRCEdit);
    Image_AlignGroup = named(new RadioGroup(QStringLiteral("Alignment"), ImageAlignItems(), 3), "Image_AlignGroup");
    Image_AlignGroup->setItemIndex(0);
    image_borderEdit = numberEdit(nullptr, "image_borderEdit", 0, 99999, 0);
    auto *imagePage = formLayout();
    auto *srcRow = new QHBoxLayout;
    srcRow->addWidget(Image_SRCEdit, 1);
    srcRow->addWidget(srcButton);
    srcRow->addWidget(srcButton2);
    imagePage->addRow(QStringLiteral("SRC"), srcRow);
    imagePage->addRow(Image_AlignGroup);
    imagePage->addRow(QStringLiteral("Border:"), image_borderEdit);

    // password, text, text area input: size and max length within 1 to 999
    Password_SizeEdit = numberEdit(nullptr, "Password_SizeEdit", 1, 999, 1);
    Password_MaxlengthEdit = numberEdit(nullptr, "Password_MaxlengthEdit", 1, 999, 1);
    Text_SizeEdit = numberEdit(nullptr, "Text_SizeEdit", 1, 999, 1);
    Text_MaxLengthEdit = numberEdit(nullptr, "Text_MaxLengthEdit", 1, 999, 1);
    TextArea_SizeEdit = numberEdit(nullptr, "TextArea_SizeEdit", 1, 999, 1);
    TextArea_MaxLengthEdit = numberEdit(nullptr, "TextArea_MaxLengthEdit", 1, 999, 1);

    // radio
    Radio_ValueGroup = named(new RadioGroup(QStringLiteral("&Value"), RadioValueItems()), "Radio_ValueGroup");
    Radio_ValueGroup->setItemIndex(0);
    auto *radioPage = new QVBoxLayout;
    radioPage->addWidget(Radio_ValueGroup);

    // text area element
    TextArea2_RowsEdit = numberEdit(nullptr, "TextArea2_RowsEdit", 1, 999, 1);
    TextArea2_ColsEdit = numberEdit(nullptr, "TextArea2_ColsEdit", 1, 999, 1);
    TextArea2_WrapGroup = named(new RadioGroup(QStringLiteral("&Wrap"), TextAreaWrapItems()), "TextArea2_WrapGroup");
    TextArea2_WrapGroup->setItemIndex(0);
    auto *textArea2Page = numberPair("Rows", TextArea2_RowsEdit, "Cols", TextArea2_ColsEdit);
    textArea2Page->addRow(TextArea2_WrapGroup);

    // select
    Select_MultipileChkBox = named(new QCheckBox(QStringLiteral("&Multipile Select")), "Select_MultipileChkBox");
    Select_SizeEdit = numberEdit(nullptr, "Select_SizeEdit", 1, 999, 1);
    auto *selectPage = formLayout();
    selectPage->addRow(Select_MultipileChkBox);
    selectPage->addRow(QStringLiteral("Size"), Select_SizeEdit);

    // option
    Option_SelectedChkBox = named(new QCheckBox(QStringLiteral("&Selected")), "Option_SelectedChkBox");
    auto *optionPage = new QVBoxLayout;
    optionPage->addWidget(Option_SelectedChkBox);

    const struct
    {
        const char *name;
        QLayout *content;
        const char *tab;
    } sheets[] = {
        {"FormSheet", formPage, "Form"},
        {"CheckBoxSheet", checkBoxPage, "Check Box"},
        {"HiddenSheet", nullptr, "Hidden"},
        {"ImageSheet", imagePage, "Image"},
        {"PasswordSheet", numberPair("Size", Password_SizeEdit, "MaxLength", Password_MaxlengthEdit), "Password"},
        {"RadioSheet", radioPage, "Radio"},
        {"ResetSubmitSheet", nullptr, "Reset / Submit"},
        {"TextSheet", numberPair("Size", Text_SizeEdit, "MaxLength", Text_MaxLengthEdit), "Text Box"},
        {"TextAreaSheet", numberPair("Size", TextArea_SizeEdit, "MaxLength", TextArea_MaxLengthEdit), "Text Area"},
        {"TextArea2Sheet", textArea2Page, "Text Area Element"},
        {"SelectSheet", selectPage, "Select List"},
        {"OptionSheet", optionPage, "Select List Item"},
    };
    for (const auto &sheet : sheets)
        m_pages->addTab(page(sheet.name, sheet.content), QString::fromLatin1(sheet.tab));

    // The name and value fields go at the top of the one page shown, and only
    // when the element writes what is typed into them.
    const int shown = pageOf(element);
    auto *shownLayout = static_cast<QVBoxLayout *>(m_pages->widget(shown)->layout());
    shownLayout->insertWidget(0, ValueGroup);
    shownLayout->insertWidget(0, NameGroup);
    NameGroup->setVisible(usesName(element));
    ValueGroup->setVisible(usesValueField(element));
    m_pages->setTabText(shown, tabTitle(element));
    ShowOnlyPage(m_pages, shown);

    auto *buttons = OkCancelButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    if (usesName(element))
        NameEdit->setFocus();
    else
        Option_SelectedChkBox->setFocus();
}

void TFormElementsDlg::SRCButtonClick()
{
    // A cancelled file dialog keeps what the user typed.
    const QString name = AskFileName(this, FileFilterKind::Pictures);
    if (!name.isEmpty())
        Image_SRCEdit->setText(name);
}

NameValueList TFormElementsDlg::values() const
{
    NameValueList v;
    if (usesName(m_element))
        v.set(QStringLiteral("name"), NameEdit->text());
    if (usesValueField(m_element))
        v.set(QStringLiteral("value"), ValueEdit->text());
    switch (m_element) {
    case FormElement::Form:
        v.set(QStringLiteral("method"),
              ChoiceValue(Form_MethodGroup->itemIndex(), QString::fromLatin1(FormMethodValues)));
        v.set(QStringLiteral("action"), Form_ActionEdit->text());
        break;
    case FormElement::CheckBox:
        v.set(QStringLiteral("value"),
              ChoiceValue(CheckBox_ValueGroup->itemIndex(), QString::fromLatin1(CheckBoxValues)));
        break;
    case FormElement::Radio:
        v.set(QStringLiteral("value"), ChoiceValue(Radio_ValueGroup->itemIndex(), QString::fromLatin1(RadioValues)));
        break;
    case FormElement::Image:
        v.set(QStringLiteral("border"), number(image_borderEdit));
        v.set(QStringLiteral("src"), Image_SRCEdit->text());
        v.set(QStringLiteral("align"), ImageAlignValue(Image_AlignGroup->itemIndex()));
        break;
    case FormElement::Password:
        v.set(QStringLiteral("size"), number(Password_SizeEdit));
        v.set(QStringLiteral("maxlength"), number(Password_MaxlengthEdit));
        break;
    case FormElement::Text:
        v.set(QStringLiteral("size"), number(Text_SizeEdit));
        v.set(QStringLiteral("maxlength"), number(Text_MaxLengthEdit));
        break;
    case FormElement::TextAreaInput:
        v.set(QStringLiteral("size"), number(TextArea_SizeEdit));
        v.set(QStringLiteral("maxlength"), number(TextArea_MaxLengthEdit));
        break;
    case FormElement::TextAreaElement:
        v.set(QStringLiteral("rows"), number(TextArea2_RowsEdit));
        v.set(QStringLiteral("cols"), number(TextArea2_ColsEdit));
        v.set(QStringLiteral("wrap"),
              ChoiceValue(TextArea2_WrapGroup->itemIndex(), QString::fromLatin1(TextAreaWrapValues)));
        break;
    case FormElement::Select:
        v.set(QStringLiteral("size"), number(Select_SizeEdit));
        if (Select_MultipileChkBox->isChecked())
            v.set(QStringLiteral("multiple"), QStringLiteral("true"));
        break;
    case FormElement::Option:
        if (Option_SelectedChkBox->isChecked())
            v.set(QStringLiteral("selected"), QStringLiteral("true"));
        break;
    case FormElement::Hidden:
    case FormElement::Reset:
    case FormElement::Submit:
        break;
    }
    return v;
}

void InsertFormElement(TextDocument &document, FormElement element)
{
    TFormElementsDlg dialog(element, document.window());
    RunThenWrite(dialog, [&] {
        NameValueList values = dialog.values();
        // Asked before anything is written: the answer may save the document.
        if (values.has(QStringLiteral("src")))
            values.set(QStringLiteral("src"), MakeRelativePath(document, values.value(QStringLiteral("src"))));
        const FormMarkupText text = FormElementMarkup(element, values);
        InsertTagPair(document, text.start, text.end);
    });
}
