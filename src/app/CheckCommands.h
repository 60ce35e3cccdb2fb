#pragma once

#include "tags/Command.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;
class ResultsPanel;
class TMainForm;
class TMDIChild;

// "Check Page" and "Check Project" of the Misc menu.
const QList<Command> &CheckCommands();
// Puts "Check Project" on the project panel's tool bar.
void AddCheckProjectButton(TMainForm &main);

// Runs the page and project checks of one main window off the GUI thread and
// fills its "Problems" panel as pages are done. One check runs at a time: a new
// one cancels the one before.
class PageCheckRunner : public QObject
{
    Q_OBJECT
public:
    // The main window's runner, made on first use.
    static PageCheckRunner &of(TMainForm &main);
    ~PageCheckRunner() override;

    void checkPage(TMDIChild &document);
    void checkProject();
    void cancel();
    bool running() const;
    // Blocks until the running check has ended (tests, shutdown).
    void wait();

signals:
    void finished();

private:
    explicit PageCheckRunner(TMainForm &main);

    struct Job;
    ResultsPanel *start(const QString &what, qsizetype total);
    void run(std::shared_ptr<Job> job);

    TMainForm &m_main;
    QThread *m_thread = nullptr;
    // Threads of cancelled checks still ending their page; each deletes itself.
    QList<QThread *> m_ending;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    int m_generation = 0;
};
