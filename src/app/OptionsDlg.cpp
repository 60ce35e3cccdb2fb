#include "app/OptionsDlg.h"

#include "app/DocumentView.h"
#include "app/TypingHelpPage.h"
#include "platform/FileAsk.h"

#include "platform/Prompts.h"
#include "platform/Settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
enum { DefaultBrowserType = 3 };
constexpr int SplashSecondsMin = 1;
constexpr int SplashSecondsMax = 10;

QLabel *noteLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    label->setPalette(palette);
    return label;
}

}  // namespace

QString NetscapeInstallFolder()
{
#ifdef Q_OS_WIN
    const QSettings key(QStringLiteral("HKEY_CURRENT_USER\\Software\\Netscape\\Netscape Navigator\\Main"),
                        QSettings::NativeFormat);
    return key.value(QStringLiteral("Install Directory")).toString();
#else
    return {};
#endif
}

TOptionsDlg::TOptionsDlg(QWidget *parent, std::function<void(bool)> showStatusBar)
    : QDialog(parent), m_showStatusBar(std::move(showStatusBar))
{
    setObjectName(QStringLiteral("TOptionsDlg"));
    setWindowTitle(QStringLiteral("Options"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("OptionsPages"));

    // Files
    auto *filesPage = new QWidget(m_pages);
    auto *filesLayout = new QVBoxLayout(filesPage);
    auto *extRow = new QHBoxLayout;
    auto *extLabel = new QLabel(QStringLiteral("Default Extention: "), filesPage);
    files_defaultExtEdit = new QComboBox(filesPage);
    files_defaultExtEdit->setObjectName(QStringLiteral("files_defaultExtEdit"));
    files_defaultExtEdit->setEditable(true);
    files_defaultExtEdit->setInsertPolicy(QComboBox::NoInsert);
    files_defaultExtEdit->addItems({QStringLiteral("html"), QStringLiteral("htm")});
    extLabel->setBuddy(files_defaultExtEdit);
    extRow->addWidget(extLabel);
    extRow->addWidget(files_defaultExtEdit, 1);
    filesLayout->addLayout(extRow);
    filesLayout->addWidget(noteLabel(QStringLiteral("Dont write .html just html"), filesPage));
    filesLayout->addWidget(noteLabel(QStringLiteral("Maximum 4 letters"), filesPage));
    filesLayout->addStretch();
    m_pages->addTab(filesPage, QStringLiteral("Files"));

    // Viewers
    auto *viewersPage = new QWidget(m_pages);
    auto *viewersLayout = new QVBoxLayout(viewersPage);
    viewerTypeGroup = new QGroupBox(QStringLiteral("Viewer type"), viewersPage);
    viewerTypeGroup->setObjectName(QStringLiteral("viewerTypeGroup"));
    auto *groupLayout = new QVBoxLayout(viewerTypeGroup);
    m_viewerTypeButtons = new QButtonGroup(viewerTypeGroup);
    // The button ids are the ViewerType values.
    const QStringList viewerCaptions{QStringLiteral("Microsoft (r) Internet Explorer"),
                                     QStringLiteral("Netscape Navigator"), QStringLiteral("Other"),
                                     QStringLiteral("Default browser")};
    for (int i = 0; i < viewerCaptions.size(); ++i) {
        auto *radio = new QRadioButton(viewerCaptions.at(i), viewerTypeGroup);
        m_viewerTypeButtons->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    viewersLayout->addWidget(viewerTypeGroup);
    auto *pathRow = new QHBoxLayout;
    m_viewerPathLabel = new QLabel(QStringLiteral("External Viewer Path:  "), viewersPage);
    m_viewerPathLabel->setObjectName(QStringLiteral("ExternalViewerLabel"));
    ExternalViewerEdit = new QLineEdit(viewersPage);
    ExternalViewerEdit->setObjectName(QStringLiteral("ExternalViewerEdit"));
    m_viewerPathLabel->setBuddy(ExternalViewerEdit);
    pathRow->addWidget(m_viewerPathLabel);
    pathRow->addWidget(ExternalViewerEdit, 1);
    viewersLayout->addLayout(pathRow);
    ExternalViewerButton = new QPushButton(QStringLiteral("&Select external viewer"), viewersPage);
    ExternalViewerButton->setObjectName(QStringLiteral("ExternalViewerButton"));
    ExternalViewerButton->setAutoDefault(false);
    viewersLayout->addWidget(ExternalViewerButton, 0, Qt::AlignLeft);
    viewersLayout->addWidget(
        noteLabel(QStringLiteral("Internet Explorer and Netscape are used with DDE. If you dont want to use DDE (not "
                                 "recommended if you use IE or NS) you can choose 'Other'"),
                  viewersPage));
    viewersLayout->addWidget(noteLabel(
        QStringLiteral("The 'Default browser' means the browser that opens when you double-click on an HTML file."),
        viewersPage));
    viewersLayout->addStretch();
    m_pages->addTab(viewersPage, QStringLiteral("Viewers"));

    // Misc
    auto *miscPage = new QWidget(m_pages);
    auto *miscLayout = new QVBoxLayout(miscPage);
    InsertBRChkBox = new QCheckBox(
        QStringLiteral("Insert <&BR> when Enter is pressed (<BR> wont be inserted if Ctrl+Enter is pressed)"),
        miscPage);
    InsertBRChkBox->setObjectName(QStringLiteral("InsertBRChkBox"));
    miscLayout->addWidget(InsertBRChkBox);
    auto *brNote = new QLabel(QStringLiteral("If not selected, <BR> will be inserted if Ctrl+Enter is pressed."),
                              miscPage);
    brNote->setTextFormat(Qt::PlainText);
    QFont italic = brNote->font();
    italic.setItalic(true);
    brNote->setFont(italic);
    miscLayout->addWidget(brNote);
    InsertTagsChkBox = new QCheckBox(QStringLiteral("Insert &all document structure tags when opening a new document."),
                                     miscPage);
    InsertTagsChkBox->setObjectName(QStringLiteral("InsertTagsChkBox"));
    miscLayout->addWidget(InsertTagsChkBox);
    ShowStatusBarChkBox = new QCheckBox(QStringLiteral("Show &status bar"), miscPage);
    ShowStatusBarChkBox->setObjectName(QStringLiteral("ShowStatusBarChkBox"));
    miscLayout->addWidget(ShowStatusBarChkBox);
    showSplashChk = new QCheckBox(QStringLiteral("Show splash screen"), miscPage);
    showSplashChk->setObjectName(QStringLiteral("showSplashChk"));
    miscLayout->addWidget(showSplashChk);
    auto *splashRow = new QHBoxLayout;
    m_splashTimeLabel = new QLabel(QStringLiteral("Seconds to show splash screen:"), miscPage);
    m_splashTimeLabel->setObjectName(QStringLiteral("splashTimeLabel"));
    splashTimeEdit = new QSpinBox(miscPage);
    splashTimeEdit->setObjectName(QStringLiteral("splashTimeEdit"));
    splashTimeEdit->setRange(SplashSecondsMin, SplashSecondsMax);
    m_splashTimeLabel->setBuddy(splashTimeEdit);
    splashRow->addWidget(m_splashTimeLabel);
    splashRow->addWidget(splashTimeEdit);
    splashRow->addStretch();
    miscLayout->addLayout(splashRow);
    CheckObsoleteChkBox = new QCheckBox(
        QStringLiteral("Check Page and Check Project name &obsolete elements (LAYER, FONT, CENTER, ...)"), miscPage);
    CheckObsoleteChkBox->setObjectName(QStringLiteral("CheckObsoleteChkBox"));
    miscLayout->addWidget(CheckObsoleteChkBox);
    miscLayout->addStretch();
    m_pages->addTab(miscPage, QStringLiteral("Misc"));
    m_typingPage = new TypingHelpPage(m_pages);
    m_pages->addTab(m_typingPage, QStringLiteral("Typing"));

    OKBtn = new QPushButton(QStringLiteral("Save It !"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Never Mind"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    connect(m_viewerTypeButtons, &QButtonGroup::idClicked, this, &TOptionsDlg::viewerTypeGroupClick);
    connect(ExternalViewerButton, &QPushButton::clicked, this, &TOptionsDlg::ExternalViewerButtonClick);
    connect(showSplashChk, &QCheckBox::toggled, this, &TOptionsDlg::showSplashChkClick);
    connect(OKBtn, &QPushButton::clicked, this, &TOptionsDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TOptionsDlg::CancelBtnClick);

    FormCreate(AppSettings());
}

void TOptionsDlg::FormCreate(const Settings &settings)
{
    // Setting the choice does not run viewerTypeGroupClick: the stored path is shown as it is.
    if (QAbstractButton *button = m_viewerTypeButtons->button(settings.ViewerType))
        button->setChecked(true);
    enableViewerPath(settings.ViewerType);
    ExternalViewerEdit->setText(settings.ViewerFileName);
    InsertBRChkBox->setChecked(settings.InsertBROnEnter);
    InsertTagsChkBox->setChecked(settings.InsertStructureOnNew);
    ShowStatusBarChkBox->setChecked(settings.ShowStatusBar);
    files_defaultExtEdit->setEditText(settings.DefaultExt);
    showSplashChk->setChecked(settings.ShowSplash);
    splashTimeEdit->setValue(settings.SplashSeconds);
    CheckObsoleteChkBox->setChecked(settings.CheckReportsObsolete);
    showSplashChkClick();
    m_typingPage->fill(settings.Typing);
}

void TOptionsDlg::enableViewerPath(int viewerType)
{
    const bool enabled = viewerType != DefaultBrowserType;
    m_viewerPathLabel->setEnabled(enabled);
    ExternalViewerEdit->setEnabled(enabled);
    ExternalViewerButton->setEnabled(enabled);
}

int TOptionsDlg::viewerTypeIndex() const
{
    return m_viewerTypeButtons->checkedId();
}

void TOptionsDlg::viewerTypeGroupClick(int index)
{
    enableViewerPath(index);
    const QString netscapeFolder = NetscapeInstallFolder();
    if (!ExternalViewerEdit->text().isEmpty())
        return;
    if (index == 0)
        ExternalViewerEdit->setText(QStringLiteral("C:\\Program Files\\Microsoft Internet\\Iexplore.exe"));
    else if (index == 1 && !netscapeFolder.isEmpty())
        ExternalViewerEdit->setText(netscapeFolder + QStringLiteral("\\Program\\Netscape.exe"));
}

void TOptionsDlg::ExternalViewerButtonClick()
{
    const QString fileName = AskFileName(this, FileFilterKind::Exectables);
    if (!fileName.isEmpty())
        ExternalViewerEdit->setText(fileName);
}

void TOptionsDlg::showSplashChkClick()
{
    m_splashTimeLabel->setEnabled(showSplashChk->isChecked());
    splashTimeEdit->setEnabled(showSplashChk->isChecked());
}

void TOptionsDlg::storeInto(Settings &settings) const
{
    settings.ViewerFileName = ExternalViewerEdit->text().left(SettingLimits::Path);
    // No choice at all (a stored type above 3) keeps the stored value.
    if (viewerTypeIndex() >= 0)
        settings.ViewerType = quint8(viewerTypeIndex());
    settings.InsertBROnEnter = InsertBRChkBox->isChecked();
    settings.InsertStructureOnNew = InsertTagsChkBox->isChecked();
    settings.ShowStatusBar = ShowStatusBarChkBox->isChecked();
    settings.ShowSplash = showSplashChk->isChecked();
    settings.CheckReportsObsolete = CheckObsoleteChkBox->isChecked();
    bool isNumber = false;
    const int seconds = splashTimeEdit->cleanText().toInt(&isNumber);
    settings.SplashSeconds = quint8(isNumber ? qBound(SplashSecondsMin, seconds, SplashSecondsMax) : SplashSecondsMin);
    settings.DefaultExt = files_defaultExtEdit->currentText().left(SettingLimits::DefaultExt);
    m_typingPage->storeInto(settings.Typing);
}

void TOptionsDlg::OKBtnClick()
{
    storeInto(AppSettings());
    if (m_showStatusBar)
        m_showStatusBar(AppSettings().ShowStatusBar);
    // Every editor follows the typing help settings at once.
    emit ViewSettingsEvents::instance().changed();
    accept();
}

void TOptionsDlg::CancelBtnClick()
{
    reject();
}

bool RunOptionsDialog(QWidget *parent, std::function<void(bool)> showStatusBar)
{
    TOptionsDlg dialog(parent, std::move(showStatusBar));
    return Prompts::instance().runModal(&dialog) == QDialog::Accepted;
}
