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
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// Both items of the "New-link checker" submenu write into the window they were
// chosen in, and the picture settings go into the main window's store at once.
TEST(NewLinkMenu, ItemsWriteIntoTheirDocumentAndStoreThePicture)
{
    QuietMainWindowStore quiet;
    SettingsStore &store = quiet.store;
    QTemporaryDir &dir = quiet.dir;
    QFile::remove(JavaScriptFileName());
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.js"), JavaScriptFileName()));
    auto main = std::make_unique<TMainForm>(&store, QStringList());
    TMDIChild *doc = main->documents().NewDocument();
    doc->Memo1->loadBytes("<HTML><HEAD></HEAD><BODY><A HREF=\"n.html\">n</A></BODY></HTML>");

    ScriptedPrompts prompts;
    prompts.modals.append([](QDialog *d) {
        d->findChild<QLineEdit *>(QStringLiteral("urlEdit"))->setText(QStringLiteral("http://example.org/new.gif"));
        d->findChild<QPushButton *>(QStringLiteral("OKBtn"))->click();
        return d->result();
    });
    prompts.modals.append([](QDialog *d) {
        d->findChild<QPushButton *>(QStringLiteral("OKBtn"))->click();
        return d->result();
    });
    doc->action(QStringLiteral("Setnewlinkimage1"))->trigger();
    doc->Memo1->setSelStart(int(doc->Memo1->bytes().indexOf("</A>") + 4));
    doc->action(QStringLiteral("Insertnewlinkchecker2"))->trigger();
    EXPECT_EQ(prompts.modalNames, QStringList({"newlinkFrm", "newlinkFrm"}));
    const QByteArray text = doc->Memo1->bytes();
    const qsizetype head = text.indexOf("var tagloomNewLinkImage = \"http://example.org/new.gif\";");
    const qsizetype headEnd = text.indexOf("</HEAD>");
    const qsizetype checker = text.indexOf("tagloomNewLink(7, document.lastModified);");
    const qsizetype link = text.indexOf("</A>");
    EXPECT_TRUE(head > 0 && head < headEnd) << text.constData();
    EXPECT_TRUE(checker > link && link > headEnd) << text.constData();
    EXPECT_EQ(SettingsStore(dir.filePath(QStringLiteral("store.ini"))).readString("Misc", "New Link Image", ""),
              "http://example.org/new.gif");
    doc->Modified = false;
    main.reset();
    QFile::remove(JavaScriptFileName());
}
