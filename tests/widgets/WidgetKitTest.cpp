#include "support/ScriptedPrompts.h"
#include "widgets/ColorButton.h"
#include "widgets/DialogParts.h"
#include "widgets/NameValueList.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
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
        {"", false, ""},    {"", true, ""},     {"50", true, "50"},     {"150", false, "150"}, {"150", true, "100"},
        {"-5", false, "0"}, {"+7", false, "7"}, {"1000", false, "999"}, {"-", false, ""},      {"0", true, "0"},
    };
    for (const auto &c : cases) {
        QCheckBox percent;
        NumberEdit edit;
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
    NumberEdit edit;
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
    RadioGroup group(QStringLiteral("&Alignment"),
                     {QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Right")}, 2);
    QSignalSpy changed(&group, &RadioGroup::itemIndexChanged);
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
    ColorButton button;
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

TEST(DialogKit, RadioGroupMakerKeepsColumnsAndChoiceApart)
{
    const QStringList items = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                               QStringLiteral("E")};
    const struct
    {
        int columns;
        int selected;
        int chosen;  // what itemIndex reads back
        QList<int> columnOf;
    } cases[] = {
        {1, 0, 0, {0, 0, 0, 0, 0}},   {2, 4, 4, {0, 0, 0, 1, 1}},  {3, 1, 1, {0, 0, 1, 1, 2}},
        {5, -1, -1, {0, 1, 2, 3, 4}}, {4, 7, -1, {0, 0, 1, 1, 2}},  // no such item: nothing chosen
    };
    for (const auto &c : cases) {
        QWidget parent;
        RadioGroup *group = radioGroup(&parent, "TypeGroup", QStringLiteral("&Type"), items, c.columns, c.selected);
        EXPECT_EQ(group->parentWidget(), &parent);
        EXPECT_EQ(group->objectName(), QStringLiteral("TypeGroup"));
        EXPECT_EQ(group->title(), QStringLiteral("&Type"));
        EXPECT_EQ(group->itemIndex(), c.chosen) << c.columns;
        auto *grid = qobject_cast<QGridLayout *>(group->layout());
        ASSERT_NE(grid, nullptr);
        for (int i = 0; i < items.size(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(grid->indexOf(group->button(i)), &row, &column, &rowSpan, &columnSpan);
            EXPECT_EQ(column, c.columnOf.at(i)) << c.columns << " item " << i;
        }
        // Every index set is the one read back, and its button is the checked one.
        for (int i = 0; i < items.size(); ++i) {
            group->setItemIndex(i);
            EXPECT_EQ(group->itemIndex(), i);
            EXPECT_TRUE(group->button(i)->isChecked());
        }
    }
}

TEST(DialogKit, OkCancelColumnRunsTheDialogsOwnHandlers)
{
    QDialog dialog;
    int oks = 0;
    int cancels = 0;
    bool refuse = true;
    const OkCancel buttons = OkCancelButtons(
        &dialog, Qt::Vertical,
        [&] {
            ++oks;
            if (!refuse)
                dialog.accept();
        },
        [&] { ++cancels; });
    EXPECT_EQ(buttons.ok->objectName(), QStringLiteral("OKBtn"));
    EXPECT_EQ(buttons.ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(buttons.cancel->objectName(), QStringLiteral("CancelBtn"));
    EXPECT_EQ(buttons.cancel->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(buttons.ok->isDefault());
    // OK above Cancel at the top of the column.
    ASSERT_EQ(buttons.layout->count(), 3);
    EXPECT_EQ(buttons.layout->itemAt(0)->widget(), buttons.ok);
    EXPECT_EQ(buttons.layout->itemAt(1)->widget(), buttons.cancel);
    EXPECT_NE(buttons.layout->itemAt(2)->spacerItem(), nullptr);
    auto *layout = new QHBoxLayout(&dialog);
    layout->addWidget(new QLineEdit(&dialog), 1);
    layout->addLayout(buttons.layout);

    dialog.show();
    buttons.ok->click();  // refused: the dialog stays open
    EXPECT_EQ(oks, 1);
    EXPECT_TRUE(dialog.isVisible());
    buttons.cancel->click();  // the dialog's own Cancel decides, here to stay
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(dialog.isVisible());
    refuse = false;
    buttons.ok->click();
    EXPECT_EQ(oks, 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(DialogKit, RunThenWriteWritesOnlyWhatWasAccepted)
{
    ScriptedPrompts prompts;
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("AskDlg"));
    int writes = 0;
    prompts.modals = {[](QDialog *) { return int(QDialog::Rejected); },
                      [](QDialog *) { return int(QDialog::Accepted); }};
    EXPECT_FALSE(RunThenWrite(dialog, [&] { ++writes; }));
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(RunThenWrite(dialog, [&] { ++writes; }));
    EXPECT_EQ(writes, 1);
    // Nothing queued: the scripted run rejects, so nothing is written.
    EXPECT_FALSE(RunThenWrite(dialog, [&] { ++writes; }));
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(prompts.modalNames, QStringList({"AskDlg", "AskDlg", "AskDlg"}));
}
