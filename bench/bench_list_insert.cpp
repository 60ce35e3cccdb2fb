// Writing the largest definition list the list dialog makes (999 items) into a
// shown editor with the shipped colour rules, and the repaint that follows.

#include "editor/ColorMemo.h"
#include "editor/ColorRulesFile.h"
#include "editor/TextDocument.h"
#include "tags/ListMarkup.h"
#include "BenchText.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

class BenchDocument : public TextDocument
{
public:
    BenchDocument()
    {
        m_memo = new TColorMemo(&m_window);
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(10);
        m_memo->setFont(font);
        m_window.resize(1000, 650);
        m_memo->resize(1000, 650);
        BuildDrawRules(bench::shippedRuleLines(), true, m_memo->ColorRules());
        m_memo->loadBytes(bench::htmlText(50 << 10));
        m_window.show();
        QApplication::processEvents();
    }
    TColorMemo *editor() const override { return m_memo; }
    QString documentFileName() const override { return {}; }
    bool isModified() const override { return false; }
    bool saveDocument(const QString &) override { return false; }
    bool saveDocumentAs() override { return false; }
    QWidget *window() override { return &m_window; }

private:
    QWidget m_window;
    TColorMemo *m_memo = nullptr;
};

// Arg 1: the write and the repaint; arg 0: the write alone, to show the split.
void BM_DefinitionList999(benchmark::State &state)
{
    const bool repaint = state.range(0) != 0;
    BenchDocument doc;
    TColorMemo &memo = *doc.editor();
    const QByteArray original = memo.bytes();
    QList<ListRow> rows;
    for (int i = 0; i < 999; ++i)
        rows.append({QStringLiteral("Term %1").arg(i), QStringLiteral("The <B>definition</B> of item %1").arg(i)});
    int passes = 0;
    for (auto _ : state) {
        const int before = memo.lastPass().passes;
        InsertWholeList(doc, ListKind::Definition, {{"compact", "true"}}, rows);
        if (repaint) {
            memo.viewport()->repaint();
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        passes = memo.lastPass().passes - before;
        state.PauseTiming();
        memo.loadBytes(original);
        memo.setSelStart(1000);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        state.ResumeTiming();
    }
    state.counters["passes"] = passes;
    state.counters["bytes"] = double(WholeListMarkup(ListKind::Definition, {}, rows).start.size());
}
BENCHMARK(BM_DefinitionList999)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
