#pragma once

#include <QString>
#include <QStringList>

// How a page reaches an external browser: a DDE-like client conversation
// (connect to a service on a topic, request an item as text with a time-out,
// disconnect), starting a program, or the desktop's "open" action.
class BrowserBridge
{
public:
    virtual ~BrowserBridge() = default;

    // The program that serves the conversation, started when no server answers.
    virtual void setServiceApplication(const QString &program) = 0;
    // True when a server answered on the service and topic.
    virtual bool connect(const QString &service, const QString &topic) = 0;
    // Starts the service application minimised without activation; true when it started.
    virtual bool startServiceApplication() = 0;
    // Requests the item as text from the connected server; waits at most timeoutMs.
    // Nothing is sent without a connection. The answer is not needed by anyone.
    virtual void request(const QString &item, int timeoutMs) = 0;
    virtual void disconnect() = 0;

    // Starts a program with its arguments, shown normally; never through a shell.
    virtual void startProgram(const QString &program, const QStringList &arguments) = 0;
    // The desktop's "open" action on a file name or an address.
    virtual void openWithDesktop(const QString &target) = 0;

    static BrowserBridge &instance();
    // Takes no ownership; nullptr restores the platform's bridge.
    static void setInstance(BrowserBridge *bridge);
};
