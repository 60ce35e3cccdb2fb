#pragma once

#include "objects/AppletMarkup.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class NumberEdit;
class RadioGroup;
class TextDocument;

// "Java Applet": page 0 writes an APPLET element, page 1 one PARAM for it.
class TJavaAppletDlg : public QDialog
{
    Q_OBJECT
public:
    enum Page { AppletPage = 0, ParameterPage = 1 };

    explicit TJavaAppletDlg(Page page = AppletPage, QWidget *parent = nullptr);

    Page page() const;
    // Shows the page and fits the dialog to it, so the parameter page is short.
    void setPage(Page page);
    QStackedWidget *pages() const { return Notebook1; }

    // The page's values as typed: the code base as shown, not yet relative.
    NameValueList appletValues() const;
    NameValueList parameterValues() const;

private:
    void CodeBaseButtonClick();

    QStackedWidget *Notebook1;
    QLineEdit *CodeEdit;
    QLineEdit *NameEdit;
    NumberEdit *WidthEdit;
    NumberEdit *HeightEdit;
    QCheckBox *CodeBaseChkBox;
    QLineEdit *CodeBaseEdit;
    QPushButton *CodeBaseButton;
    QPushButton *CodeBaseButton2;
    QCheckBox *AltChkBox;
    QLineEdit *AltEdit;
    RadioGroup *ALIGNgroupbox;
    QCheckBox *VSpaceChkBox;
    NumberEdit *VSpaceEdit;
    QCheckBox *HSpaceChkBox;
    NumberEdit *HSpaceEdit;
    QLineEdit *ParamNameEdit;
    QLineEdit *ParamValueEdit;
};

// The "&Java" submenu's commands. The applet's code base is made relative to
// the document (which may ask to save it) before anything is written.
void JavaApplet1Click(TextDocument &document);
void JavaAppletParameter1Click(TextDocument &document);
