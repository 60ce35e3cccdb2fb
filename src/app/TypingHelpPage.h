#pragma once

#include <QWidget>

class ColorButton;
class QCheckBox;
class QRadioButton;
struct TypingHelpSettings;

// The Options page "Typing": which parts of the typing help are on, the case
// of completed names and the colours of the matching-tag marks.
class TypingHelpPage : public QWidget
{
    Q_OBJECT
public:
    explicit TypingHelpPage(QWidget *parent = nullptr);
    void fill(const TypingHelpSettings &settings);
    void storeInto(TypingHelpSettings &settings) const;

private:
    QCheckBox *m_closeTags;
    QCheckBox *m_matchTags;
    QCheckBox *m_completeNames;
    QRadioButton *m_upper;
    QRadioButton *m_lower;
    ColorButton *m_matchColor;
    ColorButton *m_noMatchColor;
};
