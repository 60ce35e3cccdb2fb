#include "custom/PrivateMenuDlg.h"
#include "support/DialogTestUtil.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class PrivateMenuDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrivateTags() = {};
        PrivateTags()[0] = {"One", "<1>", "</1>", 1};
        PrivateTags()[1] = {"Two", "<2>", "</2>", 0};
        PrivateTags()[2] = {"Three", "<3>", "", 2};
        dialog = std::make_unique<TprivateMenuFrm>();
        dialog->privateMenuFileName = [this] { return path; };
    }
    void click(const char *name) { child<QPushButton>(dialog.get(), name)->click(); }
    void fill(const QString &name, const QString &open, const QString &close)
    {
        child<QLineEdit>(dialog.get(), "tagName")->setText(name);
        child<QPlainTextEdit>(dialog.get(), "tagOpen")->setPlainText(open);
        child<QPlainTextEdit>(dialog.get(), "tagClose")->setPlainText(close);
    }
    QStringList listed()
    {
        QStringList names;
        auto *list = child<QListWidget>(dialog.get(), "tags");
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }
    void select(int row) { child<QListWidget>(dialog.get(), "tags")->setCurrentRow(row); }
    bool checked(const char *radio) { return child<QRadioButton>(dialog.get(), radio)->isChecked(); }

    QTemporaryDir dir;
    QString path = dir.filePath("Tagloom.pm");
    ScriptedPrompts prompts;
    std::unique_ptr<TprivateMenuFrm> dialog;
};
}  // namespace

TEST_F(PrivateMenuDlgTest, ShowsTheRecordsAndTheirLayouts)
{
    EXPECT_EQ(dialog->windowTitle(), "Edit Private menu");
    EXPECT_EQ(listed(), QStringList({"One", "Two", "Three"}));
    EXPECT_EQ(child<QListWidget>(dialog.get(), "preTags")->count(), 7);
    EXPECT_TRUE(child<QPushButton>(dialog.get(), "updateBtn")->isDefault());
    struct Row
    {
        int row;
        const char *layout1Item;
        const char *layout2Item;
        bool pictureOfLines;
        bool pictureOfOneLine;
    } rows[] = {
        {0, "Layout1_0", "layout2_1Btn", false, true},
        {1, "Layout1_0", "layout2_0Btn", true, false},
        {2, "Layout1_1", "layout2_0Btn", false, false},
    };
    for (const Row &r : rows) {
        select(r.row);
        EXPECT_TRUE(checked(r.layout1Item)) << r.row;
        EXPECT_TRUE(checked(r.layout2Item)) << r.row;
        EXPECT_EQ(child<QWidget>(dialog.get(), "layout2_1")->isEnabled(), r.pictureOfLines) << r.row;
        EXPECT_EQ(child<QWidget>(dialog.get(), "layout2_2")->isEnabled(), r.pictureOfOneLine) << r.row;
    }
    select(1);
    EXPECT_EQ(child<QLineEdit>(dialog.get(), "layout2_2")->text(), "<2>Selected text</2>");
    EXPECT_EQ(child<QPlainTextEdit>(dialog.get(), "layout2_1")->toPlainText(), "<2>\nSelected text\n</2>");
    child<QListWidget>(dialog.get(), "preTags")->setCurrentRow(1);
    dialog->preTagsClick();
    EXPECT_EQ(child<QLineEdit>(dialog.get(), "tagName")->text(), "&");
    EXPECT_EQ(child<QPlainTextEdit>(dialog.get(), "tagOpen")->toPlainText(), "&amp;");
    EXPECT_TRUE(checked("layout2_1Btn"));
}

TEST_F(PrivateMenuDlgTest, AddUpdateAndRemoveKeepListAndRecordsTogether)
{
    // Update with nothing selected adds.
    child<QListWidget>(dialog.get(), "tags")->setCurrentRow(-1);
    fill("Four", "<4>\n<5>", "</4>");
    click("updateBtn");
    EXPECT_EQ(listed(), QStringList({"One", "Two", "Three", "Four"}));
    EXPECT_EQ(dialog->records()[3], (PrivateTag{"Four", "<4>\r\n<5>", "</4>", 1}));
    // Shown and stored again, the line break stays one CR LF.
    select(3);
    EXPECT_EQ(child<QPlainTextEdit>(dialog.get(), "tagOpen")->toPlainText(), "<4>\n<5>");
    click("updateBtn");
    EXPECT_EQ(dialog->records()[3].open, "<4>\r\n<5>");

    select(1);
    fill("Deux", "<2>", "</2>");
    click("updateBtn");
    EXPECT_EQ(listed(), QStringList({"One", "Deux", "Three", "Four"}));
    EXPECT_EQ(dialog->records()[1].name, "Deux");

    // Removing the first moves the others up; the last record is free.
    select(0);
    click("removeBtn");
    EXPECT_EQ(listed(), QStringList({"Deux", "Three", "Four"}));
    EXPECT_EQ(dialog->records()[0].name, "Deux");
    EXPECT_EQ(dialog->records()[2].name, "Four");
    EXPECT_FALSE(dialog->records()[3].isUsed());

    // An empty name is neither added nor stored.
    fill("", "<x>", "");
    click("addBtn");
    select(0);
    fill("", "<x>", "");
    click("updateBtn");
    EXPECT_EQ(listed(), QStringList({"Deux", "Three", "Four"}));
    EXPECT_EQ(dialog->records()[0].name, "Deux");
    EXPECT_TRUE(prompts.messages.isEmpty());
    // Nothing reaches the program's records before OK.
    EXPECT_EQ(PrivateTags()[0].name, "One");
}

TEST_F(PrivateMenuDlgTest, TheTwentyFirstSnippetIsRefused)
{
    for (int i = 3; i < 20; ++i) {
        fill(QStringLiteral("n%1").arg(i), "<x>", "");
        click("addBtn");
    }
    EXPECT_EQ(listed().size(), 20);
    prompts.answers = {QMessageBox::Ok};
    fill("n20", "<x>", "");
    click("addBtn");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Maximum 20 private tags");
    EXPECT_EQ(listed().size(), 20);
}

TEST_F(PrivateMenuDlgTest, OkWritesTheFileAndCancelKeepsTheRecords)
{
    fill("Long", QString(35, 'o'), "");
    click("addBtn");
    prompts.answers = {QMessageBox::Ok};
    click("BitBtn1");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Changes will not take effect until you reopen the document.");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(PrivateTags()[3].open, QString(30, 'o'));
    EXPECT_EQ(ReadPrivateTagsFile(path), PrivateTags());

    const PrivateTagList before = PrivateTags();
    TprivateMenuFrm second;
    second.findChild<QListWidget *>("tags")->setCurrentRow(0);
    second.findChild<QPushButton *>("removeBtn")->click();
    second.findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_EQ(second.result(), QDialog::Rejected);
    EXPECT_EQ(PrivateTags(), before);
}

TEST_F(PrivateMenuDlgTest, OkThatCannotWriteSaysSoAndKeepsEverything)
{
    path = dir.filePath("no-folder/Tagloom.pm");
    const PrivateTagList before = PrivateTags();
    fill("New", "<n>", "");
    click("addBtn");
    prompts.answers = {QMessageBox::Ok};
    click("BitBtn1");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Cannot create file " + path);
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(PrivateTags(), before);
    EXPECT_EQ(listed().size(), 4);
}
