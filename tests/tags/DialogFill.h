#pragma once

#include "widgets/ColorButton.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QPushButton>
#include <gtest/gtest.h>

// One control of a dialog set by its objectName: text for fields, "1"/"0" for
// check boxes, the item index for radio groups, a colour name for colour buttons.
struct Fill
{
    const char *control;
    QString value;
};

inline void fillDialog(QDialog *dialog, const QList<Fill> &fills)
{
    for (const Fill &fill : fills) {
        QWidget *w = dialog->findChild<QWidget *>(QLatin1String(fill.control));
        ASSERT_NE(w, nullptr) << fill.control;
        if (auto *group = qobject_cast<TRadioGroup *>(w))
            group->setItemIndex(fill.value.toInt());
        else if (auto *box = qobject_cast<QCheckBox *>(w))
            box->setChecked(fill.value == QLatin1String("1"));
        else if (auto *color = qobject_cast<TColorButton *>(w))
            color->setColor(QColor(fill.value));
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(fill.value);
        else
            FAIL() << "cannot fill " << fill.control;
    }
}

inline void clickButton(QDialog *dialog, const char *name)
{
    auto *button = dialog->findChild<QPushButton *>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}
