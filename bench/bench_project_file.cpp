// Reading a project file of the largest size accepted. A crafted one once took
// time in the square of its lines: each line was inserted into the sorted list
// in turn. Now one read is one sort.
#include "project/ProjectFile.h"

#include <benchmark/benchmark.h>

namespace {

// `bytes` of short names that, added one by one, each go to the middle of the
// list: "a" names rising, "b" names falling, taking turns.
QByteArray crossingProject(qint64 bytes)
{
    QByteArray text = "Tagloom Project File\r\nProject name:\r\nBig\r\nProject files:\r\n";
    text.reserve(bytes);
    for (int i = 0; text.size() + 16 < bytes; ++i)
        text += (i % 2 ? "b" + QByteArray::number(99999999 - i) : "a" + QByteArray::number(10000000 + i)) + ".htm\r\n";
    return text;
}

void readProject(benchmark::State &state)
{
    const QByteArray text = crossingProject(state.range(0));
    qsizetype entries = 0;
    for (auto _ : state) {
        ProjectContent content;
        benchmark::DoNotOptimize(ParseProjectText(text, &content));
        entries = content.entries.size();
    }
    state.counters["entries"] = double(entries);
    state.SetBytesProcessed(state.iterations() * text.size());
}

}  // namespace

BENCHMARK(readProject)->Arg(1 << 20)->Arg(MaxProjectFileSize)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
