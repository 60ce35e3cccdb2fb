// Find Next over a large document and Replace All of many occurrences, through
// the same calls the menu and the dialogs make.
#include "BenchHome.h"
#include "BenchText.h"
#include "app/SearchController.h"
#include "editor/ColorMemo.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void FindNextAtTheEnd(benchmark::State &state)
{
    const bool matchCase = state.range(0) != 0;
    TColorMemo memo;
    memo.loadBytes(bench::searchMarkup(50 * 1024 * 1024) + "</HTML>\r\n");
    const SearchQuery query{QStringLiteral("</HTML>"), {}, matchCase};
    for (auto _ : state) {
        memo.setSelStart(0);
        benchmark::DoNotOptimize(FindInDocument(&memo, query, nullptr));
    }
    if (memo.SelText() != "</HTML>")
        state.SkipWithError("match not selected");
    state.SetBytesProcessed(int64_t(state.iterations()) * memo.length());
}
BENCHMARK(FindNextAtTheEnd)->ArgName("matchCase")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void ReplaceAllOccurrences(benchmark::State &state)
{
    const qsizetype size = 10 * 1024 * 1024;
    const int count = 100000;
    QByteArray text = bench::searchMarkup(size);
    // One "<B>" every size/count bytes, in mixed case.
    const qsizetype step = size / count;
    for (int i = 0; i < count; ++i)
        text.replace(i * step, 3, (i % 2) ? "<b>" : "<B>");
    const QByteArray expected = QByteArray(text).replace("<b>", "<STRONG>").replace("<B>", "<STRONG>");

    TColorMemo memo;
    memo.resize(800, 600);
    memo.show();
    int changes = 0;
    QObject::connect(&memo, &QsciScintilla::textChanged, [&] { ++changes; });
    const SearchQuery query{QStringLiteral("<b>"), QStringLiteral("<STRONG>"), false};
    int replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memo.loadBytes(text);
        changes = 0;
        state.ResumeTiming();
        replaced = ReplaceInDocument(&memo, query, true, nullptr);
        QApplication::processEvents();
    }
    if (memo.bytes() != expected)
        state.SkipWithError("wrong text after Replace All");
    state.counters["replaced"] = replaced;
    state.counters["textChanges"] = changes;
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
}
BENCHMARK(ReplaceAllOccurrences)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return bench::runWithQt(argc, argv);
}
