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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace {

// The rule list loads a rule only when the user picks it with the mouse or the
// keys; the current row also moves when the list gets the focus or loses a row,
// and loading then would overwrite what the user is typing.
class RuleList : public QListWidget
{
public:
    using QListWidget::QListWidget;
    std::function<void()> picked;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        QListWidget::mousePressEvent(event);
        QListWidgetItem *item = itemAt(event->position().toPoint());
        if (item && item == currentItem() && item->isSelected() && picked)
            picked();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const int before = currentRow();
        const bool wasSelected = currentItem() && currentItem()->isSelected();
        QListWidget::keyPressEvent(event);
        QListWidgetItem *item = currentItem();
        if (item && item->isSelected() && (currentRow() != before || !wasSelected) && picked)
            picked();
    }
};

// The first four ";"-separated fields of a rule line as they are written, and the rest.
struct RawFields
{
    QByteArray field[4];
    QByteArray keys;
};

RawFields splitRuleLine(const QByteArray &line)
{
    RawFields raw;
    qsizetype from = 0;
    for (int i = 0; i < 4; ++i) {
        const qsizetype semi = line.indexOf(';', from);
        if (semi < 0) {
            raw.field[i] = line.mid(from);
            return raw;
        }
        raw.field[i] = line.mid(from, semi - from);
        from = semi + 1;
    }
    raw.keys = line.mid(from);
    return raw;
}

// A rule line is one line of the file: a pasted line break would split it.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

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
    // The name is the first field of a ";"-separated line, and a line break would end the line.
    ruleName->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;\\r\\n]*")), ruleName));
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

    ColorButton1 = new ColorButton(mainPanel);
    ColorButton1->setObjectName(QStringLiteral("ColorButton1"));
    auto *colorLabel = new QLabel(QStringLiteral("Use this &color:"), mainPanel);
    colorLabel->setBuddy(ColorButton1);

    Label2 = new QLabel(QStringLiteral("For"), mainPanel);
    Label2->setObjectName(QStringLiteral("Label2"));
    keysEdit = new QLineEdit(mainPanel);
    keysEdit->setObjectName(QStringLiteral("keysEdit"));
    keysEdit->setAccessibleName(QStringLiteral("For (markers)"));
    keysEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\r\\n]*")), keysEdit));
    auto *label3 = new QLabel(QStringLiteral("NOTE: The markers are seperated with \";\". i.e: <HTML>;</HTML>"),
                              mainPanel);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setTextFormat(Qt::PlainText);

    zidx = new QSpinBox(mainPanel);
    zidx->setObjectName(QStringLiteral("zidx"));
    zidx->setRange(INT_MIN, INT_MAX);
    auto *zLabel = new QLabel(QStringLiteral("&Z-Index:"), mainPanel);
    zLabel->setBuddy(zidx);

    auto *ruleList = new RuleList(mainPanel);
    ruleList->picked = [this] { colorRulesListClick(); };
    colorRulesList = ruleList;
    colorRulesList->setAccessibleName(QStringLiteral("Rules"));
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
    QPushButton *clearBtn = button(mainPanel, "clearBtn", "Cl&ear");
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
    // A file that is not UTF-8 is read and written in Latin-1, so its keywords
    // keep matching the documents they were written for.
    m_latin1 = std::any_of(RuleLines().cbegin(), RuleLines().cend(),
                           [](const QByteArray &line) { return !QByteArrayView(line).isValidUtf8(); });
    m_loadedRow = -1;
    colorRulesList->clear();
    for (const QByteArray &line : RuleLines())
        colorRulesList->addItem(decode(RuleFieldName(line)));
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

QString TcolorWordsDlg::decode(QByteArrayView bytes) const
{
    return m_latin1 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
}

QByteArray TcolorWordsDlg::encode(const QString &text) const
{
    return m_latin1 ? text.toLatin1() : text.toUtf8();
}

void TcolorWordsDlg::colorRulesListClick()
{
    const int i = colorRulesList->currentRow();
    if (i < 0 || i >= RuleLines().size())
        return;
    m_loadedRow = i;
    const QByteArray &line = RuleLines()[i];
    ruleName->setText(decode(RuleFieldName(line)));
    const char type = RuleFieldType(line);
    if (type == 'k')
        chooseType(0);
    else if (type == 'm')
        chooseType(1);
    ColorButton1->setColorRef(HexToColor(RuleFieldColor(line)));
    zidx->setValue(RuleFieldZIndex(line));
    keysEdit->setText(decode(RuleFieldKeys(line)));
}

void TcolorWordsDlg::StoreRuleLine(int index)
{
    QList<QByteArray> &lines = RuleLines();
    const bool replacing = index >= 0 && index < lines.size();
    const QString name = oneLine(ruleName->text());
    const QString keys = oneLine(keysEdit->text());
    const int type = chosenType();
    const TColor color = ColorButton1->colorRef();

    // A field the user left as it was keeps its bytes, so an untouched rule is
    // written back exactly as the file had it ("Keyword", "red", "0257" and all).
    RawFields out;
    out.field[0] = encode(name);
    out.field[1] = type == 0 ? "k" : type == 1 ? "m" : "";
    out.field[2] = RuleColorToHex(color);
    out.field[3] = QByteArray::number(zidx->value());
    out.keys = encode(keys);
    if (replacing) {
        const QByteArray &old = lines[index];
        const RawFields raw = splitRuleLine(old);
        const char oldType = RuleFieldType(old);
        if (decode(raw.field[0]) == name)
            out.field[0] = raw.field[0];
        if ((type == 0 && oldType == 'k') || (type == 1 && oldType == 'm')
            || (type < 0 && oldType != 'k' && oldType != 'm'))
            out.field[1] = raw.field[1];
        if (HexToColor(RuleFieldColor(old)) == color)
            out.field[2] = raw.field[2];
        bool ok = false;
        if (RuleFieldZIndex(old, &ok) == zidx->value() && ok)
            out.field[3] = raw.field[3];
        if (decode(raw.keys) == keys)
            out.keys = raw.keys;
    }
    const QByteArray line = out.field[0] + ';' + out.field[1] + ';' + out.field[2] + ';' + out.field[3] + ';'
                            + out.keys;

    if (QListWidgetItem *item = colorRulesList->item(index))
        item->setText(name);
    if (replacing)
        lines[index] = line;
    else
        lines.append(line);
}

void TcolorWordsDlg::updateBtnClick()
{
    // Update and Remove act on the rule whose fields were loaded, whatever row is current now.
    if (m_loadedRow < 0 || m_loadedRow >= RuleLines().size())
        addBtnClick();
    else
        StoreRuleLine(m_loadedRow);
}

void TcolorWordsDlg::addBtnClick()
{
    colorRulesList->addItem(oneLine(ruleName->text()));
    StoreRuleLine(colorRulesList->count() - 1);
}

void TcolorWordsDlg::removeBtnClick()
{
    const int i = m_loadedRow;
    if (i < 0 || i >= colorRulesList->count())
        return;
    m_loadedRow = -1;
    delete colorRulesList->takeItem(i);
    colorRulesList->setCurrentRow(-1);
    colorRulesList->clearSelection();
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
