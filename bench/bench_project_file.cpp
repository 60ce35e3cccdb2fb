// Reading a project file of the largest size accepted. A crafted one once took
// time in the square of its lines: each line was inserted into the sorted list
// in turn. Now one read is one sort.
#include "BenchHome.h"
#include "project/ProjectFile.h"
#include "project/ProjectHost.h"
#include "project/ProjectPanel.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

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

namespace {
class QuietHost : public ProjectHost
{
public:
    void openDocument(const QString &) override {}
    QString activeDocumentFileName() const override { return {}; }
    void previewInBrowser(const QString &) override {}
    void rememberProject(const QString &) override {}
    void buildProjectReopenMenu(QMenu *, std::function<void(const QString &)>) override {}
};

// What the user waits for: the file read, its names listed in the shown panel
// and the panel painted.
void openProjectInShownPanel(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("big.tlp"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(crossingProject(state.range(0))) < 0) {
        state.SkipWithError("cannot write the project file");
        return;
    }
    file.close();
    for (auto _ : state) {
        ProjectPanel panel(std::make_unique<QuietHost>());
        panel.resize(300, 600);
        panel.show();
        if (!panel.OpenProject(name))
            state.SkipWithError("not opened");
        panel.repaint();
    }
}
}  // namespace
BENCHMARK(openProjectInShownPanel)->Arg(1 << 20)->Arg(MaxProjectFileSize)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char **argv)
{
    return bench::runWithQt(argc, argv);
}
