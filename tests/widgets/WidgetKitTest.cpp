#include "support/ScriptedPrompts.h"
#include "widgets/ColorButton.h"
#include "widgets/DialogParts.h"
#include "widgets/NameValueList.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(NumberEdit, ClampsToItsRangeAndToHundredWhileInPercent)
{
    const struct
    {
        const char *typed;
        bool percent;
        const char *expected;
    } cases[] = {
        {"", false, ""},     {"", true, ""},       {"50", true, "50"},   {"150", false, "150"},
        {"150", true, "100"}, {"-5", false, "0"},   {"+7", false, "7"},   {"1000", false, "999"},
        {"-", false, ""},    {"0", true, "0"},
    };
    for (const auto &c : cases) {
        QCheckBox percent;
        TNumberEdit edit;
        edit.setRange(0, 999);
        edit.setPercentBox(&percent);
        edit.setText(QString::fromLatin1(c.typed));
        percent.setChecked(c.percent);
        EXPECT_EQ(edit.valueText(), QString::fromLatin1(c.expected)) << c.typed << " percent " << c.percent;
    }
}

TEST(NumberEdit, CheckingPercentKeepsTheTypedNumberAndClampsOnlyTheValue)
{
    QCheckBox percent;
    TNumberEdit edit;
    edit.setRange(1, 999);
    edit.setPercentBox(&percent);
    edit.setText(QStringLiteral("640"));
    percent.setChecked(true);
    EXPECT_EQ(edit.text(), QStringLiteral("640"));
    EXPECT_EQ(edit.value(), 100);
    EXPECT_EQ(edit.valueText(), QStringLiteral("100"));
    // Leaving the field while in percent keeps the number too.
    emit edit.editingFinished();
    EXPECT_EQ(edit.text(), QStringLiteral("640"));
    percent.setChecked(false);
    EXPECT_EQ(edit.text(), QStringLiteral("640"));
    EXPECT_EQ(edit.value(), 640);
    // Typing is not blocked half-way; leaving the field clamps what it shows to the field's own range.
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("5000"));
    EXPECT_EQ(edit.text(), QStringLiteral("5000"));
    emit edit.editingFinished();
    EXPECT_EQ(edit.text(), QStringLiteral("999"));
    edit.setText(QStringLiteral("x"));
    emit edit.editingFinished();
    EXPECT_EQ(edit.text(), QString());
    percent.setChecked(true);
    edit.setValue(300);
    EXPECT_EQ(edit.text(), QStringLiteral("300"));
    EXPECT_EQ(edit.value(), 100);
}

TEST(RadioGroup, ItemIndexFollowsClicksAndCanBeCleared)
{
    TRadioGroup group(QStringLiteral("&Alignment"), {QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Right")}, 2);
    QSignalSpy changed(&group, &TRadioGroup::itemIndexChanged);
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(group.count(), 3);
    group.button(2)->click();
    EXPECT_EQ(group.itemIndex(), 2);
    group.setItemIndex(0);
    EXPECT_EQ(group.itemIndex(), 0);
    group.setItemIndex(-1);
    EXPECT_EQ(group.itemIndex(), -1);
    group.setItemIndex(7);
    EXPECT_EQ(group.itemIndex(), -1);
    ASSERT_EQ(changed.size(), 3);
    EXPECT_EQ(changed.at(2).at(0).toInt(), -1);
    EXPECT_EQ(group.button(3), nullptr);
}

TEST(ColorButton, ACancelledChoiceKeepsTheColour)
{
    ScriptedPrompts prompts;
    TColorButton button;
    EXPECT_FALSE(button.hasColor());
    prompts.colors = {QColor(0x12, 0x34, 0x56), QColor()};
    button.click();
    EXPECT_EQ(button.colorRef(), 0x563412u);
    button.click();  // cancelled
    EXPECT_EQ(button.color(), QColor(0x12, 0x34, 0x56));
    button.setColorRef(0x0000FF);
    EXPECT_EQ(button.color(), QColor(Qt::red));
    button.clearColor();
    EXPECT_FALSE(button.hasColor());
    EXPECT_EQ(button.colorRef(), 0u);
}

TEST(NameValueList, KeepsOrderAndReplacesInPlace)
{
    NameValueList list{{QStringLiteral("src"), QStringLiteral("a.gif")}, {QStringLiteral("alt"), QString()}};
    list.set(QStringLiteral("SRC"), QStringLiteral("b=c.gif"));
    list.set(QStringLiteral("width"), QStringLiteral("10"));
    EXPECT_EQ(list.toStrings(), QStringList({"src=b=c.gif", "alt=", "width=10"}));
    EXPECT_TRUE(list.contains(QStringLiteral("ALT")));
    EXPECT_FALSE(list.has(QStringLiteral("alt")));
    EXPECT_EQ(NameValueList::fromStrings(list.toStrings()).toStrings(), list.toStrings());
    EXPECT_EQ(NameValueList::fromStrings({QStringLiteral("flag")}).value(QStringLiteral("flag")), QString());
}

TEST(OkCancelButtons, TypingStartsInTheShownPageAndTabReachesTheButtons)
{
    QDialog dialog;
    QHBoxLayout *row = OkCancelButtons(&dialog);  // made before the fields, as the dialogs do
    auto *pages = new QStackedWidget(&dialog);
    auto *hidden = new QLineEdit(pages);
    auto *shown = new QLineEdit(pages);
    pages->addWidget(hidden);
    pages->addWidget(shown);
    pages->setCurrentWidget(shown);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(pages);
    layout->addLayout(row);

    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), shown);
    QTest::keyClick(shown, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QPushButton *>("OKBtn"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QPushButton *>("CancelBtn"));
}
