#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class NumberEdit;
class TextDocument;

// The image-map dialog: one AREA, one MAP, or the list of the document's maps
// for the image dialog. One page is shown, chosen by the caller.
class TMapsDlg : public QDialog
{
    Q_OBJECT
public:
    enum Page : int { AreaPage = 0, MapPage = 1, MapListPage = 2 };

    // document may be null for the map list, which writes nothing.
    TMapsDlg(TextDocument *document, int page, QWidget *parent = nullptr);

    int page() const;
    void OKBtnClick();
    void HTMLRefChkBoxClick();
    void HTMLRefButton1Click();
    // The chosen item of MapListBox, as written in the document; empty when none.
    QString selectedMapName() const;

    QStackedWidget *Notebook;
    // Page 0
    QCheckBox *HTMLRefChkBox;
    QLabel *URLLabel;
    QLineEdit *HTMLRefEdit;
    QPushButton *HTMLRefButton1, *HTMLRefButton2;
    QLabel *TargetLabel;
    QComboBox *HTMLRefTargetEdit;
    QGroupBox *ShapeCoodrsGroup;
    NumberEdit *LeftEdit, *TopEdit, *RightEdit, *BottomEdit;
    // Page 1
    QLineEdit *MapName1Edit;
    // Page 2
    QListWidget *MapListBox;

    QPushButton *OKBtn, *CancelBtn;

private:
    TextDocument *m_document;
};

// The window captions of the area and map pages.
QString MapsDlgCaption(int page);

// Lets the user pick one of the maps defined in the document ("<MAP" ...
// `NAME="`). True and mapName set, as written, when one was chosen and OK pressed.
bool ChooseDocumentMap(TextDocument &document, QWidget *parent, QString &mapName);
