#include "app/SearchDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addStretch();
    left->addWidget(m_matchCase);

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
    return {findText(), replaceText(), matchCase()};
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
