// Two main windows in one process: each owns its documents, its active
// document, its cancelled close and its project, and nothing one does reaches
// into the other.
#include "app/ChildWin.h"
#include "app/DocumentManager.h"
#include "app/MainForm.h"
#include "app/SearchController.h"
#include "app/SearchDialog.h"
#include "editor/ColorMemo.h"
#include "project/ProjectPanel.h"
#include "support/QuietMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Runs `during` while the first question is up, before it is answered.
class PromptsWithInterruption : public ScriptedPrompts
{
public:
    std::function<void()> during;
    QMessageBox::StandardButton message(QWidget *parent, const QString &caption, const QString &text,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override
    {
        if (auto run = std::exchange(during, nullptr))
            run();
        return ScriptedPrompts::message(parent, caption, text, icon, buttons);
    }
};

class TwoMainWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        a = std::make_unique<TMainForm>(&homeA.store, QStringList());
        b = std::make_unique<TMainForm>(&homeB.store, QStringList());
    }

    static QStringList captions(const TMainForm &main)
    {
        QStringList list;
        for (TMDIChild *doc : main.documents().list())
            list.append(doc->caption());
        return list;
    }
    // The entries the window's Window menu lists as it opens.
    static QStringList windowMenuEntries(TMDIChild *doc)
    {
        auto *menu = doc->findChild<QMenu *>("Window1");
        emit menu->aboutToShow();
        QStringList entries;
        for (QAction *a : menu->actions())
            if (a->property("windowListEntry").toBool() && !a->isSeparator())
                entries.append(a->text());
        return entries;
    }
    static bool buttonEnabled(const TMainForm &main, const char *name)
    {
        return main.findChild<QAction *>(name)->isEnabled();
    }

    QuietMainWindowStore homeA, homeB;
    PromptsWithInterruption prompts;
    std::unique_ptr<TMainForm> a, b;
};

}  // namespace

TEST_F(TwoMainWindowsTest, EachKeepsItsOwnDocumentsAndActiveDocument)
{
    TMDIChild *a1 = a->documents().NewDocument();
    TMDIChild *a2 = a->documents().NewDocument();
    TMDIChild *b1 = b->documents().NewDocument();
    // Numbered and listed per main window.
    EXPECT_EQ(captions(*a), QStringList({"Untitled:1", "Untitled:2"}));
    EXPECT_EQ(captions(*b), QStringList({"Untitled:1"}));
    EXPECT_EQ(b1->mainForm(), b.get());
    EXPECT_EQ(&a1->documents(), &a->documents());
    EXPECT_EQ(windowMenuEntries(b1), QStringList({"&1 Untitled:1"}));
    EXPECT_EQ(windowMenuEntries(a2), QStringList({"&1 Untitled:1", "&2 Untitled:2"}));

    EXPECT_EQ(a->documents().active(), a2);
    EXPECT_EQ(b->documents().active(), b1);
    a1->FormActivate();
    EXPECT_EQ(a->documents().active(), a1);
    EXPECT_EQ(b->documents().active(), b1);

    // Closing every document of one leaves the other's documents, menus and buttons.
    a->CloseAll1Click();
    QApplication::processEvents();
    EXPECT_TRUE(a->documents().list().isEmpty());
    EXPECT_EQ(a->documents().active(), nullptr);
    EXPECT_EQ(b->documents().list(), QList<TMDIChild *>({b1}));
    EXPECT_EQ(b->documents().active(), b1);
    EXPECT_EQ(a->menuBar()->actions().size(), 2);
    EXPECT_EQ(b->menuBar()->actions().size(), 12);
    EXPECT_FALSE(buttonEnabled(*a, "saveBtn"));
    EXPECT_TRUE(buttonEnabled(*b, "saveBtn"));

    // A main window that goes with documents still open takes only its own along.
    a->documents().NewDocument();
    a.reset();
    EXPECT_EQ(b->documents().list(), QList<TMDIChild *>({b1}));
    EXPECT_EQ(b->documents().active(), b1);
    EXPECT_EQ(windowMenuEntries(b1), QStringList({"&1 Untitled:1"}));
}

TEST_F(TwoMainWindowsTest, ACancelledCloseInOneDoesNotStopTheOtherClosing)
{
    TMDIChild *a1 = a->documents().NewDocument();
    TMDIChild *a2 = a->documents().NewDocument();
    TMDIChild *b1 = b->documents().NewDocument();
    for (TMDIChild *doc : {a1, a2, b1})
        doc->Memo1->setSelText(QByteArray("changed"));

    // While the first of A's questions is up, B's document is closed and
    // cancelled; A's Close All goes on past it.
    prompts.during = [b1] { b1->FileCloseItemClick(); };
    prompts.answers = {QMessageBox::Cancel, QMessageBox::No, QMessageBox::No};
    a->CloseAll1Click();
    QApplication::processEvents();
    ASSERT_EQ(prompts.messages.size(), 3);
    EXPECT_EQ(prompts.messages[1].text, "Save changes in Untitled:2?");
    EXPECT_TRUE(a->documents().list().isEmpty());
    EXPECT_FALSE(a->documents().closeCancelled());
    EXPECT_EQ(b->documents().list(), QList<TMDIChild *>({b1}));
    EXPECT_TRUE(b->documents().closeCancelled());

    // The other way round: A's cancel stops A's shutdown, and B still shuts down.
    TMDIChild *again = a->documents().NewDocument();
    again->Memo1->setSelText(QByteArray("changed"));
    prompts.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(a->close());
    prompts.answers = {QMessageBox::No};
    EXPECT_TRUE(b->close());
    QApplication::processEvents();
    EXPECT_TRUE(b->documents().list().isEmpty());
    EXPECT_EQ(a->documents().list(), QList<TMDIChild *>({again}));
    EXPECT_TRUE(a->documents().closeCancelled());
    EXPECT_FALSE(b->documents().closeCancelled());
}

// Each shutdown asks about its own window's project and remembers that one as
// the last project.
TEST_F(TwoMainWindowsTest, ShutdownAsksAboutAndRemembersItsOwnProject)
{
    QTemporaryDir dir;
    const QString siteA = dir.filePath("a.tlp"), siteB = dir.filePath("b.tlp");
    ASSERT_TRUE(a->projectPanel()->SaveProject(siteA));
    ASSERT_TRUE(b->projectPanel()->SaveProject(siteB));
    a->projectPanel()->AddFileToProject("/w/a.html");

    prompts.answers = {QMessageBox::No};
    EXPECT_TRUE(a->close());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("Save project?"));
    EXPECT_EQ(SettingsStore(homeA.dir.filePath("store.ini")).readString("Files", "Last project", ""), siteA);

    EXPECT_TRUE(b->close());
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(SettingsStore(homeB.dir.filePath("store.ini")).readString("Files", "Last project", ""), siteB);
}

// The main window's own controls act on its active document, whichever
// document of the other window was activated last.
TEST_F(TwoMainWindowsTest, ControlsActOnTheirOwnWindowsActiveDocument)
{
    QTemporaryDir dir;
    const struct
    {
        const char *what;
        std::function<void(TMainForm &)> run;
        std::function<bool(TMDIChild *)> reached;
    } cases[] = {
        {"Find Next",
         [](TMainForm &main) {
             main.search()->findDialog()->setFindText("target");
             main.search()->findNext();
         },
         [](TMDIChild *doc) { return doc->Memo1->SelLength() == 6; }},
        {"the save button",
         [this, &dir](TMainForm &main) {
             prompts.files = {dir.filePath("saved.html")};
             main.findChild<QAction *>("saveBtn")->trigger();
         },
         [](TMDIChild *doc) { return !doc->DocumentFileName.isEmpty(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        a = std::make_unique<TMainForm>(&homeA.store, QStringList());
        b = std::make_unique<TMainForm>(&homeB.store, QStringList());
        TMDIChild *inB = b->documents().NewDocument();
        TMDIChild *inA = a->documents().NewDocument();
        for (TMDIChild *doc : {inA, inB}) {
            doc->Memo1->setSelText(QByteArray("a target"));
            doc->Memo1->setSelStart(0);
        }
        inA->FormActivate();
        c.run(*b);
        EXPECT_TRUE(c.reached(inB));
        EXPECT_FALSE(c.reached(inA));
        for (TMDIChild *doc : {inA, inB})
            doc->Modified = false;
    }
}
