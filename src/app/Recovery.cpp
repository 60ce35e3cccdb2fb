#include "app/Recovery.h"

#include "app/ChildWin.h"
#include "app/DiskWatch.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/Prompts.h"

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
    connect(&m_pause, &QTimer::timeout, this, &DocumentJournaler::pauseOver);
    connect(child->Memo1, &QsciScintilla::textChanged, this, &DocumentJournaler::textChanged);
    connect(child, &TMDIChild::documentSaved, this, [this] {
        m_pause.stop();
        m_copied = -1;
        m_copy = QByteArray();
        m_journal.remove(m_id);
    });
}

DocumentJournaler::~DocumentJournaler()
{
    // Closed: saved, or its changes deliberately dropped.
    m_journal.remove(m_id);
}

void DocumentJournaler::textChanged()
{
    // A copy under way is out of date.
    m_copied = -1;
    m_pause.start();
}

void DocumentJournaler::pauseOver()
{
    if (!m_child->Modified) {
        m_journal.remove(m_id);
        return;
    }
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
    m_copy = QByteArray(m_child->Memo1->length(), Qt::Uninitialized);
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
    const qsizetype total = m_copy.size();
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
    m_journal.write(m_id, meta(), std::move(m_copy));
    m_copy = QByteArray();
    return true;
}

bool DocumentJournaler::writeNow()
{
    m_copied = -1;
    return m_journal.writeNow(m_id, meta(), m_child->Memo1->textView());
}

void InstallRecovery(TMainForm &main, RecoveryJournal &journal)
{
    if (!journal.isActive())
        return;
    QObject::connect(&main, &TMainForm::documentsChanged, &main, [&journal] {
        for (TMDIChild *doc : DocumentList())
            if (!doc->findChild<DocumentJournaler *>(QString(), Qt::FindDirectChildrenOnly))
                new DocumentJournaler(doc, journal);
    });
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
    layout->addWidget(new QLabel(QStringLiteral("Tagloom did not end normally. These documents had unsaved changes:"),
                                 &dlg));
    auto *list = new QTreeWidget(&dlg);
    list->setObjectName(QStringLiteral("EntryList"));
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
        if (!ok || !main.roomForDocument())
            continue;
        TMDIChild *doc = main.CreateDocumentWindow(
            e.meta.fileName.isEmpty() ? QStringLiteral("Untitled:%1").arg(DocumentList().size() + 1) : e.meta.fileName);
        doc->Memo1->loadBytes(text);
        doc->Memo1->setSelStart(std::clamp(e.meta.caret, 0, doc->Memo1->length()));
        doc->DocumentFileName = e.meta.fileName;
        if (!e.meta.fileName.isEmpty())
            doc->diskWatch->fileInEditor(e.meta.fileName, e.meta.loaded);
        doc->Modified = true;
        // Safe in this run's journal before the old entry goes.
        auto *journaler = doc->findChild<DocumentJournaler *>(QString(), Qt::FindDirectChildrenOnly);
        if (journaler && journaler->writeNow())
            RecoveryJournal::discard(e);
    }
    journal.releaseClaimed();
}
