#pragma once

#include "app/RecoveryJournal.h"

#include <QObject>
#include <QTimer>

class TMainForm;
class TMDIChild;

// Keeps one document's journal entry up to date: written once typing has
// paused, dropped when the document is saved or closed.
class DocumentJournaler : public QObject
{
    Q_OBJECT
public:
    // Pause after the last change before the entry is written.
    static constexpr int PauseMs = 500;
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
    void pauseOver();
    RecoveryMeta meta() const;
    void continueCopy(quint64 run);

    TMDIChild *m_child;
    RecoveryJournal &m_journal;
    int m_id;
    QTimer m_pause;
    QByteArray m_copy;
    qsizetype m_copied = -1;  // -1: no copy under way
    quint64 m_copyRun = 0;
};

// Gives every document window, present and future, its journaler.
void InstallRecovery(TMainForm &main, RecoveryJournal &journal);
// Offers what earlier runs left in one dialog; recovered documents open marked modified.
void OfferRecovery(TMainForm &main, RecoveryJournal &journal);
