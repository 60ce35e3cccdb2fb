// Opening and saving a 50 MB HTML file with LF line ends, and the memory it takes.
#include "BenchText.h"
#include "app/DocumentFile.h"
#include "editor/ColorMemo.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace {
QTemporaryDir *g_dir = nullptr;

QString bigFile()
{
    static QString name;
    if (!name.isEmpty())
        return name;
    name = g_dir->filePath("big.html");
    QFile f(name);
    f.open(QIODevice::WriteOnly);
    const QByteArray line =
        "<TR><TD CLASS=\"cell\">Some text &amp; more</TD><TD><A HREF=\"page.html\">link</A></TD></TR>\n";
    QByteArray block;
    while (block.size() < (1 << 20))
        block.append(line);
    for (int i = 0; i < 50; ++i)
        f.write(block);
    return name;
}

void BM_Open50MB(benchmark::State &state)
{
    const QString name = bigFile();
    const qint64 size = QFile(name).size();
    long extraKiB = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto *memo = new TColorMemo;
        memo->resize(800, 600);
        const long before = bench::residentKiB();
        state.ResumeTiming();
        LoadFileIntoEditor(name, memo);
        state.PauseTiming();
        extraKiB = bench::residentKiB() - before;
        delete memo;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["memory_per_file_byte"] = double(extraKiB) * 1024.0 / double(size);
}
BENCHMARK(BM_Open50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Save50MB(benchmark::State &state)
{
    TColorMemo memo;
    LoadFileIntoEditor(bigFile(), &memo);
    const QString out = g_dir->filePath("saved.html");
    for (auto _ : state)
        SaveBytesToFile(out, memo.textView());
    state.SetBytesProcessed(state.iterations() * memo.length());
}
BENCHMARK(BM_Save50MB)->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
