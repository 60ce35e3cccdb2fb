#include "platform/Settings.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class SettingsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString ini() const { return dir.filePath("store.ini"); }
};
}  // namespace

TEST_F(SettingsTest, EmptyStoreGivesFirstRunDefaults)
{
    SettingsStore store(ini());
    Settings s;
    s.ViewerType = 9;
    s.DefaultExt = "x";
    LoadSettings(store, s);
    EXPECT_EQ(s.ViewerType, 0);
    EXPECT_TRUE(s.ViewerFileName.isEmpty());
    EXPECT_TRUE(s.InsertStructureOnNew);
    EXPECT_FALSE(s.InsertBROnEnter);
    EXPECT_TRUE(s.ShowStatusBar);
    EXPECT_TRUE(s.ShowSplash);
    EXPECT_EQ(s.SplashSeconds, 1);
    EXPECT_EQ(s.ProjectPanelAlignment, 0);
    EXPECT_TRUE(s.ProjectVisible);
    EXPECT_EQ(s.EditorFontName, "Arial");
    EXPECT_EQ(s.EditorFontSize, 10);
    EXPECT_TRUE(s.EditorFontStyles.isEmpty());
    EXPECT_EQ(s.DefaultExt, "html");
    EXPECT_EQ(s.NewLinkImageAlignment, "LEFT");
}

TEST_F(SettingsTest, IntegerTextsFollowTheStoreRules)
{
    qint64 v = -1;
    EXPECT_TRUE(SettingsStore::parseInteger("0x10", &v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(SettingsStore::parseInteger("0XfF", &v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(SettingsStore::parseInteger("-12", &v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(SettingsStore::parseInteger("0xFFFFFFFF", &v));
    EXPECT_EQ(v, -1);
    for (const char *bad : {"", "0x", "0X", "abc", "12abc", "0x1G", "99999999999", "0x100000000", "1.5", "$10"})
        EXPECT_FALSE(SettingsStore::parseInteger(QString::fromLatin1(bad), &v)) << bad;
}

TEST_F(SettingsTest, GarbageInTheStoreGivesDocumentedValues)
{
    {
        SettingsStore store(ini());
        store.writeString("Display", "Font size", "0x10");
        store.writeString("Misc", "Splash screen seconds", "300");
        store.writeString("Misc", "Project panel alignment", "7");
        store.writeString("Files", "Default Ext", "shtml");
        store.writeString("Viewers", "Viewer type", "words");
        store.writeString("Misc", "Show Status Bar", "2");
        store.writeString("Misc", "Show splash screen", "");
        store.writeString("Misc", "Project visibility", "0x0");
        store.writeString("Display", "Font name", QString(40, 'F'));
        store.writeString("Misc", "New Link Image Alignment", QString(25, 'A'));
        store.writeString("Viewers", "Viewer File Name", QString(300, 'p'));
        store.sync();
    }
    SettingsStore store(ini());
    Settings s;
    LoadSettings(store, s);
    EXPECT_EQ(s.EditorFontSize, 16);
    EXPECT_EQ(s.SplashSeconds, 44);  // low eight bits of 300
    EXPECT_EQ(s.ProjectPanelAlignment, 7);
    EXPECT_EQ(s.DefaultExt, "shtm");
    EXPECT_EQ(s.ViewerType, 0);
    EXPECT_TRUE(s.ShowStatusBar);
    EXPECT_TRUE(s.ShowSplash);
    EXPECT_FALSE(s.ProjectVisible);
    EXPECT_EQ(s.EditorFontName.size(), 32);
    EXPECT_EQ(s.NewLinkImageAlignment.size(), 20);
    EXPECT_EQ(s.ViewerFileName.size(), 255);

    // What was read is written back as it was held, "7" included.
    SaveSettings(store, s);
    EXPECT_EQ(store.readString("Misc", "Project panel alignment", ""), "7");
    EXPECT_EQ(store.readString("Misc", "Show Status Bar", ""), "1");
    EXPECT_EQ(store.readString("Misc", "Project visibility", ""), "0");
    EXPECT_EQ(store.readString("Display", "Font size", ""), "16");
}

TEST_F(SettingsTest, SaveWritesEverythingButTheNewLinkValues)
{
    SettingsStore store(ini());
    Settings s;
    s.ViewerType = 3;
    s.ViewerFileName = "/usr/bin/chromium";
    s.EditorFontStyles = "bi";
    s.LastProject = "/home/me/site.tlp";
    s.NewLinkImage = "new.gif";
    SaveSettings(store, s);
    EXPECT_FALSE(store.hasValue("Misc", "New Link Image"));
    Settings back;
    LoadSettings(store, back);
    EXPECT_EQ(back.ViewerType, 3);
    EXPECT_EQ(back.ViewerFileName, "/usr/bin/chromium");
    EXPECT_EQ(back.EditorFontStyles, "bi");
    EXPECT_EQ(back.LastProject, "/home/me/site.tlp");
    SaveNewLinkSettings(store, s);
    EXPECT_EQ(store.readString("Misc", "New Link Image", ""), "new.gif");
    // Names with slashes stay one value, not a nested group.
    EXPECT_EQ(store.readBool("Misc", "Insert <BR> when Enter is pressed", true), false);
}

TEST_F(SettingsTest, FontTextAndStyleLetters)
{
    QFont f;
    EXPECT_EQ(ParseFontText("Courier New,12,BoldItalic,255", f), 255u);
    EXPECT_EQ(f.family(), "Courier New");
    EXPECT_EQ(f.pointSize(), 12);
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.italic());
    EXPECT_FALSE(f.underline());
    EXPECT_EQ(ParseFontText("Arial,,bold,,", f), 0u);  // style words are case-sensitive
    EXPECT_FALSE(f.bold());
    EXPECT_EQ(ParseFontText("", f), 0u);

    Settings s;
    s.EditorFontStyles = "bus";
    const QFont start = EditorFontFromSettings(s);
    EXPECT_TRUE(start.bold());
    EXPECT_FALSE(start.italic());
    EXPECT_TRUE(start.underline());
    EXPECT_TRUE(start.strikeOut());
    EXPECT_EQ(FontStyleLetters(start), "bus");
}

TEST_F(SettingsTest, DataFilesLiveInTheDataFolder)
{
    EXPECT_TRUE(DataFolder().endsWith('/'));
    EXPECT_EQ(ColorRulesFileName(), DataFolder() + "Tagloom.colors");
    EXPECT_EQ(HotKeysFileName(), DataFolder() + "Tagloom.HotKeys");
    EXPECT_EQ(PrivateMenuFileName(), DataFolder() + "Tagloom.pm");
    EXPECT_EQ(JavaScriptFileName(), DataFolder() + "Tagloom.js");
}

TEST_F(SettingsTest, HandEditedValuesWithCommasStayWhole)
{
    {
        QFile f(ini());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Viewers]\nViewer%20File%20Name=/usr/bin/chromium --window-size=900,600\nViewer%20type=2\n");
    }
    SettingsStore store(ini());
    EXPECT_EQ(store.readString("Viewers", "Viewer File Name", ""), "/usr/bin/chromium --window-size=900,600");
    EXPECT_EQ(store.readInteger("Viewers", "Viewer type", 0), 2);
}

TEST_F(SettingsTest, UserStoreIsTheDocumentedKey)
{
    const SettingsStore store;
#ifdef Q_OS_WIN
    // Software\Tagloom itself, where existing settings live.
    EXPECT_EQ(store.location().toLower(), QStringLiteral("\\hkey_current_user\\software\\tagloom"));
#else
    EXPECT_EQ(store.location(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                    + QStringLiteral("/Tagloom/Tagloom.conf"));
#endif
}

TEST_F(SettingsTest, ViewOptionsHaveTheirDefaultsRoundTripAndAZoomOutOfRangeIsClamped)
{
    SettingsStore store(ini());
    Settings first;
    LoadSettings(store, first);
    EXPECT_TRUE(first.LineNumbers);
    EXPECT_FALSE(first.WhitespaceAndLineEnds);
    EXPECT_TRUE(first.CurrentLineBackground);
    EXPECT_EQ(first.Zoom, 0);

    Settings s;
    s.LineNumbers = false;
    s.WhitespaceAndLineEnds = true;
    s.CurrentLineBackground = false;
    s.Zoom = -3;
    SaveSettings(store, s);
    Settings back;
    LoadSettings(store, back);
    EXPECT_FALSE(back.LineNumbers);
    EXPECT_TRUE(back.WhitespaceAndLineEnds);
    EXPECT_FALSE(back.CurrentLineBackground);
    EXPECT_EQ(back.Zoom, -3);

    // A hand-edited zoom the editor control cannot take is held to its limits.
    const struct
    {
        const char *text;
        int zoom;
    } cases[] = {{"99", 20}, {"-50", -10}, {"0x4", 4}, {"big", 0}};
    for (const auto &c : cases) {
        store.writeString("View", "Zoom", c.text);
        LoadSettings(store, back);
        EXPECT_EQ(back.Zoom, c.zoom) << c.text;
    }
}
