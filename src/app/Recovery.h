#pragma once

#include "app/RecoveryJournal.h"

#include <QObject>
#include <QTimer>

class DocumentManager;
class TMainForm;
class TMDIChild;

// Keeps one document's journal entry up to date: written once typing has
// paused, and at least once a second while it goes on; dropped when the
// document is saved or the user closes it. A window destroyed without
// closing (the program quit under it) keeps its entry.
class DocumentJournaler : public QObject
{
    Q_OBJECT
public:
    // Pause after the last change before the entry is written.
    static constexpr int PauseMs = 500;
    // Longest time a change waits for its copy to start, however the typing goes on.
    static constexpr int MaxDelayMs = 1000;
    // Bytes copied per turn of the event loop, so a big document never holds up typing.
    static constexpr int SliceBytes = 1 << 20;

    DocumentJournaler(TMDIChild *child, RecoveryJournal &journal);
    ~DocumentJournaler() override;

    // Starts the copy of the text now; finishes over the next turns of the event loop.
    void startCopy();
    // Copies one slice; true when the whole text is copied and handed to the journal.
    bool copySlice();
    // Writes the entry before returning.
    bool writeNow();
    bool copying() const { return m_copied >= 0; }

private:
    void textChanged();
    void editAt(int position, int type);
    void due();
    RecoveryMeta meta() const;
    void continueCopy(quint64 run);

    TMDIChild *m_child;
    RecoveryJournal &m_journal;
    int m_id;
    QTimer m_pause;
    QTimer m_deadline;
    QByteArray m_copy;
    qsizetype m_copied = -1;  // -1: no copy under way
    quint64 m_copyRun = 0;
};

// Gives every document window, present and future, its journaler, and tells
// the user (once, and in the status bar while it lasts) when the journal fails.
void InstallRecovery(TMainForm &main, RecoveryJournal &journal);
// Writes the entry of every open document with unsaved changes before returning.
void JournalChangedDocuments(const DocumentManager &documents, RecoveryJournal &journal);
// The program is told to end without the user's say (a signal): every change is
// written and every entry stays, whatever the windows do on their way out.
void KeepUnsavedWork(const DocumentManager &documents, RecoveryJournal &journal);
// After the event loop: a run that leaves no unsaved document leaves no journal;
// otherwise each one's last state stays for the next start.
void EndRecovery(const DocumentManager &documents, RecoveryJournal &journal);
// The status bar's lasting note while the journal fails.
QString JournalProblemNote(const QString &problem);
// Offers what earlier runs left in one dialog; recovered documents open marked modified.
void OfferRecovery(TMainForm &main, RecoveryJournal &journal);
