#include "objects/URLDlg.h"

#include "objects/UrlComposer.h"
#include "platform/Prompts.h"
#include "tags/AttributeText.h"
#include "widgets/DialogParts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TURLDlg::TURLDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("URLDlg"));
    setWindowTitle(QStringLiteral("URL"));

    RTypeCombo = named(new QComboBox(this), "RTypeCombo");
    RTypeCombo->addItems(UrlSchemeNames());
    RTypeCombo->setCurrentIndex(-1);
    HostEdit = named(new QLineEdit(this), "HostEdit");
    PortEdit = named(new QLineEdit(this), "PortEdit");
    PathEdit = named(new QLineEdit(this), "PathEdit");
    FNEdit = named(new QLineEdit(this), "FNEdit");
    TargetEdit = named(new QLineEdit(this), "TargetEdit");
    URLEdit = named(new QLineEdit(this), "URLEdit");
    RTypePanel = named(new QLabel(QStringLiteral("Resorce Type"), this), "RTypePanel");
    HostPanel = named(new QLabel(QStringLiteral("Host"), this), "HostPanel");
    PortPanel = named(new QLabel(QStringLiteral("Port #"), this), "PortPanel");
    PathPanel = named(new QLabel(QStringLiteral("Path"), this), "PathPanel");
    FNPanel = named(new QLabel(QStringLiteral("File Name"), this), "FNPanel");
    TargetPanel = named(new QLabel(QStringLiteral("Target"), this), "TargetPanel");
    URLPanel = named(new QLabel(QStringLiteral("URL"), this), "URLPanel");
    HostPanel->setBuddy(HostEdit);
    PortPanel->setBuddy(PortEdit);
    PathPanel->setBuddy(PathEdit);
    FNPanel->setBuddy(FNEdit);
    TargetPanel->setBuddy(TargetEdit);
    URLPanel->setBuddy(URLEdit);
    QFont bold = URLPanel->font();
    bold.setBold(true);
    URLPanel->setFont(bold);
    Sep1 = named(new QLabel(QStringLiteral("://"), this), "Sep1");
    Sep2 = named(new QLabel(QStringLiteral(":"), this), "Sep2");
    Sep3 = named(new QLabel(QStringLiteral("/"), this), "Sep3");
    Sep4 = named(new QLabel(QStringLiteral("/"), this), "Sep4");
    Sep5 = named(new QLabel(QStringLiteral("#"), this), "Sep5");
    const OkCancel buttons = OkCancelButtons(this, Qt::Vertical, [this] { OKBtnClick(); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;

    RTypePanel->setBuddy(RTypeCombo);
    HostEdit->setMinimumWidth(200);
    PathEdit->setMinimumWidth(200);
    PortEdit->setMaximumWidth(70);
    URLEdit->setMinimumWidth(420);

    // Each label stands above its edit; separators stand between the edits.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->addWidget(RTypePanel, 0, 0);
    grid->addWidget(HostPanel, 0, 2);
    grid->addWidget(PortPanel, 0, 4);
    grid->addWidget(RTypeCombo, 1, 0);
    grid->addWidget(Sep1, 1, 1);
    grid->addWidget(HostEdit, 1, 2);
    grid->addWidget(Sep2, 1, 3);
    grid->addWidget(PortEdit, 1, 4);
    grid->addWidget(PathPanel, 2, 2);
    grid->addWidget(FNPanel, 2, 4, 1, 2);
    grid->addWidget(Sep3, 3, 1);
    grid->addWidget(PathEdit, 3, 2);
    grid->addWidget(Sep4, 3, 3);
    grid->addWidget(FNEdit, 3, 4, 1, 2);
    grid->addWidget(TargetPanel, 4, 2);
    grid->addWidget(Sep5, 5, 1);
    grid->addWidget(TargetEdit, 5, 2);
    grid->addWidget(URLPanel, 6, 0, 1, 6);
    grid->addWidget(URLEdit, 7, 0, 1, 6);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(4, 1);

    auto *outer = new QHBoxLayout(this);
    outer->addLayout(grid, 1);
    outer->addLayout(buttons.layout);

    connect(RTypeCombo, &QComboBox::currentIndexChanged, this, &TURLDlg::RTypeComboChange);
    for (QLineEdit *edit : {HostEdit, PortEdit, PathEdit, FNEdit, TargetEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] { ComposeURL(RTypeCombo->currentIndex()); });
}

void TURLDlg::RTypeComboChange(int index)
{
    LayoutForScheme(index);
    ComposeURL(index);
}

void TURLDlg::ComposeURL(int scheme)
{
    if (!UrlSchemeAt(scheme))
        return;
    UrlFields fields;
    fields[HostField] = HostEdit->text();
    fields[PortField] = PortEdit->text();
    fields[PathField] = PathEdit->text();
    fields[FileNameField] = FNEdit->text();
    fields[TargetField] = TargetEdit->text();
    URLEdit->setText(::ComposeUrl(scheme, fields));
}

void TURLDlg::LayoutForScheme(int scheme)
{
    const UrlSchemeLayout *layout = UrlSchemeAt(scheme);
    if (!layout)
        return;
    // Hiding a row never clears its edit: the text comes back with the row.
    const struct
    {
        QLabel *sep;
        QLabel *label;
        QLineEdit *edit;
    } rows[UrlFieldCount] = {{Sep1, HostPanel, HostEdit},
                             {Sep2, PortPanel, PortEdit},
                             {Sep3, PathPanel, PathEdit},
                             {Sep4, FNPanel, FNEdit},
                             {Sep5, TargetPanel, TargetEdit}};
    for (int f = 0; f < UrlFieldCount; ++f) {
        const UrlFieldLayout &field = layout->fields[f];
        rows[f].sep->setText(field.separator);
        if (field.shown)
            rows[f].label->setText(field.label);
        rows[f].sep->setVisible(field.shown);
        rows[f].label->setVisible(field.shown);
        rows[f].edit->setVisible(field.shown);
    }
    URLPanel->setText(QStringLiteral("URL"));
    URLPanel->setVisible(true);
    URLEdit->setVisible(true);
}

void TURLDlg::OKBtnClick()
{
    // A URL pasted with line breaks would break the markup it goes into.
    m_resultUrl = OneLine(URLEdit->text());
    accept();
}

bool PickURL(QWidget *parent, QString &url)
{
    TURLDlg dialog(parent);
    Prompts::instance().runModal(&dialog);
    if (dialog.ResultURL().isEmpty())
        return false;
    url = dialog.ResultURL();
    return true;
}
