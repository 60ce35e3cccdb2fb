#pragma once

#include "tags/FramesMarkup.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class NumberEdit;
class RadioGroup;
class TextDocument;

// "Frames": the frame set, a single frame, or one column or row size. Opened on
// one page; the others stay hidden. A dialog in collecting mode is the one the
// frame set page opens for "Add C&ol" and "A&dd Row": its OK only hands the size
// back to the opener, which appends it to its field.
class TFramesDlg : public QDialog
{
    Q_OBJECT
public:
    enum Page { SizePage = 0, FramePage = 1, FrameSetPage = 2 };
    enum Mode { Writing, Collecting };

    explicit TFramesDlg(Page page, Mode mode = Writing, QWidget *parent = nullptr);

    Page page() const { return m_page; }
    Mode mode() const { return m_mode; }
    QTabWidget *pages() const { return m_pages; }
    // The named values of the page shown; "src" as typed, not yet made relative.
    NameValueList values() const;
    // The size as the size page shows it ("30%", "120", "*").
    QString sizeText() const;

private:
    void addSize(QLineEdit *field, const QString &caption);
    void SRCButtonClick();
    void updateEnabled();

    Page m_page;
    Mode m_mode;
    QTabWidget *m_pages;
    // size page
    RadioGroup *ValueTypeGroup;
    QLabel *ValueLabel;
    NumberEdit *ValueEdit;
    // frame page
    QLineEdit *NameEdit;
    QLineEdit *SRCEdit;
    QCheckBox *NoResizeChkBox;
    QCheckBox *MerginWidthChkBox;
    NumberEdit *MerginWidthEdit;
    QCheckBox *MerginHeightChkBox;
    NumberEdit *MerginHeightEdit;
    RadioGroup *ScrollingGroup;
    // frame set page
    RadioGroup *FrameSet_DivideToGroup;
    QLabel *FrameSet_ColsLabel;
    QLineEdit *FrameSet_ColsEdit;
    QPushButton *FrameSet_ColsButton;
    QLabel *FrameSet_RowsLabel;
    QLineEdit *FrameSet_RowsEdit;
    QPushButton *FrameSet_RowsButton;
    NumberEdit *FrameSet_BorderEdit;
};

// The commands of the "F&rames" submenu. Each dialog command writes once on OK
// and nothing on Cancel; the frame source is made relative (which may ask to
// save the document) before anything is written.
void FrameSet1Click(TextDocument &document);
void FrameCol1Click(TextDocument &document);
void Frame1Click(TextDocument &document);
// "<NOFRAMES>" and "</NOFRAMES>" around the selection, the caret between them when nothing is selected.
void NoFrames1Click(TextDocument &document);
