#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "app/ReopenList.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "project/ProjectPanel.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray Head = "Tagloom Project File\r\nProject name:\r\n";

class ProjectMainFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        store->writeBool("Misc", "Show splash screen", false);
        store->writeBool("Misc", "Insert all document structure tags when opening a new document", false);
    }
    void TearDown() override
    {
        if (form) {
            for (TMDIChild *doc : form->documents().list())
                doc->Modified = false;
            form.reset();
        }
    }
    TMainForm &createForm(const QStringList &args = {})
    {
        store->sync();
        form = std::make_unique<TMainForm>(store.get(), args);
        return *form;
    }
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        writeFileBytes(path, bytes);
        return path;
    }
    QString storedLastProject()
    {
        return SettingsStore(dir.filePath("store.ini")).readString("Files", "Last project", "(none)");
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> form;
    ScriptedPrompts prompts;
};

}  // namespace

TEST_F(ProjectMainFormTest, PanelSitsInTheDockWithItsFileNameInTheTitleBar)
{
    TMainForm &main = createForm();
    auto *dock = main.findChild<QDockWidget *>("projectPanel");
    ASSERT_TRUE(dock);
    EXPECT_EQ(dock->widget(), main.projectPanel());
    auto *caption = dock->titleBarWidget()->findChild<QLabel *>("projectFileNameCaption");
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text(), "");
    main.projectPanel()->SaveProject(dir.filePath("site.tlp"));
    EXPECT_EQ(caption->text(), dir.filePath("site.tlp"));
}

TEST_F(ProjectMainFormTest, ShutdownClosesDocumentsBeforeAskingAboutTheProject)
{
    TMainForm &main = createForm();
    main.show();
    main.documents().NewDocument()->Memo1->setSelText(QByteArray("text"));
    main.projectPanel()->AddFileToProject("/w/a.html");

    prompts.answers = {QMessageBox::No, QMessageBox::Cancel};
    EXPECT_FALSE(main.close());
    QApplication::processEvents();
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("Save changes in"));
    EXPECT_TRUE(prompts.messages[1].text.startsWith("Save project?"));
    EXPECT_TRUE(main.documents().list().isEmpty());
    EXPECT_EQ(storedLastProject(), "(none)");

    // Yes with a cancelled save dialog stops the shutdown too.
    prompts.answers = {QMessageBox::Yes};
    prompts.files = {QString()};
    EXPECT_FALSE(main.close());
    EXPECT_EQ(storedLastProject(), "(none)");

    prompts.answers = {QMessageBox::Yes};
    prompts.files = {dir.filePath("site")};
    EXPECT_TRUE(main.close());
    EXPECT_EQ(storedLastProject(), dir.filePath("site.tlp"));
}

TEST_F(ProjectMainFormTest, LastProjectComesBackAtStartUp)
{
    const QString project = file("site.tlp", Head + "Site\r\nProject files:\r\n/w/a.html\r\n");
    store->writeString("Files", "Last project", project);
    TMainForm &main = createForm();
    EXPECT_EQ(main.projectPanel()->ProjectFileName(), project);
    EXPECT_EQ(main.projectPanel()->entryNames(), QStringList({"/w/a.html"}));
    EXPECT_EQ(ProjectReopenList.value(0), project);
    auto *reopen = main.projectPanel()->findChild<QMenu *>("projectReopenMenu");
    ASSERT_EQ(reopen->actions().size(), 1);
    EXPECT_EQ(reopen->actions()[0]->text(), "site.tlp");
    EXPECT_TRUE(main.close());
    EXPECT_EQ(storedLastProject(), project);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ProjectMainFormTest, MissingLastProjectIsReportedAndStartUpGoesOn)
{
    store->writeString("Files", "Last project", dir.filePath("gone.tlp"));
    prompts.answers = {QMessageBox::Ok};
    TMainForm &main = createForm();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, dir.filePath("gone.tlp") + "\r\nnot found");
    EXPECT_EQ(main.projectPanel()->ProjectFileName(), "");
    EXPECT_TRUE(main.close());
    EXPECT_EQ(storedLastProject(), "");
}

TEST_F(ProjectMainFormTest, RelativeProjectOnTheCommandLineIsKeptAbsolute)
{
    file("cmd.tlp", Head + "Cmd\r\n");
    TMainForm &main = createForm();
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    main.openCommandLine({"cmd.tlp"});
    QDir::setCurrent(before);
    EXPECT_EQ(main.projectPanel()->ProjectFileName(), dir.filePath("cmd.tlp"));
    EXPECT_TRUE(main.close());
    EXPECT_EQ(storedLastProject(), dir.filePath("cmd.tlp"));
}

TEST_F(ProjectMainFormTest, AddCurrentFileFollowsTheOpenDocuments)
{
    TMainForm &main = createForm();
    auto *addCurrent = main.projectPanel()->findChild<QAction *>("projectAddCurrentFN");
    EXPECT_FALSE(addCurrent->isEnabled());
    const QString page = file("page.html", "<title>P</title>");
    main.documents().OpenDocument(page);
    EXPECT_TRUE(addCurrent->isEnabled());
    addCurrent->trigger();
    EXPECT_EQ(main.projectPanel()->entryNames(), QStringList({page}));
    main.documents().active()->subWindow()->close();
    QApplication::processEvents();
    EXPECT_FALSE(addCurrent->isEnabled());

    // "Add a file" adds and opens it as a document.
    prompts.files = {page};
    main.projectPanel()->findChild<QAction *>("projectAddFN")->trigger();
    EXPECT_EQ(main.projectPanel()->entryNames().size(), 2);
    ASSERT_EQ(main.documents().list().size(), 1);
    EXPECT_EQ(main.documents().list()[0]->DocumentFileName, page);
}
