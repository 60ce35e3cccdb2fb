#pragma once

#include "platform/TypingHelpSettings.h"

#include <QFont>
#include <QString>

class SettingsStore;

// Every setting the program keeps between runs, read once at start-up and
// written at a completed shutdown.
struct Settings
{
    quint8 ViewerType = 0;
    QString ViewerFileName;
    bool InsertBROnEnter = false;
    bool InsertStructureOnNew = true;
    bool ShowStatusBar = true;
    QString DefaultExt = QStringLiteral("html");
    QString NewLinkImage;
    QString NewLinkAltText;
    QString NewLinkImageAlignment = QStringLiteral("LEFT");
    bool ShowSplash = true;
    quint8 SplashSeconds = 1;
    quint8 ProjectPanelAlignment = 0;
    bool ProjectVisible = true;
    QString LastProject;
    bool ColorTags = true;
    QString EditorFontName = QStringLiteral("Arial");
    int EditorFontSize = 10;
    QString EditorFontStyles;
    // How the editors show the text (View menu).
    bool LineNumbers = true;
    bool WhitespaceAndLineEnds = false;
    bool CurrentLineBackground = true;
    int Zoom = 0;  // points added to every font size, MinZoom to MaxZoom
    TypingHelpSettings Typing;
    // Check Page and Check Project name legacy elements (LAYER, FONT, ...) once per page.
    bool CheckReportsObsolete = true;
};

// Text capacities of the settings; longer texts are cut at the end.
namespace SettingLimits {
constexpr int Path = 255;
constexpr int NewLinkText = 255;
constexpr int NewLinkAlignment = 20;
constexpr int DefaultExt = 4;
constexpr int FontName = 32;
// The editor control's own zoom limits.
constexpr int MinZoom = -10;
constexpr int MaxZoom = 20;
}  // namespace SettingLimits

// The one in-memory copy of the settings that every part of the program reads.
Settings &AppSettings();
// The one font of all editors; each takes a copy when its window is activated.
QFont &SharedEditorFont();

void LoadSettings(const SettingsStore &store, Settings &settings);
// Writes every value that is written at close ("New Link" values excepted).
void SaveSettings(SettingsStore &store, const Settings &settings);
// Writes the three "New Link" values, which are stored as soon as they are confirmed.
void SaveNewLinkSettings(SettingsStore &store, const Settings &settings);

// Fills the font from "face,size,styles,colour"; returns the colour field ($00BBGGRR).
quint32 ParseFontText(const QString &text, QFont &font);
// The start-up font: the stored name, size and style letters (b, i, u, s).
QFont EditorFontFromSettings(const Settings &settings);
// The style letters of a font, in the order b, i, u, s.
QString FontStyleLetters(const QFont &font);

// The folder of the data files, with a trailing separator.
QString DataFolder();
// Where the shipped data files of a program in programFolder are: the share
// folder of an installed program, else the program's own folder.
QString ShippedDataFolder(const QString &programFolder);
// The data folder of a program in programFolder: its own folder when the data
// files live beside a writable program; otherwise userFolder, given a copy of
// each shipped data file it lacks.
QString ResolveDataFolder(const QString &programFolder, const QString &userFolder);
QString JavaScriptFileName();
QString HotKeysFileName();
QString PrivateMenuFileName();
QString ColorRulesFileName();
