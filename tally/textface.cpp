#include "textface.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "session.h"
#include "ticker.h"

namespace tally {

namespace {

void writeAll(int fd, const std::string& text)
{
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;   // a closed or broken standard error must not end tally
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

std::size_t terminalColumns(int fd)
{
    struct winsize ws {};
    if (::ioctl(fd, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0)
        return ws.ws_col;
    return kDefaultColumns;
}

} // namespace

int runTextFace(const Options& options, int inFd, int errFd)
{
    StatFileProbe probe;
    const auto start = Clock::now();
    Session session(options, start, &probe);
    const bool live = ::isatty(errFd) == 1;
    Ticker<Clock> ticker(start, kRepaintInterval);
    const std::unique_ptr<char[]> buffer(new char[kReadChunkBytes]);

    auto draw = [&](Clock::time_point now) {
        const std::size_t columns = terminalColumns(errFd);
        const Snapshot s = session.snapshot(now);
        writeAll(errFd, "\r" + statusLine(s, columns > 1 ? columns - 1 : columns) + "\033[K");
    };

    for (;;) {
        if (live) {
            const auto now = Clock::now();
            if (ticker.due(now))
                draw(now);
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(ticker.next() - Clock::now());
            struct pollfd pfd {inFd, POLLIN, 0};
            const int ready = ::poll(&pfd, 1, static_cast<int>(std::max<long long>(0, wait.count()) + 1));
            if (ready == 0)
                continue;
            if (ready < 0 && errno != EINTR)
                break;
            if (ready < 0)
                continue;
        }
        const ssize_t n = ::read(inFd, buffer.get(), kReadChunkBytes);
        if (n > 0) {
            session.feed(buffer.get(), static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A non-blocking descriptor was handed over: wait instead of spinning.
            struct pollfd pfd {inFd, POLLIN, 0};
            ::poll(&pfd, 1, live ? static_cast<int>(kRepaintInterval.count()) : -1);
            continue;
        }
        break;   // end of input (or an error that ends it)
    }
    const auto end = Clock::now();
    session.finish(end);
    const Snapshot s = session.snapshot(end);
    writeAll(errFd, (live ? "\r\033[K" : "") + summaryLine(s) + "\n");
    return exitCode(s.outcome);
}

} // namespace tally
