#include "editor/ColorText.h"

#include <QString>

TColor HexToColor(QByteArrayView hex, QByteArrayView highByte)
{
    Q_UNUSED(highByte);
    return ParseRuleColor(hex) & 0x00FFFFFF;
}

QByteArray RuleColorToHex(TColor color)
{
    return QString::asprintf("%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF).toLatin1();
}

TColor ColorRefFromQColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    return TColor(qRed(rgb)) | TColor(qGreen(rgb)) << 8 | TColor(qBlue(rgb)) << 16;
}

QColor QColorFromColorRef(TColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}
