#include "app/Recovery.h"

#include "app/ChildWin.h"
#include "app/DiskWatch.h"
#include "app/DocumentManager.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

DocumentJournaler::DocumentJournaler(TMDIChild *child, RecoveryJournal &journal)
    : QObject(child), m_child(child), m_journal(journal), m_id(journal.newId())
{
    setObjectName(QStringLiteral("DocumentJournaler"));
    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(MaxDelayMs);
    connect(&m_pause, &QTimer::timeout, this, &DocumentJournaler::due);
    connect(&m_deadline, &QTimer::timeout, this, &DocumentJournaler::due);
    connect(child->Memo1, &QsciScintilla::textChanged, this, &DocumentJournaler::textChanged);
    connect(child->Memo1, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type) { editAt(position, type); });
    // The file went from disk: the text is now only in the window.
    connect(child->diskWatch, &DiskWatch::fileGone, this, &DocumentJournaler::textChanged);
    connect(child, &TMDIChild::documentSaved, this, [this] {
        m_pause.stop();
        m_deadline.stop();
        m_copied = -1;
        m_copy = QByteArray();
        m_journal.remove(m_id);
    });
    // Closed by the user, after the question about unsaved changes.
    connect(child, &TMDIChild::closeAccepted, this, [this] {
        m_pause.stop();
        m_deadline.stop();
        m_copied = -1;
        m_journal.remove(m_id);
    });
}

DocumentJournaler::~DocumentJournaler() = default;

void DocumentJournaler::textChanged()
{
    m_pause.start();
    // Started by the first change since the last entry, not restarted by later
    // ones, so steady typing is written at least this often.
    if (!m_deadline.isActive())
        m_deadline.start();
}

void DocumentJournaler::editAt(int position, int type)
{
    // Text before the edit is unchanged, so a copy under way keeps what it has
    // of it and goes on from there: typing during the copy of a big document
    // delays its entry, never cancels it.
    constexpr int Edits = QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE
                          | QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT;
    if (m_copied >= 0 && (type & Edits))
        m_copied = std::min<qsizetype>(m_copied, std::max(position, 0));
}

void DocumentJournaler::due()
{
    if (!m_child->Modified) {
        m_pause.stop();
        m_deadline.stop();
        m_journal.remove(m_id);
        return;
    }
    // A copy under way takes in every change up to its end.
    if (!copying())
        startCopy();
}

RecoveryMeta DocumentJournaler::meta() const
{
    RecoveryMeta m;
    m.fileName = m_child->DocumentFileName;
    m.caption = m_child->caption();
    m.utf8 = m_child->Memo1->isUtf8Document();
    m.caret = m_child->Memo1->SelStart();
    m.loaded = m_child->diskWatch->loadedStamp();
    return m;
}

void DocumentJournaler::startCopy()
{
    const qsizetype total = m_child->Memo1->length();
    m_copy = QByteArray();
    // Room for what is typed while the copy goes on, so growing it moves nothing.
    m_copy.reserve(total + total / 64 + 4096);
    m_copy.resize(total);
    m_copied = 0;
    ++m_copyRun;
    if (!copySlice())
        continueCopy(m_copyRun);
}

void DocumentJournaler::continueCopy(quint64 run)
{
    // Later slices run on later turns of the event loop, between keystrokes;
    // a copy restarted since then has its own chain.
    QTimer::singleShot(0, this, [this, run] {
        if (run == m_copyRun && m_copied >= 0 && !copySlice())
            continueCopy(run);
    });
}

bool DocumentJournaler::copySlice()
{
    if (m_copied < 0)
        return false;
    TColorMemo *memo = m_child->Memo1;
    // The text may have grown or shrunk since the copy started.
    const qsizetype total = memo->length();
    m_copy.resize(total);
    m_copied = std::min(m_copied, total);
    qsizetype end = std::min<qsizetype>(total, m_copied + SliceBytes);
    // A slice that stops at the editor's gap copies without moving the text around it.
    const qsizetype gap = memo->SendScintilla(QsciScintillaBase::SCI_GETGAPPOSITION);
    if (gap > m_copied && gap < end)
        end = gap;
    const QByteArrayView part = memo->rangeView(int(m_copied), int(end));
    std::memcpy(m_copy.data() + m_copied, part.data(), size_t(part.size()));
    m_copied = end;
    if (m_copied < total)
        return false;
    m_copied = -1;
    // Every change so far is in this copy.
    m_pause.stop();
    m_deadline.stop();
    m_journal.write(m_id, meta(), std::move(m_copy));
    m_copy = QByteArray();
    return true;
}

bool DocumentJournaler::writeNow()
{
    m_copied = -1;
    m_pause.stop();
    m_deadline.stop();
    return m_journal.writeNow(m_id, meta(), m_child->Memo1->textView());
}

namespace {
DocumentJournaler *journalerOf(TMDIChild *doc)
{
    return doc->findChild<DocumentJournaler *>(QString(), Qt::FindDirectChildrenOnly);
}

// Tells the user when unsaved work stops being protected, and tries again
// until it is protected once more.
class JournalWatch : public QObject
{
public:
    static constexpr int RetryMs = 2000;

    JournalWatch(TMainForm &main, RecoveryJournal &journal) : QObject(&main), m_main(main), m_journal(journal)
    {
        m_retry.setInterval(RetryMs);
        connect(&m_retry, &QTimer::timeout, this, &JournalWatch::retry);
        connect(&journal, &RecoveryJournal::problemChanged, this, &JournalWatch::update, Qt::QueuedConnection);
        QTimer::singleShot(0, this, &JournalWatch::update);
    }

private:
    void update()
    {
        const QString problem = m_journal.problem();
        m_main.setJournalNote(problem.isEmpty() ? QString() : JournalProblemNote(problem));
        if (problem.isEmpty()) {
            m_retry.stop();
            m_told = false;
            return;
        }
        if (!m_retry.isActive())
            m_retry.start();
        if (m_told)
            return;
        m_told = true;
        Prompts::instance().message(&m_main, QStringLiteral("Warning"),
                                    JournalProblemNote(problem)
                                        + QStringLiteral("\nTagloom keeps trying; saving your documents is safest."),
                                    QMessageBox::Warning, QMessageBox::Ok);
    }
    void retry()
    {
        if (!m_journal.retry())
            return;
        bool any = false;
        for (TMDIChild *doc : m_main.documents().list()) {
            DocumentJournaler *journaler = journalerOf(doc);
            if (journaler && doc->Modified && !journaler->copying()) {
                journaler->startCopy();
                any = true;
            }
        }
        // Nothing left to write: only the folder was the matter.
        if (!any)
            update();
    }

    TMainForm &m_main;
    RecoveryJournal &m_journal;
    QTimer m_retry;
    bool m_told = false;
};
}  // namespace

QString JournalProblemNote(const QString &problem)
{
    return QStringLiteral("Unsaved work is not being protected: ") + problem;
}

void InstallRecovery(TMainForm &main, RecoveryJournal &journal)
{
    // Also when the journal could not start: it tries again as documents change.
    DocumentManager &documents = main.documents();
    QObject::connect(&documents, &DocumentManager::documentsChanged, &main, [&documents, &journal] {
        for (TMDIChild *doc : documents.list())
            if (!journalerOf(doc))
                new DocumentJournaler(doc, journal);
    });
    new JournalWatch(main, journal);
    // The session is ending: what the user has not saved is written before it may be cut short.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &main,
                     [&documents, &journal] { JournalChangedDocuments(documents, journal); });
}

void JournalChangedDocuments(const DocumentManager &documents, RecoveryJournal &journal)
{
    for (TMDIChild *doc : documents.list()) {
        if (!doc->Modified)
            continue;
        if (DocumentJournaler *journaler = journalerOf(doc))
            journaler->writeNow();
    }
    journal.waitForWrites();
}

void KeepUnsavedWork(const DocumentManager &documents, RecoveryJournal &journal)
{
    journal.keepEntries();
    JournalChangedDocuments(documents, journal);
}

void EndRecovery(const DocumentManager &documents, RecoveryJournal &journal)
{
    // Ended by a signal: everything was written then, and nothing was typed since.
    if (journal.keepsEntries()) {
        journal.waitForWrites();
        return;
    }
    const QList<TMDIChild *> &docs = documents.list();
    if (std::none_of(docs.begin(), docs.end(), [](const TMDIChild *doc) { return doc->Modified; })) {
        journal.cleanExit();
        return;
    }
    // The windows go after this without asking: the user has not said to drop anything.
    JournalChangedDocuments(documents, journal);
    journal.keepEntries();
}

namespace {
QString sizeText(qint64 size)
{
    return QLocale().formattedDataSize(size);
}
}  // namespace

void OfferRecovery(TMainForm &main, RecoveryJournal &journal)
{
    const QList<RecoveryEntry> entries = journal.claimLeftEntries();
    if (entries.isEmpty()) {
        journal.releaseClaimed();
        return;
    }
    QDialog dlg(&main);
    dlg.setObjectName(QStringLiteral("RecoveryDlg"));
    dlg.setWindowTitle(QStringLiteral("Recover unsaved work"));
    auto *layout = new QVBoxLayout(&dlg);
    layout->addWidget(
        new QLabel(QStringLiteral("Tagloom did not end normally. These documents had unsaved changes:"), &dlg));
    auto *list = new QTreeWidget(&dlg);
    list->setObjectName(QStringLiteral("EntryList"));
    list->setAccessibleName(QStringLiteral("Documents with unsaved changes"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Document"), QStringLiteral("Size"), QStringLiteral("Time")});
    for (const RecoveryEntry &e : entries) {
        auto *item = new QTreeWidgetItem(list);
        item->setText(0, e.meta.fileName.isEmpty() ? e.meta.caption : e.meta.fileName);
        item->setText(1, sizeText(e.size));
        item->setText(2, QLocale().toString(e.written, QLocale::ShortFormat));
        item->setCheckState(0, Qt::Checked);
    }
    list->resizeColumnToContents(0);
    layout->addWidget(list);
    auto *buttons = new QDialogButtonBox(&dlg);
    QPushButton *recover = buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    recover->setObjectName(QStringLiteral("RecoverBtn"));
    QPushButton *discard = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("DiscardBtn"));
    QPushButton *later = buttons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("LaterBtn"));
    recover->setDefault(true);
    enum { Discard = 2 };
    QObject::connect(recover, &QPushButton::clicked, &dlg, &QDialog::accept);
    QObject::connect(discard, &QPushButton::clicked, &dlg, [&dlg] { dlg.done(Discard); });
    QObject::connect(later, &QPushButton::clicked, &dlg, &QDialog::reject);
    layout->addWidget(buttons);
    dlg.resize(560, 300);

    const int result = Prompts::instance().runModal(&dlg);
    // Entries not checked, or all with Later, stay for the next start.
    for (int i = 0; i < entries.size(); ++i) {
        if (result == QDialog::Rejected || list->topLevelItem(i)->checkState(0) != Qt::Checked)
            continue;
        const RecoveryEntry &e = entries[i];
        if (result == Discard) {
            RecoveryJournal::discard(e);
            continue;
        }
        bool ok = false;
        const QByteArray text = e.text(&ok);
        DocumentManager &documents = main.documents();
        if (!ok || !documents.roomForDocument())
            continue;
        TMDIChild *doc = documents.CreateDocumentWindow(
            e.meta.fileName.isEmpty() ? QStringLiteral("Untitled:%1").arg(documents.list().size() + 1)
                                      : e.meta.fileName);
        doc->Memo1->loadBytes(text);
        doc->Memo1->setSelStart(std::clamp(e.meta.caret, 0, doc->Memo1->length()));
        doc->DocumentFileName = e.meta.fileName;
        if (!e.meta.fileName.isEmpty())
            doc->diskWatch->fileInEditor(e.meta.fileName, e.meta.loaded);
        doc->Modified = true;
        // Safe in this run's journal before the old entry goes.
        DocumentJournaler *journaler = journalerOf(doc);
        if (journaler && journaler->writeNow())
            RecoveryJournal::discard(e);
    }
    journal.releaseClaimed();
}
