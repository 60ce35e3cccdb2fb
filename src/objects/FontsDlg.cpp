#include "objects/FontsDlg.h"

#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeValues.h"
#include "tags/TagInsertion.h"
#include "widgets/ColorButton.h"
#include "widgets/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace {
std::optional<QStringList> &fontOverride()
{
    static std::optional<QStringList> names;
    return names;
}

// The text of an editable list, or empty when it defines nothing.
QString definedText(const QComboBox *combo)
{
    const QString text = combo->currentText().trimmed();
    return text.compare(DontDefineText(), Qt::CaseInsensitive) == 0 ? QString() : text;
}
}  // namespace

QStringList ScreenFontNames()
{
    QStringList names = fontOverride() ? *fontOverride() : QFontDatabase::families();
    // A family offered by several foundries comes as "Courier [Adobe]"; a page
    // (and the editor) names the family alone.
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    for (QString &name : names)
        name.remove(foundry);
    names.removeAll(QString());
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    names.removeDuplicates();
    return names;
}

void OverrideScreenFontNames(std::optional<QStringList> names)
{
    fontOverride() = std::move(names);
}

TfontsDlg::TfontsDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fontsDlg"));
    setWindowTitle(QStringLiteral("Font"));
    // No close box: OK or Cancel (Escape) end it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    // "Don't define" stays first; only the fonts after it are in order.
    fontsCombo = named(new QComboBox, "fontsCombo");
    fontsCombo->setEditable(true);
    fontsCombo->setInsertPolicy(QComboBox::NoInsert);
    fontsCombo->addItem(DontDefineText());
    fontsCombo->addItems(ScreenFontNames());
    fontsCombo->setCurrentIndex(0);
    fontsCombo->setMinimumContentsLength(24);
    fontsCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    size = named(new QComboBox, "size");
    size->setEditable(true);
    size->setInsertPolicy(QComboBox::NoInsert);
    size->addItems(FontSizeItems());
    size->setCurrentIndex(0);

    auto *nameLabel = new QLabel(QStringLiteral("Font &name"));
    nameLabel->setBuddy(fontsCombo);
    auto *sizeLabel = new QLabel(QStringLiteral("Font &size"));
    sizeLabel->setBuddy(size);

    colorChk = named(new QCheckBox(QStringLiteral("Define &color")), "colorChk");
    colorBtn = named(new ColorButton, "colorBtn");
    colorBtn->setAccessibleName(QStringLiteral("Color"));
    colorBtn->setColor(Qt::white);
    colorBtn->setEnabled(false);

    boldChk = named(new QCheckBox(QStringLiteral("&Bold")), "boldChk");
    italicChk = named(new QCheckBox(QStringLiteral("&Italic")), "italicChk");
    underlineChk = named(new QCheckBox(QStringLiteral("&Underline")), "underlineChk");
    strikeChk = named(new QCheckBox(QStringLiteral("Stri&kethrough")), "strikeChk");

    ex = named(new QLabel(QStringLiteral("Sample text 1234567890")), "ex");
    ex->setAlignment(Qt::AlignCenter);
    ex->setMinimumHeight(64);
    ex->setAutoFillBackground(true);
    auto *sampleBox = new QGroupBox(QStringLiteral("Sample"));
    (new QVBoxLayout(sampleBox))->addWidget(ex);

    connect(fontsCombo, &QComboBox::currentTextChanged, this, &TfontsDlg::fontsComboChange);
    connect(size, &QComboBox::currentTextChanged, this, &TfontsDlg::sizeChange);
    connect(colorChk, &QCheckBox::toggled, this, &TfontsDlg::colorChkClick);
    connect(colorBtn, &ColorButton::colorChanged, this, &TfontsDlg::colorBtnClick);
    for (QCheckBox *box : {boldChk, italicChk, underlineChk, strikeChk})
        connect(box, &QCheckBox::toggled, this, &TfontsDlg::styleClick);

    auto *grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(fontsCombo, 1, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(size, 1, 1);
    grid->setColumnStretch(0, 1);

    auto *styles = new QGroupBox(QStringLiteral("Style"));
    auto *stylesGrid = new QGridLayout(styles);
    stylesGrid->addWidget(boldChk, 0, 0);
    stylesGrid->addWidget(italicChk, 1, 0);
    stylesGrid->addWidget(underlineChk, 0, 1);
    stylesGrid->addWidget(strikeChk, 1, 1);
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(colorChk);
    colorRow->addWidget(colorBtn);
    colorRow->addStretch(1);

    auto *okBtn = named(new QPushButton(QStringLiteral("OK")), "okBtn");
    auto *cancelBtn = named(new QPushButton(QStringLiteral("Cancel")), "cancelBtn");
    okBtn->setDefault(true);
    okBtn->setAutoDefault(true);
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(styles);
    layout->addLayout(colorRow);
    layout->addWidget(sampleBox);
    layout->addLayout(buttons);
}

void TfontsDlg::fontsComboChange(const QString &text)
{
    // "Don't define" leaves the sample's face as it was.
    const QString face = text.trimmed();
    if (face.isEmpty() || face.compare(DontDefineText(), Qt::CaseInsensitive) == 0)
        return;
    QFont font = ex->font();
    font.setFamily(face);
    ex->setFont(font);
}

void TfontsDlg::sizeChange(const QString &text)
{
    // Only point sizes show; an HTML size (1 to 7, +1) has no point size of its own.
    const int points = FontPointSize(text);
    if (points <= 0 || (points <= 7 && !FontSizeItems().contains(text.trimmed())))
        return;
    QFont font = ex->font();
    font.setPointSize(qMin(points, 400));
    ex->setFont(font);
}

void TfontsDlg::colorChkClick()
{
    colorBtn->setEnabled(colorChk->isChecked());
    QPalette palette = ex->palette();
    palette.setColor(QPalette::WindowText, colorChk->isChecked() ? colorBtn->color() : QColor(Qt::black));
    ex->setPalette(palette);
}

void TfontsDlg::colorBtnClick()
{
    if (!colorChk->isChecked())
        return;
    QPalette palette = ex->palette();
    palette.setColor(QPalette::WindowText, colorBtn->color());
    ex->setPalette(palette);
}

void TfontsDlg::styleClick()
{
    QFont font = ex->font();
    font.setBold(boldChk->isChecked());
    font.setItalic(italicChk->isChecked());
    font.setUnderline(underlineChk->isChecked());
    font.setStrikeOut(strikeChk->isChecked());
    ex->setFont(font);
}

FontChoiceValues TfontsDlg::choice() const
{
    FontChoiceValues c;
    c.FaceName = definedText(fontsCombo);
    c.SizeText = definedText(size).left(3);
    if (colorChk->isChecked())
        c.ColorHex = ColorToHex(colorBtn->hasColor() ? colorBtn->color() : QColor(Qt::white));
    if (boldChk->isChecked())
        c.StyleLetters += QLatin1Char('b');
    if (italicChk->isChecked())
        c.StyleLetters += QLatin1Char('i');
    if (underlineChk->isChecked())
        c.StyleLetters += QLatin1Char('u');
    if (strikeChk->isChecked())
        c.StyleLetters += QLatin1Char('s');
    return c;
}

bool ChooseFontDialog(QWidget *parent)
{
    TfontsDlg dialog(parent);
    return RunThenWrite(dialog, [&] { FontChoice() = dialog.choice(); });
}

void InsertFontTags(TextDocument &document)
{
    const TagPairTexts texts = FontMarkup(FontChoice());
    InsertTagPair(document, texts.start, texts.end);
}

void ChooseFont1Click(TextDocument &document)
{
    if (ChooseFontDialog(document.window()))
        InsertFontTags(document);
}
