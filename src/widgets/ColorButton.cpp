#include "widgets/ColorButton.h"

#include "platform/Prompts.h"

#include <QPixmap>

ColorButton::ColorButton(QWidget *parent) : QPushButton(parent)
{
    setColor(QColor());
    connect(this, &QPushButton::clicked, this, &ColorButton::pick);
}

void ColorButton::setColor(const QColor &color)
{
    const QColor next = color.isValid() ? color.toRgb() : QColor();
    QPixmap swatch(40, 14);
    if (next.isValid()) {
        swatch.fill(next);
    } else {
        // An empty button shows an outline only, so "no colour" is not mistaken for white.
        swatch.fill(Qt::transparent);
    }
    setIcon(swatch);
    setIconSize(swatch.size());
    if (next == m_color && next.isValid() == m_color.isValid())
        return;
    m_color = next;
    emit colorChanged(m_color);
}

quint32 ColorButton::colorRef() const
{
    if (!m_color.isValid())
        return 0;
    return quint32(m_color.red()) | quint32(m_color.green()) << 8 | quint32(m_color.blue()) << 16;
}

void ColorButton::setColorRef(quint32 colorRef)
{
    setColor(QColor(int(colorRef & 0xFF), int(colorRef >> 8 & 0xFF), int(colorRef >> 16 & 0xFF)));
}

void ColorButton::pick()
{
    const QColor chosen = Prompts::instance().askColor(this, m_color.isValid() ? m_color : QColor(Qt::white));
    if (chosen.isValid())
        setColor(chosen);
}
