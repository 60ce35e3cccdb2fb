#include "app/EditorFontCommand.h"

#include "app/ChildWin.h"
#include "objects/FontsDlg.h"
#include "platform/Settings.h"

void ApplyFontChoice(const FontChoiceValues &choice, QFont &font, Settings &settings)
{
    if (!choice.FaceName.isEmpty())
        font.setFamily(choice.FaceName);
    // Only a plain point size counts here; the settings read back no more than 1638.
    const int points = FontPointSize(choice.SizeText);
    if (points > 0 && points <= 1638)
        font.setPointSize(points);
    font.setBold(choice.StyleLetters.contains(QLatin1Char('b')));
    font.setItalic(choice.StyleLetters.contains(QLatin1Char('i')));
    font.setUnderline(choice.StyleLetters.contains(QLatin1Char('u')));
    font.setStrikeOut(choice.StyleLetters.contains(QLatin1Char('s')));

    settings.EditorFontName = font.family().left(SettingLimits::FontName);
    if (font.pointSize() > 0)
        settings.EditorFontSize = font.pointSize();
    settings.EditorFontStyles = FontStyleLetters(font);
}

void ChangeFont1Click(TMDIChild &document)
{
    if (!ChooseFontDialog(&document))
        return;
    ApplyFontChoice(FontChoice(), SharedEditorFont(), AppSettings());
    document.FormActivate();
}
