#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QDialog;
class QHBoxLayout;

// "OK" (default, OKBtn) and "Cancel" (CancelBtn) at the right of a row, wired
// to accept and reject the dialog. The caller places the row.
QHBoxLayout *OkCancelButtons(QDialog *dialog);

// A small button picture of a word on a rounded square, drawn at run time so
// the program ships no image files. size is 16 or 24 pixels.
QIcon GlyphIcon(const QString &text, const QColor &colour, int size);
