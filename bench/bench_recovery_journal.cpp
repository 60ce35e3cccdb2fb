// Keeping a 50 MB document in the recovery journal: the longest time the GUI
// thread spends on it in one go (a slice of the copy) must stay under a frame,
// 16 ms, so typing never stalls. The file itself is written on another thread.
#include "BenchHome.h"
#include "ShownMain.h"
#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "app/Recovery.h"
#include "editor/ColorMemo.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
const QTemporaryDir *home = nullptr;

void BM_JournalLongestGuiStep50MB(benchmark::State &state)
{
    QTemporaryDir dir;
    RecoveryJournal journal(dir.path());
    // A real document window in a shown main window, as the user types into it.
    bench::ShownMain shown(home->filePath(QStringLiteral("store.ini")));
    TMDIChild &doc = *shown.main().documents().CreateDocumentWindow(QStringLiteral("big"));
    const QByteArray line =
        "<TR><TD CLASS=\"cell\">Some text &amp; more</TD><TD><A HREF=\"page.html\">link</A></TD></TR>\r\n";
    QByteArray text;
    text.reserve(50 << 20);
    while (text.size() < (50 << 20))
        text.append(line);
    doc.Memo1->loadBytes(text);
    text = QByteArray();
    // The first paint and layout (word wrap on, by default) are done before timing.
    shown.showDocument(&doc);
    auto *journaler = new DocumentJournaler(&doc, journal);
    double longest = 0, longestStart = 0;
    int steps = 0;
    for (auto _ : state) {
        // A key typed in the middle of the text, as the user would.
        doc.Memo1->setSelStart(doc.Memo1->length() / 2);
        doc.Memo1->setSelText(QByteArray("x"));
        doc.Modified = true;
        double worst = 0;
        QElapsedTimer t;
        t.start();
        journaler->startCopy();
        worst = t.nsecsElapsed() / 1e6;
        longestStart = std::max(longestStart, worst);
        while (journaler->copying()) {
            t.restart();
            journaler->copySlice();
            worst = std::max(worst, t.nsecsElapsed() / 1e6);
            ++steps;
        }
        longest = std::max(longest, worst);
        state.SetIterationTime(worst / 1000);
        journal.waitForWrites();  // the background write, not timed
    }
    state.counters["longest_ms"] = longest;
    state.counters["start_ms"] = longestStart;  // allocation and first slice
    state.counters["slices"] = benchmark::Counter(steps, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_JournalLongestGuiStep50MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace

int main(int argc, char **argv)
{
    return bench::runInOwnHome(argc, argv, home);
}
