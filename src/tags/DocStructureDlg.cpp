#include "tags/DocStructureDlg.h"
#include "widgets/DialogParts.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/TagInsertion.h"
#include "tags/UrlPicker.h"
#include "widgets/ColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TDocStructure::TDocStructure(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DocStructure"));
    setWindowTitle(QStringLiteral("Document Properties"));
    m_pages = named(new QTabWidget(this), "PageControl1");

    // "Document Appearance"
    auto *appearance = named(new QWidget, "AppearanceSheet");
    auto *appearanceLayout = new QVBoxLayout(appearance);
    auto *imageRow = new QHBoxLayout;
    BGImageEdit = named(new QLineEdit, "BGImageEdit");
    auto *imageLabel = new QLabel(QStringLiteral("Background &image"));
    imageLabel->setBuddy(BGImageEdit);
    BGImageButton = named(new QPushButton(QStringLiteral("B&rowse...")), "BGImageButton");
    BGImageButton2 = named(new QPushButton(QStringLiteral("URL &Wizard")), "BGImageButton2");
    imageRow->addWidget(imageLabel);
    imageRow->addWidget(BGImageEdit, 1);
    appearanceLayout->addLayout(imageRow);
    auto *imageButtons = new QHBoxLayout;
    imageButtons->addStretch(1);
    imageButtons->addWidget(BGImageButton);
    imageButtons->addWidget(BGImageButton2);
    appearanceLayout->addLayout(imageButtons);
    connect(BGImageButton, &QPushButton::clicked, this, &TDocStructure::BGImageButtonClick);
    ConnectUrlWizard(BGImageButton2, BGImageEdit);

    auto *colors = named(new QGroupBox(QStringLiteral("Colors")), "ColorsGroup");
    auto *colorGrid = new QGridLayout(colors);
    const char *checkNames[5] = {"BackgroundColorChkBox", "TextColorChkBox", "LinkColorChkBox",
                                 "VisitedLinkColorChkBox", "ActiveLinkColorChkBox"};
    const char *checkCaptions[5] = {"&Background", "&Text", "&Link", "&Visited Link", "&Active Link"};
    const char *buttonNames[5] = {"bgColorBtn", "textColorBtn", "linkColorBtn", "vlinkColorBtn", "alinkColorBtn"};
    for (int i = 0; i < 5; ++i) {
        colorChecks[i] = named(new QCheckBox(QString::fromLatin1(checkCaptions[i])), checkNames[i]);
        colorButtons[i] = named(new ColorButton, buttonNames[i]);
        colorButtons[i]->setColor(Qt::white);
        enables(colorChecks[i], {colorButtons[i]});
        colorGrid->addWidget(colorChecks[i], i, 0);
        colorGrid->addWidget(colorButtons[i], i, 1);
    }
    colorGrid->setColumnStretch(2, 1);
    appearanceLayout->addWidget(colors);
    appearanceLayout->addStretch(1);

    // "Document Properties"
    auto *properties = named(new QWidget, "PropertiesSheet");
    auto *propertiesLayout = new QVBoxLayout(properties);
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    TitleEdit = named(new QLineEdit, "TitleEdit");
    authorEdit = named(new QLineEdit, "authorEdit");
    DocTypeCombo = named(new QComboBox, "DocTypeCombo");
    DocTypeCombo->addItems(DocTypeItems());
    DocTypeCombo->setCurrentIndex(-1);
    keywordsEdit = named(new QLineEdit, "keywordsEdit");
    form->addRow(QStringLiteral("&Title"), TitleEdit);
    form->addRow(QStringLiteral("&Author"), authorEdit);
    form->addRow(QStringLiteral("&Document Type"), DocTypeCombo);
    form->addRow(QStringLiteral("&Keywords (seperate with blanks)"), keywordsEdit);
    propertiesLayout->addLayout(form);

    auto *base = named(new QGroupBox(QStringLiteral("Base Element")), "BaseGroup");
    auto *baseGrid = new QGridLayout(base);
    BASEHREFChkBox = named(new QCheckBox(QStringLiteral("&HREF")), "BASEHREFChkBox");
    BASEHREFEdit = named(new QLineEdit, "BASEHREFEdit");
    BASETARGETChkBox = named(new QCheckBox(QStringLiteral("TA&RGET")), "BASETARGETChkBox");
    BASETARGETEdit = named(new QLineEdit, "BASETARGETEdit");
    enables(BASEHREFChkBox, {BASEHREFEdit});
    enables(BASETARGETChkBox, {BASETARGETEdit});
    baseGrid->addWidget(BASEHREFChkBox, 0, 0);
    baseGrid->addWidget(BASEHREFEdit, 0, 1);
    baseGrid->addWidget(BASETARGETChkBox, 1, 0);
    baseGrid->addWidget(BASETARGETEdit, 1, 1);
    propertiesLayout->addWidget(base);

    auto *isIndex = named(new QGroupBox(QStringLiteral("IsIndex Element")), "IsIndexGroup");
    auto *isIndexGrid = new QGridLayout(isIndex);
    ISINDEXChkBox = named(new QCheckBox(QStringLiteral("&ISINDEX")), "ISINDEXChkBox");
    ISINDEXPROMPTChkBox = named(new QCheckBox(QStringLiteral("&PROMPT")), "ISINDEXPROMPTChkBox");
    ISINDEXPROMPTEdit = named(new QLineEdit, "ISINDEXPROMPTEdit");
    connect(ISINDEXChkBox, &QCheckBox::toggled, this, &TDocStructure::updateEnabled);
    connect(ISINDEXPROMPTChkBox, &QCheckBox::toggled, this, &TDocStructure::updateEnabled);
    isIndexGrid->addWidget(ISINDEXChkBox, 0, 0);
    isIndexGrid->addWidget(ISINDEXPROMPTChkBox, 1, 0);
    isIndexGrid->addWidget(ISINDEXPROMPTEdit, 1, 1);
    propertiesLayout->addWidget(isIndex);
    propertiesLayout->addStretch(1);

    m_pages->addTab(appearance, QStringLiteral("Document Appearance"));
    m_pages->addTab(properties, QStringLiteral("Document Properties"));
    m_pages->setCurrentIndex(0);

    auto *buttons = OkCancelButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    setMinimumWidth(460);
    updateEnabled();
}

void TDocStructure::updateEnabled()
{
    ISINDEXPROMPTChkBox->setEnabled(ISINDEXChkBox->isChecked());
    ISINDEXPROMPTEdit->setEnabled(ISINDEXChkBox->isChecked() && ISINDEXPROMPTChkBox->isChecked());
}

void TDocStructure::BGImageButtonClick()
{
    // A cancelled file dialog keeps what the user typed.
    const QString name = AskFileName(this, FileFilterKind::Pictures);
    if (!name.isEmpty())
        BGImageEdit->setText(name);
}

DocStructureValues TDocStructure::values() const
{
    DocStructureValues v;
    v.docType = DocTypeCombo->currentIndex();
    v.title = TitleEdit->text();
    v.author = authorEdit->text();
    v.keywords = keywordsEdit->text();
    v.isIndex = ISINDEXChkBox->isChecked();
    // A PROMPT box left checked while ISINDEX was unchecked is disabled and does not count.
    v.isIndexPrompt = v.isIndex && ISINDEXPROMPTChkBox->isChecked();
    v.prompt = ISINDEXPROMPTEdit->text();
    v.baseHref = BASEHREFChkBox->isChecked();
    v.href = BASEHREFEdit->text();
    v.baseTarget = BASETARGETChkBox->isChecked();
    v.target = BASETARGETEdit->text();
    v.background = BGImageEdit->text();
    for (int i = 0; i < 5; ++i) {
        if (colorChecks[i]->isChecked())
            v.colors[i] = colorButtons[i]->hasColor() ? colorButtons[i]->color() : QColor(Qt::white);
    }
    return v;
}

void WriteDocStructure(TextDocument &document, const DocStructureValues &values)
{
    static const QByteArray CRLF("\r\n");
    TColorMemo &memo = *document.editor();
    const bool utf8 = memo.isUtf8Document();
    document.setDocType(DocTypeLine(values.docType));

    const QByteArray head = EncodeMarkup(DocStructureHeadLines(values).join(QLatin1String(CRLF)), utf8) + CRLF;
    // The tail goes after the last line: on a line of its own whether or not the
    // text ended with a line break, and ending the way the text ended.
    const int length = memo.length();
    const QByteArrayView last = memo.rangeView(qMax(0, length - 1), length);
    const bool endedWithBreak = !last.isEmpty() && (last.back() == '\n' || last.back() == '\r');
    QByteArray tail = length > 0 && !endedWithBreak ? CRLF : QByteArray();
    const int placeholderAt = int(head.size()) + length + int(tail.size());
    tail += EncodeMarkup(DocStructureTailLines().join(QLatin1String(CRLF)), utf8);
    if (endedWithBreak)
        tail += CRLF;

    UndoStep step(&memo);
    // After a byte-order mark: the saved page must still start with it.
    memo.setSelStart(memo.textStart());
    memo.setSelText(head);
    memo.setSelStart(memo.length());
    memo.setSelText(tail);
    memo.setSelStart(placeholderAt);
    memo.setSelLength(int(qstrlen(DocStructurePlaceholder)));
}

void Insertalldocumentelements1Click(TextDocument &document)
{
    TDocStructure dialog(document.window());
    RunThenWrite(dialog, [&] {
        DocStructureValues values = dialog.values();
        // Asked before anything is written: the answer may save the document.
        if (!values.background.isEmpty())
            values.background = ToFileUrlPath(MakeRelativePath(document, values.background));
        WriteDocStructure(document, values);
    });
}
