#include "app/Preview.h"
#include "platform/BrowserBridgeProcess.h"
#include "platform/Settings.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(PreviewProcessBridge, FindsTheTargetInBothOpenRequests)
{
    EXPECT_EQ(ProcessBrowserBridge::targetOfOpenRequest(InternetExplorerOpenRequest(QStringLiteral("/web/a,b.html"))),
              QStringLiteral("/web/a,b.html"));
    EXPECT_EQ(ProcessBrowserBridge::targetOfOpenRequest(NetscapeOpenRequest(QStringLiteral("/web/a,b.html"))),
              QStringLiteral("/web/a,b.html"));
    EXPECT_EQ(ProcessBrowserBridge::targetOfOpenRequest(InternetExplorerOpenRequest(QStringLiteral("http://x.org/"))),
              QStringLiteral("http://x.org/"));
    EXPECT_EQ(ProcessBrowserBridge::targetOfOpenRequest(InternetExplorerOpenRequest(QString())), QString());
    EXPECT_EQ(ProcessBrowserBridge::targetOfOpenRequest(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(PreviewProcessBridge, DesktopOpensAddressesAsTheyAreAndEverythingElseAsFiles)
{
    EXPECT_EQ(ProcessBrowserBridge::desktopUrl(QStringLiteral("mailto:someone@example.org")),
              QUrl(QStringLiteral("mailto:someone@example.org")));
    EXPECT_EQ(ProcessBrowserBridge::desktopUrl(QStringLiteral("http://example.org/a b")),
              QUrl(QStringLiteral("http://example.org/a b")));
    EXPECT_TRUE(ProcessBrowserBridge::desktopUrl(QStringLiteral("/web/my page#1.html")).isLocalFile());
    EXPECT_EQ(ProcessBrowserBridge::desktopUrl(QStringLiteral("/web/my page#1.html")).toLocalFile(),
              QStringLiteral("/web/my page#1.html"));
    EXPECT_TRUE(ProcessBrowserBridge::desktopUrl(QStringLiteral("C:\\web\\a.html")).isLocalFile());
}

#ifdef Q_OS_UNIX
namespace {
// A stand-in browser that appends each run's arguments, one line per run.
QString writeFakeBrowser(const QTemporaryDir &dir, const QString &log)
{
    const QString path = QDir(dir.path()).filePath(QStringLiteral("browser"));
    const QByteArray script = "#!/bin/sh\necho \"$*\" >> '" + log.toLocal8Bit() + "'\n";
    writeFileBytes(path, script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QByteArray waitForLog(const QString &log)
{
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && readFileBytes(log).isEmpty())
        QTest::qWait(20);
    QTest::qWait(200);  // a second, unwanted run would show up by now
    return readFileBytes(log);
}
}  // namespace

TEST(PreviewProcessBridge, StartsTheViewerOnceWithTheRequestedFile)
{
    QTemporaryDir dir;
    const QString log = QDir(dir.path()).filePath(QStringLiteral("runs.txt"));
    const Settings saved = AppSettings();
    AppSettings().ViewerType = 0;
    AppSettings().ViewerFileName = writeFakeBrowser(dir, log);
    PreviewInBrowser(QStringLiteral("/web/my page.html"));
    EXPECT_EQ(waitForLog(log), QByteArray("/web/my page.html\n"));

    QFile::remove(log);
    AppSettings().ViewerType = 1;
    PreviewInBrowser(QStringLiteral("/web/b.html"));
    EXPECT_EQ(waitForLog(log), QByteArray("/web/b.html\n"));
    AppSettings() = saved;
}

TEST(PreviewProcessBridge, MissingViewerProgramIsNotReported)
{
    const Settings saved = AppSettings();
    AppSettings().ViewerType = 0;
    AppSettings().ViewerFileName = QStringLiteral("/nonexistent/browser");
    ScriptedPrompts prompts;
    PreviewInBrowser(QStringLiteral("/web/a.html"));
    AppSettings().ViewerType = 2;
    PreviewInBrowser(QStringLiteral("/web/a.html"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    AppSettings() = saved;
}
#endif
