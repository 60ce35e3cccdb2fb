#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

// Controls of a dialog under test, found by their names.
template <typename T> T *child(QDialog *dialog, const char *name)
{
    T *w = dialog->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void click(QDialog *dialog, const char *name)
{
    child<QAbstractButton>(dialog, name)->click();
}

inline void type(QDialog *dialog, const char *name, const QString &text)
{
    child<QLineEdit>(dialog, name)->setText(text);
}

inline QString textOf(QDialog *dialog, const char *name)
{
    return child<QLineEdit>(dialog, name)->text();
}

// Presses OK and hands back the dialog's result for the scripted modal run.
inline int pressOK(QDialog *dialog)
{
    click(dialog, "OKBtn");
    return dialog->result();
}
