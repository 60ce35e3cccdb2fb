#include "widgets/ResultsPanel.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {
ResultEntry match(const char *file, int line, const char *text = "x")
{
    ResultEntry e;
    e.file = QString::fromUtf8(file);
    e.line = line;
    e.column = 1;
    e.text = QString::fromUtf8(text);
    return e;
}

ResultEntry finding(const char *file, int line, ResultSeverity severity, const char *message)
{
    ResultEntry e = match(file, line, "<td>");
    e.severity = severity;
    e.message = QString::fromUtf8(message);
    return e;
}

// The entries step() visits from the start, in order, as "file:line".
QStringList walk(ResultsPanel &panel, int direction, int steps)
{
    QStringList seen;
    QSignalSpy spy(&panel, &ResultsPanel::activated);
    for (int i = 0; i < steps; ++i) {
        if (!panel.step(direction))
            break;
        const auto e = spy.takeLast().at(0).value<ResultEntry>();
        seen << QStringLiteral("%1:%2").arg(e.file).arg(e.line);
    }
    return seen;
}
}  // namespace

Q_DECLARE_METATYPE(ResultEntry)

TEST(ResultsPanel, StreamedEntriesStayWithTheirFileAndStepWrapsBothWays)
{
    qRegisterMetaType<ResultEntry>();
    ResultsPanel panel;
    EXPECT_FALSE(panel.step(1));
    // A second batch adds to a file seen before and brings a new one.
    panel.append({match("a", 1), match("b", 7)});
    panel.append({match("a", 3), match("c", 2), match("b", 9)});
    EXPECT_EQ(panel.count(), 5);
    // The first entry is current once results arrive, so F4 goes to the next.
    EXPECT_EQ(panel.currentEntry(), 0);
    EXPECT_EQ(walk(panel, 1, 6), QStringList({"a:3", "b:7", "b:9", "c:2", "a:1", "a:3"}));
    EXPECT_EQ(walk(panel, -1, 3), QStringList({"a:1", "c:2", "b:9"}));

    panel.clear();
    EXPECT_EQ(panel.count(), 0);
    EXPECT_FALSE(panel.step(-1));
    panel.append({match("z", 4)});
    EXPECT_EQ(walk(panel, -1, 2), QStringList({"z:4", "z:4"}));
}

TEST(ResultsPanel, SeverityFilterHidesFromTheListTheCopyAndTheWalk)
{
    qRegisterMetaType<ResultEntry>();
    ResultsPanel panel;
    panel.setSeverityFilterShown(true);
    panel.append({finding("/s/a.html", 2, ResultSeverity::Error, "unclosed TABLE"),
                  finding("/s/a.html", 5, ResultSeverity::Warning, "IMG without ALT"),
                  finding("/s/b.html", 1, ResultSeverity::Info, "obsolete FONT")});
    panel.setSeverityShown(ResultSeverity::Warning, false);
    EXPECT_EQ(panel.toPlainText(), QStringLiteral("/s/a.html:2:1: error: unclosed TABLE: <td>\n"
                                                  "/s/b.html:1:1: info: obsolete FONT: <td>\n"));
    // Filtering starts the walk again from the first entry shown.
    EXPECT_EQ(walk(panel, 1, 3), QStringList({"/s/a.html:2", "/s/b.html:1", "/s/a.html:2"}));
    // Entries that arrive while hidden show once the filter lets them through.
    panel.append({finding("/s/b.html", 8, ResultSeverity::Warning, "wrong size")});
    panel.setSeverityShown(ResultSeverity::Warning, true);
    EXPECT_EQ(panel.toPlainText().count(QLatin1Char('\n')), 4);
    EXPECT_TRUE(panel.toPlainText().contains(QStringLiteral("/s/b.html:8:1: warning: wrong size")));
}

TEST(ResultsPanel, EnterOpensTheCurrentEntryAndProgressOffersCancel)
{
    qRegisterMetaType<ResultEntry>();
    ResultsPanel panel;
    panel.append({match("a", 1, "one <img> two"), match("a", 2)});
    panel.show();
    auto *view = panel.findChild<QTreeView *>(QStringLiteral("resultsList"));
    ASSERT_NE(view, nullptr);
    QSignalSpy opened(&panel, &ResultsPanel::activated);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.at(0).at(0).value<ResultEntry>().line, 2);

    EXPECT_FALSE(panel.progressShown());
    QSignalSpy cancelled(&panel, &ResultsPanel::cancelRequested);
    // A byte count beyond an int still moves the bar.
    panel.setProgress(qint64(3) << 32, qint64(4) << 32);
    EXPECT_TRUE(panel.progressShown());
    auto *cancel = panel.findChild<QPushButton *>(QStringLiteral("resultsCancel"));
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(cancelled.size(), 1);
    auto *bar = panel.findChild<QProgressBar *>(QStringLiteral("resultsProgress"));
    EXPECT_EQ(bar->value() * 4, bar->maximum() * 3);
    panel.hideProgress();
    EXPECT_FALSE(panel.progressShown());
}

TEST(ResultsPanel, TheSummaryShowsAQuotedTagAsTyped)
{
    // A QLabel takes "<B>" for bold and shows nothing of it by default.
    ResultsPanel panel;
    panel.setSummary(QStringLiteral("5 matches in 3 files for '<B>'"));
    auto *label = panel.findChild<QLabel *>(QStringLiteral("resultsSummary"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), QStringLiteral("5 matches in 3 files for '<B>'"));
}
