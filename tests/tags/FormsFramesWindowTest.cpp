#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "tags/FormElementsDlg.h"
#include "tags/FramesDlg.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include "support/QuietMainWindow.h"
#include <gtest/gtest.h>

// The form and frame commands reached the way the user reaches them: menu keys
// and menu items of a real document window.
TEST(FormsFramesWindow, MenuKeysOpenTheirPagesAndWriteIntoTheActiveDocument)
{
    QuietMainWindowStore quiet;
    SettingsStore &store = quiet.store;
    ScriptedPrompts prompts;
    auto form = std::make_unique<TMainForm>(&store, QStringList());
    form->show();
    QApplication::setActiveWindow(form.get());
    TMDIChild *doc = form->documents().NewDocument();
    ASSERT_TRUE(doc);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    doc->Memo1->setFocus();

    const char *items[] = {"Form2",
                           "CheckBox1",
                           "Hidden1",
                           "Image2",
                           "Password1",
                           "Radio1",
                           "Reset1",
                           "Submit1",
                           "TextBox1",
                           "TextArea1",
                           "TextAreatextareatextarea1",
                           "SelectList1",
                           "SelectListItem1",
                           "FrameSet1",
                           "FrameCol1",
                           "Frame1",
                           "NoFrames1"};
    for (const char *item : items) {
        QAction *action = doc->action(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        EXPECT_TRUE(action->isEnabled()) << item;
    }

    const struct
    {
        int key;
        Qt::KeyboardModifiers mods;
        const char *dialog;
        const char *sheet;
    } keys[] = {
        {Qt::Key_F5, Qt::ControlModifier, "FormElementsDlg", "FormSheet"},
        {Qt::Key_F1, Qt::ShiftModifier, "FormElementsDlg", "CheckBoxSheet"},
        {Qt::Key_F10, Qt::ShiftModifier, "FormElementsDlg", "TextArea2Sheet"},
        {Qt::Key_F12, Qt::ShiftModifier, "FormElementsDlg", "OptionSheet"},
        {Qt::Key_F8, Qt::ControlModifier, "FramesDlg", "FrameSetSheet"},
        {Qt::Key_F9, Qt::ControlModifier, "FramesDlg", "FrameSheet"},
    };
    for (const auto &k : keys) {
        QString sheet;
        prompts.modalNames.clear();
        prompts.modals = {[&sheet](QDialog *d) {
            sheet = d->findChild<QTabWidget *>("PageControl1")->currentWidget()->objectName();
            return int(QDialog::Rejected);
        }};
        QTest::keyClick(doc->Memo1, Qt::Key(k.key), k.mods);
        EXPECT_EQ(prompts.modalNames, QStringList({k.dialog})) << k.sheet;
        EXPECT_EQ(sheet, k.sheet);
    }
    EXPECT_EQ(doc->Memo1->length(), 0) << "cancelled dialogs write nothing";
    EXPECT_FALSE(doc->Modified);

    prompts.modals = {[](QDialog *d) {
        d->findChild<QLineEdit *>("NameEdit")->setText("go");
        return int(QDialog::Accepted);
    }};
    QTest::keyClick(doc->Memo1, Qt::Key_F7, Qt::ShiftModifier);
    doc->action("NoFrames1")->trigger();
    EXPECT_EQ(doc->Memo1->bytes(), "<INPUT TYPE=SUBMIT NAME=\"go\" VALUE=\"\"><NOFRAMES></NOFRAMES>");
    EXPECT_TRUE(doc->Modified);
    doc->Modified = false;
}
