#pragma once

#include "platform/BrowserBridge.h"

// Records every step of the browser conversations instead of talking to a browser.
// Installed for the lifetime of the object.
class RecordingBridge : public BrowserBridge
{
public:
    RecordingBridge() { BrowserBridge::setInstance(this); }
    ~RecordingBridge() override { BrowserBridge::setInstance(nullptr); }

    bool serverRunning = true;  // a server answers connections
    bool startSucceeds = true;  // starting the service application works and brings up a server
    QStringList calls;

    void setServiceApplication(const QString &program) override { calls << QStringLiteral("program ") + program; }
    bool connect(const QString &service, const QString &topic) override
    {
        calls << QStringLiteral("connect %1 %2").arg(service, topic);
        return serverRunning;
    }
    bool startServiceApplication() override
    {
        calls << QStringLiteral("start");
        serverRunning = startSucceeds;
        return startSucceeds;
    }
    void request(const QString &item, int timeoutMs) override
    {
        calls << QStringLiteral("request %1 %2").arg(item).arg(timeoutMs);
    }
    void disconnect() override { calls << QStringLiteral("disconnect"); }
    void startProgram(const QString &program, const QStringList &arguments) override
    {
        calls << QStringLiteral("run ") + QStringList(QStringList{program} + arguments).join(QLatin1Char('|'));
    }
    void openWithDesktop(const QString &target) override { calls << QStringLiteral("open ") + target; }
};
