#pragma once

#include "tags/FormMarkup.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class NumberEdit;
class RadioGroup;
class TextDocument;

// "Form elements dialog": one page per form element. A command opens it on the
// page of its element; the other pages stay hidden. The name and value fields
// stand above the page's own controls, and only where the element uses them, so
// nothing typed is silently dropped.
class TFormElementsDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TFormElementsDlg(FormElement element, QWidget *parent = nullptr);

    FormElement element() const { return m_element; }
    QTabWidget *pages() const { return m_pages; }
    // The named values of the element; "src" as typed, not yet made relative.
    NameValueList values() const;

private:
    void SRCButtonClick();

    FormElement m_element;
    QTabWidget *m_pages;
    QGroupBox *NameGroup;
    QLineEdit *NameEdit;
    QGroupBox *ValueGroup;
    QLineEdit *ValueEdit;
    QLineEdit *Form_ActionEdit;
    RadioGroup *Form_MethodGroup;
    RadioGroup *CheckBox_ValueGroup;
    QLineEdit *Image_SRCEdit;
    RadioGroup *Image_AlignGroup;
    NumberEdit *image_borderEdit;
    NumberEdit *Password_SizeEdit;
    NumberEdit *Password_MaxlengthEdit;
    RadioGroup *Radio_ValueGroup;
    NumberEdit *Text_SizeEdit;
    NumberEdit *Text_MaxLengthEdit;
    NumberEdit *TextArea_SizeEdit;
    NumberEdit *TextArea_MaxLengthEdit;
    NumberEdit *TextArea2_RowsEdit;
    NumberEdit *TextArea2_ColsEdit;
    RadioGroup *TextArea2_WrapGroup;
    QCheckBox *Select_MultipileChkBox;
    NumberEdit *Select_SizeEdit;
    QCheckBox *Option_SelectedChkBox;
};

// Runs the dialog on the element's page; on OK makes the image source relative
// (which may ask to save the document) and then writes the element in one edit.
// Cancel writes nothing.
void InsertFormElement(TextDocument &document, FormElement element);
