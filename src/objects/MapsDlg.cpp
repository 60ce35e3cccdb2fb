#include "objects/MapsDlg.h"
#include "widgets/DialogParts.h"
#include "widgets/PageSizing.h"

#include "editor/TextDocument.h"
#include "objects/MapMarkup.h"
#include "objects/TagNameScan.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/UrlPicker.h"
#include "widgets/NameValueList.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

NumberEdit *corner(QWidget *parent, const char *name)
{
    auto *edit = named(new NumberEdit(parent), name);
    edit->setRange(0, 9999);
    edit->setMaxLength(4);
    edit->setValue(0);
    return edit;
}

}  // namespace

QString MapsDlgCaption(int page)
{
    return page == TMapsDlg::AreaPage ? QStringLiteral("Client Side Maps - Area") : QStringLiteral("Map area");
}

TMapsDlg::TMapsDlg(TextDocument *document, int page, QWidget *parent) : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("MapsDlg"));
    setWindowTitle(MapsDlgCaption(page));
    Notebook = named(new QStackedWidget(this), "Notebook");

    // Page 0: one clickable rectangle.
    auto *page0 = new QWidget(Notebook);
    HTMLRefChkBox = named(new QCheckBox(QStringLiteral("&HTML reference"), page0), "HTMLRefChkBox");
    URLLabel = named(new QLabel(QStringLiteral("&URL"), page0), "URLLabel");
    HTMLRefEdit = named(new QLineEdit(page0), "HTMLRefEdit");
    URLLabel->setBuddy(HTMLRefEdit);
    HTMLRefButton1 = named(new QPushButton(QStringLiteral("Br&owse..."), page0), "HTMLRefButton1");
    HTMLRefButton2 = named(new QPushButton(QStringLiteral("URL &Wizard"), page0), "HTMLRefButton2");
    TargetLabel = named(new QLabel(QStringLiteral("T&arget"), page0), "TargetLabel");
    HTMLRefTargetEdit = named(new QComboBox(page0), "HTMLRefTargetEdit");
    HTMLRefTargetEdit->setEditable(true);
    HTMLRefTargetEdit->addItems(
        {QStringLiteral("_Blank"), QStringLiteral("_Self"), QStringLiteral("_Parent"), QStringLiteral("_Top")});
    HTMLRefTargetEdit->setCurrentIndex(-1);
    TargetLabel->setBuddy(HTMLRefTargetEdit);
    ShapeCoodrsGroup = named(new QGroupBox(QStringLiteral("Shape &co-ordinates"), page0), "ShapeCoodrsGroup");
    LeftEdit = corner(ShapeCoodrsGroup, "LeftEdit");
    TopEdit = corner(ShapeCoodrsGroup, "TopEdit");
    RightEdit = corner(ShapeCoodrsGroup, "RightEdit");
    BottomEdit = corner(ShapeCoodrsGroup, "BottomEdit");
    {
        auto *grid = new QGridLayout(ShapeCoodrsGroup);
        const struct
        {
            const char *caption;
            NumberEdit *edit;
        } corners[] = {{"&Left", LeftEdit}, {"&Top", TopEdit}, {"&Right", RightEdit}, {"&Bottom", BottomEdit}};
        for (int i = 0; i < 4; ++i) {
            auto *label = new QLabel(QString::fromLatin1(corners[i].caption), ShapeCoodrsGroup);
            label->setBuddy(corners[i].edit);
            grid->addWidget(label, 0, i);
            grid->addWidget(corners[i].edit, 1, i);
        }
        auto *v = new QVBoxLayout(page0);
        v->addWidget(HTMLRefChkBox);
        auto *refGrid = new QGridLayout;
        refGrid->addWidget(URLLabel, 0, 0);
        refGrid->addWidget(HTMLRefEdit, 0, 1);
        refGrid->addWidget(HTMLRefButton1, 0, 2);
        refGrid->addWidget(HTMLRefButton2, 0, 3);
        refGrid->addWidget(TargetLabel, 1, 0);
        refGrid->addWidget(HTMLRefTargetEdit, 1, 1);
        refGrid->setColumnStretch(1, 1);
        v->addLayout(refGrid);
        v->addWidget(ShapeCoodrsGroup);
        v->addStretch();
    }

    // Page 1: the map.
    auto *page1 = new QWidget(Notebook);
    MapName1Edit = named(new QLineEdit(page1), "MapName1Edit");
    {
        auto *v = new QVBoxLayout(page1);
        auto *label = new QLabel(QStringLiteral("Map &name"), page1);
        label->setBuddy(MapName1Edit);
        v->addWidget(label);
        v->addWidget(MapName1Edit);
        v->addStretch();
    }

    // Page 2: the maps of the document.
    auto *page2 = new QWidget(Notebook);
    MapListBox = named(new QListWidget(page2), "MapListBox");
    MapListBox->setAccessibleName(QStringLiteral("Maps"));
    {
        auto *v = new QVBoxLayout(page2);
        auto *label = new QLabel(QStringLiteral("Select a map name from the maps you have in your document, which are "
                                                "listed below. Then click OK"),
                                 page2);
        label->setWordWrap(true);
        v->addWidget(label);
        v->addWidget(MapListBox, 1);
    }

    for (QWidget *p : {page0, page1, page2})
        Notebook->addWidget(p);
    Notebook->setCurrentIndex(qBound(0, page, 2));
    SizeToCurrentPage(Notebook);
    Notebook->setMinimumWidth(400);

    const OkCancel buttons = OkCancelButtons(this, Qt::Vertical, [this] { OKBtnClick(); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    auto *outer = new QHBoxLayout(this);
    outer->addWidget(Notebook, 1);
    outer->addLayout(buttons.layout);

    ConnectUrlWizard(HTMLRefButton2, HTMLRefEdit);
    HTMLRefChkBoxClick();
    connect(HTMLRefChkBox, &QCheckBox::toggled, this, &TMapsDlg::HTMLRefChkBoxClick);
    connect(HTMLRefButton1, &QPushButton::clicked, this, &TMapsDlg::HTMLRefButton1Click);
    connect(MapListBox, &QListWidget::itemDoubleClicked, this, &TMapsDlg::OKBtnClick);
}

int TMapsDlg::page() const
{
    return Notebook->currentIndex();
}

void TMapsDlg::HTMLRefChkBoxClick()
{
    const bool on = HTMLRefChkBox->isChecked();
    for (QWidget *w :
         {static_cast<QWidget *>(URLLabel), static_cast<QWidget *>(HTMLRefEdit), static_cast<QWidget *>(HTMLRefButton1),
          static_cast<QWidget *>(TargetLabel), static_cast<QWidget *>(HTMLRefTargetEdit)})
        w->setEnabled(on);
    // The wizard also needs a composer to be installed.
    HTMLRefButton2->setEnabled(on && HasUrlPicker());
}

void TMapsDlg::HTMLRefButton1Click()
{
    // A cancelled file dialog keeps what the field held.
    const QString name = AskFileName(this, FileFilterKind::HTMLs);
    if (!name.isEmpty())
        HTMLRefEdit->setText(name);
}

QString TMapsDlg::selectedMapName() const
{
    const QList<QListWidgetItem *> chosen = MapListBox->selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->text();
}

void TMapsDlg::OKBtnClick()
{
    if (m_document && page() == AreaPage) {
        NameValueList values;
        if (HTMLRefChkBox->isChecked()) {
            values.set(QStringLiteral("href"), MakeRelativePath(*m_document, HTMLRefEdit->text()));
            values.set(QStringLiteral("target"), HTMLRefTargetEdit->currentText());
        }
        values.set(QStringLiteral("left"), QString::number(LeftEdit->value(0)));
        values.set(QStringLiteral("top"), QString::number(TopEdit->value(0)));
        values.set(QStringLiteral("right"), QString::number(RightEdit->value(0)));
        values.set(QStringLiteral("bottom"), QString::number(BottomEdit->value(0)));
        InsertMapTag(*m_document, AreaTag, values);
    } else if (m_document && page() == MapPage) {
        InsertMapTag(*m_document, MapTag, NameValueList{{QStringLiteral("name"), MapName1Edit->text()}});
    }
    accept();
}

bool ChooseDocumentMap(TextDocument &document, QWidget *parent, QString &mapName)
{
    TMapsDlg dialog(nullptr, TMapsDlg::MapListPage, parent);
    dialog.MapListBox->addItems(CollectTagNames(document, QStringLiteral("<MAP"), QStringLiteral("NAME=\"")));
    if (Prompts::instance().runModal(&dialog) != QDialog::Accepted || dialog.MapListBox->selectedItems().isEmpty())
        return false;
    mapName = dialog.selectedMapName();
    return true;
}
