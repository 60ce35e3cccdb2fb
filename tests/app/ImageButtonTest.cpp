#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/QuietMainWindow.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The image button and the Insert menu's image item open the image dialog on
// the active document, with the selection offered as the alternative text.
TEST(ImageButton, RunsTheImageCommandOnTheActiveDocument)
{
    QuietMainWindowStore quiet;
    SettingsStore &store = quiet.store;
    ScriptedPrompts prompts;
    {
        TMainForm main(&store, {});
        main.FileNewItemClick();
        TMDIChild *doc = main.documents().active();
        ASSERT_NE(doc, nullptr);
        doc->Memo1->setSelText(QByteArray("logo"));
        doc->Memo1->setSelStart(0);
        doc->Memo1->setSelLength(4);
        ASSERT_TRUE(doc->action("Image1")->isEnabled());
        QStringList alts;
        const auto fill = [&alts](QDialog *d) {
            EXPECT_EQ(d->objectName(), "ImageDlg");
            alts.append(d->findChild<QLineEdit *>("ALTedit")->text());
            d->findChild<QLineEdit *>("SRCEdit")->setText("a.gif");
            d->findChild<QPushButton *>("OKBtn")->click();
            return d->result();
        };
        prompts.modals = {fill, fill};
        main.findChild<QAction *>("imgBtn")->trigger();
        EXPECT_EQ(doc->Memo1->bytes(), "<IMG SRC=\"a.gif\" BORDER=0>");
        doc->action("Image1")->trigger();
        EXPECT_EQ(alts, QStringList({"logo", ""}));
        EXPECT_EQ(doc->Memo1->bytes(), "<IMG SRC=\"a.gif\" BORDER=0><IMG SRC=\"a.gif\" BORDER=0>");
        doc->Modified = false;
    }
}
