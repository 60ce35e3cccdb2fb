#include "platform/Prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtPrompts, TheForEveryOneAnswerReadsAll)
{
    QtPrompts prompts;
    QString allText;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (QAbstractButton *all = box->button(QMessageBox::YesToAll))
            allText = all->text();
        box->done(QMessageBox::No);
    });
    prompts.message(nullptr, QStringLiteral("Confirm"), QStringLiteral("Replace selected text?"), QMessageBox::Question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::YesToAll);
    EXPECT_EQ(allText, QStringLiteral("All"));
}
