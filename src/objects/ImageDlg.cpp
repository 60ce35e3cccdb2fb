#include "objects/ImageDlg.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "objects/ImageMarkup.h"
#include "objects/MapsDlg.h"
#include "objects/TagNameScan.h"
#include "objects/URLDlg.h"
#include "platform/PictureReader.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/TagInsertion.h"
#include "widgets/DialogParts.h"
#include "widgets/NumberEdit.h"
#include "widgets/PictureView.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// A Browse button: the chosen file replaces the field; a cancelled dialog keeps it.
void connectBrowse(QPushButton *button, QLineEdit *field, int filterKind)
{
    QObject::connect(button, &QPushButton::clicked, field, [button, field, filterKind] {
        const QString name = AskFileName(button->window(), filterKind);
        if (!name.isEmpty())
            field->setText(name);
    });
}

// A URL Wizard button: a composed URL replaces the field; a cancelled one keeps it.
void connectWizard(QPushButton *button, QLineEdit *field)
{
    QObject::connect(button, &QPushButton::clicked, field, [button, field] {
        QString url = field->text();
        if (PickURL(button->window(), url))
            field->setText(url);
    });
}

}  // namespace

TImageDlg::TImageDlg(TextDocument &document, QWidget *parent) : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("ImageDlg"));
    setWindowTitle(QStringLiteral("Image"));

    auto *srcGroup = new QGroupBox(QStringLiteral("&Source (SRC)"), this);
    SRCEdit = named(new QLineEdit(srcGroup), "SRCEdit");
    SRCButton = named(new QPushButton(QStringLiteral("&Browse..."), srcGroup), "SRCButton");
    SRCButton2 = named(new QPushButton(QStringLiteral("&URL Wizard"), srcGroup), "SRCButton2");
    {
        auto *h = new QHBoxLayout(srcGroup);
        h->addWidget(SRCEdit, 1);
        h->addWidget(SRCButton);
        h->addWidget(SRCButton2);
    }

    alignChk = named(new QCheckBox(QStringLiteral("&Alignment"), this), "alignChk");
    ALIGNgroupbox = radioGroup(this, "ALIGNgroupbox", QString(),
                               {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Top"),
                                QStringLiteral("TextTop"), QStringLiteral("Middle"), QStringLiteral("AbsMiddle"),
                                QStringLiteral("BaseLine"), QStringLiteral("Bottom"), QStringLiteral("AbsBottom")},
                               2, 0);

    ALTChkBox = named(new QCheckBox(QStringLiteral("Al&ternative text"), this), "ALTChkBox");
    ALTedit = named(new QLineEdit(this), "ALTedit");
    ALTedit->setAccessibleName(QStringLiteral("Alternative text"));

    WidthHeightChkBox = named(new QCheckBox(QStringLiteral("&Define Width and Height"), this), "WidthHeightChkBox");
    WidthEdit = numberEdit(this, "WidthEdit", 0, 99999, 1);
    HeightEdit = numberEdit(this, "HeightEdit", 0, 99999, 1);
    borderChk = named(new QCheckBox(QStringLiteral("Bo&rder"), this), "borderChk");
    borderChk->setChecked(true);
    BorderEdit = numberEdit(this, "BorderEdit", 0, 99, 0);
    BorderEdit->setAccessibleName(QStringLiteral("Border"));
    VSpaceChkBox = named(new QCheckBox(QStringLiteral("&VSpace"), this), "VSpaceChkBox");
    VSpaceEdit = numberEdit(this, "VSpaceEdit", 0, 99, 1);
    VSpaceEdit->setAccessibleName(QStringLiteral("VSpace"));
    HSpaceChkBox = named(new QCheckBox(QStringLiteral("&HSpace"), this), "HSpaceChkBox");
    HSpaceEdit = numberEdit(this, "HSpaceEdit", 0, 99, 1);
    HSpaceEdit->setAccessibleName(QStringLiteral("HSpace"));

    LOWSRCChkBox = named(new QCheckBox(QStringLiteral("&Low Source (LOWSRC)"), this), "LOWSRCChkBox");
    LOWSRCEdit = named(new QLineEdit(this), "LOWSRCEdit");
    LOWSRCEdit->setAccessibleName(QStringLiteral("Low Source (LOWSRC)"));
    LOWSRCButton = named(new QPushButton(QStringLiteral("Brows&e..."), this), "LOWSRCButton");
    LOWSRCButton2 = named(new QPushButton(QStringLiteral("URL Wi&zard"), this), "LOWSRCButton2");

    MapTypeGroup = radioGroup(
        this, "MapTypeGroup", QStringLiteral("&Map type"),
        {QStringLiteral("None"), QStringLiteral("Client side map (USEMAP)"), QStringLiteral("Server side map (ISMAP)")},
        1, NoMap);
    USEMAPEdit = named(new QLineEdit(this), "USEMAPEdit");
    USEMAPEdit->setAccessibleName(QStringLiteral("Client side map (USEMAP)"));
    USEMAPButton1 = named(new QPushButton(QStringLiteral("&1. Select map from this document"), this), "USEMAPButton1");
    USEMAPButton2 = named(new QPushButton(QStringLiteral("&2. Select map from other document on this server"), this),
                          "USEMAPButton2");
    USEMAPButton3 = named(new QPushButton(QStringLiteral("&3. Select map from other document on other server"), this),
                          "USEMAPButton3");
    ISMAPedit = named(new QLineEdit(this), "ISMAPedit");
    ISMAPedit->setAccessibleName(QStringLiteral("Server side map (ISMAP)"));
    ISMAPbutton = named(new QPushButton(QStringLiteral("Br&owse..."), this), "ISMAPbutton");
    ISMAPButton2 = named(new QPushButton(QStringLiteral("URL &Wizard"), this), "ISMAPButton2");

    ScrollBox1 = named(new QScrollArea(this), "ScrollBox1");
    AdvImage1 = named(new PictureView(ScrollBox1), "AdvImage1");
    ScrollBox1->setWidget(AdvImage1);
    ScrollBox1->setAlignment(Qt::AlignCenter);
    ScrollBox1->setMinimumSize(220, 180);

    const OkCancel buttons = OkCancelButtons(this, Qt::Horizontal, [this] { OKBtnClick(); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;

    // Layout: attributes on the left, preview and buttons on the right.
    auto *left = new QVBoxLayout;
    left->addWidget(srcGroup);
    auto *alignRow = new QHBoxLayout;
    alignRow->addWidget(alignChk, 0, Qt::AlignTop);
    alignRow->addWidget(ALIGNgroupbox, 1);
    left->addLayout(alignRow);
    auto *altRow = new QHBoxLayout;
    altRow->addWidget(ALTChkBox);
    altRow->addWidget(ALTedit, 1);
    left->addLayout(altRow);
    auto *sizes = new QGridLayout;
    sizes->addWidget(WidthHeightChkBox, 0, 0, 1, 2);
    QLabel *widthLabel = labelFor(QStringLiteral("Width:"), WidthEdit, this);
    QLabel *heightLabel = labelFor(QStringLiteral("Height:"), HeightEdit, this);
    sizes->addWidget(widthLabel, 1, 0);
    sizes->addWidget(WidthEdit, 1, 1);
    sizes->addWidget(heightLabel, 2, 0);
    sizes->addWidget(HeightEdit, 2, 1);
    sizes->addWidget(borderChk, 0, 2);
    sizes->addWidget(BorderEdit, 0, 3);
    sizes->addWidget(VSpaceChkBox, 1, 2);
    sizes->addWidget(VSpaceEdit, 1, 3);
    sizes->addWidget(HSpaceChkBox, 2, 2);
    sizes->addWidget(HSpaceEdit, 2, 3);
    left->addLayout(sizes);
    left->addWidget(LOWSRCChkBox);
    auto *lowRow = new QHBoxLayout;
    lowRow->addWidget(LOWSRCEdit, 1);
    lowRow->addWidget(LOWSRCButton);
    lowRow->addWidget(LOWSRCButton2);
    left->addLayout(lowRow);
    left->addWidget(MapTypeGroup);
    left->addWidget(USEMAPEdit);
    left->addWidget(USEMAPButton1);
    left->addWidget(USEMAPButton2);
    left->addWidget(USEMAPButton3);
    auto *isRow = new QHBoxLayout;
    isRow->addWidget(ISMAPedit, 1);
    isRow->addWidget(ISMAPbutton);
    isRow->addWidget(ISMAPButton2);
    left->addLayout(isRow);
    left->addStretch();

    auto *right = new QVBoxLayout;
    right->addWidget(ScrollBox1, 1);
    right->addLayout(buttons.layout);

    auto *outer = new QHBoxLayout(this);
    outer->addLayout(left, 3);
    outer->addLayout(right, 2);

    connectBrowse(SRCButton, SRCEdit, FileFilterKind::Pictures);
    connectBrowse(LOWSRCButton, LOWSRCEdit, FileFilterKind::Pictures);
    connectBrowse(ISMAPbutton, ISMAPedit, FileFilterKind::Maps);
    connectWizard(SRCButton2, SRCEdit);
    connectWizard(LOWSRCButton2, LOWSRCEdit);
    connectWizard(ISMAPButton2, ISMAPedit);
    connectWizard(USEMAPButton3, USEMAPEdit);
    connect(SRCEdit, &QLineEdit::textChanged, this, &TImageDlg::SRCEditChange);
    for (QCheckBox *box : {alignChk, ALTChkBox, WidthHeightChkBox, borderChk, VSpaceChkBox, HSpaceChkBox, LOWSRCChkBox})
        connect(box, &QCheckBox::toggled, this, &TImageDlg::UpdateEnabled);
    connect(MapTypeGroup, &RadioGroup::itemIndexChanged, this, &TImageDlg::UpdateEnabled);
    connect(USEMAPButton1, &QPushButton::clicked, this, &TImageDlg::USEMAPButton1Click);
    connect(USEMAPButton2, &QPushButton::clicked, this, &TImageDlg::USEMAPButton2Click);
    UpdateEnabled();
}

void TImageDlg::UpdateEnabled()
{
    ALIGNgroupbox->setEnabled(alignChk->isChecked());
    ALTedit->setEnabled(ALTChkBox->isChecked());
    WidthEdit->setEnabled(WidthHeightChkBox->isChecked());
    HeightEdit->setEnabled(WidthHeightChkBox->isChecked());
    BorderEdit->setEnabled(borderChk->isChecked());
    VSpaceEdit->setEnabled(VSpaceChkBox->isChecked());
    HSpaceEdit->setEnabled(HSpaceChkBox->isChecked());
    for (QWidget *w : {static_cast<QWidget *>(LOWSRCEdit), static_cast<QWidget *>(LOWSRCButton),
                       static_cast<QWidget *>(LOWSRCButton2)})
        w->setEnabled(LOWSRCChkBox->isChecked());
    const bool client = MapTypeGroup->itemIndex() == ClientSideMap;
    const bool server = MapTypeGroup->itemIndex() == ServerSideMap;
    for (QWidget *w : {static_cast<QWidget *>(USEMAPEdit), static_cast<QWidget *>(USEMAPButton1),
                       static_cast<QWidget *>(USEMAPButton2), static_cast<QWidget *>(USEMAPButton3)})
        w->setEnabled(client);
    for (QWidget *w :
         {static_cast<QWidget *>(ISMAPedit), static_cast<QWidget *>(ISMAPbutton), static_cast<QWidget *>(ISMAPButton2)})
        w->setEnabled(server);
}

QString TImageDlg::sourceFile() const
{
    QString typed = SRCEdit->text();
    if (typed.isEmpty())
        return {};
    if (!QFileInfo(typed).isRelative())
        return typed;
    // Relative to the page, never to the program's working folder.
    const QString page = m_document.documentFileName();
    if (page.isEmpty() || QFileInfo(page).isRelative())
        return {};
    return QDir(QFileInfo(page).absolutePath()).filePath(typed);
}

void TImageDlg::SRCEditChange()
{
    // Runs on every key: never a message, an unreadable file is just no preview.
    const QString file = sourceFile();
    const Picture picture = file.isEmpty() ? Picture() : ReadPicture(file);
    AdvImage1->setPicture(picture);
    // Sizes come from the header, so a picture too large to preview still gives them;
    // anything that is no picture leaves the sizes the user typed.
    if (picture.size.isValid()) {
        WidthEdit->setValue(picture.size.width);
        HeightEdit->setValue(picture.size.height);
    }
}

void TImageDlg::USEMAPButton1Click()
{
    QString name;
    if (ChooseDocumentMap(m_document, this, name))
        USEMAPEdit->setText(QLatin1Char('#') + name);
}

void TImageDlg::USEMAPButton2Click()
{
    const QString file = AskFileName(this, FileFilterKind::HTMLs);
    if (file.isEmpty())
        return;
    QString name;
    if (AskMapName(this, file, name))
        USEMAPEdit->setText(file + QLatin1Char('#') + name);
}

void TImageDlg::OKBtnClick()
{
    ImageValues v;
    if (alignChk->isChecked())
        v.align = ImageAlignValue(ALIGNgroupbox->itemIndex());
    if (ALTChkBox->isChecked())
        v.alt = ALTedit->text();
    const int mapType = MapTypeGroup->itemIndex();
    v.isMap = mapType == ServerSideMap;
    if (WidthHeightChkBox->isChecked()) {
        v.width = QString::number(WidthEdit->value(0));
        v.height = QString::number(HeightEdit->value(0));
    }
    if (borderChk->isChecked())
        v.border = QString::number(BorderEdit->value(0));
    if (VSpaceChkBox->isChecked())
        v.vspace = QString::number(VSpaceEdit->value(0));
    if (HSpaceChkBox->isChecked())
        v.hspace = QString::number(HSpaceEdit->value(0));
    // Every question that may save the document is asked before anything is written.
    if (LOWSRCChkBox->isChecked())
        v.lowSrc = MakeRelativePath(m_document, LOWSRCEdit->text());
    if (mapType == ClientSideMap)
        v.useMap = MakeRelativePath(m_document, USEMAPEdit->text());
    v.src = MakeRelativePath(m_document, SRCEdit->text());
    const QString serverMap = v.isMap ? MakeRelativePath(m_document, ISMAPedit->text()) : QString();
    ReplaceSelection(m_document, ImageCommandText(v, serverMap));
    accept();
}

bool AskMapName(QWidget *parent, const QString &fileName, QString &mapName)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("MapNameDlg"));
    dialog.setWindowTitle(QStringLiteral("Map name"));
    auto *label = new QLabel(QStringLiteral("Map &name in %1").arg(QFileInfo(fileName).fileName()), &dialog);
    auto *combo = named(new QComboBox(&dialog), "MapNameCombo");
    combo->setEditable(true);
    label->setBuddy(combo);
    // Offer the maps the page defines; a page that cannot be read offers none.
    constexpr qint64 maxPageBytes = 16 * 1024 * 1024;
    QFile page(fileName);
    if (IsRegularFile(fileName) && page.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = page.read(maxPageBytes);
        // The names are read in the page's own encoding, as the editor would
        // show them (UTF-8 when valid, else Latin-1), so USEMAP names a map
        // that is there.
        const bool isUtf8 = bytes.isValidUtf8();
        for (const QByteArray &name : CollectTagNames(bytes, "<MAP", "NAME=\""))
            combo->addItem(isUtf8 ? QString::fromUtf8(name) : QString::fromLatin1(name));
    }
    QHBoxLayout *buttons = OkCancelButtons(&dialog);
    auto *v = new QVBoxLayout(&dialog);
    v->addWidget(label);
    v->addWidget(combo);
    v->addLayout(buttons);
    if (Prompts::instance().runModal(&dialog) != QDialog::Accepted || combo->currentText().isEmpty())
        return false;
    mapName = combo->currentText();
    return true;
}

void Image1Click(TextDocument &document)
{
    TImageDlg dialog(document, document.window());
    TColorMemo *memo = document.editor();
    dialog.ALTedit->setText(memo->decode(memo->SelText()));
    Prompts::instance().runModal(&dialog);
}
