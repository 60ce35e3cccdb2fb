// Regular expressions and whole words in a shown document, through the same
// calls the find and replace dialogs make: Find Next of `<img[^>]*>` across
// 50 MB, every match of it counted, and Replace All of 100,000 matches in
// 10 MB with groups, as one undo step in a main window with word wrap on.
#include "BenchHome.h"
#include "BenchText.h"
#include "ShownMain.h"
#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "app/SearchController.h"
#include "editor/ColorMemo.h"
#include "platform/SettingsStore.h"
#include "search/TextSearch.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
const QTemporaryDir *home = nullptr;

// A document window in a shown main window, first paint done.
struct ShownDocument
{
    explicit ShownDocument(const QByteArray &text) : shown(home->filePath(QStringLiteral("store.ini")))
    {
        doc = shown.main().documents().CreateDocumentWindow(QStringLiteral("big"));
        doc->Memo1->loadBytes(text);
        shown.showDocument(doc);
    }
    bench::ShownMain shown;
    TMDIChild *doc = nullptr;
};

SearchQuery regex(const char *find, const char *replace = "")
{
    SearchQuery q;
    q.findText = QString::fromLatin1(find);
    q.replaceText = QString::fromLatin1(replace);
    q.regex = true;
    return q;
}

void RegexFindNextAcross50MB(benchmark::State &state)
{
    ShownDocument shown(bench::searchMarkup(50 * 1024 * 1024, false) + "<img src=\"last.gif\">\r\n");
    TColorMemo &memo = *shown.doc->Memo1;
    const SearchQuery query = regex("<img[^>]*>");
    for (auto _ : state) {
        memo.setSelStart(0);
        benchmark::DoNotOptimize(FindInDocument(&memo, query, nullptr));
        QApplication::processEvents();
    }
    if (memo.SelText() != "<img src=\"last.gif\">")
        state.SkipWithError("match not selected");
    state.SetBytesProcessed(int64_t(state.iterations()) * memo.length());
}
BENCHMARK(RegexFindNextAcross50MB)->Unit(benchmark::kMillisecond);

// Every match of the pattern in 50 MB (about 700,000), as Replace All walks them.
void RegexEveryMatchIn50MB(benchmark::State &state)
{
    const QByteArray text = bench::searchMarkup(50 * 1024 * 1024, true);
    TextSearcher searcher("<img[^>]*>", {false, false, true}, true);
    qint64 count = 0;
    for (auto _ : state) {
        count = 0;
        for (TextMatch m = searcher.findForward(text, 0); m.found(); m = searcher.findForward(text, m.end()))
            ++count;
    }
    state.counters["matches"] = double(count);
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}
BENCHMARK(RegexEveryMatchIn50MB)->Unit(benchmark::kMillisecond);

void WholeWordFindNextAcross50MB(benchmark::State &state)
{
    // A line of its own: the page may end in the middle of a word.
    ShownDocument shown(bench::searchMarkup(50 * 1024 * 1024, true) + "\r\nzebra\r\n");
    TColorMemo &memo = *shown.doc->Memo1;
    SearchQuery query;
    query.findText = QStringLiteral("zebra");
    query.wholeWord = true;
    for (auto _ : state) {
        memo.setSelStart(0);
        benchmark::DoNotOptimize(FindInDocument(&memo, query, nullptr));
    }
    if (memo.SelText() != "zebra")
        state.SkipWithError("match not selected");
    state.SetBytesProcessed(int64_t(state.iterations()) * memo.length());
}
BENCHMARK(WholeWordFindNextAcross50MB)->Unit(benchmark::kMillisecond);

void RegexReplaceAll100000In10MB(benchmark::State &state)
{
    const qsizetype size = 10 * 1024 * 1024;
    const int count = 100000;
    QByteArray text = bench::searchMarkup(size, false);
    const qsizetype step = size / count;
    for (int i = 0; i < count; ++i)
        text.replace(i * step, 3, (i % 2) ? "<b>" : "<B>");
    ShownDocument shown(text);
    TColorMemo &memo = *shown.doc->Memo1;
    const SearchQuery query = regex("<(b)>", "<STRONG data-was=\"\\1\">");
    int replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memo.loadBytes(text);
        QApplication::processEvents();
        memo.setSelStart(0);
        state.ResumeTiming();
        replaced = ReplaceInDocument(&memo, query, true, nullptr);
        QApplication::processEvents();
    }
    if (replaced != count)
        state.SkipWithError("wrong number replaced");
    state.counters["replaced"] = replaced;
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
}
BENCHMARK(RegexReplaceAll100000In10MB)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return bench::runInOwnHome(argc, argv, home);
}
