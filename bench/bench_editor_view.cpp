// What the user sees: a shown editor with the default settings (word wrap on,
// the shipped colour rules), its accessible interface asked for once as a
// focus change does. Opening a file and the first jump to its end; a typed
// character and a caret move in the middle of a small and of a huge page,
// each with the colour pass and the repaint that follow; a page that is one
// long line, and a session with 50 MB that has no line break; the memory a
// document keeps. The "WithBasics" runs type into a document window of a shown
// main window instead, with what it adds on top: line numbers, the current
// line's background, the status bar's fields and the menu items kept up after
// every change and caret move. The "ScreenReader" runs add what a screen
// reader costs: the editor's events for every change and caret move, and what
// the reader asks after each (the caret's offset and the line there). They
// need Qt's accessibility on: run the program under
// tests/e2e/with_accessibility_bus.sh; the other runs then have it on as well,
// and compare with a run under plain xvfb-run with QT_QPA_PLATFORM=xcb.

#include "app/ChildWin.h"
#include "app/DocumentFile.h"
#include "app/DocumentView.h"
#include "app/MainForm.h"
#include "app/TypingHelp.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "editor/ColorMemo.h"
#include "editor/ColorRulesFile.h"
#include "tags/CloseTag.h"
#include "tags/TagMatch.h"
#include "BenchHome.h"
#include "BenchText.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <string>

namespace {

using B = QsciScintillaBase;
const QTemporaryDir *g_dir = nullptr;

// A page of hand-written lines, or with `oneLine` the same bytes without line
// breaks; `utf8`: with a non-ASCII character on every line; `balanced`: lines
// whose every element ends on them.
QString pageFile(qint64 size, bool oneLine = false, bool utf8 = false, bool balanced = false)
{
    static std::map<std::tuple<qint64, bool, bool, bool>, QString> names;
    QString &name = names[{size, oneLine, utf8, balanced}];
    if (name.isEmpty()) {
        name = g_dir->filePath(QStringLiteral("page%1%2%3%4.html")
                                   .arg(size)
                                   .arg(oneLine ? "line" : "")
                                   .arg(utf8 ? "utf8" : "")
                                   .arg(balanced ? "balanced" : ""));
        QByteArray text = balanced ? bench::searchMarkup(size) : bench::htmlText(size);
        if (oneLine)
            text.replace("\r\n", "  ");
        if (utf8)
            text.replace("&amp;", "\xC3\xA9 \xE2\x82\xAC");
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
            qFatal("cannot write the bench page");
    }
    return name;
}

void settle()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

void key(TColorMemo &memo, int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, k, mods, text);
    QApplication::sendEvent(&memo, &press);
    QKeyEvent release(QEvent::KeyRelease, k, mods, text);
    QApplication::sendEvent(&memo, &release);
}

// `wrap`: word wrap as by default; `wrapLarge`: also for a large document,
// which opens unwrapped.
std::unique_ptr<TColorMemo> shownEditor(const QString &file, bool wrap = true, bool wrapLarge = false)
{
    auto memo = std::make_unique<TColorMemo>();
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    memo->setFont(font);
    memo->resize(1000, 650);
    if (!wrap) {
        memo->setWrapMode(QsciScintilla::WrapNone);
        memo->SendScintilla(B::SCI_SETHSCROLLBAR, 1UL);
    }
    BuildDrawRules(bench::shippedRuleLines(), true, memo->ColorRules());
    memo->show();
    memo->setFocus();
    // What a focus change does: the editor's accessible interface exists from then on.
    QAccessible::queryAccessibleInterface(memo.get());
    LoadFileIntoEditor(file, memo.get());
    if (wrap && memo->wrapSuspended() && wrapLarge) {
        // What the user does from the menu: wrap the large document after all.
        memo->setWrapMode(QsciScintilla::WrapWord);
        memo->SendScintilla(B::SCI_SETHSCROLLBAR, 0UL);
    }
    settle();
    return memo;
}

// Start-up of a document as the user meets it: the file read into a shown
// editor, painted, and the first Ctrl+End painted at the end.
void BM_OpenAndJumpToEnd(benchmark::State &state)
{
    const QString file = pageFile(state.range(0));
    for (auto _ : state) {
        auto memo = shownEditor(file);
        key(*memo, Qt::Key_End, Qt::ControlModifier);
        settle();
        benchmark::DoNotOptimize(memo->SelStart());
        state.PauseTiming();
        memo.reset();
        settle();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenAndJumpToEnd)
    ->Arg(50 << 10)
    ->Arg((1 << 20) - (1 << 10))
    ->Arg(20 << 20)
    ->Arg(50 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

std::map<std::tuple<qint64, bool>, std::unique_ptr<TColorMemo>> editors;

// One shown editor per page, caret in the middle.
TColorMemo &middleEditor(qint64 size, bool oneLine = false, bool wrap = true)
{
    auto &memo = editors[{size * (wrap ? 1 : -1), oneLine}];
    if (!memo) {
        memo = shownEditor(pageFile(size, oneLine), wrap, oneLine);
        memo->setSelStart(memo->length() / 2);
        settle();
    }
    return *memo;
}

// The page opened in a document window of a shown main window with the
// default settings: line numbers, the current line's background, the status
// bar's caret place, encoding and line ends, the Undo and Redo items kept up.
struct DocumentWindow
{
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> main;
    TColorMemo *memo = nullptr;
};
std::map<std::tuple<qint64, bool, bool>, DocumentWindow> windows;

// `wrap`: for a page that opens unwrapped for its size, word wrap turned on after all.
TColorMemo &middleOfDocumentWindow(qint64 size, bool oneLine = false, bool wrap = false)
{
    DocumentWindow &w = windows[{size, oneLine, wrap}];
    if (!w.main) {
        w.store = std::make_unique<SettingsStore>(g_dir->filePath(QStringLiteral("store%1.ini").arg(windows.size())));
        w.store->writeBool("Misc", "Show splash screen", false);
        w.main = std::make_unique<TMainForm>(w.store.get(), QStringList());
        w.main->resize(1000, 700);
        w.main->show();
        TMDIChild *doc = w.main->documents().OpenDocument(pageFile(size, oneLine));
        if (!doc)
            qFatal("cannot open the bench page");
        doc->showMaximized();
        w.memo = doc->Memo1;
        if (wrap && w.memo->wrapSuspended()) {
            w.memo->setWrapMode(QsciScintilla::WrapWord);
            w.memo->SendScintilla(B::SCI_SETHSCROLLBAR, 0UL);
        }
        w.memo->setFocus();
        QAccessible::queryAccessibleInterface(w.memo);
        w.memo->setSelStart(w.memo->length() / 2);
        settle();
    }
    return *w.memo;
}

// What a screen reader asks after a key, as it hears of the caret's move: the
// caret's offset and the line there.
void screenReaderReads(TColorMemo &memo)
{
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(&memo)->textInterface();
    int start = 0, end = 0;
    benchmark::DoNotOptimize(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end));
}

// One typed character with its colour pass and repaint; taking it back is not timed.
void typeOne(benchmark::State &state, TColorMemo &memo, bool screenReader = false)
{
    const int at = memo.SelStart();
    for (auto _ : state) {
        key(memo, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        settle();
        if (screenReader)
            screenReaderReads(memo);
        state.PauseTiming();
        memo.SendScintilla(B::SCI_DELETERANGE, long(at), 1L);
        memo.setSelStart(at);
        // The repaint of the recoloured view is queued from inside a paint.
        settle();
        settle();
        state.ResumeTiming();
    }
}

void caretMoves(benchmark::State &state, TColorMemo &memo, bool screenReader = false)
{
    bool left = true;
    for (auto _ : state) {
        key(memo, left ? Qt::Key_Left : Qt::Key_Right);
        settle();
        if (screenReader)
            screenReaderReads(memo);
        left = !left;
    }
}

void BM_TypeInMiddle(benchmark::State &state)
{
    typeOne(state, middleEditor(state.range(0)));
}
BENCHMARK(BM_TypeInMiddle)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_CaretMoveInMiddle(benchmark::State &state)
{
    caretMoves(state, middleEditor(state.range(0)));
}
BENCHMARK(BM_CaretMoveInMiddle)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(3);

std::map<std::pair<qint64, bool>, std::unique_ptr<TColorMemo>> screenReaderEditors;

// Arg 0: the page's size; arg 1: a non-ASCII character on every line.
TColorMemo *screenReaderEditor(benchmark::State &state)
{
    if (!QAccessible::isActive()) {
        state.SkipWithError("Qt's accessibility is off: run under tests/e2e/with_accessibility_bus.sh");
        return nullptr;
    }
    auto &memo = screenReaderEditors[{state.range(0), state.range(1) != 0}];
    if (!memo) {
        memo = shownEditor(pageFile(state.range(0), false, state.range(1) != 0));
        memo->setSelStart(memo->length() / 2);
        settle();
        screenReaderReads(*memo);
    }
    return memo.get();
}

void BM_TypeInMiddleScreenReader(benchmark::State &state)
{
    if (TColorMemo *memo = screenReaderEditor(state))
        typeOne(state, *memo, true);
}
BENCHMARK(BM_TypeInMiddleScreenReader)
    ->ArgsProduct({{50 << 10, 50 << 20}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);

void BM_CaretMoveInMiddleScreenReader(benchmark::State &state)
{
    if (TColorMemo *memo = screenReaderEditor(state))
        caretMoves(state, *memo, true);
}
BENCHMARK(BM_CaretMoveInMiddleScreenReader)
    ->ArgsProduct({{50 << 10, 50 << 20}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(3);

void BM_TypeInMiddleWithBasics(benchmark::State &state)
{
    typeOne(state, middleOfDocumentWindow(state.range(0)));
}
BENCHMARK(BM_TypeInMiddleWithBasics)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_CaretMoveInMiddleWithBasics(benchmark::State &state)
{
    caretMoves(state, middleOfDocumentWindow(state.range(0)));
}
BENCHMARK(BM_CaretMoveInMiddleWithBasics)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(3);

// The same with the typing help of a document window on, as by default:
// end tags on '>', the matching tag marked, names offered.
std::map<std::pair<qint64, bool>, std::unique_ptr<TColorMemo>> typingEditors;

TColorMemo &typingEditor(qint64 size, bool balanced = false)
{
    auto &memo = typingEditors[{size, balanced}];
    if (!memo) {
        memo = shownEditor(pageFile(size, false, false, balanced));
        new TypingHelp(
            memo.get(), [] { return QString(); }, [](const QString &) {});
        memo->setSelStart(memo->length() / 2);
        settle();
    }
    return *memo;
}

// The caret inside the name of the first start tag after the middle.
int inTagNearMiddle(TColorMemo &memo)
{
    const QByteArrayView text = memo.textView();
    int lt = int(text.indexOf("<TD", memo.length() / 2));
    return lt + 2;
}

void BM_TypeInMiddleWithTyping(benchmark::State &state)
{
    typeOne(state, typingEditor(state.range(0)));
}
BENCHMARK(BM_TypeInMiddleWithTyping)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_CaretMoveInMiddleWithTyping(benchmark::State &state)
{
    caretMoves(state, typingEditor(state.range(0)));
}
BENCHMARK(BM_CaretMoveInMiddleWithTyping)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(3);

// Typing inside a start tag: the marks follow once typing pauses, so they are
// timed on their own below.
void BM_TypeInTagWithTyping(benchmark::State &state)
{
    TColorMemo &memo = typingEditor(state.range(0));
    const int middle = memo.SelStart();
    memo.setSelStart(inTagNearMiddle(memo));
    settle();
    typeOne(state, memo);
    memo.setSelStart(middle);
    settle();
}
BENCHMARK(BM_TypeInTagWithTyping)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// The '>' of a start tag typed at a line's start in the middle: the end tag
// is written; taking both back is not timed. Arg 1: a word was typed and
// taken back near the top of the page just before, as after a jump there
// and back.
void BM_TypeGreaterThanClosesTag(benchmark::State &state)
{
    TColorMemo &memo = typingEditor(state.range(0));
    const bool editAbove = state.range(1) != 0;
    const int middle = memo.SelStart();
    // A tag typed on a line of its own, as a page is usually written: the
    // line's wrapping stays as it was. (A key that makes a line wrap onto one
    // more row redraws everything below, whatever it writes.)
    const int at = int(memo.textView().indexOf("\r\n", middle)) + 2;
    for (auto _ : state) {
        state.PauseTiming();
        if (editAbove) {
            memo.SendScintilla(B::SCI_INSERTTEXT, 200L, "word ");
            memo.SendScintilla(B::SCI_DELETERANGE, 200L, 5L);
        }
        memo.SendScintilla(B::SCI_INSERTTEXT, long(at), "<UL\r\n");
        memo.setSelStart(at + 3);
        settle();
        settle();
        state.ResumeTiming();
        key(memo, Qt::Key_Greater, Qt::NoModifier, QStringLiteral(">"));
        settle();
        state.PauseTiming();
        if (memo.rangeView(at, at + 11) != QByteArrayView("<UL></UL>\r\n"))
            qFatal("no end tag written");
        memo.SendScintilla(B::SCI_DELETERANGE, long(at), 11L);
        memo.setSelStart(middle);
        settle();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeGreaterThanClosesTag)
    ->ArgsProduct({{50 << 10, 50 << 20}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);

// The first '>' typed far into a page whose typing help is new, as after
// opening it: a big page's comments and scripts are read then, once.
void BM_FirstGreaterThanInPage(benchmark::State &state)
{
    TColorMemo &memo = typingEditor(state.range(0));
    // The same line as BM_TypeGreaterThanClosesTag's: a line may begin inside
    // a tag that the line before left open.
    const int middle = memo.SelStart();
    const int at = int(memo.textView().indexOf("\r\n", middle)) + 2;
    for (auto _ : state) {
        state.PauseTiming();
        delete TypingHelp::of(&memo);
        new TypingHelp(
            &memo, [] { return QString(); }, [](const QString &) {});
        memo.SendScintilla(B::SCI_INSERTTEXT, long(at), "<UL\r\n");
        memo.setSelStart(at + 3);
        settle();
        settle();
        state.ResumeTiming();
        key(memo, Qt::Key_Greater, Qt::NoModifier, QStringLiteral(">"));
        settle();
        state.PauseTiming();
        if (memo.rangeView(at, at + 11) != QByteArrayView("<UL></UL>\r\n"))
            qFatal("no end tag written");
        memo.SendScintilla(B::SCI_DELETERANGE, long(at), 11L);
        memo.setSelStart(middle);
        settle();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstGreaterThanInPage)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMillisecond)->Iterations(10);

// What marking costs when the caret comes to a tag: finding the tag, the look
// back for comments and scripts, and the match.
void BM_MatchTagAtCaret(benchmark::State &state)
{
    TColorMemo &memo = typingEditor(state.range(0));
    TypingHelp *help = TypingHelp::of(&memo);
    const int pos = inTagNearMiddle(memo);
    for (auto _ : state) {
        const TagMatch m = MatchTag(help->window(pos), pos);
        benchmark::DoNotOptimize(m.kind);
    }
}
BENCHMARK(BM_MatchTagAtCaret)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// The longest look: a start tag whose end lies beyond the window, every
// element after it ended (a stray end tag would decide at once).
void BM_MatchTagTooFar(benchmark::State &state)
{
    TColorMemo &memo = typingEditor(state.range(0), true);
    TypingHelp *help = TypingHelp::of(&memo);
    const int pos = int(memo.textView().indexOf("\r\n", memo.length() / 2)) + 2;
    memo.SendScintilla(B::SCI_INSERTTEXT, long(pos), "<DIV>");
    settle();
    TagMatch::Kind kind = TagMatch::NoTag;
    for (auto _ : state) {
        const TagMatch m = MatchTag(help->window(pos + 1), pos + 1);
        kind = m.kind;
        benchmark::DoNotOptimize(m.kind);
    }
    memo.SendScintilla(B::SCI_DELETERANGE, long(pos), 5L);
    settle();
    if (kind != (memo.length() > 2 * MatchWindowBytes ? TagMatch::TooFar : TagMatch::Unmatched))
        qFatal("the tag was matched otherwise than the page is made");
}
BENCHMARK(BM_MatchTagTooFar)->Arg(50 << 10)->Arg(50 << 20)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// A minified page: 5 MB on one line, arg 1 = word wrap turned on (the page
// opens unwrapped for its size). Opening includes the first jump to the end.
void BM_OneLineOpen(benchmark::State &state)
{
    const QString file = pageFile(5 << 20, true);
    for (auto _ : state) {
        auto memo = shownEditor(file, state.range(0), true);
        key(*memo, Qt::Key_End, Qt::ControlModifier);
        settle();
        state.PauseTiming();
        memo.reset();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OneLineOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OneLineType(benchmark::State &state)
{
    typeOne(state, middleEditor(5 << 20, true, state.range(0)));
}
BENCHMARK(BM_OneLineType)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// The worst place to type on a long line: its start, before all of it.
void BM_OneLineTypeAtStart(benchmark::State &state)
{
    TColorMemo &memo = middleEditor(5 << 20, true, state.range(0));
    const int middle = memo.SelStart();
    memo.setSelStart(0);
    settle();
    typeOne(state, memo);
    memo.setSelStart(middle);
    settle();
}
BENCHMARK(BM_OneLineTypeAtStart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_OneLineCaretMove(benchmark::State &state)
{
    caretMoves(state, middleEditor(5 << 20, true, state.range(0)));
}
BENCHMARK(BM_OneLineCaretMove)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// The caret's column on a 5 MB line, kept up as the caret moves in its middle.
void BM_OneLineCaretMoveWithBasics(benchmark::State &state)
{
    caretMoves(state, middleOfDocumentWindow(5 << 20, true, state.range(0)));
}
BENCHMARK(BM_OneLineCaretMoveWithBasics)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_OneLineTypeWithBasics(benchmark::State &state)
{
    typeOne(state, middleOfDocumentWindow(5 << 20, true, state.range(0)));
}
BENCHMARK(BM_OneLineTypeWithBasics)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

void BM_OneLineRepaint(benchmark::State &state)
{
    TColorMemo &memo = middleEditor(5 << 20, true, state.range(0));
    for (auto _ : state) {
        memo.PaintColors(false);
        memo.viewport()->repaint();
    }
    state.counters["coloured_bytes"] = memo.lastPass().limit - memo.lastPass().from;
}
BENCHMARK(BM_OneLineRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// What the colour pass of a long line costs, and what it allocates: the
// bytes it reads must not grow with the line.
void BM_OneLineColorPass(benchmark::State &state)
{
    TColorMemo &memo = middleEditor(5 << 20, true, state.range(0));
    for (auto _ : state)
        memo.PaintColors(false);
    state.counters["scanned_bytes"] = memo.lastPass().scanned;
}
BENCHMARK(BM_OneLineColorPass)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(0.2);

// A user's session with a 50 MB page that has no line break, each step as
// the event loop runs it: open (with the first paint), Ctrl+End, five typed
// keys, a caret move, a save, and closing the window. The counters give the
// longest step (the longest the window stops answering) and each step's time.
void BM_NoLineBreak50MBSession(benchmark::State &state)
{
    const QString file = pageFile(50 << 20, true);
    const QString saved = g_dir->filePath(QStringLiteral("saved.html"));
    // Wall time is what the user waits; on a busy machine the CPU time of the
    // program's thread tells what it costs.
    auto cpuMs = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    };
    QElapsedTimer clock;
    std::map<std::string, double> steps, cpuSteps;
    auto step = [&](const char *name, const std::function<void()> &work) {
        const double cpuStart = cpuMs();
        clock.start();
        work();
        settle();
        double &ms = steps[name];
        ms = std::max(ms, double(clock.nsecsElapsed()) / 1e6);
        double &cpu = cpuSteps[name];
        cpu = std::max(cpu, cpuMs() - cpuStart);
    };
    for (auto _ : state) {
        std::unique_ptr<TColorMemo> memo;
        step("open_ms", [&] { memo = shownEditor(file); });
        step("jump_end_ms", [&] { key(*memo, Qt::Key_End, Qt::ControlModifier); });
        for (int i = 0; i < 5; ++i)
            step("key_ms", [&] { key(*memo, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")); });
        step("caret_ms", [&] { key(*memo, Qt::Key_Left); });
        step("save_ms", [&] {
            if (!SaveBytesToFile(saved, memo->textView()))
                qFatal("cannot save");
        });
        step("close_ms", [&] { memo.reset(); });
        state.PauseTiming();
        QFile before(file), after(saved);
        if (!before.open(QIODevice::ReadOnly) || !after.open(QIODevice::ReadOnly)
            || after.readAll() != before.readAll() + "xxxxx")
            qFatal("the saved page is not the old one with the typed text at its end");
        state.ResumeTiming();
    }
    double longest = 0, longestCpu = 0;
    for (const auto &[name, ms] : steps) {
        state.counters[name] = ms;
        longest = std::max(longest, ms);
        longestCpu = std::max(longestCpu, cpuSteps[name]);
    }
    state.counters["longest_stall_ms"] = longest;
    state.counters["longest_stall_cpu_ms"] = longestCpu;
}
BENCHMARK(BM_NoLineBreak50MBSession)->Unit(benchmark::kMillisecond)->Iterations(1);

// Where a position stands on a long line: what every colour pass and caret
// move asks the editor.
void BM_OneLinePositionQuery(benchmark::State &state)
{
    TColorMemo &memo = middleEditor(5 << 20, true, state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(memo.SendScintilla(B::SCI_POINTXFROMPOSITION, 0UL, long(memo.SelStart())));
}
BENCHMARK(BM_OneLinePositionQuery)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(0.2);

// Resident memory of the program after opening 20 MB and jumping to the end,
// as a multiple of the file's size; and what is left once the window is gone.
void BM_MemoryAfterOpen20MB(benchmark::State &state)
{
    const QString file = pageFile(20 << 20);
    editors.clear();
    screenReaderEditors.clear();
    settle();
    malloc_trim(0);
    const long before = bench::residentKiB();
    double ratio = 0, left = 0;
    for (auto _ : state) {
        auto memo = shownEditor(file);
        key(*memo, Qt::Key_End, Qt::ControlModifier);
        settle();
        ratio = double(bench::residentKiB() - before) * 1024.0 / double(QFile(file).size());
        memo.reset();
        settle();
        left = double(bench::residentKiB() - before) / 1024.0;
    }
    state.counters["added_per_file_byte"] = ratio;
    state.counters["left_after_close_MB"] = left;
    state.counters["resident_before_MB"] = double(before) / 1024.0;
}
BENCHMARK(BM_MemoryAfterOpen20MB)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char **argv)
{
    // Offscreen unless a platform is named: the screen reader runs need xcb.
    // The main windows read the shipped colour rules from a home of their own.
    return bench::runInOwnHome(argc, argv, g_dir, {}, [] {
        windows.clear();
        editors.clear();
        typingEditors.clear();
        screenReaderEditors.clear();
    });
}
