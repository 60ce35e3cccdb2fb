#include "objects/LinksDlg.h"
#include "widgets/DialogParts.h"
#include "widgets/PageSizing.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "objects/LinkMarkup.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"
#include "tags/UrlPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QComboBox *targetBox(QWidget *parent, const char *name, QCheckBox *check)
{
    auto *box = named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setAccessibleName(QStringLiteral("Target"));
    box->addItems(
        {QStringLiteral("_Blank"), QStringLiteral("_Self"), QStringLiteral("_Parent"), QStringLiteral("_Top")});
    box->setCurrentIndex(-1);
    box->setEnabled(false);
    QObject::connect(check, &QCheckBox::toggled, box, &QWidget::setEnabled);
    return box;
}

}  // namespace

QString LinksDlgCaption(int page)
{
    switch (page) {
    case TLinksDlg::MakeAnchorPage:
        return QStringLiteral("Anchors - Make an Anchor");
    case TLinksDlg::LinkToAnchorPage:
        return QStringLiteral("Anchors - Link to an anchor in the same document");
    case TLinksDlg::LinkToFilePage:
        return QStringLiteral("Anchors - Link to a document on the same system");
    case TLinksDlg::LinkToUrlPage:
        return QStringLiteral("Anchors - Link to a document on other system");
    }
    return {};
}

TLinksDlg::TLinksDlg(TextDocument &document, int page, QWidget *parent) : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("LinksDlg"));
    setWindowTitle(LinksDlgCaption(page));
    Notebook = named(new QStackedWidget(this), "Notebook");

    // Page 0: make an anchor.
    auto *page0 = new QWidget(Notebook);
    MakeAnchorGroup = named(new QGroupBox(QStringLiteral("Add or Edit an Ancher"), page0), "MakeAnchorGroup");
    AnchorList = named(new QListWidget(MakeAnchorGroup), "AnchorList");
    AnchorList->setAccessibleName(QStringLiteral("Existing anchor to replace"));
    AnchorButton = named(new QToolButton(MakeAnchorGroup), "AnchorButton");
    AnchorButton->setText(QStringLiteral("x"));
    AnchorButton->setToolTip(QStringLiteral("Unselect all items"));
    AnchorEdit = named(new QLineEdit(MakeAnchorGroup), "AnchorEdit");
    {
        auto *v = new QVBoxLayout(MakeAnchorGroup);
        auto *listRow = new QHBoxLayout;
        listRow->addWidget(AnchorList, 1);
        listRow->addWidget(AnchorButton, 0, Qt::AlignTop);
        v->addWidget(new QLabel(QStringLiteral("Existing anchor to replace:"), MakeAnchorGroup));
        v->addLayout(listRow, 1);
        v->addWidget(labelFor(QStringLiteral("&Name of the anchor:"), AnchorEdit, MakeAnchorGroup));
        v->addWidget(AnchorEdit);
        (new QVBoxLayout(page0))->addWidget(MakeAnchorGroup);
    }

    // Page 1: link to an anchor.
    auto *page1 = new QWidget(Notebook);
    LinkToAnchorGroup = named(new QGroupBox(QStringLiteral("Link to an Anchor"), page1), "LinkToAnchorGroup");
    AnchorList2 = named(new QListWidget(LinkToAnchorGroup), "AnchorList2");
    AnchorList2->setAccessibleName(QStringLiteral("Anchors"));
    AnchorDesEdit = named(new QLineEdit(LinkToAnchorGroup), "AnchorDesEdit");
    LinkToAnchorDefineTargetChkBox = named(new QCheckBox(QStringLiteral("Define &Target:"), LinkToAnchorGroup),
                                           "LinkToAnchorDefineTargetChkBox");
    LinkToAnchorDefineTargetEdit = targetBox(LinkToAnchorGroup, "LinkToAnchorDefineTargetEdit",
                                             LinkToAnchorDefineTargetChkBox);
    {
        auto *v = new QVBoxLayout(LinkToAnchorGroup);
        v->addWidget(AnchorList2, 1);
        v->addWidget(labelFor(QStringLiteral("&Description of link"), AnchorDesEdit, LinkToAnchorGroup));
        v->addWidget(AnchorDesEdit);
        auto *row = new QHBoxLayout;
        row->addWidget(LinkToAnchorDefineTargetChkBox);
        row->addWidget(LinkToAnchorDefineTargetEdit, 1);
        v->addLayout(row);
        (new QVBoxLayout(page1))->addWidget(LinkToAnchorGroup);
    }

    // Pages 2 and 3: link to a file, link to a URL.
    auto linkPage = [this](const char *edit, const char *editLabel, const char *button, const char *buttonCaption,
                           const char *des, const char *check, const char *targetEdit, QLineEdit *&editOut,
                           QPushButton *&buttonOut, QLineEdit *&desOut, QCheckBox *&checkOut, QComboBox *&targetOut) {
        auto *page = new QWidget(Notebook);
        editOut = named(new QLineEdit(page), edit);
        buttonOut = named(new QPushButton(QString::fromLatin1(buttonCaption), page), button);
        desOut = named(new QLineEdit(page), des);
        checkOut = named(new QCheckBox(QStringLiteral("Define &Target:"), page), check);
        targetOut = targetBox(page, targetEdit, checkOut);
        auto *v = new QVBoxLayout(page);
        v->addWidget(labelFor(QString::fromLatin1(editLabel), editOut, page));
        auto *row = new QHBoxLayout;
        row->addWidget(editOut, 1);
        row->addWidget(buttonOut);
        v->addLayout(row);
        v->addWidget(labelFor(QStringLiteral("&Description of link"), desOut, page));
        v->addWidget(desOut);
        auto *targetRow = new QHBoxLayout;
        targetRow->addWidget(checkOut);
        targetRow->addWidget(targetOut, 1);
        v->addLayout(targetRow);
        v->addStretch();
        return page;
    };
    QWidget *page2 = linkPage("FNEdit", "&Filename:", "FNButton", "&Browse...", "FNDesEdit", "FNDefineTargetChkBox",
                              "FNDefineTargetEdit", FNEdit, FNButton, FNDesEdit, FNDefineTargetChkBox,
                              FNDefineTargetEdit);
    QWidget *page3 = linkPage("URLEdit", "&URL:", "URLButton", "URL &Wizard...", "URLDesEdit", "URLDefineTargetChkBox",
                              "URLDefineTargetEdit", URLEdit, URLButton, URLDesEdit, URLDefineTargetChkBox,
                              URLDefineTargetEdit);
    for (QWidget *p : {page0, page1, page2, page3})
        Notebook->addWidget(p);
    Notebook->setCurrentIndex(qBound(0, page, 3));
    SizeToCurrentPage(Notebook);
    Notebook->setMinimumWidth(400);

    const OkCancel buttons = OkCancelButtons(this, Qt::Vertical, [this] { OKBtnClick(); });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    auto *outer = new QHBoxLayout(this);
    outer->addWidget(Notebook, 1);
    outer->addLayout(buttons.layout);

    // The description edits show the selection on one line; unless the user
    // changes it, the whole selection is written back as it was (a line edit
    // would cut it at 32767 characters and lose its line breaks).
    TColorMemo *memo = m_document.editor();
    m_selection = memo->decode(memo->SelText());
    for (QLineEdit *edit : {AnchorDesEdit, FNDesEdit, URLDesEdit})
        edit->setText(OneLine(m_selection));
    m_shownSelection = URLDesEdit->text();

    connect(AnchorButton, &QToolButton::clicked, this, &TLinksDlg::AnchorButtonClick);
    connect(FNButton, &QPushButton::clicked, this, &TLinksDlg::FNButtonClick);
    ConnectUrlWizard(URLButton, URLEdit);
}

int TLinksDlg::page() const
{
    return Notebook->currentIndex();
}

QString TLinksDlg::description(const QLineEdit *edit) const
{
    return edit->text() == m_shownSelection ? m_selection : edit->text();
}

QString TLinksDlg::target(const QCheckBox *box, const QComboBox *edit)
{
    return box->isChecked() ? OneLine(edit->currentText()) : QString();
}

void TLinksDlg::AnchorButtonClick()
{
    AnchorList->clearSelection();
    AnchorList->setCurrentItem(nullptr);
}

void TLinksDlg::FNButtonClick()
{
    // A cancelled file dialog keeps what the field held.
    const QString name = AskFileName(this, FileFilterKind::HTMLs);
    if (!name.isEmpty())
        FNEdit->setText(name);
}

void TLinksDlg::OKBtnClick()
{
    switch (page()) {
    case MakeAnchorPage: {
        TColorMemo *memo = m_document.editor();
        const QList<QListWidgetItem *> chosen = AnchorList->selectedItems();
        if (!chosen.isEmpty()) {
            // Replace the first anchor written exactly this way; when there is
            // none, the new anchor goes in at the caret and nothing is overwritten.
            const QByteArray old = memo->encode(QStringLiteral("<A NAME=\"") + chosen.first()->text()
                                                + QStringLiteral("\"></A>"));
            const qsizetype at = memo->textView().indexOf(old);
            if (at >= 0) {
                memo->setSelStart(int(at));
                memo->setSelLength(int(old.size()));
            } else {
                memo->setSelStart(memo->SelStart());
            }
        }
        InsertAnchor(m_document, AnchorEdit->text());
        break;
    }
    case LinkToAnchorPage: {
        const QList<QListWidgetItem *> chosen = AnchorList2->selectedItems();
        if (chosen.isEmpty()) {
            Prompts::instance().message(this, QStringLiteral("Information"),
                                        QStringLiteral("Choose the anchor to link to from the list."),
                                        QMessageBox::Information, QMessageBox::Ok);
            return;
        }
        InsertLink(m_document, QStringLiteral("#") + chosen.first()->text(),
                   target(LinkToAnchorDefineTargetChkBox, LinkToAnchorDefineTargetEdit), description(AnchorDesEdit));
        break;
    }
    case LinkToFilePage: {
        // Work out every value first: making the path relative may save the document.
        const QString href = MakeRelativePath(m_document, OneLine(FNEdit->text()));
        InsertLink(m_document, href, target(FNDefineTargetChkBox, FNDefineTargetEdit), description(FNDesEdit));
        break;
    }
    case LinkToUrlPage:
        InsertLink(m_document, URLEdit->text(), target(URLDefineTargetChkBox, URLDefineTargetEdit),
                   description(URLDesEdit));
        break;
    }
    accept();
}
