#include "textface.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <poll.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "endsignals.h"
#include "inputpacer.h"
#include "records.h"
#include "session.h"
#include "stopper.h"
#include "ticker.h"

namespace tally {

namespace {

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
    InputPacer pacer(start, kRepaintInterval, enlargePipe(inFd));
    const std::unique_ptr<char[]> buffer(new char[kReadChunkBytes]);

    const auto showState = [&](Clock::time_point now) {
        if (live && ticker.due(now)) {
            const std::size_t columns = terminalColumns(errFd);
            const Snapshot s = session.snapshot(now);
            writeAll(errFd, "\r" + statusLine(s, columns > 1 ? columns - 1 : columns) + "\033[K");
        }
    };
    for (;;) {
        // Ended from outside: the archiver is stopped (it may ignore the
        // signal), and its listing read to the end.
        if (endSignal() != 0 && session.interruptedBy() == 0) {
            session.interrupt(endSignal());
            stopPipeWriters(inFd);
        }
        const Drained got = drainInput(inFd, session, buffer.get(), kReadChunkBytes, Clock::now() + kReadBudget);
        if (got.end == Drain::Ended)
            break;
        const auto now = Clock::now();
        pacer.readAt(now, got.bytes, got.end == Drain::Budget);
        showState(now);
        const auto due = live ? std::min(pacer.next(), ticker.next()) : pacer.next();
        waitForHangup(inFd, due - Clock::now());
    }
    // Putting the result in place may take long (many files, a slow card):
    // meanwhile a signal still stops it.
    session.endInput(Clock::now());
    std::atomic<bool> placed{false};
    // The placer says on a pipe that it is done, so that the wait ends then.
    int done[2] = {-1, -1};
    const bool told = ::pipe2(done, O_CLOEXEC) == 0;
    std::thread placer([&session, &placed, &done] {
        session.putInPlace();
        placed = true;
        if (done[1] >= 0)
            ::close(done[1]);
    });
    while (!placed) {
        if (endSignal() != 0)
            session.interrupt(endSignal());
        showState(Clock::now());
        struct pollfd wake[2] = {{told ? done[0] : -1, POLLIN, 0}, {endSignalFd(), POLLIN, 0}};
        if (::poll(wake, 2, static_cast<int>(kRepaintInterval.count())) > 0 && (wake[1].revents & POLLIN))
            clearEndSignalFd();
    }
    placer.join();
    if (told)
        ::close(done[0]);
    const auto end = Clock::now();
    session.placed(end);
    const Snapshot s = session.snapshot(end);
    writeAll(errFd, (live ? "\r\033[K" : "") + summaryLine(s) + "\n");
    return exitCode(s.outcome);
}

} // namespace tally
