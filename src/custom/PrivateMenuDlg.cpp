#include "custom/PrivateMenuDlg.h"

#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "tags/AttributeHelpers.h"
#include "widgets/DialogParts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
struct Predefined
{
    const char16_t *name;
    const char *open;
};
// In list order; names 169 and 174 are the copyright and registered signs.
constexpr Predefined PredefinedCharacters[] = {
    {u"\"", "&quot;"},     {u"&", "&amp;"},       {u"<", "&lt;"}, {u">", "&gt;"}, {u"non-breaking space", "&nbsp;"},
    {u"\u00A9", "&#169;"}, {u"\u00AE", "&#174;"},
};

// Plain radio buttons named prefix0, prefix1, ... in a column of the box: the
// names are the ones the dialog has always had (a RadioGroup names its items item0, ...).
QButtonGroup *radioColumn(QGroupBox *box, const QStringList &captions, const QString &namePrefix)
{
    auto *group = new QButtonGroup(box);
    auto *column = new QVBoxLayout(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto *radio = new QRadioButton(captions.at(i), box);
        radio->setObjectName(namePrefix + QString::number(i));
        group->addButton(radio, i);
        column->addWidget(radio);
    }
    return group;
}

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
}  // namespace

TprivateMenuFrm::TprivateMenuFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("privateMenuFrm"));
    setWindowTitle(QStringLiteral("Edit Private menu"));
    setWindowFlag(Qt::Tool);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("tags"));
    m_list->setAccessibleName(QStringLiteral("Menu items"));
    m_preTags = new QListWidget(this);
    m_preTags->setObjectName(QStringLiteral("preTags"));
    m_preTags->setAccessibleName(QStringLiteral("Predefined tags"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("tagName"));
    m_open = new QPlainTextEdit(this);
    m_open->setObjectName(QStringLiteral("tagOpen"));
    m_close = new QPlainTextEdit(this);
    m_close->setObjectName(QStringLiteral("tagClose"));
    for (QPlainTextEdit *memo : {m_open, m_close}) {
        memo->setTabChangesFocus(true);
        memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 3 + 12);
    }

    m_layout1Box = new QGroupBox(QStringLiteral("If there is text selected, "), this);
    m_layout1Box->setObjectName(QStringLiteral("Layout1"));
    m_layout1 = radioColumn(m_layout1Box, {QStringLiteral("a&dd the tags around it:"), QStringLiteral("&replace it.")},
                            QStringLiteral("Layout1_"));
    m_layout2Box = new QGroupBox(this);
    m_layout2Box->setObjectName(QStringLiteral("layout2"));
    auto *pictures = new QGridLayout(m_layout2Box);
    m_layout2 = new QButtonGroup(m_layout2Box);
    m_picture0 = new QPlainTextEdit(m_layout2Box);
    m_picture0->setObjectName(QStringLiteral("layout2_1"));
    m_picture0->setAccessibleName(QStringLiteral("Tags on lines of their own"));
    m_picture0->setReadOnly(true);
    m_picture0->setFixedHeight(m_picture0->fontMetrics().lineSpacing() * 3 + 12);
    m_picture1 = new QLineEdit(m_layout2Box);
    m_picture1->setObjectName(QStringLiteral("layout2_2"));
    m_picture1->setAccessibleName(QStringLiteral("Tags on one line"));
    m_picture1->setReadOnly(true);
    for (int i = 0; i < 2; ++i) {
        auto *radio = new QRadioButton(m_layout2Box);
        radio->setObjectName(QStringLiteral("layout2_%1").arg(i) + QStringLiteral("Btn"));
        // The example beside it says what the choice is.
        radio->setAccessibleName(i == 0 ? QStringLiteral("Tags on lines of their own")
                                        : QStringLiteral("Tags on one line"));
        m_layout2->addButton(radio, i);
        pictures->addWidget(radio, i, 0, Qt::AlignTop);
    }
    pictures->addWidget(m_picture0, 0, 1);
    pictures->addWidget(m_picture1, 1, 1);

    auto *addBtn = button(QStringLiteral("&Add"), "addBtn", this);
    auto *updateBtn = button(QStringLiteral("&Update"), "updateBtn", this);
    updateBtn->setDefault(true);
    auto *removeBtn = button(QStringLiteral("Re&move"), "removeBtn", this);
    auto *okBtn = button(QStringLiteral("OK"), "BitBtn1", this);
    auto *cancelBtn = button(QStringLiteral("Cancel"), "BitBtn2", this);

    auto *left = new QVBoxLayout;
    left->addWidget(labelFor(QStringLiteral("Private &tags:"), m_list, this));
    left->addWidget(m_list, 2);
    left->addWidget(labelFor(QStringLiteral("Pr&edefined special characters:"), m_preTags, this));
    left->addWidget(m_preTags, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(labelFor(QStringLiteral("Tag &name"), m_name, this));
    right->addWidget(m_name);
    right->addWidget(labelFor(QStringLiteral("&Openning tag"), m_open, this));
    right->addWidget(m_open);
    right->addWidget(labelFor(QStringLiteral("&Closing tag"), m_close, this));
    right->addWidget(m_close);
    right->addWidget(m_layout1Box);
    right->addWidget(m_layout2Box);
    auto *editButtons = new QHBoxLayout;
    editButtons->addWidget(addBtn);
    editButtons->addWidget(updateBtn);
    editButtons->addWidget(removeBtn);
    right->addLayout(editButtons);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto *closeButtons = new QHBoxLayout;
    closeButtons->addStretch(1);
    closeButtons->addWidget(okBtn);
    closeButtons->addWidget(cancelBtn);
    auto *main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addLayout(closeButtons);

    connect(m_list, &QListWidget::itemClicked, this, &TprivateMenuFrm::tagsClick);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            tagsClick();
    });
    connect(m_preTags, &QListWidget::itemClicked, this, &TprivateMenuFrm::preTagsClick);
    connect(m_open, &QPlainTextEdit::textChanged, this, &TprivateMenuFrm::tagOpenChange);
    connect(m_close, &QPlainTextEdit::textChanged, this, &TprivateMenuFrm::tagOpenChange);
    connect(m_layout1, &QButtonGroup::idClicked, this, &TprivateMenuFrm::Layout1Click);
    connect(m_layout2, &QButtonGroup::idClicked, this, &TprivateMenuFrm::layout2Click);
    connect(addBtn, &QPushButton::clicked, this, &TprivateMenuFrm::addBtnClick);
    connect(updateBtn, &QPushButton::clicked, this, &TprivateMenuFrm::updateBtnClick);
    connect(removeBtn, &QPushButton::clicked, this, &TprivateMenuFrm::removeBtnClick);
    connect(okBtn, &QPushButton::clicked, this, &TprivateMenuFrm::BitBtn1Click);
    connect(cancelBtn, &QPushButton::clicked, this, &TprivateMenuFrm::BitBtn2Click);

    FormCreate();
}

void TprivateMenuFrm::FormCreate()
{
    m_tags = PrivateTags();
    fillList();
    m_preTags->clear();
    for (const Predefined &p : PredefinedCharacters)
        m_preTags->addItem(QString::fromUtf16(p.name));
    m_layout1->button(0)->setChecked(true);
    m_layout2->button(1)->setChecked(true);
    tagOpenChange();
    Layout1Click();
}

void TprivateMenuFrm::fillList()
{
    const int row = m_list->currentRow();
    const QSignalBlocker block(m_list);
    m_list->clear();
    m_rowRecords.clear();
    for (int i = 0; i < PrivateTagLimits::Count; ++i) {
        if (!m_tags[size_t(i)].isUsed())
            continue;
        m_list->addItem(m_tags[size_t(i)].name);
        m_rowRecords.append(i);
    }
    if (row >= 0 && row < m_list->count())
        m_list->setCurrentRow(row);
}

void TprivateMenuFrm::showLayout(int layout)
{
    m_layout1->button(layout == 2 ? 1 : 0)->setChecked(true);
    m_layout2->button(layout == 1 ? 1 : 0)->setChecked(true);
    Layout1Click();
}

void TprivateMenuFrm::tagsClick()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_rowRecords.size())
        return;
    const PrivateTag &tag = m_tags[size_t(m_rowRecords.at(row))];
    m_name->setText(tag.name);
    // The memos break lines with LF; the records keep CR LF.
    m_open->setPlainText(QString(tag.open).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_close->setPlainText(QString(tag.close).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    showLayout(tag.layout);
}

void TprivateMenuFrm::preTagsClick()
{
    const int row = m_preTags->currentRow();
    if (row < 0 || row >= int(std::size(PredefinedCharacters)))
        return;
    m_name->setText(QString::fromUtf16(PredefinedCharacters[row].name));
    m_open->setPlainText(QString::fromLatin1(PredefinedCharacters[row].open));
    m_close->clear();
    showLayout(1);
}

void TprivateMenuFrm::tagOpenChange()
{
    const QString open = m_open->toPlainText();
    const QString close = m_close->toPlainText();
    m_picture0->setPlainText(open + QLatin1Char('\n') + QStringLiteral("Selected text") + QLatin1Char('\n') + close);
    m_picture1->setText(open + QStringLiteral("Selected text") + close);
}

void TprivateMenuFrm::Layout1Click()
{
    const bool around = m_layout1->checkedId() != 1;
    m_layout2Box->setEnabled(around);
    if (around) {
        layout2Click();
    } else {
        m_picture0->setEnabled(false);
        m_picture1->setEnabled(false);
    }
}

void TprivateMenuFrm::layout2Click()
{
    const bool own = m_layout2->checkedId() == 0;
    m_picture0->setEnabled(own);
    m_picture1->setEnabled(!own);
}

void TprivateMenuFrm::StorePrivateTag(int index)
{
    PrivateTag &tag = m_tags[size_t(index)];
    // Kept exactly as the file will give them back.
    tag.name = StoredPrivateText(m_name->text());
    tag.open = StoredPrivateText(WithCRLF(m_open->toPlainText()));
    tag.close = StoredPrivateText(WithCRLF(m_close->toPlainText()));
    tag.layout = m_layout1->checkedId() == 1 ? 2 : (m_layout2->checkedId() == 0 ? 0 : 1);
}

bool TprivateMenuFrm::nameGiven()
{
    // A record without a name is a free one: storing it would lose the snippet
    // and shift the list against the records.
    if (!StoredPrivateText(m_name->text()).isEmpty())
        return true;
    QApplication::beep();
    m_name->setFocus();
    return false;
}

void TprivateMenuFrm::addBtnClick()
{
    int free = -1;
    for (int i = 0; i < PrivateTagLimits::Count && free < 0; ++i)
        if (!m_tags[size_t(i)].isUsed())
            free = i;
    if (free < 0) {
        ShowFileMessage(MaximumPrivateTags, QString(), this);
        return;
    }
    if (!nameGiven())
        return;
    StorePrivateTag(free);
    fillList();
}

void TprivateMenuFrm::updateBtnClick()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_rowRecords.size() || m_list->selectedItems().isEmpty()) {
        addBtnClick();
        return;
    }
    if (!nameGiven())
        return;
    StorePrivateTag(m_rowRecords.at(row));
    fillList();
}

void TprivateMenuFrm::removeBtnClick()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_rowRecords.size() || m_list->selectedItems().isEmpty())
        return;
    const int index = m_rowRecords.at(row);
    for (int i = index; i + 1 < PrivateTagLimits::Count; ++i)
        m_tags[size_t(i)] = m_tags[size_t(i + 1)];
    m_tags[PrivateTagLimits::Count - 1] = PrivateTag();
    m_list->setCurrentRow(-1);
    fillList();
}

void TprivateMenuFrm::BitBtn1Click()
{
    const QString fileName = privateMenuFileName ? privateMenuFileName() : PrivateMenuFileName();
    QString reason;
    if (!WritePrivateTagsFile(fileName, m_tags, &reason)) {
        // Nothing is taken over: the dialog stays open with the changes, to retry or cancel.
        Prompts::instance().messageWithDetail(this, QStringLiteral("Error"),
                                              QStringLiteral("Cannot create file %1").arg(fileName), reason,
                                              QMessageBox::Critical, QMessageBox::Ok);
        return;
    }
    PrivateTags() = m_tags;
    Prompts::instance().message(this, QStringLiteral("Information"),
                                QStringLiteral("Changes will not take effect until you reopen the document."),
                                QMessageBox::Information, QMessageBox::Ok);
    accept();
}

void TprivateMenuFrm::BitBtn2Click()
{
    reject();
}

void RunPrivateMenuDialog(QWidget *parent)
{
    TprivateMenuFrm dialog(parent);
    Prompts::instance().runModal(&dialog);
}
