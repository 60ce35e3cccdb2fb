#pragma once

#include "objects/FontMarkup.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class ColorButton;
class TextDocument;

// "Font": a face, a size, a colour and styles, with a live sample. It only
// shows a choice; ChooseFontDialog makes it the program's FontChoice.
class TfontsDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TfontsDlg(QWidget *parent = nullptr);

    // The choice as the dialog shows it: a typed face or size counts like a
    // chosen one, "Don't define" (or nothing) defines nothing.
    FontChoiceValues choice() const;
    QLabel *sample() const { return ex; }

private:
    void fontsComboChange(const QString &text);
    void sizeChange(const QString &text);
    void colorChkClick();
    void colorBtnClick();
    void styleClick();

    QComboBox *fontsCombo;
    QComboBox *size;
    QCheckBox *colorChk;
    ColorButton *colorBtn;
    QCheckBox *boldChk;
    QCheckBox *italicChk;
    QCheckBox *underlineChk;
    QCheckBox *strikeChk;
    QLabel *ex;
};

// The faces offered: the screen fonts, sorted ignoring case, without duplicates.
QStringList ScreenFontNames();
// Replaces the platform's font list (tests); nullopt gives it back.
void OverrideScreenFontNames(std::optional<QStringList> names);

// Runs the font dialog. On OK the dialog's choice becomes FontChoice and the
// result is true; Cancel leaves FontChoice as it was and returns false.
bool ChooseFontDialog(QWidget *parent = nullptr);

// Writes the current FontChoice around the selection as one edit: with nothing
// selected the caret stands innermost, between the start and end tags.
void InsertFontTags(TextDocument &document);

// "Choose &Font": the dialog, then, unless cancelled, the font tags.
void ChooseFont1Click(TextDocument &document);
