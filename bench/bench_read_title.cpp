// The project panel reads a page's title each time an entry is selected: over
// 1,000 pages of 1 MB each, one read must stay well under a millisecond.
#include "project/ReadTitle.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Pages = 1000;
QTemporaryDir *g_dir = nullptr;

// 1,000 pages of 1 MB; `titled` puts a title in the head, else the page has none
// and the whole read limit is searched.
const QStringList &pages(bool titled)
{
    static QStringList names[2];
    QStringList &list = names[titled];
    if (!list.isEmpty())
        return list;
    QByteArray body;
    const QByteArray line =
        "<TR><TD CLASS=\"cell\">Some text &amp; more</TD><TD><A HREF=\"page.html\">link</A></TD></TR>\r\n";
    while (body.size() < (1 << 20))
        body.append(line);
    const QByteArray head = titled ? QByteArray(
                                "<HTML>\r\n<HEAD>\r\n  <TITLE>A page of the site</TITLE>\r\n</HEAD>\r\n<BODY>\r\n")
                                   : QByteArray("<HTML>\r\n<BODY>\r\n");
    for (int i = 0; i < Pages; ++i) {
        const QString name = g_dir->filePath(QStringLiteral("%1-%2.html").arg(titled).arg(i));
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly))
            return list;
        f.write(head);
        f.write(body.constData(), (1 << 20) - head.size());
        list.append(name);
    }
    return list;
}

void readTitles(benchmark::State &state, bool titled)
{
    const QStringList &names = pages(titled);
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadTitle(names.at(i)));
        i = (i + 1) % names.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ReadTitle_TitleInHead(benchmark::State &state)
{
    readTitles(state, true);
}
void BM_ReadTitle_NoTitle(benchmark::State &state)
{
    readTitles(state, false);
}
BENCHMARK(BM_ReadTitle_TitleInHead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadTitle_NoTitle)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
