#include "platform/QuitSignals.h"

#include <QSocketNotifier>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
// The handler may only make async-signal-safe calls: it writes the signal's
// number into a pipe whose other end the event loop watches.
int g_pipe[2] = {-1, -1};
constexpr int Handled[] = {SIGTERM, SIGHUP};

extern "C" void onQuitSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a request to end; dropping this one loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

void setHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : Handled)
        ::sigaction(signal, &action, nullptr);
}
}  // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (g_pipe[0] < 0)
            g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPending);
    setHandler(onQuitSignal);
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    setHandler(SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void QuitSignals::readPending()
{
    unsigned char bytes[16];
    const ssize_t n = ::read(g_pipe[0], bytes, sizeof bytes);
    for (ssize_t i = 0; i < n; ++i)
        emit received(bytes[i]);
}

#elif defined(Q_OS_WIN)
// Windows ends a windowed program through the window system (WM_CLOSE,
// WM_ENDSESSION), which Qt already turns into close and session events.
QuitSignals::QuitSignals(QObject *parent) : QObject(parent) {}
QuitSignals::~QuitSignals() = default;
void QuitSignals::readPending() {}
#else
#error "QuitSignals needs a way to learn of requests to end on this platform"
#endif
