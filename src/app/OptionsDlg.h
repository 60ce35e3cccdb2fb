#pragma once

#include <QDialog>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TypingHelpPage;
struct Settings;

// "Options": the settings of files, the browser and start-up. Filled from the
// settings when created; "Save It !" writes them back and shows or hides the
// status bar at once, "Never Mind" changes nothing.
class TOptionsDlg : public QDialog
{
    Q_OBJECT
public:
    // showStatusBar is called on "Save It !" with the new ShowStatusBar value.
    explicit TOptionsDlg(QWidget *parent = nullptr, std::function<void(bool)> showStatusBar = {});

    void FormCreate(const Settings &settings);
    // Puts the controls' values into the settings, cut to their limits.
    void storeInto(Settings &settings) const;

    void viewerTypeGroupClick(int index);
    void ExternalViewerButtonClick();
    void showSplashChkClick();
    void OKBtnClick();
    void CancelBtnClick();

private:
    void enableViewerPath(int viewerType);
    int viewerTypeIndex() const;

    std::function<void(bool)> m_showStatusBar;
    QTabWidget *m_pages = nullptr;
    QComboBox *files_defaultExtEdit = nullptr;
    QGroupBox *viewerTypeGroup = nullptr;
    QButtonGroup *m_viewerTypeButtons = nullptr;
    QLabel *m_viewerPathLabel = nullptr;
    QLineEdit *ExternalViewerEdit = nullptr;
    QPushButton *ExternalViewerButton = nullptr;
    QCheckBox *InsertBRChkBox = nullptr;
    QCheckBox *InsertTagsChkBox = nullptr;
    QCheckBox *ShowStatusBarChkBox = nullptr;
    QCheckBox *showSplashChk = nullptr;
    QCheckBox *CheckObsoleteChkBox = nullptr;
    QLabel *m_splashTimeLabel = nullptr;
    QSpinBox *splashTimeEdit = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    TypingHelpPage *m_typingPage = nullptr;
};

using TOptionsForm = TOptionsDlg;

// The "Main Options..." command: runs the dialog modally; true when the user saved.
bool RunOptionsDialog(QWidget *parent, std::function<void(bool)> showStatusBar);

// The Netscape installation folder from its own settings; empty where there is none.
QString NetscapeInstallFolder();
