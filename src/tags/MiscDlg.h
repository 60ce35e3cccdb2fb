#pragma once

#include "tags/MiscMarkup.h"

#include <QDialog>

class QCheckBox;
class QTabWidget;
class NumberEdit;
class RadioGroup;
class TextDocument;

// "Attributes": one page each for DIV/P alignment, the line break and the
// horizontal rule. A command opens it on its own page; the others stay hidden.
class TMiscDlg : public QDialog
{
    Q_OBJECT
public:
    // Page numbers as the document window knows them (the line break is page 1).
    enum Page { AlignmentPage = 0, LineBreakPage = 1, HorizontalRulePage = 2 };

    explicit TMiscDlg(Page page, QWidget *parent = nullptr);

    Page page() const { return m_page; }
    QTabWidget *pages() const { return m_pages; }
    int alignment() const;
    int clearType() const;
    HorizontalRuleValues rule() const;

private:
    Page m_page;
    QTabWidget *m_pages;
    RadioGroup *AlignmentGroup;
    RadioGroup *BRClearTypeGroup;
    QCheckBox *HR_SizeChkBox;
    NumberEdit *HR_SizeEdit;
    QCheckBox *HR_WidthChkBox;
    NumberEdit *HR_WidthEdit;
    QCheckBox *HR_Width_InPercentChkBox;
    RadioGroup *HR_AlignGroup;
};

// The element's start and end texts around the selection, aligned as chosen.
void Div1Click(TextDocument &document);
void Paragraph1Click(TextDocument &document);
// The rule at the caret, or in front of the selection.
void HorizontalRule1Click(TextDocument &document);

// Enter asked for a line break element. lineBreakTyped says whether the key also
// typed a CR LF just before the caret: only then is that CR LF replaced by the
// element and its line break; otherwise the element goes in at the caret and
// nothing already in the document is removed. Cancel writes nothing.
void LineBreakDialog(TextDocument &document, bool lineBreakTyped);
