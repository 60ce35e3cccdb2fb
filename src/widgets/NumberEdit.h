#pragma once

#include <QLineEdit>
#include <QPointer>

class QCheckBox;

// A field for an optional whole number within a range. It may be left empty
// (the attribute is then not written). While its "In percent" box is checked
// the value given back stops at 100, but the field keeps what was typed, so
// checking the box and unchecking it again gives the typed number back.
class NumberEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumberEdit(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_min; }
    int maximum() const;

    // The percent box; it limits the value given back, not the text shown.
    void setPercentBox(QCheckBox *box);

    bool isEmpty() const { return text().trimmed().isEmpty(); }
    // The value clamped to the range (and to 100 while in percent); fallback
    // when empty or not a number.
    int value(int fallback = 0) const;
    void setValue(int value);
    // The clamped value as decimal text, or empty when the field is empty.
    QString valueText() const;

private:
    void clampShown();

    int m_min = 0;
    int m_max = 99999;
    QPointer<QCheckBox> m_percent;
};
