// Check Page and Check Project as the user waits for them: a shown main window,
// default settings, the "Problems" panel filled and painted.
#include "BenchHome.h"
#include "ShownMain.h"
#include "app/CheckCommands.h"
#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "app/ResultsDocks.h"
#include "editor/ColorMemo.h"
#include "platform/SettingsStore.h"
#include "project/ProjectPanel.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
const QTemporaryDir *home = nullptr;

// Markup as hand-written pages have it: links to other pages and their anchors,
// pictures with their sizes, tables, font tags, and a fault now and then.
QByteArray pageText(int page, int pages, int pictures, qsizetype bytes)
{
    QByteArray text = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><HEAD><TITLE>Page "
                      + QByteArray::number(page) + "</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n";
    text.reserve(bytes + 512);
    for (int i = 0; text.size() < bytes; ++i) {
        const int target = (page + i) % pages;
        text += "<H2><A NAME=\"s" + QByteArray::number(i) + "\">Section " + QByteArray::number(i) + "</A></H2>\r\n";
        text += "<P>Some words <FONT COLOR=\"#800000\">here</FONT> and <A HREF=\"page" + QByteArray::number(target)
                + ".html#s" + QByteArray::number(i % 8) + "\">a link</A>.\r\n";
        text += "<IMG SRC=\"img/p" + QByteArray::number((page + i) % pictures) + ".png\" WIDTH=\"16\" HEIGHT=\"12\""
                + (i % 7 ? " ALT=\"picture\">" : ">") + "</P>\r\n";
        text += "<TABLE BORDER=\"1\"><TR><TD>cell</TD><TD><A HREF=\"#s" + QByteArray::number(i)
                + "\">up</A></TD></TR></TABLE>\r\n";
        if (i % 50 == 49)
            text += "<P><A HREF=\"missing" + QByteArray::number(i) + ".html\">gone</A></P>\r\n";
    }
    return text + "</BODY></HTML>\r\n";
}

bool writeSite(const QString &folder, int pages, int pictures, qsizetype pageBytes)
{
    QDir().mkpath(folder + QStringLiteral("/img"));
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    for (int i = 0; i < pictures; ++i)
        if (!image.save(folder + QStringLiteral("/img/p%1.png").arg(i)))
            return false;
    for (int i = 0; i < pages; ++i) {
        QFile f(folder + QStringLiteral("/page%1.html").arg(i));
        if (!f.open(QIODevice::WriteOnly) || f.write(pageText(i, pages, pictures, pageBytes)) < 0)
            return false;
    }
    return true;
}

// Runs the check and waits for its last result to be in the painted panel.
void runAndWait(TMainForm &main, const std::function<void(PageCheckRunner &)> &start)
{
    PageCheckRunner &runner = PageCheckRunner::of(main);
    QEventLoop loop;
    const auto done = QObject::connect(&runner, &PageCheckRunner::finished, &loop, &QEventLoop::quit);
    start(runner);
    loop.exec();
    QObject::disconnect(done);
    main.results().panel(QStringLiteral("problems"))->repaint();
}

void BM_CheckPage5MB(benchmark::State &state)
{
    QTemporaryDir dir;
    if (!writeSite(dir.path(), 10, 20, 20 * 1024)) {
        state.SkipWithError("cannot write the site");
        return;
    }
    const QString big = dir.filePath(QStringLiteral("page0.html"));
    QFile f(big);
    if (!f.open(QIODevice::WriteOnly) || f.write(pageText(0, 10, 20, 5 << 20)) < 0) {
        state.SkipWithError("cannot write the page");
        return;
    }
    f.close();
    bench::ShownMain shown(home->filePath(QStringLiteral("store.ini")), QSize(1200, 800));
    TMainForm &main = shown.main();
    TMDIChild *doc = shown.showDocument(main.documents().OpenDocument(big));
    if (!doc) {
        state.SkipWithError("cannot open the page");
        return;
    }
    int found = 0;
    for (auto _ : state) {
        runAndWait(main, [doc](PageCheckRunner &r) { r.checkPage(*doc); });
        found = main.results().panel(QStringLiteral("problems"))->count();
    }
    state.counters["problems"] = found;
}
BENCHMARK(BM_CheckPage5MB)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CheckProject1000Pages(benchmark::State &state)
{
    QTemporaryDir dir;
    constexpr int pages = 1000;
    if (!writeSite(dir.path(), pages, 200, 20 * 1024)) {
        state.SkipWithError("cannot write the site");
        return;
    }
    bench::ShownMain shown(home->filePath(QStringLiteral("store.ini")), QSize(1200, 800));
    TMainForm &main = shown.main();
    for (int i = 0; i < pages; ++i)
        main.projectPanel()->AddFileToProject(dir.filePath(QStringLiteral("page%1.html").arg(i)));
    // Warm: the files are in the system's cache, as after any earlier look at them.
    runAndWait(main, [](PageCheckRunner &r) { r.checkProject(); });
    int found = 0;
    for (auto _ : state) {
        runAndWait(main, [](PageCheckRunner &r) { r.checkProject(); });
        found = main.results().panel(QStringLiteral("problems"))->count();
    }
    state.counters["problems"] = found;
}
BENCHMARK(BM_CheckProject1000Pages)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace

int main(int argc, char **argv)
{
    return bench::runInOwnHome(argc, argv, home);
}
