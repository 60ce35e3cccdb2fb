#pragma once

#include <QFont>

struct Settings;
struct FontChoiceValues;
class TMDIChild;

// Applies a font choice to the editor font: a defined face and point size
// replace the font's, the styles are set exactly as chosen, the colour is not
// used. The settings take the resulting face (its first 32 characters), size
// and style letters.
void ApplyFontChoice(const FontChoiceValues &choice, QFont &font, Settings &settings);

// "Change F&ont...": the font dialog; on OK the shared editor font changes, the
// window's editor takes it at once, every other window when it is next activated.
void ChangeFont1Click(TMDIChild &document);
