#include "app/Preview.h"
#include "PreviewRecordingBridge.h"
#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "platform/Settings.h"
#include "support/ScriptedPrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString WebFile = QStringLiteral("C:\\web\\a.html");

class FakeDocument : public TextDocument
{
public:
    TColorMemo memo;
    QString fileName;
    bool modified = false;
    QString nameChosenBySaveAs;  // empty: the save dialog is cancelled
    QStringList saves;

    TColorMemo *editor() const override { return const_cast<TColorMemo *>(&memo); }
    QString documentFileName() const override { return fileName; }
    bool isModified() const override { return modified; }
    bool saveDocument(const QString &name) override
    {
        saves << QStringLiteral("save ") + name;
        fileName = name;
        modified = false;
        return true;
    }
    bool saveDocumentAs() override
    {
        saves << QStringLiteral("save as");
        return !nameChosenBySaveAs.isEmpty() && saveDocument(nameChosenBySaveAs);
    }
    QWidget *window() override { return &memo; }
};

class Preview : public ::testing::Test
{
protected:
    void SetUp() override { AppSettings() = Settings(); }
    void TearDown() override { AppSettings() = Settings(); }

    void useViewer(int type, const QString &path)
    {
        AppSettings().ViewerType = quint8(type);
        AppSettings().ViewerFileName = path;
    }

    RecordingBridge bridge;
    ScriptedPrompts prompts;
};

QStringList conversation(const QString &program, const QString &service, const QString &request)
{
    return {QStringLiteral("program ") + program,
            QStringLiteral("connect %1 WWW_Activate").arg(service),
            QStringLiteral("request 0xFFFFFFFF 10000"),
            QStringLiteral("disconnect"),
            QStringLiteral("connect %1 WWW_OpenURL").arg(service),
            QStringLiteral("request %1 10000").arg(request),
            QStringLiteral("disconnect")};
}
}  // namespace

TEST_F(Preview, InternetExplorerActivatesThenOpensTheQuotedFileUrl)
{
    useViewer(0, QStringLiteral("C:\\ie\\iexplore.exe"));
    PreviewInBrowser(WebFile);
    EXPECT_EQ(bridge.calls, conversation(QStringLiteral("C:\\ie\\iexplore.exe"), QStringLiteral("IExplore"),
                                         QStringLiteral("\"file:C:\\web\\a.html\",,-1,,,,,")));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, NetscapeGetsTheBareFileName)
{
    useViewer(1, QStringLiteral("/usr/bin/firefox"));
    PreviewInBrowser(WebFile);
    EXPECT_EQ(bridge.calls, conversation(QStringLiteral("/usr/bin/firefox"), QStringLiteral("Netscape"),
                                         QStringLiteral("C:\\web\\a.html,,0xFFFFFFFF,0x3,,,")));
}

TEST_F(Preview, StartsTheBrowserOnceWhenNoServerAnswersAndSendsNothingWhenItCannot)
{
    useViewer(0, QStringLiteral("iexplore"));
    bridge.serverRunning = false;
    PreviewInBrowser(WebFile);
    const QStringList started{QStringLiteral("program iexplore"),
                              QStringLiteral("connect IExplore WWW_Activate"),
                              QStringLiteral("start"),
                              QStringLiteral("connect IExplore WWW_Activate"),
                              QStringLiteral("request 0xFFFFFFFF 10000"),
                              QStringLiteral("disconnect"),
                              QStringLiteral("connect IExplore WWW_OpenURL"),
                              QStringLiteral("request \"file:C:\\web\\a.html\",,-1,,,,, 10000"),
                              QStringLiteral("disconnect")};
    EXPECT_EQ(bridge.calls, started);

    bridge.calls.clear();
    bridge.serverRunning = false;
    bridge.startSucceeds = false;
    PreviewInBrowser(WebFile);
    const QStringList unreachable{
        QStringLiteral("program iexplore"), QStringLiteral("connect IExplore WWW_Activate"), QStringLiteral("start"),
        QStringLiteral("disconnect"),       QStringLiteral("connect IExplore WWW_OpenURL"),  QStringLiteral("start"),
        QStringLiteral("disconnect")};
    EXPECT_EQ(bridge.calls, unreachable);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, OtherViewerRunsThePathWithTheFileName)
{
    useViewer(2, QStringLiteral("C:\\b\\view.exe"));
    PreviewInBrowser(WebFile);
    EXPECT_EQ(bridge.calls, QStringList{QStringLiteral("run C:\\b\\view.exe|C:\\web\\a.html")});
}

TEST_F(Preview, OtherViewerKeepsFileNamesWithSpacesWholeAndSplitsOptions)
{
    const QString page = QStringLiteral("/home/me/my pages/index.html");
    EXPECT_EQ(ViewerCommandLine(QStringLiteral("chromium --new-window"), page),
              (QStringList{QStringLiteral("chromium"), QStringLiteral("--new-window"), page}));
    EXPECT_EQ(ViewerCommandLine(QStringLiteral("\"/opt/my browser/run\" -x"), page),
              (QStringList{QStringLiteral("/opt/my browser/run"), QStringLiteral("-x"), page}));
    EXPECT_EQ(ViewerCommandLine(QStringLiteral("/usr/bin/chromium"), QString()),
              QStringList{QStringLiteral("/usr/bin/chromium")});

    // An existing program whose path holds a space is not split.
    QTemporaryDir dir;
    const QString program = QDir(dir.path()).filePath(QStringLiteral("my browser"));
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(ViewerCommandLine(program, page), (QStringList{program, page}));

    // A command line far past 255 characters is passed whole rather than cut inside the name.
    const QString longName = QStringLiteral("/tmp/") + QString(300, QLatin1Char('x')) + QStringLiteral(".html");
    EXPECT_EQ(ViewerCommandLine(QStringLiteral("view"), longName).last(), longName);
}

TEST_F(Preview, DefaultBrowserOpensTheNameWithoutNeedingAPath)
{
    useViewer(3, QString());
    PreviewInBrowser(WebFile);
    PreviewInBrowser(QStringLiteral("mailto:someone@example.org"));
    EXPECT_EQ(bridge.calls,
              (QStringList{QStringLiteral("open C:\\web\\a.html"), QStringLiteral("open mailto:someone@example.org")}));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, MissingBrowserPathIsReportedForEveryTypeButTheDefaultBrowser)
{
    for (int type = 0; type <= 2; ++type) {
        useViewer(type, QString());
        prompts.answers << QMessageBox::Ok;
        PreviewInBrowser(WebFile);
    }
    ASSERT_EQ(prompts.messages.size(), 3);
    for (const auto &message : prompts.messages) {
        EXPECT_EQ(message.text, QStringLiteral("No browser defined !\r\n"
                                               "Please define the browser's path using Options from the main menu"));
        EXPECT_EQ(message.icon, QMessageBox::NoIcon);
        EXPECT_EQ(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    EXPECT_TRUE(bridge.calls.isEmpty());
}

TEST_F(Preview, UnknownViewerTypeDoesNothing)
{
    useViewer(7, QStringLiteral("/usr/bin/firefox"));
    PreviewInBrowser(WebFile);
    EXPECT_TRUE(bridge.calls.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Preview, UnchangedDocumentIsShownWithoutTheSaveQuestion)
{
    useViewer(2, QStringLiteral("view"));
    FakeDocument doc;
    doc.fileName = QStringLiteral("/web/a.html");
    PreviewDocument(doc);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(doc.saves.isEmpty());
    EXPECT_EQ(bridge.calls, QStringList{QStringLiteral("run view|/web/a.html")});
}

TEST_F(Preview, SaveQuestionAnswers)
{
    useViewer(2, QStringLiteral("view"));
    FakeDocument doc;
    doc.fileName = QStringLiteral("/web/a.html");
    doc.modified = true;

    prompts.answers << QMessageBox::Cancel;
    PreviewDocument(doc);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].caption, QStringLiteral("Confirm"));
    EXPECT_EQ(prompts.messages[0].text,
              QStringLiteral("Do you want to save the document before viewing it in the browser? (recommended)"));
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(prompts.messages[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(bridge.calls.isEmpty());

    // No: the file as last saved is shown.
    prompts.answers << QMessageBox::No;
    PreviewDocument(doc);
    EXPECT_TRUE(doc.saves.isEmpty());
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(bridge.calls, QStringList{QStringLiteral("run view|/web/a.html")});

    bridge.calls.clear();
    prompts.answers << QMessageBox::Yes;
    PreviewDocument(doc);
    EXPECT_EQ(doc.saves, QStringList{QStringLiteral("save /web/a.html")});
    EXPECT_EQ(bridge.calls, QStringList{QStringLiteral("run view|/web/a.html")});
}

TEST_F(Preview, UntitledDocumentIsSavedThroughTheSaveDialog)
{
    useViewer(2, QStringLiteral("view"));
    FakeDocument doc;
    doc.modified = true;
    doc.nameChosenBySaveAs = QStringLiteral("/web/new.html");
    prompts.answers << QMessageBox::Yes;
    PreviewDocument(doc);
    EXPECT_EQ(doc.saves, (QStringList{QStringLiteral("save as"), QStringLiteral("save /web/new.html")}));
    EXPECT_EQ(bridge.calls, QStringList{QStringLiteral("run view|/web/new.html")});

    // A cancelled save dialog still previews, with the empty name of the untitled document.
    FakeDocument untitled;
    untitled.modified = true;
    useViewer(3, QString());
    bridge.calls.clear();
    prompts.answers << QMessageBox::Yes;
    PreviewDocument(untitled);
    EXPECT_EQ(untitled.saves, QStringList{QStringLiteral("save as")});
    EXPECT_EQ(bridge.calls, QStringList{QStringLiteral("open ")});
}

// A relative name reaches no browser as it is: "--incognito.html" would be an option.
TEST_F(Preview, ARelativeNameReachesEveryViewerAbsolute)
{
    QTemporaryDir dir;
    const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder));
    const QString absolute = folder + QStringLiteral("/--incognito.html");
    const struct
    {
        int type;
        QString expected;
    } viewers[] = {
        {0, QStringLiteral("request \"file:") + absolute + QStringLiteral("\",,-1,,,,, 10000")},
        {1, QStringLiteral("request ") + absolute + QStringLiteral(",,0xFFFFFFFF,0x3,,, 10000")},
        {2, QStringLiteral("run /usr/bin/viewer|") + absolute},
        {3, QStringLiteral("open ") + absolute},
    };
    for (const auto &v : viewers) {
        SCOPED_TRACE(v.type);
        useViewer(v.type, QStringLiteral("/usr/bin/viewer"));
        bridge.calls.clear();
        PreviewInBrowser(QStringLiteral("--incognito.html"));
        EXPECT_TRUE(bridge.calls.contains(v.expected)) << bridge.calls.join('\n').toStdString();
    }
    // Addresses and absolute names of either style are left alone.
    EXPECT_EQ(BrowserTarget(QStringLiteral("http://example.org/a")), QStringLiteral("http://example.org/a"));
    EXPECT_EQ(BrowserTarget(QStringLiteral("C:\\web\\a.html")), QStringLiteral("C:\\web\\a.html"));
    EXPECT_EQ(BrowserTarget(QStringLiteral("/web/a.html")), QStringLiteral("/web/a.html"));
    ASSERT_TRUE(QDir::setCurrent(started));
}
