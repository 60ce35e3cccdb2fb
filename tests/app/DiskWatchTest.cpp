#include "app/ChildWin.h"
#include "app/DiskWatch.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class DiskWatchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        store->writeBool("Misc", "Show splash screen", false);
        form = std::make_unique<TMainForm>(store.get(), QStringList());
        name = dir.filePath("page.html");
        writeFileBytes(name, "on disk\r\n");
        doc = form->OpenDocument(name);
        ASSERT_NE(doc, nullptr);
        QCoreApplication::processEvents();  // the window's activation notes the file
    }
    void TearDown() override
    {
        for (TMDIChild *d : DocumentList())
            d->Modified = false;
        form.reset();
    }
    // Another program replaces the file, as most do: a new file renamed over it.
    void changeOnDisk(const QByteArray &bytes)
    {
        const QString tmp = dir.filePath("other.tmp");
        writeFileBytes(tmp, bytes);
        QFile::remove(name);
        QFile::rename(tmp, name);
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> form;
    QString name;
    TMDIChild *doc = nullptr;
};
}  // namespace

TEST_F(DiskWatchTest, NoQuestionWhileTheFileIsUnchanged)
{
    ScriptedPrompts prompts;  // any prompt would fail the test
    doc->diskWatch->checkNow();
    doc->Memo1->setSelText(QByteArray("typed "));
    ASSERT_TRUE(doc->SaveDocument(name));
    doc->diskWatch->checkNow();
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(DiskWatchTest, ReloadIsOneUndoStepAndKeepLeavesTheText)
{
    struct Case
    {
        const char *what;
        QMessageBox::StandardButton answer;
        QByteArray expected;
    };
    for (const Case &c : {Case{"reload", QMessageBox::Yes, "changed\r\nline two\r\n"},
                          Case{"keep", QMessageBox::No, "typed on disk\r\n"}}) {
        SCOPED_TRACE(c.what);
        writeFileBytes(name, "on disk\r\n");
        doc->Memo1->loadBytes("on disk\r\n");
        doc->diskWatch->fileInEditor(name);
        doc->Memo1->setSelStart(0);
        doc->Memo1->setSelText(QByteArray("typed "));
        ScriptedPrompts prompts;
        prompts.answers = {c.answer};
        changeOnDisk("changed\nline two\n");  // line ends converted as on open
        doc->diskWatch->checkNow();
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].text.contains(name));
        EXPECT_EQ(doc->Memo1->bytes(), c.expected);
        EXPECT_EQ(doc->Modified, c.answer == QMessageBox::No);
        doc->diskWatch->checkNow();  // asked once per change
        EXPECT_EQ(prompts.messages.size(), 1);
        if (c.answer == QMessageBox::Yes) {
            doc->Memo1->undo();
            EXPECT_EQ(doc->Memo1->bytes(), "typed on disk\r\n");
        }
    }
}

TEST_F(DiskWatchTest, SaveOverAChangedFileAsksFirst)
{
    struct Case
    {
        QMessageBox::StandardButton answer;
        bool saved;
        QByteArray onDisk;
    };
    for (const Case &c : {Case{QMessageBox::No, false, "theirs"}, Case{QMessageBox::Yes, true, "mine"}}) {
        doc->Memo1->loadBytes("mine");
        doc->diskWatch->fileInEditor(name);
        changeOnDisk("theirs");
        ScriptedPrompts prompts;
        prompts.answers = {c.answer};
        EXPECT_EQ(doc->SaveDocument(name), c.saved);
        ASSERT_EQ(prompts.messages.size(), 1);
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), c.onDisk);
    }
    // Saved over it: the next save does not ask again.
    ScriptedPrompts prompts;
    EXPECT_TRUE(doc->SaveDocument(name));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(DiskWatchTest, RemovedFileIsToldAndTheTextCountsAsUnsaved)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Ok};
    QFile::remove(name);
    doc->diskWatch->checkNow();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(doc->Memo1->bytes(), "on disk\r\n");
    EXPECT_TRUE(doc->Modified);
}
