#pragma once

#include <csignal>
#include <sys/resource.h>

// Lowers the file size limit for one call, as a full disk would stop a write.
// Unlike a full disk it holds for root too. SIGXFSZ is ignored meanwhile, so a
// write past the limit fails with EFBIG ("File too large") instead of ending the test.
template <typename F>
auto withSizeLimit(rlim_t limit, F call)
{
    struct rlimit old
    {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = limit;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = call();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}
