#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/QuietMainWindow.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// "Wi&zards" > "Java&scripts..." on a real main window runs the wizard on the
// active document, with the shipped entries.
TEST(JsWizardMenu, TheMenuItemWritesTheChosenScriptIntoTheActiveDocument)
{
    QuietMainWindowStore quiet;
    SettingsStore &store = quiet.store;
    QFile::remove(JavaScriptFileName());
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.js"), JavaScriptFileName()));
    ScriptedPrompts prompts;
    {
        TMainForm main(&store, {});
        TMDIChild *doc = main.documents().NewDocument();
        QAction *action = doc->action(QStringLiteral("Javascripts1"));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), "Java&scripts...");
        EXPECT_TRUE(action->isEnabled());
        prompts.modals = {[](QDialog *d) {
            d->findChild<QListWidget *>("idx_items")->setCurrentRow(2);
            d->findChild<QPushButton *>("NextBtn")->click();
            d->findChild<QPushButton *>("FinishBtn")->click();
            return d->result();
        }};
        action->trigger();
        EXPECT_EQ(prompts.modalNames, QStringList{"jsWiz"});
        const QByteArray text = doc->Memo1->bytes();
        EXPECT_TRUE(text.startsWith("<SCRIPT TYPE=\"text/javascript\">\r\n")) << text.constData();
        EXPECT_TRUE(text.contains("[255, 255, 255], [255, 255, 255], 2);\r\n")) << text.constData();
        doc->Modified = false;
    }
    QFile::remove(JavaScriptFileName());
}
