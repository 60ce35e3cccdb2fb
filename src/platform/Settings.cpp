#include "platform/Settings.h"

#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {
const QString Viewers = QStringLiteral("Viewers");
const QString Misc = QStringLiteral("Misc");
const QString Files = QStringLiteral("Files");
const QString Display = QStringLiteral("Display");
const QString View = QStringLiteral("View");
const QString Check = QStringLiteral("Check");

quint8 readByte(const SettingsStore &store, const QString &section, const QString &name, quint8 def)
{
    // One-byte settings keep the low eight bits of whatever number is stored.
    return quint8(store.readInteger(section, name, def) & 0xFF);
}
}  // namespace

Settings &AppSettings()
{
    static Settings settings;
    return settings;
}

QFont &SharedEditorFont()
{
    static QFont font;
    return font;
}

void LoadSettings(const SettingsStore &store, Settings &s)
{
    s.ViewerType = readByte(store, Viewers, QStringLiteral("Viewer type"), 0);
    s.ViewerFileName =
        store.readString(Viewers, QStringLiteral("Viewer File Name"), QString()).left(SettingLimits::Path);
    s.InsertBROnEnter = store.readBool(Misc, QStringLiteral("Insert <BR> when Enter is pressed"), false);
    s.InsertStructureOnNew = store.readBool(
        Misc, QStringLiteral("Insert all document structure tags when opening a new document"), true);
    s.ShowStatusBar = store.readBool(Misc, QStringLiteral("Show Status Bar"), true);
    s.DefaultExt =
        store.readString(Files, QStringLiteral("Default Ext"), QStringLiteral("html")).left(SettingLimits::DefaultExt);
    s.NewLinkImage =
        store.readString(Misc, QStringLiteral("New Link Image"), QString()).left(SettingLimits::NewLinkText);
    s.NewLinkAltText =
        store.readString(Misc, QStringLiteral("New Link Alt Text"), QString()).left(SettingLimits::NewLinkText);
    s.NewLinkImageAlignment = store.readString(Misc, QStringLiteral("New Link Image Alignment"), QStringLiteral("LEFT"))
                                  .left(SettingLimits::NewLinkAlignment);
    s.ShowSplash = store.readBool(Misc, QStringLiteral("Show splash screen"), true);
    s.SplashSeconds = readByte(store, Misc, QStringLiteral("Splash screen seconds"), 1);
    s.ProjectPanelAlignment = readByte(store, Misc, QStringLiteral("Project panel alignment"), 0);
    s.ProjectVisible = store.readBool(Misc, QStringLiteral("Project visibility"), true);
    s.LastProject = store.readString(Files, QStringLiteral("Last project"), QString());
    s.ColorTags = store.readBool(Misc, QStringLiteral("Color tags"), true);
    s.EditorFontName =
        store.readString(Display, QStringLiteral("Font name"), QStringLiteral("Arial")).left(SettingLimits::FontName);
    s.EditorFontSize = int(store.readInteger(Display, QStringLiteral("Font size"), 10));
    s.EditorFontStyles = store.readString(Display, QStringLiteral("Font styles"), QString());
    s.LineNumbers = store.readBool(View, QStringLiteral("Line numbers"), true);
    s.WhitespaceAndLineEnds = store.readBool(View, QStringLiteral("Whitespace and line ends"), false);
    s.CurrentLineBackground = store.readBool(View, QStringLiteral("Current line background"), true);
    s.CheckReportsObsolete = store.readBool(Check, QStringLiteral("Report obsolete elements"), true);
    s.Zoom = int(std::clamp<qint64>(store.readInteger(View, QStringLiteral("Zoom"), 0), SettingLimits::MinZoom,
                                    SettingLimits::MaxZoom));
    LoadTypingHelpSettings(store, s.Typing);
}

void SaveSettings(SettingsStore &store, const Settings &s)
{
    store.writeInteger(Viewers, QStringLiteral("Viewer type"), s.ViewerType);
    store.writeString(Viewers, QStringLiteral("Viewer File Name"), s.ViewerFileName);
    store.writeBool(Misc, QStringLiteral("Insert <BR> when Enter is pressed"), s.InsertBROnEnter);
    store.writeBool(Misc, QStringLiteral("Insert all document structure tags when opening a new document"),
                    s.InsertStructureOnNew);
    store.writeBool(Misc, QStringLiteral("Show Status Bar"), s.ShowStatusBar);
    store.writeString(Files, QStringLiteral("Default Ext"), s.DefaultExt);
    store.writeBool(Misc, QStringLiteral("Show splash screen"), s.ShowSplash);
    store.writeInteger(Misc, QStringLiteral("Splash screen seconds"), s.SplashSeconds);
    store.writeInteger(Misc, QStringLiteral("Project panel alignment"), s.ProjectPanelAlignment);
    store.writeBool(Misc, QStringLiteral("Project visibility"), s.ProjectVisible);
    store.writeString(Files, QStringLiteral("Last project"), s.LastProject);
    store.writeBool(Misc, QStringLiteral("Color tags"), s.ColorTags);
    store.writeString(Display, QStringLiteral("Font name"), s.EditorFontName);
    store.writeInteger(Display, QStringLiteral("Font size"), s.EditorFontSize);
    store.writeString(Display, QStringLiteral("Font styles"), s.EditorFontStyles);
    store.writeBool(View, QStringLiteral("Line numbers"), s.LineNumbers);
    store.writeBool(View, QStringLiteral("Whitespace and line ends"), s.WhitespaceAndLineEnds);
    store.writeBool(View, QStringLiteral("Current line background"), s.CurrentLineBackground);
    store.writeBool(Check, QStringLiteral("Report obsolete elements"), s.CheckReportsObsolete);
    store.writeInteger(View, QStringLiteral("Zoom"), s.Zoom);
    SaveTypingHelpSettings(store, s.Typing);
    store.sync();
}

void SaveNewLinkSettings(SettingsStore &store, const Settings &s)
{
    store.writeString(Misc, QStringLiteral("New Link Image"), s.NewLinkImage);
    store.writeString(Misc, QStringLiteral("New Link Alt Text"), s.NewLinkAltText);
    store.writeString(Misc, QStringLiteral("New Link Image Alignment"), s.NewLinkImageAlignment);
    store.sync();
}

quint32 ParseFontText(const QString &text, QFont &font)
{
    font = QFont();
    font.setFamily(QString());
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    quint32 colour = 0;
    const QStringList fields = text.split(QLatin1Char(','));
    if (!fields.value(0).isEmpty())
        font.setFamily(fields.value(0));
    const QString size = fields.value(1);
    if (!size.isEmpty()) {
        qint64 points = 0;
        if (SettingsStore::parseInteger(size, &points) && points > 0 && points <= 1638)
            font.setPointSize(int(points));
    }
    const QString styles = fields.value(2);
    font.setBold(styles.contains(QLatin1String("Bold")));
    font.setItalic(styles.contains(QLatin1String("Italic")));
    font.setUnderline(styles.contains(QLatin1String("Underline")));
    font.setStrikeOut(styles.contains(QLatin1String("Strikeout")));
    const QString col = fields.value(3);
    if (!col.isEmpty()) {
        qint64 c = 0;
        if (SettingsStore::parseInteger(col, &c))
            colour = quint32(c);
    }
    return colour;
}

QFont EditorFontFromSettings(const Settings &s)
{
    // The store keeps the style as letters; they are turned into the words the
    // font text understands, so a font chosen once comes back after a restart.
    QString words;
    if (s.EditorFontStyles.contains(QLatin1Char('b')))
        words += QLatin1String("Bold ");
    if (s.EditorFontStyles.contains(QLatin1Char('i')))
        words += QLatin1String("Italic ");
    if (s.EditorFontStyles.contains(QLatin1Char('u')))
        words += QLatin1String("Underline ");
    if (s.EditorFontStyles.contains(QLatin1Char('s')))
        words += QLatin1String("Strikeout");
    QFont font;
    ParseFontText(s.EditorFontName + QLatin1Char(',') + QString::number(s.EditorFontSize) + QLatin1Char(',') + words
                      + QLatin1String(",,"),
                  font);
    return font;
}

QString FontStyleLetters(const QFont &font)
{
    QString letters;
    if (font.bold())
        letters += QLatin1Char('b');
    if (font.italic())
        letters += QLatin1Char('i');
    if (font.underline())
        letters += QLatin1Char('u');
    if (font.strikeOut())
        letters += QLatin1Char('s');
    return letters;
}

// Where an installed program's shipped data files are, seen from its bin folder;
// the build passes its own install layout.
#ifndef TAGLOOM_SHARE_FROM_BIN
#define TAGLOOM_SHARE_FROM_BIN "../share/tagloom"
#endif

QString ShippedDataFolder(const QString &programFolder)
{
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/" TAGLOOM_SHARE_FROM_BIN));
    return QFileInfo(installed).isDir() ? installed : QDir::cleanPath(programFolder);
}

QString ResolveDataFolder(const QString &programFolder, const QString &userFolder)
{
    const QString program = QDir::cleanPath(programFolder);
    const QString shipped = ShippedDataFolder(program);
    // A build folder or a portable copy keeps its data files beside the program.
    if (shipped == program && QFileInfo(program).isWritable())
        return program + QLatin1Char('/');
    // Installed, or in a read-only folder: the user edits a copy of the shipped files.
    if (!QDir().mkpath(userFolder))
        return shipped + QLatin1Char('/');  // the rules can still be read; writes will say they failed
    for (const QString &name : {QStringLiteral("Tagloom.colors"), QStringLiteral("Tagloom.js"),
                                QStringLiteral("Tagloom.HotKeys"), QStringLiteral("Tagloom.pm")}) {
        const QString source = shipped + QLatin1Char('/') + name;
        const QString target = userFolder + QLatin1Char('/') + name;
        if (QFileInfo::exists(target) || !QFileInfo(source).isFile())
            continue;
        // Files installed read-only would stay read-only in the copy, and the user's edits would fail.
        if (QFile::copy(source, target))
            QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return QDir::cleanPath(userFolder) + QLatin1Char('/');
}

QString DataFolder()
{
    static QString folder;
    const QByteArray override = qgetenv("TAGLOOM_DATA_FOLDER");
    if (!override.isEmpty()) {
        const QString f = QDir(QString::fromLocal8Bit(override)).absolutePath();
        QDir().mkpath(f);
        return f + QLatin1Char('/');
    }
    if (folder.isEmpty())
        folder = ResolveDataFolder(QCoreApplication::applicationDirPath(),
                                   QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return folder;
}

QString JavaScriptFileName()
{
    return DataFolder() + QStringLiteral("Tagloom.js");
}
QString HotKeysFileName()
{
    return (DataFolder() + QStringLiteral("Tagloom.HotKeys")).left(255);
}
QString PrivateMenuFileName()
{
    return DataFolder() + QStringLiteral("Tagloom.pm");
}
QString ColorRulesFileName()
{
    return DataFolder() + QStringLiteral("Tagloom.colors");
}
