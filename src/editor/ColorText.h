#pragma once

#include "editor/ColorRules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>

// The colour a rule line's colour text stands for, as the dialog shows it.
// Written RRGGBB by the dialog; any other form the rules file accepts (a colour
// name, "#" or "$" in front) reads the same way the rules paint it. The high
// byte ("00", "01", "02") is always dropped: the result is a plain colour.
TColor HexToColor(QByteArrayView hex, QByteArrayView highByte = "00");

// Six upper-case hexadecimal digits RRGGBB of a $00BBGGRR colour.
QByteArray RuleColorToHex(TColor color);

TColor ColorRefFromQColor(const QColor &color);
QColor QColorFromColorRef(TColor color);
