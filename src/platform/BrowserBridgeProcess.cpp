#include "platform/BrowserBridgeProcess.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {
const QString OpenUrlTopic = QStringLiteral("WWW_OpenURL");
// The tails of the two open requests: Internet Explorer's quoted form and Netscape's bare one.
const QString QuotedTail = QStringLiteral("\",,-1,,,,,");
const QString BareTail = QStringLiteral(",,0xFFFFFFFF,0x3,,,");
const QString FilePrefix = QStringLiteral("file:");
}  // namespace

void ProcessBrowserBridge::setServiceApplication(const QString &program)
{
    m_program = program;
}

bool ProcessBrowserBridge::connect(const QString &, const QString &topic)
{
    m_topic = topic;
    m_connected = !m_program.isEmpty();
    return m_connected;
}

bool ProcessBrowserBridge::startServiceApplication()
{
    return !m_program.isEmpty() && QProcess::startDetached(m_program, {});
}

void ProcessBrowserBridge::request(const QString &item, int)
{
    if (!m_connected || m_topic != OpenUrlTopic)
        return;
    QString target = targetOfOpenRequest(item);
    // Never an option to the browser: a name starting with "-" goes with its folder.
    if (target.startsWith(QLatin1Char('-')))
        target = QFileInfo(target).absoluteFilePath();
    // A browser that cannot be started is not reported, as with a silent DDE server.
    QProcess::startDetached(m_program, target.isEmpty() ? QStringList() : QStringList{target});
}

void ProcessBrowserBridge::disconnect()
{
    m_connected = false;
    m_topic.clear();
}

void ProcessBrowserBridge::startProgram(const QString &program, const QStringList &arguments)
{
    if (!program.isEmpty())
        QProcess::startDetached(program, arguments);
}

void ProcessBrowserBridge::openWithDesktop(const QString &target)
{
    if (!target.isEmpty())
        QDesktopServices::openUrl(desktopUrl(target));
}

QUrl ProcessBrowserBridge::desktopUrl(const QString &target)
{
    // A scheme of one letter is a Windows drive, not an address.
    const QUrl url(target);
    if (!QFileInfo::exists(target) && url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

QString ProcessBrowserBridge::targetOfOpenRequest(const QString &item)
{
    QString target = item;
    if (target.startsWith(QLatin1Char('"')) && target.endsWith(QuotedTail) && target.size() > QuotedTail.size())
        target = target.mid(1, target.size() - 1 - QuotedTail.size());
    else if (target.endsWith(BareTail))
        target.chop(BareTail.size());
    if (target.startsWith(FilePrefix, Qt::CaseInsensitive))
        target.remove(0, FilePrefix.size());
    return target;
}
