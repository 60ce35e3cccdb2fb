#pragma once

#include "platform/BrowserBridge.h"

#include <QUrl>

// The bridge where no browser serves DDE: the conversation is played by starting
// the service application itself. "WWW_Activate" needs nothing (a started browser
// comes to the front by itself); a "WWW_OpenURL" request starts the program with
// the file or address named in the request. Nothing here waits for the browser.
class ProcessBrowserBridge : public BrowserBridge
{
public:
    void setServiceApplication(const QString &program) override;
    bool connect(const QString &service, const QString &topic) override;
    bool startServiceApplication() override;
    void request(const QString &item, int timeoutMs) override;
    void disconnect() override;
    void startProgram(const QString &program, const QStringList &arguments) override;
    void openWithDesktop(const QString &target) override;

    // The file or address named in an open request of either browser's form,
    // without the "file:" prefix, which a browser started with it does not need.
    static QString targetOfOpenRequest(const QString &item);
    // What the desktop is asked to open: an address as it is, anything else as a local file.
    static QUrl desktopUrl(const QString &target);

private:
    QString m_program;
    QString m_topic;
    bool m_connected = false;
};
