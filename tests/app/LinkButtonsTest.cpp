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
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The main window's link buttons and the link menu items reach the active document.
TEST(LinkButtons, RunTheLinkCommandsOnTheActiveDocument)
{
    QuietMainWindowStore quiet;
    SettingsStore &store = quiet.store;
    ScriptedPrompts prompts;
    {
        TMainForm main(&store, {});
        main.FileNewItemClick();
        TMDIChild *doc = main.documents().active();
        ASSERT_NE(doc, nullptr);
        doc->Memo1->setSelText(QByteArray("<A NAME=\"Top\"></A>here"));
        for (const char *item :
             {"Insertadocumentinthesamesystem1", "Insertadocumentinothersystem1", "Jumpwithinthisdocument1",
              "TargetName1", "InsertaURLaddress1", "Insertarelativefilename1", "Map1", "Area1"})
            EXPECT_TRUE(doc->action(item)->isEnabled()) << item;

        QList<int> pages;
        auto okOnPage = [&pages](QDialog *d) {
            pages.append(d->findChild<QStackedWidget *>("Notebook")->currentIndex());
            if (auto *list = d->findChild<QListWidget *>("AnchorList2"); list && pages.last() == 1)
                list->setCurrentRow(0);
            d->findChild<QLineEdit *>("URLEdit")->setText("u");
            d->findChild<QPushButton *>("OKBtn")->click();
            return d->result();
        };
        prompts.modals = {okOnPage, okOnPage};
        prompts.modals.insert(1, [&pages](QDialog *d) {
            pages.append(d->findChild<QStackedWidget *>("Notebook")->currentIndex());
            d->findChild<QPushButton *>("CancelBtn")->click();
            return d->result();
        });
        doc->Memo1->setSelStart(18);
        doc->Memo1->setSelLength(4);
        main.findChild<QAction *>("lnkURLBtn")->trigger();
        EXPECT_EQ(doc->Memo1->bytes(), "<A NAME=\"Top\"></A><A HREF=\"u\">here</A>");
        main.findChild<QAction *>("lnkFileBtn")->trigger();
        main.findChild<QAction *>("lnkAnchorBtn")->trigger();
        EXPECT_EQ(pages, QList<int>({3, 2, 1}));
        EXPECT_EQ(doc->Memo1->bytes(), "<A NAME=\"Top\"></A><A HREF=\"u\">here</A><A HREF=\"#Top\"></A>");
        doc->Modified = false;
    }
}
