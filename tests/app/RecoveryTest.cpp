#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "app/Recovery.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QDir>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {
// Text a journal must keep byte for byte: CR LF, a NUL, bytes that are not UTF-8.
const QByteArray Awkward("<p>caf\xe9</p>\r\n\0tail\r\n\xff", 22);

QStringList entriesIn(const QString &folder)
{
    return QDir(folder).entryList({"*.journal"}, QDir::Files);
}

RecoveryMeta metaFor(const QString &fileName, const QString &caption, int caret = 0)
{
    RecoveryMeta m;
    m.fileName = fileName;
    m.caption = caption;
    m.caret = caret;
    return m;
}
}  // namespace

TEST(RecoveryJournal, EntriesOfALiveInstanceAreNeverTaken)
{
    QTemporaryDir root;
    auto first = std::make_unique<RecoveryJournal>(root.path());
    ASSERT_TRUE(first->isActive());
    ASSERT_TRUE(first->writeNow(first->newId(), metaFor("/x/page.html", "/x/page.html", 3), Awkward));

    RecoveryJournal second(root.path());
    ASSERT_TRUE(second.isActive());
    EXPECT_NE(second.folder(), first->folder());
    EXPECT_TRUE(second.claimLeftEntries().isEmpty());
    second.releaseClaimed();

    // The first goes without a clean exit: now its entry is offered, to one instance at a time.
    first.reset();
    const QList<RecoveryEntry> found = second.claimLeftEntries();
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].meta.fileName, "/x/page.html");
    EXPECT_EQ(found[0].meta.caret, 3);
    EXPECT_EQ(found[0].size, Awkward.size());
    bool ok = false;
    EXPECT_EQ(found[0].text(&ok), Awkward);
    EXPECT_TRUE(ok);
    RecoveryJournal third(root.path());
    EXPECT_TRUE(third.claimLeftEntries().isEmpty()) << "claimed by the second";

    // Declined: kept for the next start. Discarded: gone, with its folder.
    second.releaseClaimed();
    const QList<RecoveryEntry> again = third.claimLeftEntries();
    ASSERT_EQ(again.size(), 1);
    RecoveryJournal::discard(again[0]);
    third.releaseClaimed();
    EXPECT_TRUE(third.claimLeftEntries().isEmpty());
    third.releaseClaimed();
    EXPECT_EQ(QDir(root.path()).entryList({"run-*"}, QDir::Dirs).size(), 2);  // second's and third's own
}

// A process killed outright leaves its lock file behind with its number in it.
TEST(RecoveryJournal, EntriesOfAKilledRunAreOffered)
{
    QTemporaryDir root;
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        auto *journal = new RecoveryJournal(root.path());  // never destroyed: the lock stays
        journal->writeNow(journal->newId(), metaFor("", "Untitled:1"), "typed");
        _exit(journal->isActive() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(QDir(root.path()).entryList({"run-*.lock"}, QDir::Files).size(), 1);
    RecoveryJournal journal(root.path());
    const QList<RecoveryEntry> found = journal.claimLeftEntries();
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].meta.caption, "Untitled:1");
    EXPECT_EQ(found[0].text(), "typed");
}

TEST(RecoveryJournal, LaterWritesWinAndRemovalIsFinal)
{
    QTemporaryDir root;
    RecoveryJournal journal(root.path());
    const int a = journal.newId(), b = journal.newId();
    for (int i = 0; i < 20; ++i)
        journal.write(a, metaFor("", "A"), QByteArray::number(i));
    journal.write(b, metaFor("", "B"), "b");
    journal.remove(b);
    journal.waitForWrites();
    ASSERT_EQ(entriesIn(journal.folder()).size(), 1);
    QFile f(QDir(journal.folder()).filePath(entriesIn(journal.folder())[0]));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().endsWith("\n19"));
    const QString folder = journal.folder();
    journal.cleanExit();
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_TRUE(QDir(root.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

namespace {
class RecoveryUiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        store->writeBool("Misc", "Show splash screen", false);
        store->writeBool("Misc", "Insert all document structure tags when opening a new document", false);
        journal = std::make_unique<RecoveryJournal>(dir.filePath("recovery"));
        form = std::make_unique<TMainForm>(store.get(), QStringList());
        InstallRecovery(*form, *journal);
    }
    void TearDown() override
    {
        for (TMDIChild *doc : DocumentList())
            doc->Modified = false;
        form.reset();
        journal.reset();
    }
    // Leaves entries as a crashed run would.
    void leaveEntries(const QList<std::pair<RecoveryMeta, QByteArray>> &entries)
    {
        RecoveryJournal old(dir.filePath("recovery"));
        for (const auto &[meta, text] : entries)
            old.writeNow(old.newId(), meta, text);
    }
    int leftEntries()
    {
        const int n = int(journal->claimLeftEntries().size());
        journal->releaseClaimed();
        return n;
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<RecoveryJournal> journal;
    std::unique_ptr<TMainForm> form;
};

std::function<int(QDialog *)> clickButton(const char *name, QList<int> uncheck = {})
{
    return [name, uncheck](QDialog *dlg) {
        auto *list = dlg->findChild<QTreeWidget *>("EntryList");
        for (int row : uncheck)
            list->topLevelItem(row)->setCheckState(0, Qt::Unchecked);
        dlg->findChild<QAbstractButton *>(name)->click();
        return dlg->result();
    };
}
}  // namespace

TEST_F(RecoveryUiTest, RecoveredDocumentsComeBackModifiedWithTheirFileNames)
{
    leaveEntries({{metaFor("", "Untitled:1"), "untitled text"}, {metaFor("/x/page.html", "/x/page.html", 5), Awkward}});
    ScriptedPrompts prompts;
    prompts.modals.append(clickButton("RecoverBtn"));
    OfferRecovery(*form, *journal);
    EXPECT_EQ(prompts.modalNames, QStringList({"RecoveryDlg"}));
    ASSERT_EQ(DocumentList().size(), 2);
    TMDIChild *untitled = DocumentList()[0], *named = DocumentList()[1];
    EXPECT_EQ(untitled->Memo1->bytes(), "untitled text");
    EXPECT_TRUE(untitled->DocumentFileName.isEmpty());
    EXPECT_EQ(named->Memo1->bytes(), Awkward);
    EXPECT_EQ(named->DocumentFileName, "/x/page.html");
    EXPECT_EQ(named->Memo1->SelStart(), 5);
    EXPECT_TRUE(untitled->Modified && named->Modified);
    // Moved into this run's journal, not lost if this run crashes too.
    EXPECT_EQ(leftEntries(), 0);
    EXPECT_EQ(entriesIn(journal->folder()).size(), 2);
}

TEST_F(RecoveryUiTest, LaterKeepsEverythingAndDiscardDropsOnlyTheCheckedOnes)
{
    leaveEntries({{metaFor("", "Untitled:1"), "one"}, {metaFor("", "Untitled:2"), "two"}});
    ScriptedPrompts prompts;
    prompts.modals.append(clickButton("LaterBtn"));
    OfferRecovery(*form, *journal);
    EXPECT_TRUE(DocumentList().isEmpty());
    EXPECT_EQ(leftEntries(), 2);

    prompts.modals.append(clickButton("DiscardBtn", {1}));
    OfferRecovery(*form, *journal);
    EXPECT_TRUE(DocumentList().isEmpty());
    const QList<RecoveryEntry> left = journal->claimLeftEntries();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].text(), "two");
}

TEST_F(RecoveryUiTest, EntryFollowsTypingAndGoesOnSaveAndClose)
{
    ScriptedPrompts prompts;
    TMDIChild *doc = form->NewDocument();
    doc->Memo1->setSelText(QByteArray("typed"));
    EXPECT_TRUE(entriesIn(journal->folder()).isEmpty()) << "written only once typing pauses";
    QTest::qWait(DocumentJournaler::PauseMs + 300);
    journal->waitForWrites();
    ASSERT_EQ(entriesIn(journal->folder()).size(), 1);

    const QString saved = dir.filePath("saved.html");
    ASSERT_TRUE(doc->SaveDocument(saved));
    journal->waitForWrites();
    EXPECT_TRUE(entriesIn(journal->folder()).isEmpty());

    doc->Memo1->setSelText(QByteArray(" more"));
    QTest::qWait(DocumentJournaler::PauseMs + 300);
    journal->waitForWrites();
    EXPECT_EQ(entriesIn(journal->folder()).size(), 1);
    doc->Modified = false;  // closed without saving
    doc->subWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    journal->waitForWrites();
    EXPECT_TRUE(entriesIn(journal->folder()).isEmpty());
}

// Big documents are copied a slice per turn of the event loop; typing in
// between restarts the copy, so the entry is never a mix of two versions.
TEST_F(RecoveryUiTest, SlicedCopyOfABigDocumentIsWhole)
{
    ScriptedPrompts prompts;
    TMDIChild *doc = form->NewDocument();
    QByteArray big(DocumentJournaler::SliceBytes * 2 + 123, 'a');
    for (qsizetype i = 0; i + 1 < big.size(); i += 100) {
        big[i] = char('0' + (i / 100) % 10);  // lines, each marked, so a misplaced slice shows
        big[i + 1] = '\n';
    }
    doc->Memo1->setSelText(big);
    auto *journaler = doc->findChild<DocumentJournaler *>();
    ASSERT_NE(journaler, nullptr);
    doc->Memo1->setSelStart(100);  // the editor's gap sits mid-text after this edit
    doc->Memo1->setSelText(QByteArray("X"));
    big.insert(100, 'X');
    journaler->startCopy();
    EXPECT_TRUE(journaler->copying());
    doc->Memo1->setSelText(QByteArray("Y"));  // typing during the copy
    big.insert(101, 'Y');
    EXPECT_FALSE(journaler->copying());
    journaler->startCopy();
    while (journaler->copying())
        QCoreApplication::processEvents();
    journal->waitForWrites();
    const QStringList names = entriesIn(journal->folder());
    ASSERT_EQ(names.size(), 1);
    QFile f(QDir(journal->folder()).filePath(names[0]));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().endsWith(big));
}

// The recovered text was typed over the file as it was then: saving over a
// file changed since asks, saving over an unchanged one does not.
TEST_F(RecoveryUiTest, SavingARecoveredDocumentAsksIfItsFileChangedSince)
{
    struct Case
    {
        const char *what;
        bool changeFile;
        int questions;
        QByteArray onDisk;
    };
    for (const Case &c : {Case{"unchanged", false, 0, "recovered"}, Case{"changed", true, 1, "theirs"}}) {
        SCOPED_TRACE(c.what);
        const QString name = dir.filePath(QStringLiteral("page-%1.html").arg(c.what));
        writeFileBytes(name, "as loaded");
        RecoveryMeta meta = metaFor(name, name);
        meta.loaded = DiskStamp::of(name);
        leaveEntries({{meta, "recovered"}});
        if (c.changeFile) {
            writeFileBytes(name + ".new", "theirs");
            QFile::remove(name);
            QFile::rename(name + ".new", name);
        }
        ScriptedPrompts prompts;
        prompts.modals.append(clickButton("RecoverBtn"));
        prompts.answers = {QMessageBox::No};
        OfferRecovery(*form, *journal);
        TMDIChild *doc = DocumentList().last();
        QCoreApplication::processEvents();  // the window's activation looks at the file
        EXPECT_EQ(doc->SaveDocument(name), !c.changeFile);
        EXPECT_EQ(prompts.messages.size(), c.questions);
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), c.onDisk);
    }
}

// The stamp of the file a recovered text came from survives the journal, so a
// later save still notices a change; entries of older versions, which kept no
// change time, still match the unchanged file. Sizes beyond any file are refused.
TEST(RecoveryJournal, EntryHeadersKeepTheFileStamp)
{
    QTemporaryDir dir;
    const QString page = dir.filePath("page.html");
    writeFileBytes(page, "as loaded");
    const DiskStamp stamp = DiskStamp::of(page);
    ASSERT_TRUE(stamp.regular);
    ASSERT_NE(stamp.ctimeNs, 0);
    const QByteArray older = "TAGLOOM-RECOVERY 1\n{\"fileName\":\"" + page.toUtf8()
        + "\",\"loaded\":{\"exists\":true,\"size\":\"9\",\"mtimeNs\":\"" + QByteArray::number(stamp.mtimeNs)
        + "\",\"inode\":\"" + QByteArray::number(stamp.inode) + "\"},\"size\":4}\ntext";
    const QByteArray hugeSize = "TAGLOOM-RECOVERY 1\n{\"caption\":\"x\",\"size\":1e300}\ntext";

    RecoveryJournal journal(dir.filePath("journal"));
    RecoveryMeta meta = metaFor(page, "page.html");
    meta.loaded = stamp;
    ASSERT_TRUE(journal.writeNow(journal.newId(), meta, "text"));
    const QStringList written = entriesIn(journal.folder());
    ASSERT_EQ(written.size(), 1);
    const QByteArray current = readFileBytes(QDir(journal.folder()).filePath(written[0]));

    const struct
    {
        const char *what;
        QByteArray bytes;
        bool read;
    } cases[] = {{"this version", current, true}, {"older version", older, true}, {"size past any file", hugeSize, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray bytes = c.bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        RecoveryEntry entry;
        ASSERT_EQ(ReadRecoveryHeader(buffer, entry), c.read);
        if (!c.read)
            continue;
        EXPECT_EQ(entry.size, 4);
        EXPECT_EQ(buffer.readAll(), "text");
        EXPECT_TRUE(entry.meta.loaded == stamp);
    }
}
