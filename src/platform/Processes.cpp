#include "platform/Processes.h"

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <csignal>
#include <sys/types.h>

void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

bool ProcessIsGone(qint64 pid)
{
    return pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH);
}
#elif defined(Q_OS_WIN)
#include <windows.h>

void IgnoreFileSizeSignal() {}

bool ProcessIsGone(qint64 pid)
{
    if (pid <= 0)
        return true;
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;
    const bool gone = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return gone;
}
#else
#error "Processes: this system needs its own file size signal and process check"
#endif
