#include "app/ChildWin.h"
#include "app/DiskWatch.h"
#include "app/DocumentCommands.h"
#include "app/DocumentFile.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

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
        doc = form->documents().OpenDocument(name);
        ASSERT_NE(doc, nullptr);
        QCoreApplication::processEvents();  // the window's activation notes the file
    }
    void TearDown() override
    {
        for (TMDIChild *d : form->documents().list())
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

// Another program puts something that is not a file at the document's path: it
// is never read (a FIFO would hold the window for good), and the text, no longer
// on disk anywhere, counts as unsaved.
TEST_F(DiskWatchTest, FolderOrFifoAtThePathIsNeverReadAndTheTextCountsAsUnsaved)
{
    struct Case
    {
        const char *what;
        std::function<bool(const QString &)> make;
    };
    const Case cases[] = {
        {"folder", [](const QString &path) { return QDir().mkdir(path); }},
        {"fifo", [](const QString &path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeFileBytes(name, "on disk\r\n");
        doc->Memo1->loadBytes("on disk\r\n");
        doc->diskWatch->fileInEditor(name);
        doc->Modified = false;
        ASSERT_TRUE(QFile::remove(name));
        ASSERT_TRUE(c.make(name));
        ScriptedPrompts prompts;
        prompts.answers = {QMessageBox::Yes};  // were a reload offered, take it
        doc->diskWatch->checkNow();
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("removed")));
        EXPECT_EQ(doc->Memo1->bytes(), "on disk\r\n");
        EXPECT_TRUE(doc->Modified);
        EXPECT_TRUE(doc->diskWatch->changedSinceLoadOrSave());
        EXPECT_FALSE(doc->diskWatch->reload());
        EXPECT_EQ(doc->Memo1->bytes(), "on disk\r\n");
        if (QFileInfo(name).isDir())
            QDir().rmdir(name);
        else
            QFile::remove(name);
    }
}

TEST_F(DiskWatchTest, ReloadRefusesAFileLargerThanLoadingTakes)
{
    // Sparse: the size is declared, nothing is written.
    QFile big(name);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(MaxDocumentFileSize + 1));
    big.close();
    EXPECT_FALSE(doc->diskWatch->reload());
    EXPECT_EQ(doc->Memo1->bytes(), "on disk\r\n");
}

// `touch -r` or `rsync -t` after a same-size edit in place: size, modification
// time and inode are as before, the status change time is not.
TEST_F(DiskWatchTest, SameSizeEditWithTheModificationTimePutBackIsNoticed)
{
    const QByteArray path = QFile::encodeName(name);
    struct stat before
    {};
    ASSERT_EQ(::stat(path.constData(), &before), 0);
    // File times come from a coarse clock; let it move on past the load's stamp.
    QThread::msleep(30);
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_EQ(f.write("ON DISK\r\n"), 9);
    }
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    struct stat after
    {};
    ASSERT_EQ(::stat(path.constData(), &after), 0);
    ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    ASSERT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    ASSERT_EQ(after.st_size, before.st_size);
    ASSERT_EQ(after.st_ino, before.st_ino);
    EXPECT_TRUE(doc->diskWatch->changedSinceLoadOrSave());
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Yes};
    doc->diskWatch->checkNow();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(doc->Memo1->bytes(), "ON DISK\r\n");
}
