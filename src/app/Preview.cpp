#include "app/Preview.h"

#include "editor/TextDocument.h"
#include "platform/BrowserBridge.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "tags/AttributeValues.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace {
enum ViewerKind { InternetExplorer = 0, Netscape = 1, OtherViewer = 2, DefaultBrowser = 3 };

bool connectOrStart(BrowserBridge &bridge, const QString &service, const QString &topic)
{
    if (bridge.connect(service, topic))
        return true;
    return bridge.startServiceApplication() && bridge.connect(service, topic);
}
}  // namespace

QString InternetExplorerOpenRequest(const QString &fileName)
{
    return QStringLiteral("\"file:") + fileName + QStringLiteral("\",,-1,,,,,");
}

QString NetscapeOpenRequest(const QString &fileName)
{
    return fileName + QStringLiteral(",,0xFFFFFFFF,0x3,,,");
}

QStringList ViewerCommandLine(const QString &viewerFileName, const QString &fileName)
{
    // A path with spaces that names a program stays whole; otherwise the text may
    // carry options ("chromium --new-window") or quotes. The file name is never split.
    QStringList command = QFileInfo(viewerFileName).isFile() ? QStringList{viewerFileName}
                                                             : QProcess::splitCommand(viewerFileName);
    if (!fileName.isEmpty())
        command.append(fileName);
    return command;
}

void SendToBrowser(const QString &service, const QString &request)
{
    BrowserBridge &bridge = BrowserBridge::instance();
    bridge.setServiceApplication(AppSettings().ViewerFileName);
    if (connectOrStart(bridge, service, QStringLiteral("WWW_Activate")))
        bridge.request(QStringLiteral("0xFFFFFFFF"), BrowserRequestTimeoutMs);
    bridge.disconnect();
    if (connectOrStart(bridge, service, QStringLiteral("WWW_OpenURL")))
        bridge.request(request, BrowserRequestTimeoutMs);
    bridge.disconnect();
}

QString BrowserTarget(const QString &target)
{
    // Either style counts: the settings of a Windows install may name a page by drive.
    if (target.isEmpty() || IsAbsoluteFileName(target, PathStyle::Posix)
        || IsAbsoluteFileName(target, PathStyle::Windows))
        return target;
    // A scheme of one letter is a drive, not an address.
    const QUrl url(target);
    if (!QFileInfo::exists(target) && url.isValid() && url.scheme().size() > 1)
        return target;
    return QFileInfo(target).absoluteFilePath();
}

void PreviewInBrowser(const QString &requested)
{
    const QString target = BrowserTarget(requested);
    const Settings &settings = AppSettings();
    if (settings.ViewerFileName.isEmpty() && settings.ViewerType != DefaultBrowser) {
        Prompts::instance().message(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(),
                                    QStringLiteral("No browser defined !\r\n"
                                                   "Please define the browser's path using Options from the main menu"),
                                    QMessageBox::NoIcon, QMessageBox::Ok);
        return;
    }
    switch (settings.ViewerType) {
    case DefaultBrowser:
        BrowserBridge::instance().openWithDesktop(target);
        break;
    case InternetExplorer:
        SendToBrowser(QStringLiteral("IExplore"), InternetExplorerOpenRequest(target));
        break;
    case Netscape:
        SendToBrowser(QStringLiteral("Netscape"), NetscapeOpenRequest(target));
        break;
    case OtherViewer: {
        QStringList command = ViewerCommandLine(settings.ViewerFileName, target);
        if (!command.isEmpty()) {
            const QString program = command.takeFirst();
            BrowserBridge::instance().startProgram(program, command);
        }
        break;
    }
    default:
        break;
    }
}

void PreviewDocument(TextDocument &doc)
{
    if (doc.isModified()) {
        const auto answer = Prompts::instance().message(
            doc.window(), QStringLiteral("Confirm"),
            QStringLiteral("Do you want to save the document before viewing it in the browser? (recommended)"),
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No)
            return;
        if (answer == QMessageBox::Yes) {
            // A cancelled or failed save still shows the file as last saved.
            if (doc.documentFileName().isEmpty())
                doc.saveDocumentAs();
            else
                doc.saveDocument(doc.documentFileName());
        }
    }
    PreviewInBrowser(doc.documentFileName());
}
