// A page of 10 million empty lines (CR LF), as the user meets it: the main
// window shown with the default settings and the recovery journal on, the file
// opened, the first Ctrl+End, a few typed keys, the journal's copy, Ctrl+S and
// closing the window. Every step is posted to the event loop like the user's
// input, and a 1 ms heartbeat timer measures the longest time the loop is held
// (the longest freeze the user sees), over the session and within each step.
// The bytes on disk are checked after the save.

#include "BenchHome.h"
#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "app/Recovery.h"
#include "app/RecoveryJournal.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>

namespace {

const QTemporaryDir *g_dir = nullptr;

QByteArray emptyLines(qint64 lines)
{
    QByteArray text(lines * 2, '\n');
    for (qint64 i = 0; i < lines; ++i)
        text[i * 2] = '\r';
    return text;
}

// The page as the user keeps it; each session works on a copy.
QString linesFile(qint64 lines)
{
    const QString name = g_dir->filePath(QStringLiteral("lines%1.src").arg(lines));
    if (QFile::exists(name))
        return name;
    const QByteArray text = emptyLines(lines);
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot write the bench page");
    return name;
}

// Runs steps in the event loop and keeps the longest gap between heartbeats.
class StallMeter
{
public:
    StallMeter()
    {
        m_beat.setTimerType(Qt::PreciseTimer);
        m_beat.setInterval(1);
        QObject::connect(&m_beat, &QTimer::timeout, [this] { beat(); });
    }

    // Posts the step, then lets the loop run for `afterMs` once it is done.
    void run(const std::string &name, const std::function<void()> &step, int afterMs = 300)
    {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            step();
            QTimer::singleShot(afterMs, &loop, &QEventLoop::quit);
        });
        m_clock.start();
        m_last = 0;
        m_stepLongest = 0;
        m_beat.start();
        loop.exec();
        beat();
        m_beat.stop();
        m_steps[name] = std::max(m_steps[name], double(m_stepLongest) / 1e6);
        m_longest = std::max(m_longest, m_stepLongest);
    }

    double longestMs() const { return double(m_longest) / 1e6; }
    const std::map<std::string, double> &steps() const { return m_steps; }

private:
    void beat()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_stepLongest = std::max(m_stepLongest, now - m_last);
        m_last = now;
    }

    QTimer m_beat;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_stepLongest = 0;
    std::map<std::string, double> m_steps;
};

void postKey(QWidget *to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {})
{
    QApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, mods, text));
    QApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, mods, text));
}

void BM_ManyEmptyLinesSession(benchmark::State &state)
{
    const qint64 lines = state.range(0);
    const QString file = g_dir->filePath(QStringLiteral("lines.html"));
    const QByteArray expected = emptyLines(lines) + "typed";

    double longest = 0;
    std::map<std::string, double> steps;
    for (auto _ : state) {
        QFile::remove(file);
        QFile::copy(linesFile(lines), file);
        QTemporaryDir home;
        AppSettings() = Settings();
        SettingsStore store(home.filePath(QStringLiteral("store.ini")));
        store.writeBool("Misc", "Show splash screen", false);
        RecoveryJournal journal(home.filePath(QStringLiteral("journal")));
        StallMeter meter;
        TMDIChild *doc = nullptr;
        {
            TMainForm main(&store, {});
            InstallRecovery(main, journal);
            main.resize(1000, 700);
            main.show();
            meter.run(
                "open", [&] { doc = main.documents().OpenDocument(file); }, 500);
            if (!doc) {
                state.SkipWithError("the page did not open");
                return;
            }
            meter.run("jump_to_end", [&] { postKey(doc->Memo1, Qt::Key_End, Qt::ControlModifier); });
            for (QChar c : QStringLiteral("typed"))
                meter.run(
                    "key", [&] { postKey(doc->Memo1, Qt::Key_A + (c.unicode() - 'a'), Qt::NoModifier, c); }, 30);
            // The journal copies the document after a pause in typing.
            meter.run(
                "journal", [] {}, DocumentJournaler::PauseMs + 1500);
            meter.run("save", [&] { doc->FileSaveItemClick(); });
            meter.run(
                "close", [&] { main.close(); }, 500);
        }
        longest = std::max(longest, meter.longestMs());
        for (const auto &[name, ms] : meter.steps())
            steps[name] = std::max(steps[name], ms);
        state.SetIterationTime(meter.longestMs() / 1000.0);
        QFile saved(file);
        if (!saved.open(QIODevice::ReadOnly) || saved.readAll() != expected) {
            state.SkipWithError("the saved file does not hold the old bytes and the typed text");
            return;
        }
    }
    state.counters["longest_stall_ms"] = longest;
    for (const auto &[name, ms] : steps)
        state.counters[name + "_ms"] = ms;
}
BENCHMARK(BM_ManyEmptyLinesSession)
    ->Arg(100000)
    ->Arg(10000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

int main(int argc, char **argv)
{
    return bench::runInOwnHome(argc, argv, g_dir, RegisterAllDocumentCommands);
}
