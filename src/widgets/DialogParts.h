#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

class QBoxLayout;
class QCheckBox;
class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;
class NumberEdit;
class RadioGroup;

// The widget with its objectName set: tests and the hotkeys file find controls
// by name, so every named control of a dialog is made through here.
template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A label whose mnemonic moves the focus to buddy.
QLabel *labelFor(const QString &caption, QWidget *buddy, QWidget *parent = nullptr);

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption);

NumberEdit *numberEdit(QWidget *parent, const char *name, int minimum, int maximum, int value);

// A titled radio group with its items in columns and item `selected` chosen
// (-1 for none).
RadioGroup *radioGroup(QWidget *parent, const char *name, const QString &title, const QStringList &items, int columns,
                       int selected);

// The partners are enabled exactly while the box is checked.
void enables(QCheckBox *box, std::initializer_list<QWidget *> partners);

// "OK" (default, OKBtn) and "Cancel" (CancelBtn) at the right of a row, wired
// to accept and reject the dialog. The caller places the row.
QHBoxLayout *OkCancelButtons(QDialog *dialog);

struct OkCancel
{
    QBoxLayout *layout;
    QPushButton *ok;
    QPushButton *cancel;
};

// The same pair for a dialog whose OK writes or checks first: OK runs onOk,
// which accepts when it is done, and Cancel runs onCancel, or rejects when
// there is none. Along Qt::Vertical the pair stands at the top of a column, for
// dialogs that keep their buttons beside the pages.
OkCancel OkCancelButtons(QDialog *dialog, Qt::Orientation along, const std::function<void()> &onOk,
                         const std::function<void()> &onCancel = {});

// Runs the dialog through the prompts, where tests fill it in, and calls write
// only when it was accepted. Returns whether it was.
bool RunThenWrite(QDialog &dialog, const std::function<void()> &write);

// A small button picture of a word on a rounded square, drawn at run time so
// the program ships no image files. size is 16 or 24 pixels.
QIcon GlyphIcon(const QString &text, const QColor &colour, int size);
