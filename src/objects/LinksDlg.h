#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QToolButton;
class TextDocument;

// The links dialog: make an anchor, or link to an anchor, a file or a URL.
// One page is shown, chosen by the command; OK writes into the document.
class TLinksDlg : public QDialog
{
    Q_OBJECT
public:
    enum Page : int { MakeAnchorPage = 0, LinkToAnchorPage = 1, LinkToFilePage = 2, LinkToUrlPage = 3 };

    TLinksDlg(TextDocument &document, int page, QWidget *parent = nullptr);

    int page() const;
    void OKBtnClick();
    void FNButtonClick();
    void AnchorButtonClick();

    QStackedWidget *Notebook;
    // Page 0
    QGroupBox *MakeAnchorGroup;
    QListWidget *AnchorList;
    QToolButton *AnchorButton;
    QLineEdit *AnchorEdit;
    // Page 1
    QGroupBox *LinkToAnchorGroup;
    QListWidget *AnchorList2;
    QLineEdit *AnchorDesEdit;
    QCheckBox *LinkToAnchorDefineTargetChkBox;
    QComboBox *LinkToAnchorDefineTargetEdit;
    // Page 2
    QLineEdit *FNEdit;
    QPushButton *FNButton;
    QLineEdit *FNDesEdit;
    QCheckBox *FNDefineTargetChkBox;
    QComboBox *FNDefineTargetEdit;
    // Page 3
    QLineEdit *URLEdit;
    QPushButton *URLButton;
    QLineEdit *URLDesEdit;
    QCheckBox *URLDefineTargetChkBox;
    QComboBox *URLDefineTargetEdit;

    QPushButton *OKBtn, *CancelBtn;

private:
    QString description(const QLineEdit *edit) const;
    static QString target(const QCheckBox *box, const QComboBox *edit);

    TextDocument &m_document;
    QString m_selection;       // the document's selected text, whole
    QString m_shownSelection;  // what a description edit shows of it
};

// The window captions of the four pages.
QString LinksDlgCaption(int page);
