#include "custom/JsWizardDlg.h"

#include "custom/JsEntries.h"
#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "objects/FontsDlg.h"
#include "objects/TagNameScan.h"
#include "platform/Prompts.h"
#include "tags/TagInsertion.h"
#include "widgets/ColorButton.h"
#include "widgets/DialogParts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
ColorButton *whiteButton(const char *name)
{
    auto *button = named(new ColorButton, name);
    button->setColor(Qt::white);
    button->setMinimumWidth(80);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

JsRgb rgbOf(const ColorButton *button)
{
    const QColor c = button->hasColor() ? button->color() : QColor(Qt::white);
    return {c.red(), c.green(), c.blue()};
}

// A page of labelled fields, top-aligned.
QFormLayout *formPage(QWidget *page)
{
    auto *form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}
}  // namespace

TjsWiz::TjsWiz(TextDocument &document, QWidget *parent) : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("jsWiz"));
    setWindowTitle(QStringLiteral("Javascript Wizard"));

    auto *title = named(new QLabel(QStringLiteral("Javascript")), "Panel1");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAutoFillBackground(true);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::Window, QColor(0x20, 0x3a, 0x70));
    titlePalette.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(titlePalette);
    title->setContentsMargins(12, 8, 12, 8);

    pages = named(new QStackedWidget, "pages");
    pages->addWidget(scriptListPage());
    pages->addWidget(lastModifiedPage());
    pages->addWidget(scrollingButtonPage());
    pages->addWidget(fadePage());
    pages->addWidget(textFadePage());
    connect(pages, &QStackedWidget::currentChanged, this, &TjsWiz::pagesPageChanged);

    idx_itemdes = named(new QPlainTextEdit, "idx_itemdes");
    idx_itemdes->setAccessibleName(QStringLiteral("Description"));
    idx_itemdes->setReadOnly(true);
    idx_itemdes->setFocusPolicy(Qt::NoFocus);
    idx_itemdes->setFixedHeight(idx_itemdes->fontMetrics().lineSpacing() * 4 + 12);

    BackBtn = named(new QPushButton(QStringLiteral("Back")), "BackBtn");
    NextBtn = named(new QPushButton(QStringLiteral("Next")), "NextBtn");
    FinishBtn = named(new QPushButton(QStringLiteral("Finish")), "FinishBtn");
    CancelBtn = named(new QPushButton(QStringLiteral("Cancel")), "CancelBtn");
    NextBtn->setDefault(true);
    BackBtn->setEnabled(false);
    FinishBtn->setEnabled(false);
    connect(BackBtn, &QPushButton::clicked, this, &TjsWiz::BackBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TjsWiz::NextBtnClick);
    connect(FinishBtn, &QPushButton::clicked, this, &TjsWiz::FinishBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TjsWiz::CancelBtnClick);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BackBtn);
    buttons->addWidget(NextBtn);
    buttons->addWidget(FinishBtn);
    buttons->addSpacing(12);
    buttons->addWidget(CancelBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(pages, 1);
    layout->addWidget(idx_itemdes);
    layout->addLayout(buttons);
    // A fixed dialog: every page shows in the same frame.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

QWidget *TjsWiz::scriptListPage()
{
    auto *page = new QWidget;
    idx_items = named(new QListWidget, "idx_items");
    idx_items->setAccessibleName(QStringLiteral("Scripts"));
    idx_items->addItems(JsWizardScriptNames());
    idx_items->setCurrentRow(0);
    idx_items->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    // Keys move the selection too, so follow the current row, not only clicks.
    connect(idx_items, &QListWidget::currentRowChanged, this, &TjsWiz::idx_itemsClick);
    connect(idx_items, &QListWidget::itemDoubleClicked, this, &TjsWiz::NextBtnClick);
    auto *column = new QVBoxLayout(page);
    column->addWidget(labelFor(QStringLiteral("Script Name"), idx_items));
    column->addWidget(idx_items, 1);
    return page;
}

QWidget *TjsWiz::lastModifiedPage()
{
    auto *page = new QWidget;
    p0_align = named(new QComboBox, "p0_align");
    p0_align->addItems(
        {QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    p0_chooseFont = named(new QPushButton(QStringLiteral("Choose &Font")), "p0_chooseFont");
    p0_chooseFont->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(p0_chooseFont, &QPushButton::clicked, this, &TjsWiz::p0_chooseFontClick);
    QFormLayout *form = formPage(page);
    form->addRow(labelFor(QStringLiteral("&Alignment"), p0_align), p0_align);
    form->addRow(QString(), p0_chooseFont);
    return page;
}

QWidget *TjsWiz::scrollingButtonPage()
{
    auto *page = new QWidget;
    p1_text = named(new QLineEdit, "p1_text");
    p1_formName = named(new QComboBox, "p1_formName");
    p1_formName->setEditable(true);
    p1_formName->setInsertPolicy(QComboBox::NoInsert);
    p1_submitName = named(new QLineEdit, "p1_submitName");
    QFormLayout *form = formPage(page);
    form->addRow(labelFor(QStringLiteral("Text to scroll"), p1_text), p1_text);
    form->addRow(labelFor(QStringLiteral("Form name"), p1_formName), p1_formName);
    form->addRow(labelFor(QStringLiteral("Submit button name"), p1_submitName), p1_submitName);
    return page;
}

QWidget *TjsWiz::fadePage()
{
    auto *page = new QWidget;
    p2_fromColor = whiteButton("p2_fromColor");
    p2_toColor = whiteButton("p2_toColor");
    p2_speed = named(new QSlider(Qt::Horizontal), "p2_speed");
    p2_speed->setRange(2, 255);
    p2_speed->setValue(2);
    p2_speed->setPageStep(10);
    p2_speedL = named(new QLabel, "p2_speedL");
    p2_speedL->setMinimumWidth(p2_speedL->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    connect(p2_speed, &QSlider::valueChanged, this, &TjsWiz::p2_speedChange);
    p2_speedChange();

    auto *grid = new QGridLayout(page);
    grid->addWidget(labelFor(QStringLiteral("From"), p2_fromColor), 0, 0);
    grid->addWidget(p2_fromColor, 0, 1, 1, 3, Qt::AlignLeft);
    grid->addWidget(labelFor(QStringLiteral("To"), p2_toColor), 1, 0);
    grid->addWidget(p2_toColor, 1, 1, 1, 3, Qt::AlignLeft);
    grid->addWidget(labelFor(QStringLiteral("Speed"), p2_speed), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("Fast")), 2, 1);
    grid->addWidget(p2_speed, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Slow")), 2, 3);
    grid->addWidget(p2_speedL, 3, 2, Qt::AlignHCenter);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget *TjsWiz::textFadePage()
{
    auto *page = new QWidget;
    p3_fromColor = whiteButton("p3_fromColor");
    p3_toColor = whiteButton("p3_toColor");
    p3_text = named(new QLineEdit, "p3_text");
    QFormLayout *form = formPage(page);
    form->addRow(labelFor(QStringLiteral("From"), p3_fromColor), p3_fromColor);
    form->addRow(labelFor(QStringLiteral("To"), p3_toColor), p3_toColor);
    form->addRow(labelFor(QStringLiteral("Text to Fade:"), p3_text), p3_text);
    return page;
}

void TjsWiz::FormCreate()
{
    pages->setCurrentIndex(0);
    idx_itemsClick();
}

int TjsWiz::selectedItem() const
{
    const int row = idx_items->currentRow();
    return row >= 0 && idx_items->item(row)->isSelected() ? row : -1;
}

void TjsWiz::idx_itemsClick()
{
    const int item = selectedItem();
    const QStringList descriptions = JsWizardDescriptions();
    idx_itemdes->setPlainText(item >= 0 ? descriptions.at(item) : QString());
}

void TjsWiz::pagesPageChanged()
{
    const int page = pages->currentIndex();
    BackBtn->setEnabled(page != 0);
    if (page != int(JsWizardScript::ScrollingButton) + 1)
        return;
    // Offer the document's form names; a name already offered is not added
    // again when the page is shown once more, and what the user typed stays.
    const QString typed = p1_formName->currentText();
    for (const QString &name : CollectTagNames(m_document, QStringLiteral("<form"), QStringLiteral("name=\""))) {
        if (p1_formName->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            p1_formName->addItem(name);
    }
    p1_formName->setEditText(typed);
}

void TjsWiz::NextBtnClick()
{
    const int item = selectedItem();
    if (item < 0)
        return;
    pages->setCurrentIndex(item + 1);
    NextBtn->setEnabled(false);
    FinishBtn->setEnabled(true);
}

void TjsWiz::BackBtnClick()
{
    pages->setCurrentIndex(0);
    NextBtn->setEnabled(true);
    BackBtn->setEnabled(false);
    FinishBtn->setEnabled(false);
}

void TjsWiz::p0_chooseFontClick()
{
    ChooseFontDialog(this);
}

void TjsWiz::p2_speedChange()
{
    p2_speedL->setText(QString::number(p2_speed->value()));
}

JsWizardValues TjsWiz::values() const
{
    JsWizardValues v;
    v.script = JsWizardScript(qMax(0, selectedItem()));
    v.align = p0_align->currentText();
    v.scrollText = p1_text->text();
    v.formName = p1_formName->currentText();
    v.submitName = p1_submitName->text();
    v.fadeFrom = rgbOf(p2_fromColor);
    v.fadeTo = rgbOf(p2_toColor);
    v.speed = p2_speed->value();
    v.textFrom = rgbOf(p3_fromColor);
    v.textTo = rgbOf(p3_toColor);
    v.fadeText = p3_text->text();
    return v;
}

void TjsWiz::FinishBtnClick()
{
    // Finish is only enabled on a script's page, which belongs to the selected item.
    if (selectedItem() < 0 || !FinishBtn->isEnabled())
        return;
    InsertJsWizardScript(m_document, values(), this);
    accept();
}

void TjsWiz::CancelBtnClick()
{
    reject();
}

void InsertJsWizardScript(TextDocument &document, const JsWizardValues &values, QWidget *parent)
{
    TColorMemo &memo = *document.editor();
    const bool utf8 = memo.isUtf8Document();
    switch (values.script) {
    case JsWizardScript::LastModified: {
        const std::optional<QString> entry = ReadJSEntry(LastModifiedEntry, QString(), parent);
        if (!entry)
            return;
        const LastModifiedTexts texts = LastModifiedMarkup(FontChoice(), values.align, *entry);
        UndoStep step(&memo);
        InsertTagPair(document, texts.font.start, texts.font.end);
        InsertTagPair(document, texts.script.start, texts.script.end);
        return;
    }
    case JsWizardScript::ScrollingButton:
        if (const auto entry = ReadJSEntry(ScrollingButtonEntry, ScrollingButtonParams(values, utf8), parent))
            ReplaceSelection(document, *entry);
        return;
    case JsWizardScript::Fade:
        if (const auto entry = ReadJSEntry(FadeEntry, FadeParams(values), parent))
            ReplaceSelection(document, *entry);
        return;
    case JsWizardScript::TextFade: {
        const std::optional<QString> head = ReadJSEntry(TextFadeHeadEntry, QString(), parent);
        if (!head)
            return;
        const std::optional<QString> body = ReadJSEntry(TextFadeBodyEntry, TextFadeParams(values, utf8), parent);
        if (!body)
            return;
        // Nothing goes in front of a byte-order mark, even with the caret before it.
        const int caret = std::max(memo.SelStart(), memo.textStart());
        const TextFadePlacement place = PlaceTextFade(memo.textView(), caret, EncodeMarkup(*head, utf8));
        UndoStep step(&memo);
        if (place.headAt >= 0) {
            memo.setSelStart(int(place.headAt));
            memo.setSelText(place.headText);
        }
        memo.setSelStart(int(place.bodyAt));
        memo.setSelText(EncodeMarkup(*body, utf8));
        return;
    }
    }
}

void Javascripts1Click(TextDocument &document)
{
    TjsWiz wizard(document, document.window());
    Prompts::instance().runModal(&wizard);
}

const QList<Command> &JsWizardCommands()
{
    static const QList<Command> commands = {
        MakeCommand("Javascripts1", "Java&scripts...", "", "", Javascripts1Click),
    };
    return commands;
}
