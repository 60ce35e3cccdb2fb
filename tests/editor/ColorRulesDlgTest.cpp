#include "editor/ColorMemo.h"
#include "editor/ColorRulesDlg.h"
#include "editor/ColorRulesFile.h"
#include "editor/ColorText.h"
#include "platform/Settings.h"

#include "support/DialogTestUtil.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Picks a rule as the user does with the keys: Home, then Down to the row.
void pick(QListWidget *list, int row)
{
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < row; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

class ColorRulesDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings().ColorTags = true;
        RuleLines() = {"Comment;m;008000;10;<!--;-->", "Bold;k;red;2;<B"};
        ASSERT_TRUE(WriteColorRulesFile(ColorRulesFileName(), RuleLines()));
    }
    void TearDown() override { AppSettings().ColorTags = true; }

    QByteArray fileWith(const QList<QByteArray> &lines)
    {
        QByteArray out;
        for (const char *comment : ColorRulesFileHeader)
            out += QByteArray(comment) + "\r\n";
        for (const QByteArray &line : lines)
            out += line + "\r\n";
        return out;
    }

    ScriptedPrompts prompts;
};

}  // namespace

TEST(HexToColor, ReadsEveryColourFormOfTheRulesFile)
{
    EXPECT_EQ(HexToColor("990022", "00"), 0x220099u);
    EXPECT_EQ(HexToColor("990022", "02"), 0x220099u);
    EXPECT_EQ(HexToColor("#990022"), 0x220099u);
    EXPECT_EQ(HexToColor("red"), 0x0000FFu);
    EXPECT_EQ(HexToColor("xyz"), 0xFFFFFFu);
    EXPECT_EQ(RuleColorToHex(0x220099), "990022");
}

TEST_F(ColorRulesDlgTest, FillsItsFieldsFromTheRuleLines)
{
    prompts.modals.append([](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Color Rules");
        auto *list = child<QListWidget>(d, "colorRulesList");
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), "Comment");
        EXPECT_TRUE(child<QCheckBox>(d, "useColorRules")->isChecked());
        EXPECT_TRUE(child<QWidget>(d, "mainPanel")->isEnabled());
        EXPECT_FALSE(child<QRadioButton>(d, "ruleType0")->isChecked());
        EXPECT_FALSE(child<QRadioButton>(d, "ruleType1")->isChecked());

        // A colour name written by hand is shown, not refused.
        pick(list, 1);
        EXPECT_EQ(child<QLineEdit>(d, "ruleName")->text(), "Bold");
        EXPECT_TRUE(child<QRadioButton>(d, "ruleType0")->isChecked());
        EXPECT_EQ(child<ColorButton>(d, "ColorButton1")->colorRef(), 0x0000FFu);
        EXPECT_EQ(child<QSpinBox>(d, "zidx")->value(), 2);
        EXPECT_EQ(child<QLineEdit>(d, "keysEdit")->text(), "<B");

        pick(list, 0);
        EXPECT_TRUE(child<QRadioButton>(d, "ruleType1")->isChecked());
        EXPECT_EQ(child<ColorButton>(d, "ColorButton1")->colorRef(), 0x008000u);
        EXPECT_EQ(child<QLineEdit>(d, "keysEdit")->text(), "<!--;-->");
        // Choosing a rule leaves the hint above the keys as it was.
        EXPECT_EQ(child<QLabel>(d, "Label2")->text(), "");
        child<QRadioButton>(d, "ruleType0")->click();
        EXPECT_EQ(child<QLabel>(d, "Label2")->text(), "For the keyword below:");
        child<QRadioButton>(d, "ruleType1")->click();
        EXPECT_EQ(child<QLabel>(d, "Label2")->text(), "For text between the markers below:");

        click(d, "clearBtn");
        EXPECT_EQ(child<QLineEdit>(d, "ruleName")->text(), "");
        EXPECT_FALSE(child<QRadioButton>(d, "ruleType1")->isChecked());
        EXPECT_EQ(child<ColorButton>(d, "ColorButton1")->colorRef(), 0xFFFFFFu);
        EXPECT_EQ(child<QLabel>(d, "Label2")->text(), "");
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(RunColorRulesDialog(nullptr, {}), QDialog::Rejected);
    EXPECT_EQ(prompts.modalNames, QStringList{"colorWordsDlg"});
}

TEST_F(ColorRulesDlgTest, OkWritesTheEditedRulesAndAppliesThemToEveryEditor)
{
    TColorMemo first, second;
    prompts.colors.append(QColor(0x99, 0x00, 0x22));
    prompts.modals.append([](QDialog *d) {
        auto *list = child<QListWidget>(d, "colorRulesList");
        pick(list, 0);
        child<QLineEdit>(d, "ruleName")->setText("Remark");
        child<QSpinBox>(d, "zidx")->setValue(7);
        click(d, "ColorButton1");
        click(d, "updateBtn");  // replaces the chosen rule in place
        EXPECT_EQ(list->item(0)->text(), "Remark");

        click(d, "clearBtn");
        child<QLineEdit>(d, "ruleName")->setText("Para");
        child<QRadioButton>(d, "ruleType0")->click();
        child<QLineEdit>(d, "keysEdit")->setText("<P");
        child<QSpinBox>(d, "zidx")->setValue(257);
        click(d, "addBtn");
        EXPECT_EQ(list->count(), 3);

        pick(list, 1);
        click(d, "removeBtn");
        EXPECT_EQ(list->count(), 2);
        // Nothing chosen: Update adds.
        click(d, "removeBtn");
        click(d, "clearBtn");
        child<QLineEdit>(d, "ruleName")->setText("Para");
        click(d, "updateBtn");
        EXPECT_EQ(list->count(), 3);
        click(d, "BitBtn1");
        return d->result();
    });
    EXPECT_EQ(RunColorRulesDialog(nullptr, [&] { return QList<TColorMemo *>{&first, &second}; }), QDialog::Accepted);
    const QList<QByteArray> expected = {"Remark;m;990022;7;<!--;-->", "Para;k;FFFFFF;257;<P", "Para;;FFFFFF;2;"};
    EXPECT_EQ(RuleLines(), expected);
    EXPECT_EQ(readFileBytes(ColorRulesFileName()), fileWith(expected));
    for (TColorMemo *memo : {&first, &second}) {
        ASSERT_EQ(memo->ColorRules().Count(), 3);
        EXPECT_EQ(memo->ColorRules().Items(1)->ZOrder, 1);
        EXPECT_EQ(memo->ColorRules().Items(1)->KeyDrawingType, dtKeyShow);
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ColorRulesDlgTest, SwitchedOffTheEditorsLoseTheirRulesButTheLinesAreWritten)
{
    TColorMemo memo;
    ApplyColorRules(memo);
    ASSERT_EQ(memo.ColorRules().Count(), 2);
    prompts.modals.append([](QDialog *d) {
        child<QCheckBox>(d, "useColorRules")->click();
        EXPECT_FALSE(child<QWidget>(d, "mainPanel")->isEnabled());
        click(d, "BitBtn1");
        return d->result();
    });
    RunColorRulesDialog(nullptr, [&] { return QList<TColorMemo *>{&memo}; });
    EXPECT_FALSE(AppSettings().ColorTags);
    EXPECT_EQ(memo.ColorRules().Count(), 0);
    EXPECT_EQ(readFileBytes(ColorRulesFileName()), fileWith(RuleLines()));
}

TEST_F(ColorRulesDlgTest, CancelKeepsEditsInMemoryOnlyUntilTheFileIsReadAgain)
{
    prompts.modals.append([](QDialog *d) {
        child<QLineEdit>(d, "ruleName")->setText("New");
        click(d, "addBtn");
        click(d, "BitBtn2");
        return d->result();
    });
    EXPECT_EQ(RunColorRulesDialog(nullptr, {}), QDialog::Rejected);
    EXPECT_EQ(RuleLines().size(), 3);
    prompts.modals.append([](QDialog *d) {
        EXPECT_EQ(child<QListWidget>(d, "colorRulesList")->count(), 3);
        return int(QDialog::Rejected);
    });
    RunColorRulesDialog(nullptr, {});
    ReadColorRulesFile();
    EXPECT_EQ(RuleLines().size(), 2);
}

TEST_F(ColorRulesDlgTest, FieldsAreLoadedOnlyWhenTheUserPicksARule)
{
    prompts.modals.append([](QDialog *d) {
        d->show();
        auto *list = child<QListWidget>(d, "colorRulesList");
        auto *name = child<QLineEdit>(d, "ruleName");
        // Tabbing into the list makes a row current but loads nothing over the typing.
        name->setText("Typed");
        list->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(name->text(), "Typed");
        click(d, "updateBtn");  // nothing loaded: Update adds
        EXPECT_EQ(list->count(), 3);

        // A click loads the rule; Remove then takes that rule, and the neighbour
        // that becomes current is not the target of the next Update.
        const QRect second = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        EXPECT_EQ(name->text(), "Bold");
        click(d, "removeBtn");
        EXPECT_EQ(list->count(), 2);
        name->setText("Other");
        click(d, "updateBtn");
        EXPECT_EQ(list->count(), 3);
        return int(QDialog::Rejected);
    });
    RunColorRulesDialog(nullptr, {});
    const QList<QByteArray> expected = {"Comment;m;008000;10;<!--;-->", "Typed;;FFFFFF;0;", "Other;k;FF0000;2;<B"};
    EXPECT_EQ(RuleLines(), expected);
}

TEST_F(ColorRulesDlgTest, UntouchedFieldsKeepTheirBytesAndALatin1FileStaysLatin1)
{
    // "caf\xE9" is Latin-1: the file is not UTF-8.
    RuleLines() = {"Accent;Keyword;red;0257;caf\xE9", "Tag;m;000080;1;<;>"};
    prompts.modals.append([](QDialog *d) {
        auto *list = child<QListWidget>(d, "colorRulesList");
        pick(list, 0);
        EXPECT_EQ(child<QLineEdit>(d, "keysEdit")->text(), QString::fromLatin1("caf\xE9"));
        click(d, "updateBtn");  // unchanged
        pick(list, 1);
        child<QLineEdit>(d, "keysEdit")->setText(QString::fromLatin1("<\xE9;>"));
        click(d, "updateBtn");
        return int(QDialog::Rejected);
    });
    RunColorRulesDialog(nullptr, {});
    const QList<QByteArray> expected = {"Accent;Keyword;red;0257;caf\xE9", "Tag;m;000080;1;<\xE9;>"};
    EXPECT_EQ(RuleLines(), expected);
}

TEST_F(ColorRulesDlgTest, LineBreaksNeverReachARuleLine)
{
    prompts.modals.append([](QDialog *d) {
        auto *name = child<QLineEdit>(d, "ruleName");
        auto *keys = child<QLineEdit>(d, "keysEdit");
        // Typed or pasted text goes through the fields' checks and is refused...
        name->insert("a\r\nb");
        keys->insert("<x\n>");
        EXPECT_FALSE(name->text().contains('\n'));
        EXPECT_FALSE(keys->text().contains('\n'));
        // ...and text set past them becomes one line.
        name->setText("one\ntwo");
        keys->setText("<p\r\n>");
        click(d, "addBtn");
        return int(QDialog::Rejected);
    });
    RunColorRulesDialog(nullptr, {});
    ASSERT_EQ(RuleLines().size(), 3);
    EXPECT_EQ(RuleLines()[2], "one two;;FFFFFF;0;<p  >");
}
