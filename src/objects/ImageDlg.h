#pragma once
#include <QDialog>
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class NumberEdit;
class PictureView;
class RadioGroup;
class TextDocument;

// The image dialog: one IMG element with its attributes, and a preview of the
// source picture that also fills in its size.
class TImageDlg : public QDialog
{
    Q_OBJECT
public:
    enum MapType : int { NoMap = 0, ClientSideMap = 1, ServerSideMap = 2 };
    explicit TImageDlg(TextDocument &document, QWidget *parent = nullptr);

    void SRCEditChange();
    void OKBtnClick();
    void USEMAPButton1Click();
    void USEMAPButton2Click();
    void UpdateEnabled();
    // The file SRCEdit names, resolved against the document's folder; empty
    // when a relative name has no folder to go with (an untitled document).
    QString sourceFile() const;

    QLineEdit *SRCEdit;
    QPushButton *SRCButton, *SRCButton2;
    QCheckBox *alignChk;
    RadioGroup *ALIGNgroupbox;
    QCheckBox *ALTChkBox;
    QLineEdit *ALTedit;
    QCheckBox *WidthHeightChkBox;
    NumberEdit *WidthEdit, *HeightEdit;
    QCheckBox *borderChk;
    NumberEdit *BorderEdit;
    QCheckBox *VSpaceChkBox;
    NumberEdit *VSpaceEdit;
    QCheckBox *HSpaceChkBox;
    NumberEdit *HSpaceEdit;
    QCheckBox *LOWSRCChkBox;
    QLineEdit *LOWSRCEdit;
    QPushButton *LOWSRCButton, *LOWSRCButton2;
    RadioGroup *MapTypeGroup;
    QLineEdit *USEMAPEdit;
    QPushButton *USEMAPButton1, *USEMAPButton2, *USEMAPButton3;
    QLineEdit *ISMAPedit;
    QPushButton *ISMAPbutton, *ISMAPButton2;
    QScrollArea *ScrollBox1;
    PictureView *AdvImage1;
    QPushButton *OKBtn, *CancelBtn;

private:
    TextDocument &m_document;
};

// Asks for the name of a map in the page fileName, offering the maps that page
// defines; the user may also type one. True and mapName set at OK with a name.
bool AskMapName(QWidget *parent, const QString &fileName, QString &mapName);

void Image1Click(TextDocument &document);
