#pragma once

#include <QLineEdit>
#include <QPointer>

class QCheckBox;

// A field for an optional whole number within a range. It may be left empty
// (the attribute is then not written). While its "In percent" box is checked
// the upper bound is 100; the value shown and given back is always clamped.
class TNumberEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TNumberEdit(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_min; }
    int maximum() const;

    // The percent box; its state changes re-clamp the value.
    void setPercentBox(QCheckBox *box);

    bool isEmpty() const { return text().trimmed().isEmpty(); }
    // The clamped value; fallback when empty or not a number.
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
