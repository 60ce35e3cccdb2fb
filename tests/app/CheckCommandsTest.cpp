// Check Page and Check Project in a real main window: the editor's unsaved text
// is what is checked, closed project pages are read from disk, the "Problems"
// panel fills off the GUI thread, and an entry opens its place.
#include "app/CheckCommands.h"
#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "app/ResultsDocks.h"
#include "editor/ColorMemo.h"
#include "project/ProjectPanel.h"
#include "support/QuietMainWindow.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {
std::string lines(const ResultsPanel &panel)
{
    QStringList out;
    for (int i = 0; i < panel.count(); ++i) {
        const ResultEntry &e = panel.entry(i);
        out << QStringLiteral("%1:%2:%3 %4").arg(QFileInfo(e.file).fileName()).arg(e.line).arg(e.column).arg(e.message);
    }
    return out.join(QLatin1Char('\n')).toStdString();
}

bool waitDone(ResultsPanel *panel)
{
    return QTest::qWaitFor([panel] { return panel && !panel->progressShown() && panel->summary().contains(" in "); },
                           20000);
}

QByteArray page(const QByteArray &body)
{
    return "<!DOCTYPE html>\r\n<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r\n" + body + "</BODY></HTML>\r\n";
}
}  // namespace

TEST(CheckCommands, CheckPageAndProjectFillTheProblemsPanelAndOpenAResult)
{
    QuietMainWindowStore home;
    TMainForm main(&home.store, QStringList());
    main.show();
    QTemporaryDir dir;
    const QString index = dir.filePath(QStringLiteral("index.html"));
    const QString other = dir.filePath(QStringLiteral("other.html"));
    ASSERT_TRUE(writeFileBytes(index, page("<P><A HREF=\"other.html#part\">o</A></P>\r\n")));
    ASSERT_TRUE(writeFileBytes(other, page("<P><A NAME=\"part\">p</A> <A HREF=\"gone.html\">g</A></P>\r\n")));

    TMDIChild *doc = main.documents().OpenDocument(index);
    ASSERT_NE(doc, nullptr);
    // Unsaved: a centred picture that is not there, after the link.
    doc->Memo1->setSelStart(int(doc->Memo1->bytes().indexOf("</BODY>")));
    doc->Memo1->setSelText(QByteArray("<CENTER><IMG SRC=\"pic.gif\" ALT=\"p\"></CENTER>\r\n"));
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    doc->Memo1->setFocus();
    QTest::keyClick(doc->Memo1, Qt::Key_F9);
    ResultsPanel *panel = main.results().panel(QStringLiteral("problems"));
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(waitDone(panel)) << panel->summary().toStdString();
    EXPECT_EQ(lines(*panel), "index.html:4:1 <CENTER> is obsolete\nindex.html:4:19 picture not found: pic.gif");
    EXPECT_EQ(panel->summary().toStdString(), "1 error, 0 warnings, 1 note in 1 page");
    EXPECT_TRUE(panel->toPlainText().contains("index.html:4:19: error: picture not found: pic.gif"))
        << panel->toPlainText().toStdString();

    // The option silences "obsolete"; the project button checks both pages, the closed one from disk.
    AppSettings().CheckReportsObsolete = false;
    ProjectPanel *project = main.projectPanel();
    ASSERT_TRUE(project->AddFileToProject(index));
    ASSERT_TRUE(project->AddFileToProject(other));
    QAction *button = project->findChild<QAction *>(QStringLiteral("projectCheckBtn"));
    ASSERT_NE(button, nullptr);
    button->trigger();
    ASSERT_TRUE(waitDone(panel)) << panel->summary().toStdString();
    EXPECT_EQ(lines(*panel), "index.html:4:19 picture not found: pic.gif\nother.html:3:34 file not found: gone.html");
    EXPECT_EQ(panel->summary().toStdString(), "2 errors, 0 warnings, 0 notes in 2 pages");

    // Opening the closed page's result opens it with the value at fault selected.
    for (int i = 0; i < 2 && panel->currentEntry() != 1; ++i)
        ASSERT_TRUE(panel->step(1));
    ASSERT_EQ(panel->currentEntry(), 1);
    ASSERT_EQ(main.documents().list().size(), 2);
    EXPECT_EQ(main.documents().active()->DocumentFileName, other);
    EXPECT_EQ(main.documents().active()->Memo1->SelText(), QByteArray("gone.html"));
    AppSettings().CheckReportsObsolete = true;
}

// A new check cancels the one running; Cancel stops a project check between pages.
TEST(CheckCommands, CancelStopsAProjectCheck)
{
    QuietMainWindowStore home;
    TMainForm main(&home.store, QStringList());
    main.show();
    QTemporaryDir dir;
    for (int i = 0; i < 300; ++i) {
        const QString name = dir.filePath(QStringLiteral("p%1.html").arg(i));
        ASSERT_TRUE(writeFileBytes(name, page(QByteArray("<P><A HREF=\"none.html\">x</A></P>\r\n").repeated(200))));
        main.projectPanel()->AddFileToProject(name);
    }
    PageCheckRunner &runner = PageCheckRunner::of(main);
    runner.checkProject();
    runner.checkProject();
    ResultsPanel *panel = main.results().panel(QStringLiteral("problems"));
    ASSERT_TRUE(QTest::qWaitFor([panel] { return panel->count() > 0; }, 20000));
    emit panel->cancelRequested();
    ASSERT_TRUE(QTest::qWaitFor([panel] { return !panel->progressShown(); }, 20000));
    EXPECT_TRUE(panel->summary().startsWith("Cancelled after")) << panel->summary().toStdString();
    runner.wait();
    EXPECT_LT(panel->count(), 300 * 200);
}
