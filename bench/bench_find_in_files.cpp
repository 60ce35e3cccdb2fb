// Find in files over a folder named by TAGLOOM_FIND_TREE (bench/find_in_files_vs_rg.sh
// makes one of 1 GB and times ripgrep beside it): the whole search as the worker
// threads run it, and the time until the first result shows in the results panel
// of a shown main window. TAGLOOM_FIND_TEXT is the find text, TAGLOOM_FIND_REGEX=1
// makes it a regular expression, TAGLOOM_FIND_CASE=1 matches case.
#include "BenchHome.h"
#include "ShownMain.h"
#include "app/FindInFiles.h"
#include "app/MainForm.h"
#include "app/ResultsDocks.h"
#include "platform/SettingsStore.h"
#include "search/FileSearch.h"
#include "widgets/ResultsPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>

namespace {
const QTemporaryDir *home = nullptr;

bool haveTree(benchmark::State &state, const FindInFilesValues &v)
{
    if (v.folder.isEmpty())
        state.SkipWithError("TAGLOOM_FIND_TREE names no folder");
    return !v.folder.isEmpty();
}

// A shown main window with default settings, its Find in Files and results panel.
struct SearchWindow
{
    bench::ShownMain shown{home->filePath(QStringLiteral("store.ini"))};
    FindInFiles &fif = FindInFiles::of(shown.main());
    ResultsPanel *panel() { return shown.main().results().panel(QStringLiteral("searchResults")); }
};

FindInFilesValues valuesFromEnvironment()
{
    FindInFilesValues v;
    v.folder = qEnvironmentVariable("TAGLOOM_FIND_TREE");
    v.findText = qEnvironmentVariable("TAGLOOM_FIND_TEXT", QStringLiteral("<img"));
    v.options.regex = qEnvironmentVariableIntValue("TAGLOOM_FIND_REGEX") == 1;
    v.options.matchCase = qEnvironmentVariableIntValue("TAGLOOM_FIND_CASE") == 1;
    return v;
}

void FindInFilesWholeTree(benchmark::State &state)
{
    const FindInFilesValues v = valuesFromEnvironment();
    if (!haveTree(state, v))
        return;
    qint64 matches = 0, files = 0, searched = 0;
    for (auto _ : state) {
        FileSearchRequest request;
        request.findText = v.findText;
        request.options = v.options;
        request.folder = v.folder;
        request.patterns = SplitFilePatterns(v.patterns);
        FileSearch search(request);
        search.start();
        matches = files = 0;
        const auto take = [&] {
            for (const FileResult &r : search.takeResults()) {
                ++files;
                matches += r.matches.size();
            }
        };
        while (!search.isFinished()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            take();
        }
        take();
        searched = search.filesSearched();
    }
    state.counters["matches"] = double(matches);
    state.counters["files_matched"] = double(files);
    state.counters["files"] = double(searched);
}
BENCHMARK(FindInFilesWholeTree)->Unit(benchmark::kMillisecond)->Iterations(3);

void FirstResultShownInPanel(benchmark::State &state)
{
    const FindInFilesValues v = valuesFromEnvironment();
    if (!haveTree(state, v))
        return;
    SearchWindow window;
    FindInFiles &fif = window.fif;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        fif.start(v, false);
        ResultsPanel *panel = window.panel();
        while (panel->count() == 0 && fif.isRunning())
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        fif.cancel();
        while (fif.isRunning())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        QApplication::processEvents();
    }
}
BENCHMARK(FirstResultShownInPanel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The whole search with the panel filling, as the user watches it: the time
// until the summary shows, and the longest the window went without handling
// its events (a folder of 100,000 files must not freeze it).
void WholeSearchInPanel(benchmark::State &state)
{
    const FindInFilesValues v = valuesFromEnvironment();
    if (!haveTree(state, v))
        return;
    SearchWindow window;
    FindInFiles &fif = window.fif;
    double longest = 0;
    int shownEntries = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        bool done = false;
        const auto ended = QObject::connect(&fif, &FindInFiles::finished, [&done] { done = true; });
        fif.start(v, false);
        while (!done) {
            QElapsedTimer step;
            step.start();
            QApplication::processEvents(QEventLoop::AllEvents, 1);
            longest = std::max(longest, double(step.nsecsElapsed()) / 1e6);
        }
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        QObject::disconnect(ended);
        shownEntries = window.panel()->count();
    }
    state.counters["longest_gui_step_ms"] = longest;
    state.counters["entries"] = shownEntries;
}
BENCHMARK(WholeSearchInPanel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char **argv)
{
    return bench::runInOwnHome(argc, argv, home);
}
