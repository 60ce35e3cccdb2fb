#pragma once

#include "custom/JsWizardMarkup.h"
#include "tags/Command.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QStackedWidget;
class ColorButton;
class TextDocument;

// "Javascript Wizard": a list of scripts on the first page, the settings of
// the chosen one on the next; Finish writes it into the document.
class TjsWiz : public QDialog
{
    Q_OBJECT
public:
    explicit TjsWiz(TextDocument &document, QWidget *parent = nullptr);

    // The values as the pages show them; script is the selected item.
    JsWizardValues values() const;
    // The selected item of the list, -1 for none.
    int selectedItem() const;

    void FormCreate();
    void idx_itemsClick();
    void pagesPageChanged();
    void NextBtnClick();
    void BackBtnClick();
    void p0_chooseFontClick();
    void p2_speedChange();
    void FinishBtnClick();
    void CancelBtnClick();

private:
    QWidget *scriptListPage();
    QWidget *lastModifiedPage();
    QWidget *scrollingButtonPage();
    QWidget *fadePage();
    QWidget *textFadePage();

    TextDocument &m_document;
    QStackedWidget *pages;
    QListWidget *idx_items;
    QPlainTextEdit *idx_itemdes;
    QPushButton *BackBtn;
    QPushButton *NextBtn;
    QPushButton *FinishBtn;
    QPushButton *CancelBtn;
    QComboBox *p0_align;
    QPushButton *p0_chooseFont;
    QLineEdit *p1_text;
    QComboBox *p1_formName;
    QLineEdit *p1_submitName;
    ColorButton *p2_fromColor;
    ColorButton *p2_toColor;
    QSlider *p2_speed;
    QLabel *p2_speedL;
    ColorButton *p3_fromColor;
    ColorButton *p3_toColor;
    QLineEdit *p3_text;
};

// Writes the chosen script into the document as one edit. Each entry is read
// from the entries file first; when one is missing nothing is written.
void InsertJsWizardScript(TextDocument &document, const JsWizardValues &values, QWidget *parent = nullptr);

// "Java&scripts...": the wizard, run modally.
void Javascripts1Click(TextDocument &document);

// The "Wi&zards" menu's command.
const QList<Command> &JsWizardCommands();
