#include "app/CheckCommands.h"

#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "app/ResultsDocks.h"
#include "check/PageCheck.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "project/ProjectPanel.h"

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QThread>
#include <QToolBar>

namespace {
TMDIChild &child(TextDocument &document)
{
    return static_cast<TMDIChild &>(document);
}

ResultSeverity severityOf(CheckSeverity s)
{
    switch (s) {
    case CheckSeverity::Error:
        return ResultSeverity::Error;
    case CheckSeverity::Warning:
        return ResultSeverity::Warning;
    case CheckSeverity::Info:
        break;
    }
    return ResultSeverity::Info;
}

QList<ResultEntry> entriesOf(const PageFindings &page)
{
    QList<ResultEntry> out;
    out.reserve(page.findings.size());
    for (const CheckFinding &f : page.findings) {
        ResultEntry e;
        e.file = page.file;
        e.line = f.line;
        e.column = f.column;
        e.offset = f.offset;
        e.length = f.length;
        e.severity = severityOf(f.severity);
        e.message = f.message;
        e.text = f.text;
        out.append(e);
    }
    return out;
}

QString counted(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QIcon checkIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x3a8a3a), 2.2));
    p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
    return QIcon(pixmap);
}
}  // namespace

struct PageCheckRunner::Job
{
    struct Page
    {
        QString file;
        QByteArray text;  // the editor's text, when `fromEditor`
        bool fromEditor = false;
        bool untitled = false;
    };
    QList<Page> pages;
    CheckContext context;
    std::shared_ptr<std::atomic_bool> cancelled;
    int generation = 0;
};

const QList<Command> &CheckCommands()
{
    static const QList<Command> commands = {
        MakeCommand("CheckPage1", "Check &Page", "F9",
                    "Look for markup problems, broken links and wrong pictures in this page",
                    [](TextDocument &d) { PageCheckRunner::of(*child(d).mainForm()).checkPage(child(d)); }),
        MakeCommand("CheckProject1", "Check Pro&ject", "",
                    "Look for markup problems, broken links and wrong pictures in every page of the project",
                    [](TextDocument &d) { PageCheckRunner::of(*child(d).mainForm()).checkProject(); }),
    };
    return commands;
}

void AddCheckProjectButton(TMainForm &main)
{
    ProjectPanel *panel = main.projectPanel();
    auto *bar = panel ? panel->findChild<QToolBar *>(QStringLiteral("projectToolBar")) : nullptr;
    if (!bar)
        return;
    auto *a = new QAction(checkIcon(), QStringLiteral("Check every page of the project"), bar);
    a->setObjectName(QStringLiteral("projectCheckBtn"));
    a->setStatusTip(a->text());
    QObject::connect(a, &QAction::triggered, &main, [&main] { PageCheckRunner::of(main).checkProject(); });
    bar->addAction(a);
}

PageCheckRunner &PageCheckRunner::of(TMainForm &main)
{
    if (auto *runner = main.findChild<PageCheckRunner *>(QStringLiteral("pageCheckRunner"), Qt::FindDirectChildrenOnly))
        return *runner;
    return *new PageCheckRunner(main);
}

PageCheckRunner::PageCheckRunner(TMainForm &main) : QObject(&main), m_main(main)
{
    setObjectName(QStringLiteral("pageCheckRunner"));
}

PageCheckRunner::~PageCheckRunner()
{
    cancel();
    wait();
}

bool PageCheckRunner::running() const
{
    return m_thread && m_thread->isRunning();
}

void PageCheckRunner::cancel()
{
    if (m_cancelled)
        *m_cancelled = true;
}

void PageCheckRunner::wait()
{
    for (QThread *t : std::as_const(m_ending))
        t->wait();
    if (m_thread)
        m_thread->wait();
}

ResultsPanel *PageCheckRunner::start(const QString &what, qsizetype total)
{
    ResultsPanel *panel = m_main.results().show(QStringLiteral("problems"), QStringLiteral("Problems"));
    if (!panel->property("checkConnected").toBool()) {
        panel->setProperty("checkConnected", true);
        panel->setSeverityFilterShown(true);
        connect(panel, &ResultsPanel::cancelRequested, this, &PageCheckRunner::cancel);
    }
    panel->clear();
    panel->setSummary(QStringLiteral("Checking %1…").arg(what));
    panel->setProgress(0, total);
    return panel;
}

void PageCheckRunner::checkPage(TMDIChild &document)
{
    auto job = std::make_shared<Job>();
    const bool untitled = document.DocumentFileName.isEmpty();
    const QString file = untitled ? document.windowTitle() : document.DocumentFileName;
    job->pages.append({file, document.Memo1->bytes(), true, untitled});
    start(QFileInfo(file).fileName(), 1);
    run(job);
}

void PageCheckRunner::checkProject()
{
    auto job = std::make_shared<Job>();
    QStringList files;
    for (const QString &name : m_main.projectPanel()->entryNames())
        if (!name.isEmpty() && !files.contains(name))
            files.append(name);
    for (const QString &file : std::as_const(files))
        job->pages.append({QFileInfo(file).absoluteFilePath(), {}, false, false});
    job->context.projectFolder = CommonFolder(files);
    ResultsPanel *panel = start(QStringLiteral("the project"), files.size());
    if (files.isEmpty()) {
        panel->hideProgress();
        panel->setSummary(QStringLiteral("The project has no pages to check"));
        emit finished();
        return;
    }
    run(job);
}

void PageCheckRunner::run(std::shared_ptr<Job> job)
{
    // The texts as they stand in the editors, so unsaved work is what is checked.
    for (TMDIChild *doc : m_main.documents().list())
        if (!doc->DocumentFileName.isEmpty())
            job->context.setOpenText(doc->DocumentFileName, doc->Memo1->bytes());
    job->context.options.reportObsolete = AppSettings().CheckReportsObsolete;

    cancel();
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    job->cancelled = m_cancelled;
    job->generation = ++m_generation;
    if (m_thread) {
        // The check before stops at its next page; its thread deletes itself.
        QThread *old = m_thread;
        m_thread = nullptr;
        m_ending.append(old);
        connect(old, &QThread::finished, this, [this, old] {
            m_ending.removeOne(old);
            old->deleteLater();
        });
        if (old->isFinished()) {
            m_ending.removeOne(old);
            old->deleteLater();
        }
    }

    QPointer<PageCheckRunner> self(this);
    m_thread = QThread::create([job, self] {
        struct Counts
        {
            int errors = 0, warnings = 0, notes = 0;
        };
        auto counts = std::make_shared<Counts>();
        const qsizetype total = job->pages.size();
        qsizetype done = 0;
        for (const Job::Page &page : std::as_const(job->pages)) {
            if (*job->cancelled)
                break;
            PageFindings found = page.fromEditor ? CheckPage(page.file, page.text, job->context, page.untitled)
                                                 : CheckFile(page.file, job->context);
            ++done;
            QMetaObject::invokeMethod(
                self.data(),
                [self, job, counts, done, total, entries = entriesOf(found)] {
                    if (!self || job->generation != self->m_generation)
                        return;
                    ResultsPanel *panel = self->m_main.results().panel(QStringLiteral("problems"));
                    if (!panel)
                        return;
                    for (const ResultEntry &e : entries)
                        ++(e.severity == ResultSeverity::Error     ? counts->errors
                           : e.severity == ResultSeverity::Warning ? counts->warnings
                                                                   : counts->notes);
                    panel->append(entries);
                    panel->setProgress(done, total);
                },
                Qt::QueuedConnection);
        }
        const bool cancelled = *job->cancelled;
        QMetaObject::invokeMethod(
            self.data(),
            [self, job, counts, done, total, cancelled] {
                if (!self || job->generation != self->m_generation)
                    return;
                if (ResultsPanel *panel = self->m_main.results().panel(QStringLiteral("problems"))) {
                    panel->hideProgress();
                    const QString pages = counted(int(total), "page", "pages");
                    const QString found = QStringLiteral("%1, %2, %3")
                                              .arg(counted(counts->errors, "error", "errors"),
                                                   counted(counts->warnings, "warning", "warnings"),
                                                   counted(counts->notes, "note", "notes"));
                    panel->setSummary(cancelled
                                          ? QStringLiteral("Cancelled after %1 of %2: %3").arg(done).arg(pages, found)
                                          : QStringLiteral("%1 in %2").arg(found, pages));
                }
                emit self->finished();
            },
            Qt::QueuedConnection);
    });
    m_thread->setObjectName(QStringLiteral("pageCheck"));
    m_thread->start(QThread::LowPriority);
}
