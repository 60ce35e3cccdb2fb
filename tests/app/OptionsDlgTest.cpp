#include "app/OptionsDlg.h"
#include "platform/Settings.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {
const QString IePath = QStringLiteral("C:\\Program Files\\Microsoft Internet\\Iexplore.exe");

template <class T>
T *control(QDialog *dialog, const char *name)
{
    T *widget = dialog->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QRadioButton *viewerChoice(QDialog *dialog, int index)
{
    const auto radios = control<QGroupBox>(dialog, "viewerTypeGroup")->findChildren<QRadioButton *>();
    EXPECT_EQ(radios.size(), 4);
    return radios.value(index);
}

int pressOk(QDialog *dialog)
{
    control<QPushButton>(dialog, "OKBtn")->click();
    return dialog->result();
}

int pressCancel(QDialog *dialog)
{
    control<QPushButton>(dialog, "CancelBtn")->click();
    return dialog->result();
}

class OptionsDialog : public ::testing::Test
{
protected:
    void SetUp() override { AppSettings() = Settings(); }
    void TearDown() override { AppSettings() = Settings(); }

    // Runs the command with one scripted modal step; returns what it returned.
    bool run(std::function<int(QDialog *)> step)
    {
        prompts.modals << std::move(step);
        return RunOptionsDialog(nullptr, [this](bool show) { statusBarCalls << show; });
    }

    ScriptedPrompts prompts;
    QList<bool> statusBarCalls;
};
}  // namespace

TEST_F(OptionsDialog, ShowsEverySettingOnItsPage)
{
    Settings &s = AppSettings();
    s.ViewerType = 2;
    s.ViewerFileName = QStringLiteral("/usr/bin/chromium");
    s.InsertBROnEnter = true;
    s.InsertStructureOnNew = false;
    s.ShowStatusBar = false;
    s.DefaultExt = QStringLiteral("htm");
    s.ShowSplash = true;
    s.SplashSeconds = 4;
    run([](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Options"));
        auto *pages = d->findChild<QTabWidget *>();
        EXPECT_EQ(pages->count(), 4);
        EXPECT_EQ(pages->tabText(0), QStringLiteral("Files"));
        EXPECT_EQ(pages->tabText(1), QStringLiteral("Viewers"));
        EXPECT_EQ(pages->tabText(2), QStringLiteral("Misc"));
        EXPECT_EQ(pages->tabText(3), QStringLiteral("Typing"));
        EXPECT_TRUE(viewerChoice(d, 2)->isChecked());
        EXPECT_EQ(viewerChoice(d, 0)->text(), QStringLiteral("Microsoft (r) Internet Explorer"));
        EXPECT_EQ(viewerChoice(d, 3)->text(), QStringLiteral("Default browser"));
        EXPECT_EQ(control<QLineEdit>(d, "ExternalViewerEdit")->text(), QStringLiteral("/usr/bin/chromium"));
        EXPECT_TRUE(control<QLineEdit>(d, "ExternalViewerEdit")->isEnabled());
        EXPECT_TRUE(control<QPushButton>(d, "ExternalViewerButton")->isEnabled());
        EXPECT_TRUE(control<QCheckBox>(d, "InsertBRChkBox")->isChecked());
        EXPECT_FALSE(control<QCheckBox>(d, "InsertTagsChkBox")->isChecked());
        EXPECT_FALSE(control<QCheckBox>(d, "ShowStatusBarChkBox")->isChecked());
        EXPECT_EQ(control<QComboBox>(d, "files_defaultExtEdit")->currentText(), QStringLiteral("htm"));
        EXPECT_TRUE(control<QCheckBox>(d, "showSplashChk")->isChecked());
        EXPECT_EQ(control<QSpinBox>(d, "splashTimeEdit")->value(), 4);
        EXPECT_TRUE(control<QSpinBox>(d, "splashTimeEdit")->isEnabled());
        EXPECT_EQ(control<QPushButton>(d, "OKBtn")->text(), QStringLiteral("Save It !"));
        EXPECT_TRUE(control<QPushButton>(d, "OKBtn")->isDefault());
        EXPECT_EQ(control<QPushButton>(d, "CancelBtn")->text(), QStringLiteral("Never Mind"));
        return pressCancel(d);
    });
    EXPECT_EQ(prompts.modalNames, QStringList{QStringLiteral("TOptionsDlg")});
}

TEST_F(OptionsDialog, DefaultBrowserAndSplashBoxDisableTheirFields)
{
    AppSettings().ViewerType = 3;
    AppSettings().ShowSplash = false;
    run([](QDialog *d) {
        EXPECT_FALSE(control<QLabel>(d, "ExternalViewerLabel")->isEnabled());
        EXPECT_FALSE(control<QLineEdit>(d, "ExternalViewerEdit")->isEnabled());
        EXPECT_FALSE(control<QPushButton>(d, "ExternalViewerButton")->isEnabled());
        EXPECT_FALSE(control<QLabel>(d, "splashTimeLabel")->isEnabled());
        EXPECT_FALSE(control<QSpinBox>(d, "splashTimeEdit")->isEnabled());
        control<QCheckBox>(d, "showSplashChk")->click();
        EXPECT_TRUE(control<QLabel>(d, "splashTimeLabel")->isEnabled());
        EXPECT_TRUE(control<QSpinBox>(d, "splashTimeEdit")->isEnabled());
        return pressCancel(d);
    });
}

TEST_F(OptionsDialog, ViewerChoiceFillsOnlyAnEmptyPath)
{
    AppSettings().ViewerType = 3;
    EXPECT_TRUE(run([](QDialog *d) {
        auto *path = control<QLineEdit>(d, "ExternalViewerEdit");
        EXPECT_EQ(path->text(), QString());
        // No Netscape installation here: the path stays empty.
        viewerChoice(d, 1)->click();
        EXPECT_EQ(path->text(), QString());
        EXPECT_TRUE(path->isEnabled());
        viewerChoice(d, 0)->click();
        EXPECT_EQ(path->text(), IePath);
        path->setText(QStringLiteral("/usr/bin/firefox"));
        viewerChoice(d, 0)->click();
        EXPECT_EQ(path->text(), QStringLiteral("/usr/bin/firefox"));
        // The default browser keeps the path text, which is saved too.
        viewerChoice(d, 3)->click();
        EXPECT_FALSE(path->isEnabled());
        EXPECT_FALSE(control<QPushButton>(d, "ExternalViewerButton")->isEnabled());
        return pressOk(d);
    }));
    EXPECT_EQ(AppSettings().ViewerType, 3);
    EXPECT_EQ(AppSettings().ViewerFileName, QStringLiteral("/usr/bin/firefox"));
}

TEST_F(OptionsDialog, SaveItStoresEveryFieldCutToItsLimit)
{
    const QString longPath = QStringLiteral("/") + QString(300, QLatin1Char('p'));
    EXPECT_TRUE(run([&](QDialog *d) {
        viewerChoice(d, 2)->click();
        control<QLineEdit>(d, "ExternalViewerEdit")->setText(longPath);
        control<QCheckBox>(d, "InsertBRChkBox")->setChecked(true);
        control<QCheckBox>(d, "InsertTagsChkBox")->setChecked(false);
        control<QCheckBox>(d, "ShowStatusBarChkBox")->setChecked(false);
        control<QCheckBox>(d, "showSplashChk")->setChecked(false);
        control<QSpinBox>(d, "splashTimeEdit")->setValue(7);
        control<QComboBox>(d, "files_defaultExtEdit")->setEditText(QStringLiteral("shtmlx"));
        return pressOk(d);
    }));
    const Settings &s = AppSettings();
    EXPECT_EQ(s.ViewerType, 2);
    EXPECT_EQ(s.ViewerFileName, longPath.left(255));
    EXPECT_TRUE(s.InsertBROnEnter);
    EXPECT_FALSE(s.InsertStructureOnNew);
    EXPECT_FALSE(s.ShowStatusBar);
    EXPECT_FALSE(s.ShowSplash);
    EXPECT_EQ(s.SplashSeconds, 7);
    EXPECT_EQ(s.DefaultExt, QStringLiteral("shtm"));
    EXPECT_EQ(statusBarCalls, QList<bool>{false});
}

TEST_F(OptionsDialog, ExtensionWithADotKeepsItsFirstFourCharacters)
{
    run([](QDialog *d) {
        control<QComboBox>(d, "files_defaultExtEdit")->setEditText(QStringLiteral(".html"));
        return pressOk(d);
    });
    EXPECT_EQ(AppSettings().DefaultExt, QStringLiteral(".htm"));
}

TEST_F(OptionsDialog, SplashSecondsThatAreNoNumberCountAsOne)
{
    run([](QDialog *d) {
        control<QSpinBox>(d, "splashTimeEdit")->findChild<QLineEdit *>()->setText(QStringLiteral("abc"));
        return pressOk(d);
    });
    EXPECT_EQ(AppSettings().SplashSeconds, 1);
}

TEST_F(OptionsDialog, NeverMindChangesNothing)
{
    AppSettings().ViewerFileName = QStringLiteral("/usr/bin/firefox");
    const Settings before = AppSettings();
    EXPECT_FALSE(run([](QDialog *d) {
        viewerChoice(d, 3)->click();
        control<QLineEdit>(d, "ExternalViewerEdit")->setText(QStringLiteral("/other"));
        control<QCheckBox>(d, "ShowStatusBarChkBox")->setChecked(false);
        control<QComboBox>(d, "files_defaultExtEdit")->setEditText(QStringLiteral("txt"));
        return pressCancel(d);
    }));
    EXPECT_EQ(AppSettings().ViewerType, before.ViewerType);
    EXPECT_EQ(AppSettings().ViewerFileName, before.ViewerFileName);
    EXPECT_EQ(AppSettings().ShowStatusBar, before.ShowStatusBar);
    EXPECT_EQ(AppSettings().DefaultExt, before.DefaultExt);
    EXPECT_TRUE(statusBarCalls.isEmpty());
}

TEST_F(OptionsDialog, SelectButtonAsksForAProgramAndKeepsThePathWhenCancelled)
{
    AppSettings().ViewerType = 2;
    AppSettings().ViewerFileName = QStringLiteral("/usr/bin/firefox");
    prompts.files << QString() << QStringLiteral("/usr/bin/chromium");
    run([](QDialog *d) {
        auto *path = control<QLineEdit>(d, "ExternalViewerEdit");
        control<QPushButton>(d, "ExternalViewerButton")->click();
        EXPECT_EQ(path->text(), QStringLiteral("/usr/bin/firefox"));
        control<QPushButton>(d, "ExternalViewerButton")->click();
        EXPECT_EQ(path->text(), QStringLiteral("/usr/bin/chromium"));
        return pressOk(d);
    });
    EXPECT_EQ(AppSettings().ViewerFileName, QStringLiteral("/usr/bin/chromium"));
    ASSERT_EQ(prompts.fileRequests.size(), 2);
    const auto &request = prompts.fileRequests.first();
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.filters.size(), 7);
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_TRUE(request.filters.value(2).startsWith(QStringLiteral("Exectables")));
}
