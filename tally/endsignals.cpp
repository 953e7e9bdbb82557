#include "endsignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace tally {

namespace {

std::atomic<int> gSignal{0};
int gPipe[2] = {-1, -1};

static_assert(std::atomic<int>::is_always_lock_free, "set in a signal handler");

void onEndSignal(int signal)
{
    int none = 0;
    gSignal.compare_exchange_strong(none, signal);
    if (gPipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(gPipe[1], &byte, 1);
    }
}

} // namespace

void catchEndSignals()
{
    if (gPipe[0] < 0 && ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        gPipe[0] = gPipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    struct sigaction old {};
    if (::sigaction(SIGINT, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
        ::sigaction(SIGINT, &action, nullptr);
}

int endSignal()
{
    return gSignal.load();
}

int endSignalFd()
{
    return gPipe[0];
}

void clearEndSignalFd()
{
    char buf[64];
    while (gPipe[0] >= 0 && ::read(gPipe[0], buf, sizeof buf) > 0) {
    }
}

const char* endSignalName(int signal)
{
    switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    case SIGINT: return "SIGINT";
    default: return "a signal";
    }
}

} // namespace tally
