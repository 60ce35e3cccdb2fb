#include "editor/ColorMemo.h"
#include "editor/ColorRulesDlg.h"
#include "editor/ColorRulesFile.h"
#include "editor/ColorText.h"
#include "platform/Settings.h"

#include "ScriptedPrompts.h"
#include "TestUtil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

template <typename T> T *child(QDialog *dialog, const char *name)
{
    T *w = dialog->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QDialog *dialog, const char *name)
{
    child<QAbstractButton>(dialog, name)->click();
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

} // namespace

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
        list->setCurrentRow(1);
        EXPECT_EQ(child<QLineEdit>(d, "ruleName")->text(), "Bold");
        EXPECT_TRUE(child<QRadioButton>(d, "ruleType0")->isChecked());
        EXPECT_EQ(child<TColorButton>(d, "ColorButton1")->colorRef(), 0x0000FFu);
        EXPECT_EQ(child<QSpinBox>(d, "zidx")->value(), 2);
        EXPECT_EQ(child<QLineEdit>(d, "keysEdit")->text(), "<B");

        list->setCurrentRow(0);
        EXPECT_TRUE(child<QRadioButton>(d, "ruleType1")->isChecked());
        EXPECT_EQ(child<TColorButton>(d, "ColorButton1")->colorRef(), 0x008000u);
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
        EXPECT_EQ(child<TColorButton>(d, "ColorButton1")->colorRef(), 0xFFFFFFu);
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
        list->setCurrentRow(0);
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

        list->setCurrentRow(1);
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
