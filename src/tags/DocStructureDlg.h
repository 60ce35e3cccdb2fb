#pragma once

#include "tags/DocStructureMarkup.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class ColorButton;
class TextDocument;

// "Document Properties": the page frame written around a document's text.
class TDocStructure : public QDialog
{
    Q_OBJECT
public:
    explicit TDocStructure(QWidget *parent = nullptr);

    // The values as shown; the background image is the field's text as typed.
    DocStructureValues values() const;

    QTabWidget *pages() const { return m_pages; }

private:
    void BGImageButtonClick();
    void updateEnabled();

    QTabWidget *m_pages;
    QLineEdit *BGImageEdit;
    QPushButton *BGImageButton;
    QPushButton *BGImageButton2;
    QCheckBox *colorChecks[5];
    ColorButton *colorButtons[5];
    QLineEdit *TitleEdit;
    QLineEdit *authorEdit;
    QComboBox *DocTypeCombo;
    QLineEdit *keywordsEdit;
    QCheckBox *BASEHREFChkBox;
    QLineEdit *BASEHREFEdit;
    QCheckBox *BASETARGETChkBox;
    QLineEdit *BASETARGETEdit;
    QCheckBox *ISINDEXChkBox;
    QCheckBox *ISINDEXPROMPTChkBox;
    QLineEdit *ISINDEXPROMPTEdit;
};

// Writes the frame around the document's text in one edit (one undo step), stores
// the document type line in the document, and selects the placeholder.
void WriteDocStructure(TextDocument &document, const DocStructureValues &values);

// Runs the dialog; on OK makes the background image name relative (which may ask
// to save the document) and then writes. Cancel leaves the document untouched.
void Insertalldocumentelements1Click(TextDocument &document);
