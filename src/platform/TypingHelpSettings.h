#pragma once

#include <QtGlobal>

class SettingsStore;

// Help while typing markup, each part on by default ([Typing] in the store).
struct TypingHelpSettings
{
    bool CloseTags = true;       // typing a start tag's '>' writes its end tag
    bool MatchTags = true;       // marks the tag matching the one at the caret
    bool CompleteNames = true;   // lists of element, attribute, entity and file names
    bool UpperCaseNames = true;  // names completed in upper case, as the generators write
    // Colours of the marks, $00BBGGRR.
    quint32 MatchColor = 0x0000C000;    // green: the two tags of an element
    quint32 NoMatchColor = 0x000000FF;  // red: a tag without its partner
};

void LoadTypingHelpSettings(const SettingsStore &store, TypingHelpSettings &settings);
void SaveTypingHelpSettings(SettingsStore &store, const TypingHelpSettings &settings);
