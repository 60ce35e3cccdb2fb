#include "custom/NewLinkDlg.h"

#include "custom/JsEntries.h"
#include "custom/NewLinkMarkup.h"
#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "tags/AttributeHelpers.h"
#include "tags/AttributeText.h"
#include "tags/FormMarkup.h"
#include "tags/TagInsertion.h"
#include "tags/UrlPicker.h"
#include "widgets/DialogParts.h"
#include "widgets/PageSizing.h"
#include "widgets/RadioGroup.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
QLabel *wrappedLabel(const char *name, const char *caption)
{
    auto *label = named(new QLabel(QString::fromLatin1(caption)), name);
    label->setWordWrap(true);
    return label;
}
}  // namespace

TnewlinkFrm::TnewlinkFrm(TextDocument &document, SettingsStore &store, int page, QWidget *parent)
    : QDialog(parent), m_document(document), m_store(store)
{
    setObjectName(QStringLiteral("newlinkFrm"));
    setWindowTitle(QStringLiteral("New-link checker"));

    Notebook1 = named(new QStackedWidget, "Notebook1");

    // Page 0: the checker.
    auto *checker = new QWidget;
    newLink_old = named(new QSpinBox, "newLink_old");
    newLink_old->setAccessibleName(QStringLiteral("Number of days until link is OLD"));
    newLink_old->setRange(1, 99);
    newLink_old->setValue(7);
    newLink_when = named(
        new RadioGroup(QStringLiteral("Link was added,"),
                       {QStringLiteral("on this date"), QStringLiteral("when the document was last modified")}),
        "newLink_when");
    newLink_whenDate = named(new QLineEdit, "newLink_whenDate");
    newLink_whenDate->setInputMask(QStringLiteral("99/99/99"));
    newLink_whenDate->setMaximumWidth(newLink_whenDate->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00"))
                                      + 24);
    connect(newLink_when, &RadioGroup::itemIndexChanged, this, &TnewlinkFrm::newLink_whenClick);
    auto *daysRow = new QHBoxLayout;
    daysRow->addWidget(newLink_old);
    daysRow->addStretch(1);
    // The date stands beside "on this date", the item it belongs to.
    if (auto *grid = qobject_cast<QGridLayout *>(newLink_when->layout())) {
        grid->addWidget(newLink_whenDate, 0, 1, Qt::AlignLeft);
        grid->setColumnStretch(1, 1);
    }
    auto *checkerLayout = new QVBoxLayout(checker);
    checkerLayout->setContentsMargins(0, 0, 0, 0);
    checkerLayout->addWidget(named(
        new QLabel(QStringLiteral("Number of days until link is OLD (i.e. the image wont be displayed):")), "Label4"));
    checkerLayout->addLayout(daysRow);
    checkerLayout->addWidget(newLink_when);
    checkerLayout->addStretch(1);

    // Page 1: the picture and the head part.
    auto *picture = new QWidget;
    urlEdit = named(new QLineEdit, "urlEdit");
    urlEdit->setAccessibleName(QStringLiteral("New link image"));
    urlEdit->setMaxLength(SettingLimits::NewLinkText);
    Button1 = named(new QPushButton(QStringLiteral("&URL Wizard...")), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("&Browse...")), "Button2");
    // A cancelled composer or file dialog keeps what the field holds.
    ConnectUrlWizard(Button1, urlEdit);
    connect(Button2, &QPushButton::clicked, this, [this] {
        const QString name = AskFileName(this, FileFilterKind::Pictures);
        if (!name.isEmpty())
            urlEdit->setText(name);
    });
    altEdit = named(new QLineEdit, "altEdit");
    altEdit->setMaxLength(SettingLimits::NewLinkText);
    auto *altLabel = new QLabel(QStringLiteral("Alternative Text:"));
    altLabel->setBuddy(altEdit);
    // Captions in the dialog's own spelling; the stored value is ImageAlignValue's keyword.
    ALIGNgroupbox = named(new RadioGroup(QStringLiteral("Alignment"), ImageAlignItems(), 3), "ALIGNgroupbox");
    auto *pictureGrid = new QGridLayout;
    pictureGrid->addWidget(urlEdit, 0, 0, 1, 2);
    pictureGrid->addWidget(Button1, 0, 2);
    pictureGrid->addWidget(Button2, 0, 3);
    pictureGrid->addWidget(altLabel, 1, 0);
    pictureGrid->addWidget(altEdit, 1, 1, 1, 3);
    pictureGrid->setColumnStretch(1, 1);
    auto *pictureLayout = new QVBoxLayout(picture);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    pictureLayout->addWidget(wrappedLabel("Label1",
                                          "Please insert the URL or filename of the image. This image will be "
                                          "inserted every time you insert a new-link checker."));
    pictureLayout->addLayout(pictureGrid);
    pictureLayout->addWidget(ALIGNgroupbox);
    pictureLayout->addStretch(1);

    Notebook1->addWidget(checker);
    Notebook1->addWidget(picture);
    Notebook1->setCurrentIndex(page == PicturePage ? PicturePage : CheckerPage);
    SizeToCurrentPage(Notebook1);

    // OK may refuse an incomplete date and keep the dialog open.
    const OkCancel buttons = OkCancelButtons(
        this, Qt::Horizontal, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Notebook1);
    layout->addLayout(buttons.layout);
    setMinimumWidth(420);

    FormCreate();
    // The OK row was made first; typing should start in the shown page's first field.
    if (Notebook1->currentIndex() == PicturePage)
        urlEdit->setFocus();
    else
        newLink_old->setFocus();
}

void TnewlinkFrm::FormCreate()
{
    const Settings &s = AppSettings();
    urlEdit->setText(s.NewLinkImage);
    altEdit->setText(s.NewLinkAltText);
    ALIGNgroupbox->setItemIndex(NewLinkAlignmentIndex(s.NewLinkImageAlignment));
    newLink_when->setItemIndex(1);
    // Most checkers are for a link added today.
    newLink_whenDate->setText(NewLinkDateText(QDate::currentDate()));
    newLink_whenClick();
}

void TnewlinkFrm::newLink_whenClick()
{
    newLink_whenDate->setEnabled(newLink_when->itemIndex() == 0);
}

void TnewlinkFrm::OKBtnClick()
{
    if (Notebook1->currentIndex() == PicturePage) {
        writeHeadPart();
    } else if (!writeChecker()) {
        return;
    }
    accept();
}

void TnewlinkFrm::CancelBtnClick()
{
    reject();
}

bool TnewlinkFrm::writeChecker()
{
    const bool onThisDate = newLink_when->itemIndex() == 0;
    const QString date = newLink_whenDate->displayText();
    if (onThisDate && !IsNewLinkDate(date)) {
        // A half-typed date would make the script compare with an invalid date.
        Prompts::instance().message(this, QStringLiteral("Information"),
                                    QStringLiteral("Please type the complete date the link was added, as "
                                                   "MM/DD/YY (for example 03/15/98)."),
                                    QMessageBox::Information, QMessageBox::Ok);
        newLink_whenDate->setFocus();
        return false;
    }
    const std::optional<QString> checker = ReadJSEntry(
        NewLinkCheckerEntry, NewLinkCheckerParams(newLink_old->value(), NewLinkDateExpression(onThisDate, date)), this);
    if (checker)
        ReplaceSelection(m_document, *checker);
    return true;
}

void TnewlinkFrm::writeHeadPart()
{
    Settings &s = AppSettings();
    s.NewLinkImage = OneLine(urlEdit->text()).left(SettingLimits::NewLinkText);
    s.NewLinkAltText = OneLine(altEdit->text()).left(SettingLimits::NewLinkText);
    s.NewLinkImageAlignment = ImageAlignValue(ALIGNgroupbox->itemIndex()).left(SettingLimits::NewLinkAlignment);
    SaveNewLinkSettings(m_store, s);
    m_store.sync();

    // Asked before anything is written: making the name relative may save the document.
    const QString picture = ToFileUrlPath(MakeRelativePath(m_document, s.NewLinkImage.trimmed()));
    TColorMemo *memo = m_document.editor();
    const std::optional<QString> head = NewLinkHeadLine(ReadJSEntry(
        NewLinkHeadEntry, NewLinkHeadParams(picture, s.NewLinkImageAlignment, s.NewLinkAltText, memo->isUtf8Document()),
        this));
    if (!head)
        return;
    const qsizetype at = FindHeadEnd(memo->textView());
    memo->setSelStart(at >= 0 ? int(at) : memo->SelStart());
    ReplaceSelection(m_document, *head);
}

namespace {
void runDialog(TextDocument &document, SettingsStore &store, int page)
{
    TnewlinkFrm dialog(document, store, page, document.window());
    Prompts::instance().runModal(&dialog);
}
}  // namespace

void Setnewlinkimage1Click(TextDocument &document, SettingsStore &store)
{
    runDialog(document, store, TnewlinkFrm::PicturePage);
}

void Insertnewlinkchecker2Click(TextDocument &document, SettingsStore &store)
{
    runDialog(document, store, TnewlinkFrm::CheckerPage);
}

namespace {
NewLinkStoreFinder &storeFinder()
{
    static NewLinkStoreFinder finder;
    return finder;
}

// Runs a command with the document's store, when there is one.
std::function<void(TextDocument &)> withStore(void (*run)(TextDocument &, SettingsStore &))
{
    return [run](TextDocument &document) {
        if (!storeFinder())
            return;
        if (SettingsStore *store = storeFinder()(document))
            run(document, *store);
    };
}
}  // namespace

void SetNewLinkStoreFinder(NewLinkStoreFinder finder)
{
    storeFinder() = std::move(finder);
}

const QList<Command> &NewLinkCommands()
{
    static const QList<Command> commands = {
        MakeCommand("Setnewlinkimage1", "Insert HEAD part (required)...", "", "", withStore(Setnewlinkimage1Click)),
        MakeCommand("Insertnewlinkchecker2", "Insert new-link checker...", "", "",
                    withStore(Insertnewlinkchecker2Click)),
    };
    return commands;
}
