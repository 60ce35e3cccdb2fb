#pragma once

#include "widgets/ColorButton.h"
#include "widgets/RadioGroup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <gtest/gtest.h>

// Controls of a dialog under test, found by their names.
template <typename T>
T *child(QWidget *dialog, const char *name)
{
    T *w = dialog->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void click(QWidget *dialog, const char *name)
{
    auto *button = dialog->findChild<QAbstractButton *>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

inline void type(QWidget *dialog, const char *name, const QString &text)
{
    child<QLineEdit>(dialog, name)->setText(text);
}

inline QString textOf(QWidget *dialog, const char *name)
{
    return child<QLineEdit>(dialog, name)->text();
}

// Presses OK and hands back the dialog's result for the scripted modal run.
inline int pressOK(QDialog *dialog)
{
    click(dialog, "OKBtn");
    return dialog->result();
}

// One control of a dialog set by its objectName: text for fields, "1"/"0" for
// check boxes, the item index for radio groups, a colour name for colour buttons.
struct Fill
{
    const char *control;
    QString value;
};

inline void fillDialog(QWidget *dialog, const QList<Fill> &fills)
{
    for (const Fill &fill : fills) {
        QWidget *w = dialog->findChild<QWidget *>(QLatin1String(fill.control));
        ASSERT_NE(w, nullptr) << fill.control;
        if (auto *group = qobject_cast<RadioGroup *>(w))
            group->setItemIndex(fill.value.toInt());
        else if (auto *box = qobject_cast<QCheckBox *>(w))
            box->setChecked(fill.value == QLatin1String("1"));
        else if (auto *color = qobject_cast<ColorButton *>(w))
            color->setColor(QColor(fill.value));
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(fill.value);
        else
            FAIL() << "cannot fill " << fill.control;
    }
}
