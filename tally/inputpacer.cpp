#include "inputpacer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace tally {

std::size_t enlargePipe(int fd, const char* maxSizeFile)
{
    const int current = ::fcntl(fd, F_GETPIPE_SZ);
    if (current <= 0)
        return 0;
    long max = 0;
    if (FILE* f = std::fopen(maxSizeFile, "re")) {
        if (std::fscanf(f, "%ld", &max) != 1)
            max = 0;
        std::fclose(f);
    }
    // Past the user's allowance of pipe memory the system refuses large
    // sizes: ask for less until it agrees or the pipe is as large as it was.
    for (long size = max; size > current; size /= 2) {
        if (::fcntl(fd, F_SETPIPE_SZ, static_cast<int>(std::min<long>(size, 1L << 30))) >= 0)
            break;
    }
    const int now = ::fcntl(fd, F_GETPIPE_SZ);
    return static_cast<std::size_t>(std::max(now, current));
}

InputPacer::InputPacer(Clock::time_point start, Clock::duration interval, std::size_t capacity)
    : interval_(interval), capacity_(capacity), last_(start), next_(start + interval)
{
}

void InputPacer::readAt(Clock::time_point now, std::uint64_t bytes, bool more)
{
    const Clock::duration gap = now - last_;
    last_ = now;
    if (more) {
        next_ = now;
        return;
    }
    Clock::duration wait = interval_;
    if (capacity_ > 0 && bytes > 0) {
        // At the last round's rate, half the pipe fills in this time.
        // (Limited before it becomes a count: after a long stop it would
        // not fit one.)
        const double fill = std::min(static_cast<double>(gap.count()) * (static_cast<double>(capacity_) / 2)
                                         / static_cast<double>(bytes),
                                     static_cast<double>(interval_.count()));
        wait = std::max<Clock::duration>(Clock::duration(static_cast<Clock::rep>(fill)), kMinReadGap);
    }
    next_ = now + wait;
}

Drained drainInput(int fd, Session& session, char* buffer, std::size_t size, Clock::time_point until)
{
    Drained got;
    for (;;) {
        // Read only what is there: a descriptor may block (a terminal).
        struct pollfd pfd {fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, 0);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return got;
        const ssize_t n = ::read(fd, buffer, size);
        if (n > 0) {
            got.bytes += static_cast<std::uint64_t>(n);
            session.feed(buffer, static_cast<std::size_t>(n));
            if (Clock::now() >= until) {
                got.end = Drain::Budget;
                return got;
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return got;
        got.end = Drain::Ended;   // end of input, or an error that ends it
        return got;
    }
}

bool waitForHangup(int fd, Clock::duration timeout)
{
    // Asking for no data events: poll still tells a hang-up (and a socket's
    // peer that stopped writing), and a write into the pipe wakes no one.
    struct pollfd pfd {fd, POLLRDHUP, 0};
    const Clock::time_point now = Clock::now();
    return ::poll(&pfd, 1, msUntil(now + timeout, now)) > 0;
}

int msUntil(Clock::time_point when, Clock::time_point now)
{
    if (when <= now)
        return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(when - now).count();
    return static_cast<int>(std::min<long long>(ms, 1 << 30));
}

} // namespace tally
