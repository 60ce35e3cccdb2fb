#pragma once

#include <QColor>
#include <QPushButton>

// Shows a colour swatch; a click asks for another colour through the prompts.
// A cancelled choice keeps the colour it had. The button may hold no colour at
// all (an attribute that is not written).
class ColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit ColorButton(QWidget *parent = nullptr);

    bool hasColor() const { return m_color.isValid(); }
    // Invalid when the button holds no colour.
    QColor color() const { return m_color; }
    // An invalid colour empties the button.
    void setColor(const QColor &color);
    void clearColor() { setColor(QColor()); }

    // The colour as a $00BBGGRR reference (red in the lowest byte); 0 when empty.
    quint32 colorRef() const;
    void setColorRef(quint32 colorRef);

    // Asks for a colour, starting from the current one (white when empty).
    void pick();

signals:
    void colorChanged(const QColor &color);

private:
    QColor m_color;
};
