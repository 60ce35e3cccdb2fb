#include "app/SearchDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

SearchDialog::SearchDialog(Kind kind, QWidget *parent) : QDialog(parent), m_kind(kind)
{
    const bool replace = kind == Replace;
    setObjectName(replace ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
    setWindowTitle(replace ? tr("Replace") : tr("Find"));
    setModal(false);

    auto *fields = new QGridLayout;
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("FindEdit"));
    auto *findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(m_findEdit);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findEdit, 0, 1);
    if (replace) {
        m_replaceEdit = new QLineEdit(this);
        m_replaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
        auto *replaceLabel = new QLabel(tr("Re&place with:"), this);
        replaceLabel->setBuddy(m_replaceEdit);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(m_replaceEdit, 1, 1);
    }
    m_matchCase = new QCheckBox(tr("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCaseChk"));
    m_wholeWord = new QCheckBox(tr("Whole &word"), this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWordChk"));
    m_regex = new QCheckBox(tr("Regular e&xpression"), this);
    m_regex->setObjectName(QStringLiteral("RegexChk"));
    auto *options = new QVBoxLayout;
    options->addWidget(m_matchCase);
    options->addWidget(m_wholeWord);
    options->addWidget(m_regex);
    if (replace) {
        m_inSelection = new QCheckBox(tr("In &selection"), this);
        m_inSelection->setObjectName(QStringLiteral("InSelectionChk"));
        m_inSelection->setVisible(false);
        options->addWidget(m_inSelection);
    }
    auto *direction = new QGroupBox(tr("Direction"), this);
    direction->setObjectName(QStringLiteral("DirectionGrp"));
    m_up = new QRadioButton(tr("&Up"), direction);
    m_up->setObjectName(QStringLiteral("UpBtn"));
    m_down = new QRadioButton(tr("&Down"), direction);
    m_down->setObjectName(QStringLiteral("DownBtn"));
    m_down->setChecked(true);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);
    auto *optionRow = new QHBoxLayout;
    optionRow->addLayout(options);
    optionRow->addStretch();
    optionRow->addWidget(direction, 0, Qt::AlignBottom);

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addStretch();
    left->addLayout(optionRow);
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{m_wholeWord, m_regex, m_up})
        connect(b, &QAbstractButton::toggled, this, &SearchDialog::optionsChanged);

    auto *buttons = new QVBoxLayout;
    m_findNextBtn = new QPushButton(tr("&Find Next"), this);
    m_findNextBtn->setObjectName(QStringLiteral("FindNextBtn"));
    m_findNextBtn->setDefault(true);
    buttons->addWidget(m_findNextBtn);
    connect(m_findNextBtn, &QPushButton::clicked, this, &SearchDialog::findNextPressed);
    if (replace) {
        m_replaceBtn = new QPushButton(tr("&Replace"), this);
        m_replaceBtn->setObjectName(QStringLiteral("ReplaceBtn"));
        m_replaceAllBtn = new QPushButton(tr("Replace &All"), this);
        m_replaceAllBtn->setObjectName(QStringLiteral("ReplaceAllBtn"));
        buttons->addWidget(m_replaceBtn);
        buttons->addWidget(m_replaceAllBtn);
        connect(m_replaceBtn, &QPushButton::clicked, this, [this] { emit replacePressed(false); });
        connect(m_replaceAllBtn, &QPushButton::clicked, this, [this] { emit replacePressed(true); });
    }
    auto *cancelBtn = new QPushButton(tr("Cancel"), this);
    cancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancelBtn);
    buttons->addStretch();

    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(m_findEdit, &QLineEdit::textChanged, this, &SearchDialog::updateButtons);
    updateButtons();
}

void SearchDialog::updateButtons()
{
    const bool any = !m_findEdit->text().isEmpty();
    m_findNextBtn->setEnabled(any);
    if (m_replaceBtn) {
        m_replaceBtn->setEnabled(any);
        m_replaceAllBtn->setEnabled(any);
    }
}

SearchQuery SearchDialog::query() const
{
    return {findText(), replaceText(), matchCase(), wholeWord(), regex(), up(), inSelection()};
}

bool SearchDialog::wholeWord() const
{
    return m_wholeWord->isChecked();
}

void SearchDialog::setWholeWord(bool on)
{
    m_wholeWord->setChecked(on);
}

bool SearchDialog::regex() const
{
    return m_regex->isChecked();
}

void SearchDialog::setRegex(bool on)
{
    m_regex->setChecked(on);
}

bool SearchDialog::up() const
{
    return m_up->isChecked();
}

void SearchDialog::setUp(bool on)
{
    (on ? m_up : m_down)->setChecked(true);
}

bool SearchDialog::inSelection() const
{
    return m_inSelection && !m_inSelection->isHidden() && m_inSelection->isChecked();
}

void SearchDialog::setSelectionActive(bool active)
{
    if (m_inSelection)
        m_inSelection->setVisible(active);
}

void SearchDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}

QString SearchDialog::findText() const
{
    return m_findEdit->text();
}

void SearchDialog::setFindText(const QString &text)
{
    m_findEdit->setText(text);
}

QString SearchDialog::replaceText() const
{
    return m_replaceEdit ? m_replaceEdit->text() : QString();
}

void SearchDialog::setReplaceText(const QString &text)
{
    if (m_replaceEdit)
        m_replaceEdit->setText(text);
}

bool SearchDialog::matchCase() const
{
    return m_matchCase->isChecked();
}

void SearchDialog::setMatchCase(bool on)
{
    m_matchCase->setChecked(on);
}

void SearchDialog::present()
{
    show();
    raise();
    activateWindow();
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}
