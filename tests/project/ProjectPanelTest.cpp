#include "project/ProjectHost.h"
#include "project/ProjectPanel.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"
#include "platform/FileAsk.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct HostLog
{
    QStringList opened, previewed, remembered;
    QString activeFileName;
    int reopenBuilds = 0;
};

class FakeHost : public ProjectHost
{
public:
    explicit FakeHost(HostLog &log) : m_log(log) {}
    void openDocument(const QString &f) override { m_log.opened.append(f); }
    QString activeDocumentFileName() const override { return m_log.activeFileName; }
    void previewInBrowser(const QString &f) override { m_log.previewed.append(f); }
    void rememberProject(const QString &f) override { m_log.remembered.append(f); }
    void buildProjectReopenMenu(QMenu *menu, std::function<void(const QString &)> onClick) override
    {
        ++m_log.reopenBuilds;
        menu->clear();
        for (const QString &f : std::as_const(m_log.remembered))
            QObject::connect(menu->addAction(f), &QAction::triggered, menu, [onClick, f] { onClick(f); });
    }

private:
    HostLog &m_log;
};

const QByteArray Head = "Tagloom Project File\r\nProject name:\r\n";

class ProjectPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetAskFileNameFolder();
        panel = std::make_unique<ProjectPanel>(std::make_unique<FakeHost>(log));
    }
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        writeFileBytes(path, bytes);
        return path;
    }
    QTreeWidget *list() const { return panel->findChild<QTreeWidget *>("projectFiles"); }
    QLineEdit *nameBox() const { return panel->findChild<QLineEdit *>("projectName"); }
    QString titleShown() const { return panel->findChild<QLabel *>("projectFNTitle")->text(); }
    void select(int row) { list()->setCurrentItem(list()->topLevelItem(row)); }
    void trigger(const char *name) { panel->findChild<QAction *>(name)->trigger(); }
    // A project with two entries and unsaved changes.
    void makeModified()
    {
        panel->AddFileToProject(file("b.html", "<title>B</title>"));
        panel->AddFileToProject(file("a.html", "<title>A</title>"));
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    HostLog log;
    std::unique_ptr<ProjectPanel> panel;
};

}  // namespace

TEST_F(ProjectPanelTest, AddedFilesAreListedByNameAndSavedInThatOrder)
{
    makeModified();
    panel->AddFileToProject(dir.filePath("a.html"));
    ASSERT_EQ(list()->topLevelItemCount(), 3);
    EXPECT_EQ(list()->topLevelItem(0)->text(0), "a.html");
    EXPECT_EQ(list()->topLevelItem(0)->text(1), dir.path() + "/");
    EXPECT_EQ(list()->topLevelItem(2)->text(0), "b.html");
    EXPECT_TRUE(panel->ProjectModified());

    nameBox()->setText("Site");
    prompts.files = {dir.filePath("site")};
    trigger("projectSaveBtn");
    ASSERT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_TRUE(prompts.fileRequests[0].save);
    EXPECT_EQ(prompts.fileRequests[0].filters.value(prompts.fileRequests[0].filterIndex), "Projects (*.tlP)");
    EXPECT_EQ(panel->ProjectFileName(), dir.filePath("site.tlp"));
    EXPECT_FALSE(panel->ProjectModified());
    const QString a = dir.filePath("a.html"), b = dir.filePath("b.html");
    EXPECT_EQ(readFileBytes(dir.filePath("site.tlp")),
              Head + "Site\r\nProject files:\r\n" + (a + "\r\n" + a + "\r\n" + b + "\r\n").toUtf8());

    // Save again goes to the same file without asking.
    panel->AddFileToProject(dir.filePath("c.html"));
    trigger("projectSaveBtn");
    EXPECT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_TRUE(readFileBytes(dir.filePath("site.tlp")).endsWith("c.html\r\n"));
}

TEST_F(ProjectPanelTest, SaveAsAddsTheExtensionAndAsksBeforeReplacing)
{
    makeModified();
    file("old.tlp", "keep");
    prompts.files = {dir.filePath("old")};
    prompts.answers = {QMessageBox::No};
    trigger("projectSaveAsBtn");
    EXPECT_EQ(readFileBytes(dir.filePath("old.tlp")), "keep");
    EXPECT_TRUE(panel->ProjectModified());
    EXPECT_EQ(panel->ProjectFileName(), "");

    prompts.files = {dir.filePath("new.TLP")};
    trigger("projectSaveAsBtn");
    EXPECT_EQ(panel->ProjectFileName(), dir.filePath("new.TLP"));
}

TEST_F(ProjectPanelTest, FailedSaveKeepsTheNameAndTheChanges)
{
    makeModified();
    ASSERT_TRUE(panel->SaveProject(dir.filePath("p.tlp")));
    panel->AddFileToProject("/x/c.html");
    QDir(dir.path()).mkdir("taken.tlp");
    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(panel->SaveProject(dir.filePath("taken.tlp")));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Cannot create file " + dir.filePath("taken.tlp"));
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(panel->ProjectFileName(), dir.filePath("p.tlp"));
    EXPECT_TRUE(panel->ProjectModified());
}

TEST_F(ProjectPanelTest, SaveQuestionAnswers)
{
    struct Case
    {
        const char *what;
        QList<QMessageBox::StandardButton> answers;
        QString saveAs;  // "-" for no dialog; "" for a cancelled one
        QMessageBox::StandardButton result;
        bool stillModified;
    } cases[] = {
        {"No", {QMessageBox::No}, "-", QMessageBox::No, true},
        {"Cancel", {QMessageBox::Cancel}, "-", QMessageBox::Cancel, true},
        {"Yes, saved", {QMessageBox::Yes}, "saved.tlp", QMessageBox::Yes, false},
        {"Yes, dialog cancelled", {QMessageBox::Yes}, "", QMessageBox::Cancel, true},
        {"Yes, save failed", {QMessageBox::Yes, QMessageBox::Ok}, "nofolder/x.tlp", QMessageBox::Cancel, true},
    };
    for (const Case &c : cases) {
        SetUp();
        prompts.messages.clear();
        makeModified();
        nameBox()->setText("Site");
        prompts.answers = c.answers;
        if (c.saveAs != "-")
            prompts.files = {c.saveAs.isEmpty() ? QString() : dir.filePath(c.saveAs)};
        EXPECT_EQ(panel->AskSaveProject(), c.result) << c.what;
        EXPECT_EQ(panel->ProjectModified(), c.stillModified) << c.what;
        ASSERT_FALSE(prompts.messages.isEmpty());
        EXPECT_EQ(prompts.messages[0].text, "Save project?\r\nSite\r\n") << c.what;
        EXPECT_EQ(prompts.messages[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_TRUE(prompts.answers.isEmpty() && prompts.files.isEmpty()) << c.what;
    }
    SetUp();
    EXPECT_EQ(panel->AskSaveProject(), QMessageBox::NoButton);
}

TEST_F(ProjectPanelTest, NewAndOpenStopWhenTheSaveQuestionIsCancelled)
{
    const QString other = file("other.tlp", Head + "Other\r\nProject files:\r\n");
    for (const char *button : {"projectNewBtn", "projectOpenBtn"}) {
        SetUp();
        makeModified();
        prompts.answers = {QMessageBox::Cancel};
        trigger(button);
        EXPECT_EQ(list()->topLevelItemCount(), 2) << button;
        EXPECT_TRUE(panel->ProjectModified()) << button;
    }
    // Answered No: the other project replaces this one.
    prompts.answers = {QMessageBox::No};
    prompts.files = {other};
    trigger("projectOpenBtn");
    EXPECT_EQ(prompts.fileRequests.last().filterIndex, 6);
    EXPECT_EQ(nameBox()->text(), "Other");
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    // New after a saved project empties everything without asking.
    prompts.messages.clear();
    trigger("projectNewBtn");
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(panel->ProjectFileName(), "");
    EXPECT_EQ(nameBox()->text(), "");
}

TEST_F(ProjectPanelTest, OpeningFailuresLeaveTheProjectAsItWas)
{
    makeModified();
    const QString bad = file("bad.tlp", "<html>\r\n");
    struct Case
    {
        QString name, message;
    } cases[] = {
        {dir.filePath("missing.tlp"), dir.filePath("missing.tlp") + "\r\nnot found"},
        {bad, bad + "\r\nis not a valid project file"},
    };
    for (const Case &c : cases) {
        prompts.messages.clear();
        prompts.answers = {QMessageBox::Ok};
        EXPECT_FALSE(panel->OpenProject(c.name));
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_EQ(prompts.messages[0].text, c.message);
        EXPECT_EQ(prompts.messages[0].caption, "Error");
        EXPECT_EQ(list()->topLevelItemCount(), 2);
        EXPECT_TRUE(panel->ProjectModified());
    }
    EXPECT_TRUE(log.remembered.isEmpty());
}

TEST_F(ProjectPanelTest, OpeningRemembersTheAbsoluteNameAndReopens)
{
    file("p.tlp", Head + "Site\r\nProject files:\r\n/w/b.html\r\n/w/a.html\r\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const bool opened = panel->OpenProject("p.tlp");
    QDir::setCurrent(before);
    ASSERT_TRUE(opened);
    EXPECT_EQ(panel->ProjectFileName(), dir.filePath("p.tlp"));
    EXPECT_EQ(log.remembered, QStringList({dir.filePath("p.tlp")}));
    EXPECT_EQ(panel->entryNames(), QStringList({"/w/a.html", "/w/b.html"}));
    EXPECT_FALSE(panel->ProjectModified());

    // The reopen menu was rebuilt and opens its project, asking first about changes.
    auto *menu = panel->findChild<QMenu *>("projectReopenMenu");
    ASSERT_EQ(menu->actions().size(), 1);
    panel->AddFileToProject("/w/c.html");
    prompts.answers = {QMessageBox::No};
    menu->actions()[0]->trigger();
    EXPECT_EQ(panel->entryNames().size(), 2);
    EXPECT_TRUE(prompts.answers.isEmpty());
}

TEST_F(ProjectPanelTest, RemovingAsksAndNoChangesNothing)
{
    makeModified();
    ASSERT_TRUE(panel->SaveProject(dir.filePath("p.tlp")));
    select(0);
    prompts.answers = {QMessageBox::No};
    trigger("projectRemoveFN");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Are you sure you want to remove\r\na.html\r\nfrom your project?");
    EXPECT_EQ(prompts.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(list()->topLevelItemCount(), 2);
    EXPECT_FALSE(panel->ProjectModified());

    prompts.answers = {QMessageBox::Yes};
    trigger("projectRemoveFN");
    EXPECT_EQ(panel->entryNames(), QStringList({dir.filePath("b.html")}));
    EXPECT_TRUE(panel->ProjectModified());
    // The selection moves on to the remaining entry, and the title follows it.
    EXPECT_EQ(titleShown(), "B");
}

TEST_F(ProjectPanelTest, EntryCommandsUseTheSelectedEntry)
{
    makeModified();
    ASSERT_TRUE(panel->SaveProject(dir.filePath("p.tlp")));
    // Nothing selected: nothing happens.
    trigger("projectViewFNBtn");
    trigger("projectRemoveFN");
    panel->projectFilesDblClick();
    EXPECT_TRUE(log.opened.isEmpty() && log.previewed.isEmpty());

    select(1);
    EXPECT_EQ(titleShown(), "B");
    trigger("projectViewFNBtn");
    EXPECT_EQ(log.previewed, QStringList({dir.filePath("b.html")}));
    QTest::keyClick(list(), Qt::Key_Return);
    panel->projectFilesDblClick();
    EXPECT_EQ(log.opened, QStringList({dir.filePath("b.html"), dir.filePath("b.html")}));
}

TEST_F(ProjectPanelTest, AnEmptyEntryDoesNothing)
{
    file("e.tlp", Head + "N\r\nProject files:\r\n\r\n");
    ASSERT_TRUE(panel->OpenProject(dir.filePath("e.tlp")));
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    select(0);
    trigger("projectViewFNBtn");
    QTest::keyClick(list(), Qt::Key_Enter);
    panel->projectFilesDblClick();
    EXPECT_TRUE(log.opened.isEmpty() && log.previewed.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ProjectPanelTest, TitlesAndNamesShowAsPlainText)
{
    panel->AddFileToProject(file("m.html", "<title><b>Bold</b> &amp;\r\n  more</title>"));
    panel->AddFileToProject(dir.filePath("gone.html"));
    select(1);
    EXPECT_EQ(titleShown(), "<b>Bold</b> &amp; more");
    EXPECT_EQ(panel->findChild<QLabel *>("projectFNTitle")->textFormat(), Qt::PlainText);

    // A file that is gone says so once; adding entries does not repeat it.
    prompts.answers = {QMessageBox::Ok};
    select(0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, dir.filePath("gone.html") + "\r\nnot found");
    EXPECT_EQ(titleShown(), "");
    panel->AddFileToProject("/x/z.html");
    EXPECT_EQ(prompts.messages.size(), 1);

    QWidget bar;
    QLabel *caption = panel->createFileNameLabel(&bar);
    EXPECT_EQ(caption->textFormat(), Qt::PlainText);
    panel->SaveProject(dir.filePath("<i>x.tlp"));
    EXPECT_EQ(caption->text(), dir.filePath("<i>x.tlp"));
}

TEST_F(ProjectPanelTest, AddButtonsAddAndOpen)
{
    prompts.files = {QString(), dir.filePath("p.html")};
    trigger("projectAddFN");
    EXPECT_TRUE(panel->entryNames().isEmpty());
    trigger("projectAddFN");
    EXPECT_EQ(prompts.fileRequests.last().filterIndex, 0);
    EXPECT_EQ(panel->entryNames(), QStringList({dir.filePath("p.html")}));
    EXPECT_EQ(log.opened, QStringList({dir.filePath("p.html")}));

    QAction *current = panel->findChild<QAction *>("projectAddCurrentFN");
    EXPECT_FALSE(current->isEnabled());
    panel->setDocumentOpen(true);
    current->trigger();  // untitled document
    EXPECT_EQ(panel->entryNames().size(), 1);
    log.activeFileName = "/w/open.html";
    current->trigger();
    current->trigger();
    EXPECT_EQ(panel->entryNames(), QStringList({"/w/open.html", "/w/open.html", dir.filePath("p.html")}));

    EXPECT_FALSE(panel->AddFileToProject("/w/two\nlines.html"));
    EXPECT_EQ(panel->entryNames().size(), 3);
}

TEST_F(ProjectPanelTest, TypingANameDoesNotMarkTheProjectChanged)
{
    QTest::keyClicks(nameBox(), "Typed");
    EXPECT_FALSE(panel->ProjectModified());
    EXPECT_EQ(panel->AskSaveProject(), QMessageBox::NoButton);
}

TEST_F(ProjectPanelTest, FilesDroppedOnThePanelJoinTheProject)
{
    const QString page = file("drop.html", "<title>D</title>");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(page), QUrl::fromLocalFile(dir.path()), QUrl("https://example.org/x.html")});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // Straight to the panel: the application would route a drop only inside a real drag.
    static_cast<QObject *>(panel.get())->event(&drop);
    EXPECT_EQ(panel->entryNames(), QStringList({page}));
    EXPECT_TRUE(panel->ProjectModified());
    EXPECT_TRUE(log.opened.isEmpty());
}
