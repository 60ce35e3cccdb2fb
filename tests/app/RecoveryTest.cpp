#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "app/Recovery.h"
#include "app/DiskWatch.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/FileSizeLimit.h"
#include "support/AccessibleNames.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
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

// An entry small enough to stay in a write buffer used to be cut off on a full
// disk while the write said it had worked, leaving no whole copy at all.
TEST(RecoveryJournal, SmallEntryOnFullDiskKeepsTheEarlierCopy)
{
    QTemporaryDir root;
    RecoveryJournal journal(root.path());
    const int id = journal.newId();
    ASSERT_TRUE(journal.writeNow(id, metaFor("", "Untitled:1"), Awkward));
    EXPECT_FALSE(
        withSizeLimit(4096, [&] { return journal.writeNow(id, metaFor("", "Untitled:1"), QByteArray(5000, 'x')); }));
    const QStringList names = entriesIn(journal.folder());
    ASSERT_EQ(names.size(), 1);
    RecoveryEntry entry;
    entry.path = QDir(journal.folder()).filePath(names[0]);
    bool ok = false;
    EXPECT_EQ(entry.text(&ok), Awkward);
    EXPECT_TRUE(ok);
    EXPECT_EQ(QDir(journal.folder()).entryList(QDir::Files).size(), 1) << "no temporary left behind";
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
        if (form)
            for (TMDIChild *doc : form->documents().list())
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
    ASSERT_EQ(form->documents().list().size(), 2);
    TMDIChild *untitled = form->documents().list()[0], *named = form->documents().list()[1];
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

TEST_F(RecoveryUiTest, TheDialogIsReadableByAScreenReader)
{
    leaveEntries({{metaFor("", "Untitled:1"), "one"}});
    ScriptedPrompts prompts;
    QStringList faults{QStringLiteral("the dialog was not shown")};
    prompts.modals.append([&faults](QDialog *d) {
        faults = accessibilityFaults(d);
        return int(QDialog::Rejected);
    });
    OfferRecovery(*form, *journal);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

TEST_F(RecoveryUiTest, LaterKeepsEverythingAndDiscardDropsOnlyTheCheckedOnes)
{
    leaveEntries({{metaFor("", "Untitled:1"), "one"}, {metaFor("", "Untitled:2"), "two"}});
    ScriptedPrompts prompts;
    prompts.modals.append(clickButton("LaterBtn"));
    OfferRecovery(*form, *journal);
    EXPECT_TRUE(form->documents().list().isEmpty());
    EXPECT_EQ(leftEntries(), 2);

    prompts.modals.append(clickButton("DiscardBtn", {1}));
    OfferRecovery(*form, *journal);
    EXPECT_TRUE(form->documents().list().isEmpty());
    const QList<RecoveryEntry> left = journal->claimLeftEntries();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].text(), "two");
}

TEST_F(RecoveryUiTest, EntryFollowsTypingAndGoesOnSaveAndClose)
{
    ScriptedPrompts prompts;
    TMDIChild *doc = form->documents().NewDocument();
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

// A 4 KB page with a few keys typed, saved onto a full disk: the save fails and
// says why, the old page stays whole, and the window and its journal entry
// still hold the typed text.
TEST_F(RecoveryUiTest, SmallPageSavedOnFullDiskStaysModifiedWithItsEntry)
{
    ScriptedPrompts prompts;
    const QString name = dir.filePath("page.html");
    const QByteArray page = "<HTML>\r\n" + QByteArray(3990, 'p');
    ASSERT_TRUE(writeFileBytes(name, page));
    TMDIChild *doc = form->documents().OpenDocument(name);
    ASSERT_NE(doc, nullptr);
    doc->Memo1->setSelText(QByteArray(200, 'k'));
    QTest::qWait(DocumentJournaler::PauseMs + 300);
    journal->waitForWrites();
    ASSERT_EQ(entriesIn(journal->folder()).size(), 1);

    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(withSizeLimit(4096, [&] { return doc->SaveDocument(name); }));
    journal->waitForWrites();
    EXPECT_EQ(readFileBytes(name), page);
    EXPECT_TRUE(doc->Modified);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Cannot create file " + name);
    EXPECT_EQ(prompts.messages[0].detail, "File too large");
    EXPECT_EQ(entriesIn(journal->folder()).size(), 1);
}

// Big documents are copied a slice per turn of the event loop; typing in
// between restarts the copy, so the entry is never a mix of two versions.
TEST_F(RecoveryUiTest, SlicedCopyOfABigDocumentIsWhole)
{
    ScriptedPrompts prompts;
    TMDIChild *doc = form->documents().NewDocument();
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
    EXPECT_TRUE(journaler->copying()) << "a change delays the copy's entry, never cancels it";
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
        TMDIChild *doc = form->documents().list().last();
        QCoreApplication::processEvents();  // the window's activation looks at the file
        EXPECT_EQ(doc->SaveDocument(name), !c.changeFile);
        EXPECT_EQ(prompts.messages.size(), c.questions);
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), c.onDisk);
    }
}

namespace {
QByteArray entryText(const QString &folder)
{
    const QStringList names = entriesIn(folder);
    if (names.size() != 1)
        return "<" + QByteArray::number(names.size()) + " entries>";
    RecoveryEntry entry;
    entry.path = QDir(folder).filePath(names[0]);
    // The text is what follows the header line.
    const QByteArray all = readFileBytes(entry.path);
    const qsizetype header = all.indexOf('\n', all.indexOf('\n') + 1);
    return all.mid(header + 1);
}
}  // namespace

namespace {
// The close question is up when the loops are ended under it (a handled
// signal, a session manager that stops waiting): it gets no answer.
class EndedUnderTheQuestion : public ScriptedPrompts
{
public:
    std::function<void()> during;
    QMessageBox::StandardButton message(QWidget *, const QString &caption, const QString &text, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons) override
    {
        messages.append({caption, text, icon, buttons, QString()});
        if (auto run = std::exchange(during, nullptr))
            run();
        return QMessageBox::NoButton;
    }
};
}  // namespace

// However the run is ended without the user dropping the changes, what was
// typed (even just now) is offered by the next start.
TEST_F(RecoveryUiTest, QuittingWithAChangedDocumentKeepsItsEntry)
{
    struct Route
    {
        const char *what;
        bool shown;
        int questions;
        std::function<void(RecoveryJournal &, EndedUnderTheQuestion &)> quit;
    };
    const auto signal = [this](RecoveryJournal &journal) {
        KeepUnsavedWork(form->documents(), journal);  // what a handled SIGTERM or SIGHUP does
        QCoreApplication::exit(143);
    };
    const Route routes[] = {
        // With no window shown yet there is nothing to ask through.
        {"QCoreApplication::quit", false, 0,
         [](RecoveryJournal &, EndedUnderTheQuestion &) { QCoreApplication::quit(); }},
        {"QCoreApplication::exit", true, 0,
         [](RecoveryJournal &, EndedUnderTheQuestion &) { QCoreApplication::exit(0); }},
        {"a signal", true, 0, [&](RecoveryJournal &journal, EndedUnderTheQuestion &) { signal(journal); }},
        // The session manager's "die" asks the windows to close; nobody answers
        // and the session ends the program under the question.
        {"the session ends under the close question", true, 1,
         [&](RecoveryJournal &journal, EndedUnderTheQuestion &prompts) {
             prompts.during = [&] { signal(journal); };
             QEvent quit(QEvent::Quit);
             QCoreApplication::sendEvent(qApp, &quit);
         }},
    };
    for (const Route &route : routes) {
        SCOPED_TRACE(route.what);
        EndedUnderTheQuestion prompts;
        if (route.shown)
            form->show();
        TMDIChild *doc = form->documents().NewDocument();
        doc->Memo1->setSelText(QByteArray("typed just now"));
        doc->Modified = true;
        QTimer::singleShot(0, qApp, [&] { route.quit(*journal, prompts); });
        QTimer stuck;  // a quit that was refused would leave the loop running
        stuck.setSingleShot(true);
        QObject::connect(&stuck, &QTimer::timeout, [] {
            ADD_FAILURE() << "the program did not quit";
            QCoreApplication::exit(1);
        });
        stuck.start(5000);
        QCoreApplication::exec();
        // As the program does after its event loop, then its windows go.
        EndRecovery(form->documents(), *journal);
        form.reset();
        journal.reset();
        EXPECT_EQ(prompts.messages.size(), route.questions);

        journal = std::make_unique<RecoveryJournal>(dir.filePath("recovery"));
        const QList<RecoveryEntry> left = journal->claimLeftEntries();
        ASSERT_EQ(left.size(), 1);
        EXPECT_EQ(left[0].text(), "typed just now");
        RecoveryJournal::discard(left[0]);
        journal->releaseClaimed();
        form = std::make_unique<TMainForm>(store.get(), QStringList());
        InstallRecovery(*form, *journal);
    }
}

// The entry lags the typing by about a second at most, however steadily the
// keys come, for a small page and for one big enough to be copied in slices.
TEST_F(RecoveryUiTest, SteadyTypingIsJournaledAtLeastOnceASecond)
{
    struct Case
    {
        const char *what;
        qsizetype size;
    };
    for (const Case &c : {Case{"small", 20}, Case{"big", DocumentJournaler::SliceBytes * 3 + 7}}) {
        SCOPED_TRACE(c.what);
        ScriptedPrompts prompts;
        TMDIChild *doc = form->documents().NewDocument();
        const QByteArray base(c.size, 'b');
        doc->Memo1->setSelText(base);
        doc->Memo1->setSelStart(int(c.size / 2));  // typed in the middle, as a copy passes it
        doc->Modified = true;
        QElapsedTimer typing;
        typing.start();
        int typed = 0;
        // A key every 40 ms: never the pause that used to be waited for.
        while (typing.elapsed() < 2500) {
            doc->Memo1->setSelText(QByteArray("k"));
            ++typed;
            QTest::qWait(40);
        }
        const qint64 perSecond = typed * 1000 / typing.elapsed();
        journal->waitForWrites();
        const QByteArray onDisk = entryText(journal->folder());
        const qsizetype kept = onDisk.size() - base.size();
        EXPECT_GE(kept, typed - perSecond * 3 / 2) << onDisk.left(40).toStdString() << " typed " << typed;
        doc->Modified = false;
        doc->subWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        journal->waitForWrites();
    }
}

TEST_F(RecoveryUiTest, ADocumentWhoseFileWasDeletedIsJournaled)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Ok};
    const QString name = dir.filePath("page.html");
    writeFileBytes(name, "<p>only copy</p>");
    TMDIChild *doc = form->documents().OpenDocument(name);
    ASSERT_NE(doc, nullptr);
    ASSERT_FALSE(doc->Modified);
    QCoreApplication::processEvents();  // the window's activation notes the file
    QFile::remove(name);
    doc->diskWatch->checkNow();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(doc->Modified);
    QTest::qWait(DocumentJournaler::MaxDelayMs + 300);
    journal->waitForWrites();
    EXPECT_EQ(entryText(journal->folder()), "<p>only copy</p>");
}

// A journal that cannot write says so once, keeps a note in the status bar,
// tries again, and drops the note once an entry is written.
TEST_F(RecoveryUiTest, AJournalThatCannotWriteSaysSoAndTriesAgain)
{
    enum Fault { RootIsAFile, FolderIsAFile, RootDeleted };
    struct Case
    {
        const char *what;
        Fault fault;
    };
    for (const Case &c : {Case{"folder cannot be made", RootIsAFile}, Case{"folder replaced by a file", FolderIsAFile},
                          Case{"the whole journal deleted", RootDeleted}}) {
        SCOPED_TRACE(c.what);
        form.reset();
        journal.reset();
        const QString root = dir.filePath(QStringLiteral("broken-%1").arg(int(c.fault)));
        if (c.fault == RootIsAFile)
            writeFileBytes(root, "in the way");
        journal = std::make_unique<RecoveryJournal>(root);
        form = std::make_unique<TMainForm>(store.get(), QStringList());
        InstallRecovery(*form, *journal);
        ScriptedPrompts prompts;
        prompts.answers = {QMessageBox::Ok};
        QString blocker = root;
        if (c.fault != RootIsAFile) {
            blocker = c.fault == FolderIsAFile ? journal->folder() : root;
            ASSERT_TRUE(QDir(blocker).removeRecursively());
            writeFileBytes(blocker, "in the way");
        }
        TMDIChild *doc = form->documents().NewDocument();
        doc->Memo1->setSelText(QByteArray("precious"));
        doc->Modified = true;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form->journalNote().isEmpty(); }, 5000));
        EXPECT_TRUE(form->journalNote().startsWith("Unsaved work is not being protected: "))
            << form->journalNote().toStdString();
        EXPECT_TRUE(form->findChild<QLabel *>("journalNote")->isVisibleTo(form.get()));
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].text.startsWith("Unsaved work is not being protected: "));
        // Still failing on the next tries: no second message.
        doc->Memo1->setSelText(QByteArray(" work"));
        QTest::qWait(2 * DocumentJournaler::MaxDelayMs + 500);
        EXPECT_EQ(prompts.messages.size(), 1);
        EXPECT_FALSE(form->journalNote().isEmpty());

        QFile::remove(blocker);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->journalNote().isEmpty(); }, 8000))
            << form->journalNote().toStdString();
        journal->waitForWrites();
        EXPECT_EQ(entryText(journal->folder()), "precious work");
        EXPECT_EQ(prompts.messages.size(), 1);
        // Still this run's own: no other instance takes the entry for a dead run's.
        RecoveryJournal other(root);
        EXPECT_TRUE(other.claimLeftEntries().isEmpty());
        other.releaseClaimed();
        for (TMDIChild *d : form->documents().list())
            d->Modified = false;
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
                             + "\",\"loaded\":{\"exists\":true,\"size\":\"9\",\"mtimeNs\":\""
                             + QByteArray::number(stamp.mtimeNs) + "\",\"inode\":\"" + QByteArray::number(stamp.inode)
                             + "\"},\"size\":4}\ntext";
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
    } cases[] = {
        {"this version", current, true}, {"older version", older, true}, {"size past any file", hugeSize, false}};
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
