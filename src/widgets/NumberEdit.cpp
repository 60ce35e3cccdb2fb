#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QRegularExpressionValidator>

#include <algorithm>

NumberEdit::NumberEdit(QWidget *parent) : QLineEdit(parent)
{
    // Digits with an optional sign; the range is applied when the value is read
    // or the field is left, so typing is never blocked half-way.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[+-]?[0-9]{0,9}")), this));
    connect(this, &QLineEdit::editingFinished, this, &NumberEdit::clampShown);
}

void NumberEdit::setRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = qMax(minimum, maximum);
    clampShown();
}

int NumberEdit::maximum() const
{
    const int top = m_percent && m_percent->isChecked() ? qMin(m_max, 100) : m_max;
    return qMax(m_min, top);
}

void NumberEdit::setPercentBox(QCheckBox *box)
{
    m_percent = box;
}

int NumberEdit::value(int fallback) const
{
    bool ok = false;
    const qlonglong raw = text().trimmed().toLongLong(&ok);
    if (!ok)
        return fallback;
    return int(std::clamp<qlonglong>(raw, m_min, maximum()));
}

void NumberEdit::setValue(int value)
{
    setText(QString::number(qBound(m_min, value, m_max)));
}

QString NumberEdit::valueText() const
{
    if (isEmpty())
        return QString();
    bool ok = false;
    text().trimmed().toLongLong(&ok);
    return ok ? QString::number(value()) : QString();
}

void NumberEdit::clampShown()
{
    // Only the field's own range: the percent limit applies to what is written,
    // so a width of 640 survives a check and uncheck of "In percent".
    if (isEmpty())
        return;
    bool ok = false;
    const qlonglong raw = text().trimmed().toLongLong(&ok);
    const QString shown = ok ? QString::number(std::clamp<qlonglong>(raw, m_min, m_max)) : QString();
    if (shown != text())
        setText(shown);
}
