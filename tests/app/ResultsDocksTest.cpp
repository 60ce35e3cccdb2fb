// The results panels in a real main window: an entry opens its file or the
// window that holds it, with the place selected, and F4 walks the panel in view.
#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "app/ResultsDocks.h"
#include "editor/ColorMemo.h"
#include "support/QuietMainWindow.h"

#include <QDockWidget>
#include <QFile>
#include <QMdiArea>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString writePage(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    QString path = dir.filePath(QString::fromUtf8(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

ResultEntry at(const QString &file, int line, int column, qint64 offset, qint64 length)
{
    ResultEntry e;
    e.file = file;
    e.line = line;
    e.column = column;
    e.offset = offset;
    e.length = length;
    return e;
}
}  // namespace

TEST(ResultsDocks, AnEntryOpensItsFileOnceAndSelectsThePlace)
{
    QuietMainWindowStore home;
    TMainForm main(&home.store, QStringList());
    main.show();
    QTemporaryDir dir;
    // "é" is two bytes: a column counts characters, an offset bytes.
    const QString a = writePage(dir, "a.html", "<p>\r\n<b>caf\xc3\xa9 <i>x</i>\r\n");
    const QString b = writePage(dir, "b.html", "<html>\n");
    ResultsDocks &results = main.results();

    ASSERT_TRUE(results.open(at(a, 2, 9, -1, 3)));
    ASSERT_EQ(main.documents().list().size(), 1);
    TColorMemo *memo = main.documents().list().first()->Memo1;
    EXPECT_EQ(memo->SelText(), QByteArray("<i>"));

    ASSERT_TRUE(results.open(at(b, 1, 1, 1, 4)));
    EXPECT_EQ(main.documents().list().size(), 2);
    // Back to the first file: its window comes forward, no second copy opens.
    ASSERT_TRUE(results.open(at(a, 0, 0, 0, 3)));
    EXPECT_EQ(main.documents().list().size(), 2);
    EXPECT_EQ(main.documents().active()->Memo1, memo);
    EXPECT_EQ(memo->SelText(), QByteArray("<p>"));
    // A line past the end (the text changed since the search) lands on the last line.
    ASSERT_TRUE(results.open(at(a, 99, 1, -1, 0)));
    EXPECT_EQ(memo->SelStart(), memo->length());

    QFile::remove(b);
    main.documents().list().last()->close();
    EXPECT_FALSE(results.open(at(b, 1, 1, 0, 1)));
    EXPECT_TRUE(main.statusText(1).contains(QStringLiteral("b.html")));
}

TEST(ResultsDocks, F4WalksThePanelInViewAndTheOtherAfterItIsShown)
{
    QuietMainWindowStore home;
    TMainForm main(&home.store, QStringList());
    main.show();
    QTemporaryDir dir;
    const QString page = writePage(dir, "p.html", "one\r\ntwo\r\nthree\r\n");
    ResultsDocks &results = main.results();
    ResultsPanel *search = results.show(QStringLiteral("searchResults"), QStringLiteral("Search Results"));
    search->append({at(page, 1, 1, 0, 3), at(page, 2, 1, 5, 3)});
    ResultsPanel *problems = results.show(QStringLiteral("problems"), QStringLiteral("Problems"));
    problems->append({at(page, 3, 1, 10, 5)});
    QTest::qWait(1);

    // Problems was shown last and lies on top of its tab.
    QTest::keyClick(&main, Qt::Key_F4);
    ASSERT_FALSE(main.documents().list().isEmpty());
    TColorMemo *memo = main.documents().active()->Memo1;
    EXPECT_EQ(memo->SelText(), QByteArray("three"));

    results.show(QStringLiteral("searchResults"), QString());
    QTest::keyClick(memo, Qt::Key_F4, Qt::NoModifier);
    EXPECT_EQ(memo->SelText(), QByteArray("two"));
    QTest::keyClick(memo, Qt::Key_F4, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo->SelText(), QByteArray("one"));
    EXPECT_EQ(main.documents().list().size(), 1);
}
