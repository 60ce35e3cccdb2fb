#pragma once

#include <QObject>

class QSocketNotifier;

// The requests to end that come as signals rather than through the window
// system: SIGTERM (a service manager, `kill`) and SIGHUP (the terminal that
// started the program was closed). Each becomes `received` on the thread that
// made this object, in a later turn of its event loop, so the answer may do
// anything a slot may do. One object at a time; its end restores the defaults.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;
    // False where the platform has no such signals or they could not be taken.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    void received(int signal);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};
