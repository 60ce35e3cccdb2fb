#pragma once

#include "tags/TableMarkup.h"

#include <QString>
#include <QStringList>

// The last font accepted in the font dialog. It lives as long as the program
// and is rewritten on every OK; the font markup, the editor font and the script
// wizard read it.
struct FontChoiceValues
{
    QString FaceName;      // empty: not defined
    QString SizeText;      // as chosen or typed (see HtmlFontSize); empty: not defined
    QString ColorHex;      // RRGGBB without "#"; empty: not defined
    QString StyleLetters;  // "b", "i", "u", "s" in this order, for each style chosen

    bool operator==(const FontChoiceValues &) const = default;
};

// The program's one font choice.
FontChoiceValues &FontChoice();

// The first item of the face and size lists, which defines nothing.
QString DontDefineText();
// The size list: "Don't define", then point sizes.
QStringList FontSizeItems();

// The FONT SIZE (1 to 7) for a size text: a point size from the size list (or
// any other whole number above 7) becomes the HTML size that shows about as
// large (8 pt or less 1, 10 2, 12 3, 14 4, up to 18 5, up to 24 6, larger 7); a
// typed 1 to 7, or a relative size such as +1 or -2, stays as typed. Empty for
// anything else, which then writes no SIZE.
QString HtmlFontSize(const QString &sizeText);

// The point size a size text stands for when used as a font size: a whole
// number above 0 without a sign; 0 when it is none.
int FontPointSize(const QString &sizeText);

// "<FONT FACE=... SIZE=... COLOR=#...>" followed by the style tags, and the end
// tags in reverse order ending with "</FONT>".
TagPairTexts FontMarkup(const FontChoiceValues &choice);
