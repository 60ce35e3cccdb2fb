#include "app/ChildWin.h"
#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "app/Preview.h"
#include "PreviewRecordingBridge.h"
#include "support/QuietMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
struct Case
{
    QStringList arguments;
    const char *startsWith;  // empty: the arguments are all file names
};
}  // namespace

TEST(CommandLineTest, OnlyTheExactLongOptionsAreAnswered)
{
    const Case cases[] = {
        {{}, ""},
        {{"page.html", "site.tlp"}, ""},
        {{"--version"}, "Tagloom 1.5\n"},
        {{"--help"}, "Usage: tagloom [FILE]..."},
        {{"page.html", "--version"}, "Tagloom 1.5\n"},
        // The first option decides, as in GNU programs.
        {{"--help", "--version"}, "Usage: tagloom"},
        {{"--version", "--help"}, "Tagloom 1.5\n"},
        // Anything else may be a file the user wants opened.
        {{"-v"}, ""},
        {{"-h"}, ""},
        {{"--Version"}, ""},
        {{"--version=1"}, ""},
        {{"./--help"}, ""},
        // "--" ends the options: what follows is a file name whatever it looks like.
        {{"--", "--help"}, ""},
        {{"--", "--version"}, ""},
        {{"--incognito.html"}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const QString info = CommandLineInfo(c.arguments, "1.5");
        if (*c.startsWith == 0)
            EXPECT_TRUE(info.isEmpty()) << info.toStdString();
        else
            EXPECT_TRUE(info.startsWith(QString::fromUtf8(c.startsWith))) << info.toStdString();
    }
}

TEST(CommandLineTest, VersionNamesTheLicence)
{
    EXPECT_TRUE(CommandLineInfo({"--version"}, "1.5").contains("GPL-3.0-or-later"));
}

TEST(CommandLineTest, FileNamesAreMadeAbsoluteAndTheFirstDoubleDashDropped)
{
    const QString here = QDir::currentPath();
    struct Case
    {
        QStringList arguments;
        QStringList files;
    };
    const Case cases[] = {
        {{"page.html"}, {here + "/page.html"}},
        {{"/abs/page.html", "sub/../b.htm"}, {"/abs/page.html", here + "/b.htm"}},
        {{"--incognito.html"}, {here + "/--incognito.html"}},
        {{"--", "--", "-x.html"}, {here + "/--", here + "/-x.html"}},
        {{""}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        EXPECT_EQ(CommandLineFiles(c.arguments), c.files);
    }
}

// A page named like a browser option, opened as "tagloom --incognito.html" from
// its folder and previewed after the program's folder changed: the browser gets
// the page's absolute name, never something it reads as an option.
TEST(CommandLineTest, APageNamedLikeAnOptionReachesTheBrowserAsItsAbsoluteName)
{
    QuietMainWindowStore quiet;
    QTemporaryDir pages;
    const QString page = QDir(QFileInfo(pages.path()).canonicalFilePath()).filePath("--incognito.html");
    ASSERT_TRUE(writeFileBytes(page, "<p>private</p>"));
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QFileInfo(page).absolutePath()));
    const QStringList arguments{"--incognito.html"};
    EXPECT_TRUE(CommandLineInfo(arguments, "1.5").isEmpty());
    const QStringList files = CommandLineFiles(arguments);
    ASSERT_TRUE(QDir::setCurrent(started));  // the folder a later run starts in

    ScriptedPrompts prompts;
    RecordingBridge bridge;
    TMainForm form(&quiet.store, QStringList());
    form.openCommandLine(files);
    ASSERT_EQ(form.documents().list().size(), 1);
    TMDIChild *doc = form.documents().list()[0];
    EXPECT_EQ(doc->DocumentFileName, page);
    struct Viewer
    {
        int type;
        const char *path;
        QString expected;  // the call that carries the page
    };
    const Viewer viewers[] = {
        {0, "/usr/bin/iexplore", "request \"file:" + page + "\",,-1,,,,, 10000"},
        {1, "/usr/bin/firefox", "request " + page + ",,0xFFFFFFFF,0x3,,, 10000"},
        {2, "/usr/bin/chromium", "run /usr/bin/chromium|" + page},
        {3, "", "open " + page},
    };
    for (const Viewer &v : viewers) {
        SCOPED_TRACE(v.type);
        AppSettings().ViewerType = quint8(v.type);
        AppSettings().ViewerFileName = QString::fromUtf8(v.path);
        bridge.calls.clear();
        PreviewDocument(*doc);
        EXPECT_TRUE(bridge.calls.contains(v.expected)) << bridge.calls.join('\n').toStdString();
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
    doc->Modified = false;
}
