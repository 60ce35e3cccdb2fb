// The anchor scan of the links and image dialogs over a 50 MB page, run on the
// document's own bytes as the dialogs do. Target: at least 500 MB/s.
#include "BenchText.h"
#include "objects/TagNameScan.h"

#include <benchmark/benchmark.h>

namespace {

// Sample lines with an anchor every eighth line and a map now and then.
const QByteArray &page()
{
    static const QByteArray text = [] {
        QByteArray t;
        t.reserve(50 * 1024 * 1024 + 256);
        for (int i = 0; t.size() < 50 * 1024 * 1024; ++i) {
            t += bench::htmlLine(i);
            if (i % 8 == 0)
                t += "<H2><A NAME=\"Section" + QByteArray::number(i) + "\"></A>Section</H2>\r\n";
            if (i % 500 == 0)
                t += "<MAP NAME=\"nav" + QByteArray::number(i)
                     + "\"><AREA SHAPE=\"RECT\" COORDS=\"0,0,9,9\" HREF=\"a.html\"></MAP>\r\n";
        }
        return t;
    }();
    return text;
}

void ScanAnchors(benchmark::State &state, const char *tagPrefix, const char *attrPrefix)
{
    const QByteArrayView text = page();
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<TagNameSpan> names = FindTagNames(text, tagPrefix, attrPrefix);
        found = names.size();
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["names"] = double(found);
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}

void CollectAnchors(benchmark::State &state)
{
    ScanAnchors(state, "<A", "NAME=\"");
}
void CollectMaps(benchmark::State &state)
{
    ScanAnchors(state, "<MAP", "NAME=\"");
}
void CollectForms(benchmark::State &state)
{
    ScanAnchors(state, "<form", "name=\"");
}

}  // namespace

BENCHMARK(CollectAnchors)->Unit(benchmark::kMillisecond);
BENCHMARK(CollectMaps)->Unit(benchmark::kMillisecond);
BENCHMARK(CollectForms)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
