#include "editor/ColorRulesDlg.h"

#include "editor/ColorMemo.h"
#include "editor/ColorRulesFile.h"
#include "editor/ColorText.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace {

// Rule lines are bytes; UTF-8 when they read as such, else Latin-1.
QString fromRuleBytes(QByteArrayView bytes)
{
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

} // namespace

TcolorWordsDlg::TcolorWordsDlg(QWidget *parent, EditorList editors) : QDialog(parent), m_editors(std::move(editors))
{
    setObjectName(QStringLiteral("colorWordsDlg"));
    setWindowTitle(QStringLiteral("Color Rules"));

    useColorRules = new QCheckBox(QStringLiteral("Use color rules"), this);
    useColorRules->setObjectName(QStringLiteral("useColorRules"));

    mainPanel = new QWidget(this);
    mainPanel->setObjectName(QStringLiteral("mainPanel"));

    ruleName = new QLineEdit(mainPanel);
    ruleName->setObjectName(QStringLiteral("ruleName"));
    // The name is the first field of a ";"-separated line.
    ruleName->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;]*")), ruleName));
    auto *nameLabel = new QLabel(QStringLiteral("Color rule &name:"), mainPanel);
    nameLabel->setBuddy(ruleName);

    auto *typeBox = new QGroupBox(QStringLiteral("&The rule is for"), mainPanel);
    typeBox->setObjectName(QStringLiteral("ruleTypeBox"));
    ruleType = new QButtonGroup(typeBox);
    ruleType->setObjectName(QStringLiteral("ruleType"));
    auto *typeLayout = new QVBoxLayout(typeBox);
    const char *const items[] = {"A keyword", "Text between two markers"};
    for (int i = 0; i < 2; ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(items[i]), typeBox);
        radio->setObjectName(QStringLiteral("ruleType%1").arg(i));
        ruleType->addButton(radio, i);
        typeLayout->addWidget(radio);
    }

    ColorButton1 = new TColorButton(mainPanel);
    ColorButton1->setObjectName(QStringLiteral("ColorButton1"));
    auto *colorLabel = new QLabel(QStringLiteral("Use this &color:"), mainPanel);
    colorLabel->setBuddy(ColorButton1);

    Label2 = new QLabel(QStringLiteral("For"), mainPanel);
    Label2->setObjectName(QStringLiteral("Label2"));
    keysEdit = new QLineEdit(mainPanel);
    keysEdit->setObjectName(QStringLiteral("keysEdit"));
    auto *label3 = new QLabel(QStringLiteral("NOTE: The markers are seperated with \";\". i.e: <HTML>;</HTML>"), mainPanel);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setTextFormat(Qt::PlainText);

    zidx = new QSpinBox(mainPanel);
    zidx->setObjectName(QStringLiteral("zidx"));
    zidx->setRange(INT_MIN, INT_MAX);
    auto *zLabel = new QLabel(QStringLiteral("&Z-Index:"), mainPanel);
    zLabel->setBuddy(zidx);

    colorRulesList = new QListWidget(mainPanel);
    colorRulesList->setObjectName(QStringLiteral("colorRulesList"));

    auto button = [](QWidget *owner, const char *name, const char *text) {
        auto *b = new QPushButton(QString::fromLatin1(text), owner);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *updateBtn = button(mainPanel, "updateBtn", "Update");
    updateBtn->setDefault(true);
    QPushButton *addBtn = button(mainPanel, "addBtn", "&Add");
    QPushButton *removeBtn = button(mainPanel, "removeBtn", "&Remove");
    QPushButton *clearBtn = button(mainPanel, "clearBtn", "&Clear");
    QPushButton *okBtn = button(this, "BitBtn1", "&OK");
    QPushButton *cancelBtn = button(this, "BitBtn2", "Cance&l");

    auto *fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(ruleName, 1, 0, 1, 2);
    fields->addWidget(typeBox, 2, 0, 1, 2);
    fields->addWidget(colorLabel, 3, 0);
    fields->addWidget(ColorButton1, 3, 1);
    fields->addWidget(Label2, 4, 0, 1, 2);
    fields->addWidget(keysEdit, 5, 0, 1, 2);
    fields->addWidget(label3, 6, 0, 1, 2);
    fields->addWidget(zLabel, 7, 0);
    fields->addWidget(zidx, 7, 1);
    auto *ruleButtons = new QHBoxLayout;
    for (QPushButton *b : {updateBtn, addBtn, removeBtn, clearBtn})
        ruleButtons->addWidget(b);
    auto *listSide = new QVBoxLayout;
    listSide->addWidget(colorRulesList);
    listSide->addLayout(ruleButtons);
    auto *panelLayout = new QHBoxLayout(mainPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addLayout(fields);
    panelLayout->addLayout(listSide, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(okBtn);
    bottom->addWidget(cancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(useColorRules);
    layout->addWidget(mainPanel);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(useColorRules, &QCheckBox::toggled, this, &TcolorWordsDlg::useColorRulesClick);
    connect(ruleType, &QButtonGroup::idClicked, this, &TcolorWordsDlg::ruleTypeClick);
    connect(colorRulesList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_quietList && row >= 0)
            colorRulesListClick();
    });
    connect(updateBtn, &QPushButton::clicked, this, &TcolorWordsDlg::updateBtnClick);
    connect(addBtn, &QPushButton::clicked, this, &TcolorWordsDlg::addBtnClick);
    connect(removeBtn, &QPushButton::clicked, this, &TcolorWordsDlg::removeBtnClick);
    connect(clearBtn, &QPushButton::clicked, this, &TcolorWordsDlg::clearBtnClick);
    connect(okBtn, &QPushButton::clicked, this, &TcolorWordsDlg::BitBtn1Click);
    connect(cancelBtn, &QPushButton::clicked, this, &TcolorWordsDlg::BitBtn2Click);

    FormCreate();
    FormShow();
}

void TcolorWordsDlg::FormCreate()
{
    m_quietList = true;
    colorRulesList->clear();
    for (const QByteArray &line : RuleLines())
        colorRulesList->addItem(fromRuleBytes(RuleFieldName(line)));
    m_quietList = false;
    useColorRules->setChecked(AppSettings().ColorTags);
    useColorRulesClick();
}

void TcolorWordsDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TcolorWordsDlg::FormShow()
{
    ruleName->clear();
    chooseType(-1);
    ColorButton1->setColorRef(0xFFFFFF);
    Label2->clear();
    keysEdit->clear();
    if (mainPanel->isEnabled())
        ruleName->setFocus();
    else
        useColorRules->setFocus();
}

void TcolorWordsDlg::clearBtnClick()
{
    FormShow();
}

void TcolorWordsDlg::useColorRulesClick()
{
    mainPanel->setEnabled(useColorRules->isChecked());
}

void TcolorWordsDlg::ruleTypeClick(int item)
{
    if (item == 0)
        Label2->setText(QStringLiteral("For the keyword below:"));
    else if (item == 1)
        Label2->setText(QStringLiteral("For text between the markers below:"));
}

int TcolorWordsDlg::chosenType() const
{
    return ruleType->checkedId();
}

void TcolorWordsDlg::chooseType(int item)
{
    if (item < 0) {
        ruleType->setExclusive(false);
        for (QAbstractButton *b : ruleType->buttons())
            b->setChecked(false);
        ruleType->setExclusive(true);
    } else if (QAbstractButton *b = ruleType->button(item)) {
        b->setChecked(true);
    }
}

void TcolorWordsDlg::colorRulesListClick()
{
    const int i = colorRulesList->currentRow();
    if (i < 0 || i >= RuleLines().size())
        return;
    const QByteArray &line = RuleLines()[i];
    ruleName->setText(fromRuleBytes(RuleFieldName(line)));
    const char type = RuleFieldType(line);
    if (type == 'k')
        chooseType(0);
    else if (type == 'm')
        chooseType(1);
    ColorButton1->setColorRef(HexToColor(RuleFieldColor(line)));
    zidx->setValue(RuleFieldZIndex(line));
    keysEdit->setText(fromRuleBytes(RuleFieldKeys(line)));
}

void TcolorWordsDlg::StoreRuleLine(int index)
{
    const int type = chosenType();
    const QByteArray line = ruleName->text().toUtf8() + ';' + (type == 0 ? "k" : type == 1 ? "m" : "") + ';'
                            + RuleColorToHex(ColorButton1->colorRef()) + ';' + QByteArray::number(zidx->value()) + ';'
                            + keysEdit->text().toUtf8();
    if (QListWidgetItem *item = colorRulesList->item(index))
        item->setText(ruleName->text());
    QList<QByteArray> &lines = RuleLines();
    if (index >= 0 && index < lines.size())
        lines[index] = line;
    else
        lines.append(line);
}

void TcolorWordsDlg::updateBtnClick()
{
    const int i = colorRulesList->currentRow();
    if (i < 0 || colorRulesList->selectedItems().isEmpty())
        addBtnClick();
    else
        StoreRuleLine(i);
}

void TcolorWordsDlg::addBtnClick()
{
    m_quietList = true;
    colorRulesList->addItem(ruleName->text());
    m_quietList = false;
    StoreRuleLine(colorRulesList->count() - 1);
}

void TcolorWordsDlg::removeBtnClick()
{
    const int i = colorRulesList->currentRow();
    if (i < 0 || colorRulesList->selectedItems().isEmpty())
        return;
    m_quietList = true;
    delete colorRulesList->takeItem(i);
    colorRulesList->clearSelection();
    m_quietList = false;
    if (i < RuleLines().size())
        RuleLines().removeAt(i);
}

void TcolorWordsDlg::BitBtn1Click()
{
    AppSettings().ColorTags = useColorRules->isChecked();
    const bool written = WriteColorRulesFile(this);
    const QList<TColorMemo *> editors = m_editors ? m_editors() : QList<TColorMemo *>();
    for (TColorMemo *memo : editors) {
        if (written) {
            ApplyColorRules(*memo, this);
        } else {
            // Reading the old file back would drop the edits just made.
            BuildDrawRules(RuleLines(), AppSettings().ColorTags, memo->ColorRules());
            memo->colorsChanged();
        }
    }
    accept();
}

void TcolorWordsDlg::BitBtn2Click()
{
    reject();
}

int RunColorRulesDialog(QWidget *parent, const TcolorWordsDlg::EditorList &editors)
{
    TcolorWordsDlg dialog(parent, editors);
    return Prompts::instance().runModal(&dialog);
}
