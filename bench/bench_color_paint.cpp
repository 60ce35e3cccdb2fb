// Paint passes of the editor with the shipped colour rules: a full pass over a
// screenful and the caret-line pass of one typed character, in a small and in a
// huge document.

#include "editor/ColorMemo.h"
#include "editor/ColorRulesFile.h"
#include "BenchText.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// One shown editor per document size, scrolled into the middle.
std::map<qint64, std::unique_ptr<TColorMemo>> editors;

TColorMemo &editor(qint64 size)
{
    auto &memo = editors[size];
    if (!memo) {
        memo = std::make_unique<TColorMemo>();
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(10);
        memo->setFont(font);
        memo->resize(1000, 650);
        memo->loadBytes(bench::htmlText(size));
        BuildDrawRules(bench::shippedRuleLines(), true, memo->ColorRules());
        memo->show();
        QApplication::processEvents();
        const long middle = memo->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT) / 2;
        memo->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, middle);
        memo->setSelStart(int(memo->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, middle + 10)) + 20);
        QApplication::processEvents();
    }
    return *memo;
}

void BM_FullPass(benchmark::State &state)
{
    TColorMemo &memo = editor(state.range(0));
    for (auto _ : state)
        memo.PaintColors(false);
    state.counters["runs"] = memo.lastPass().runs;
    state.counters["bytes"] = memo.lastPass().limit - memo.lastPass().from;
}
BENCHMARK(BM_FullPass)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond);

void BM_CaretLinePass(benchmark::State &state)
{
    TColorMemo &memo = editor(state.range(0));
    for (auto _ : state)
        memo.PaintColors(true);
    state.counters["runs"] = memo.lastPass().runs;
}
BENCHMARK(BM_CaretLinePass)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond);

// One typed character and its caret-line pass: the insertion itself is the
// editor's own cost and shows how the pass compares with it.
void BM_TypeOneCharacter(benchmark::State &state)
{
    TColorMemo &memo = editor(state.range(0));
    const int start = memo.SelStart();
    for (auto _ : state) {
        memo.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1UL, "x");
        memo.PaintColors(true);
        state.PauseTiming();
        memo.SendScintilla(QsciScintillaBase::SCI_DELETERANGE, long(start), 1L);
        memo.setSelStart(start);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeOneCharacter)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editors.clear();
    return 0;
}
