#include "app/DocumentMenuTable.h"
#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/QuietMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "tags/TableListCommands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

void click(QDialog *dialog, const char *name)
{
    dialog->findChild<QPushButton *>(QLatin1String(name))->click();
}

}  // namespace

// The table and list items of a document window open their dialogs and write
// into that window's document.
TEST(TableListMenu, ItemsRunTheirDialogsOnTheActiveDocument)
{
    QuietMainWindowStore quiet;
    SettingsStore &store = quiet.store;
    auto main = std::make_unique<TMainForm>(&store, QStringList());
    TMDIChild *doc = main->documents().NewDocument();

    for (const TagCommand &command : TableListCommands()) {
        QAction *action = doc->action(command.itemName);
        ASSERT_NE(action, nullptr) << command.itemName.toStdString();
        EXPECT_TRUE(action->isEnabled()) << command.itemName.toStdString();
        for (int i = 0; i < DocumentMenuTableSize; ++i) {
            if (command.itemName == QLatin1String(DocumentMenuTable[i].name)) {
                EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(DocumentMenuTable[i].key)))
                    << command.itemName.toStdString();
            }
        }
    }

    ScriptedPrompts prompts;
    prompts.modals.append([](QDialog *dialog) {
        dialog->findChild<QCheckBox *>(QStringLiteral("bgColorChk"))->setChecked(true);
        click(dialog, "OKBtn");
        return dialog->result();
    });
    prompts.modals.append([](QDialog *dialog) {
        click(dialog, "OKBtn");  // a definition list
        click(dialog, "OKBtn");  // with one empty item
        return dialog->result();
    });
    doc->action(QStringLiteral("TableRow1"))->trigger();
    doc->action(QStringLiteral("List2"))->trigger();
    EXPECT_EQ(prompts.modalNames, QStringList({"TableDlg", "ListDlg"}));
    EXPECT_EQ(doc->Memo1->bytes(), QByteArray("<TR BGCOLOR=\"#FFFFFF\"><DL>\r\n<DT>\r\n <DD>\r\n\r\n</DL>"));
    EXPECT_TRUE(doc->Modified);
    doc->Modified = false;
    main.reset();
}
