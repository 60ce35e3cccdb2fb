// One screenful (60 lines of 120 characters) scanned with 100 keyword rules and
// 10 marker rules, alone and inside a 50 MB document.

#include "editor/ColorPaint.h"
#include "editor/ColorRules.h"
#include "editor/ColorRulesFile.h"
#include "BenchText.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int ScreenLines = 60;
QByteArray screenful(int first = 0)
{
    return bench::htmlText(qint64(ScreenLines) * bench::LineWidth, first);
}

void addRules(TDrawRules &rules)
{
    static const char *const tags[] = {"HTML",  "HEAD",   "TITLE",  "BODY",     "META",  "LINK",   "SCRIPT", "STYLE",
                                       "P",     "BR",     "HR",     "A",        "IMG",   "TABLE",  "TR",     "TD",
                                       "TH",    "UL",     "OL",     "LI",       "DIV",   "SPAN",   "H1",     "H2",
                                       "H3",    "B",      "I",      "U",        "EM",    "STRONG", "FONT",   "FORM",
                                       "INPUT", "SELECT", "OPTION", "TEXTAREA", "FRAME", "PRE",    "CENTER", "DL"};
    static const char *const attributes[] = {
        "HREF=", "SRC=",   "ALT=",  "WIDTH=", "HEIGHT=",  "BORDER=", "ALIGN=",  "CLASS=",  "ID=",   "STYLE=",
        "NAME=", "VALUE=", "TYPE=", "COLOR=", "BGCOLOR=", "TARGET=", "ACTION=", "METHOD=", "&nbsp", "&amp"};
    int count = 0;
    auto keyword = [&](const QByteArray &k) {
        if (count++ >= 100)
            return;
        TColorRule *r = rules.Add();
        r->KeyDrawingType = dtKeyShow;
        r->ZOrder = 2;
        r->SetKeywords({k + ";0000C0"});
    };
    for (const char *t : tags) {
        keyword(QByteArray("<") + t);
        keyword(QByteArray("</") + t);
    }
    for (const char *a : attributes)
        keyword(a);
    static const char *const pairs[] = {"<!--;-->", "<;>",   "\";\"", "(;)",   "[;]",
                                        "{;}",      "<?;?>", "<%;%>", "/*;*/", "<script;</script>"};
    for (const char *p : pairs) {
        TColorRule *r = rules.Add();
        r->KeyDrawingType = dtBeginEnd;
        r->ZOrder = 1;
        const QByteArray line = QByteArray(p) + ";008000";
        r->SetKeyBegEndLst({RuleLowerAscii(line), RuleUpperAscii(line)});
    }
}

void scanScreen(benchmark::State &state, const QByteArray &doc, int from)
{
    TDrawRules rules;
    addRules(rules);
    TKeyDescrList ranges;
    ScanStretch stretch;
    const int limit = from + ScreenLines * bench::LineWidth;
    int found = 0;
    for (auto _ : state) {
        rules.PrepareRules();
        ranges.reset();
        stretch.reset(QByteArrayView(doc).sliced(from, limit - from), from);
        int next = 0;
        for (int i = 0; i < rules.Count(); ++i)
            next = ScanRule(*rules.Items(i), ranges, next, stretch);
        found = next;
        benchmark::DoNotOptimize(ranges[0]);
    }
    state.counters["ranges"] = found;
    state.counters["rules"] = rules.Count();
}

void BM_ScreenfulAlone(benchmark::State &state)
{
    scanScreen(state, screenful(), 0);
}
BENCHMARK(BM_ScreenfulAlone)->Unit(benchmark::kMicrosecond);

void BM_ScreenfulIn50MBDocument(benchmark::State &state)
{
    const qsizetype total = 50 * 1024 * 1024;
    QByteArray doc;
    doc.reserve(total);
    const QByteArray block = screenful(7);
    while (doc.size() + block.size() <= total)
        doc += block;
    // The visible screenful sits in the middle of the document.
    const int from = int(doc.size() / 2 / bench::LineWidth * bench::LineWidth);
    doc.replace(from, ScreenLines * bench::LineWidth, screenful());
    scanScreen(state, doc, from);
}
BENCHMARK(BM_ScreenfulIn50MBDocument)->Unit(benchmark::kMicrosecond);

// The first pass after the rules changed also builds every table.
void BM_ScreenfulWithFreshTables(benchmark::State &state)
{
    const QByteArray doc = screenful();
    TKeyDescrList ranges;
    ScanStretch stretch;
    for (auto _ : state) {
        TDrawRules rules;
        addRules(rules);
        rules.PrepareRules();
        ranges.reset();
        stretch.reset(doc, 0);
        int next = 0;
        for (int i = 0; i < rules.Count(); ++i)
            next = ScanRule(*rules.Items(i), ranges, next, stretch);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(BM_ScreenfulWithFreshTables)->Unit(benchmark::kMicrosecond);

// The rules shipped in data/Tagloom.colors.
void BM_ScreenfulWithShippedRules(benchmark::State &state)
{
    const QList<QByteArray> lines = bench::shippedRuleLines();
    if (lines.isEmpty()) {
        state.SkipWithError("data/Tagloom.colors not readable");
        return;
    }
    TDrawRules rules;
    BuildDrawRules(lines, true, rules);
    const QByteArray doc = screenful();
    TKeyDescrList ranges;
    ScanStretch stretch;
    int found = 0;
    for (auto _ : state) {
        rules.PrepareRules();
        ranges.reset();
        stretch.reset(doc, 0);
        int next = 0;
        for (int i = 0; i < rules.Count(); ++i)
            next = ScanRule(*rules.Items(i), ranges, next, stretch);
        found = next;
        benchmark::DoNotOptimize(ranges[0]);
    }
    state.counters["ranges"] = found;
    state.counters["rules"] = rules.Count();
}
BENCHMARK(BM_ScreenfulWithShippedRules)->Unit(benchmark::kMicrosecond);

// A whole paint pass with the shipped rules: scans, selection, tabs, merge into runs.
void BM_PaintPassWithShippedRules(benchmark::State &state)
{
    TDrawRules rules;
    BuildDrawRules(bench::shippedRuleLines(), true, rules);
    const QByteArray doc = screenful();
    PaintState paintState;
    paintState.WantTabs = true;
    paintState.SelStart = 1000;
    paintState.SelLength = 200;
    ColorPaint paint;
    int runs = 0;
    for (auto _ : state)
        runs = paint.compute(rules, doc, 0, int(doc.size()), paintState);
    state.counters["runs"] = runs;
}
BENCHMARK(BM_PaintPassWithShippedRules)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
