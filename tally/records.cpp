#include "records.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

namespace tally {

namespace {

void writeRecord(int fd, std::string& line)
{
    for (char& c : line)
        if (c == '\0')
            c = '?';
    line.insert(0, std::string_view("\0E", 2));
    line.push_back('\0');
    // One write() of at most PIPE_BUF bytes is never mixed with other writers.
    while (::write(fd, line.data(), line.size()) < 0 && errno == EINTR) {
    }
    line.clear();
}

} // namespace

void relayErrors(int inFd, int outFd)
{
    char buffer[4096];
    std::string line;
    bool cut = false;   // the rest of a long line is dropped
    for (;;) {
        const ssize_t n = ::read(inFd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (c == '\n') {
                writeRecord(outFd, line);
                cut = false;
            } else if (line.size() < kRelayLineBytes) {
                line.push_back(c);
            } else if (!cut) {
                line += "\xe2\x80\xa6";   // "…"
                cut = true;
            }
        }
    }
    if (!line.empty())
        writeRecord(outFd, line);
}

namespace {

void writeCount(int fd, std::uint64_t bytes)
{
    const std::string record = std::string("\0B", 2) + std::to_string(bytes) + std::string(1, '\0');
    writeAll(fd, record);
}

} // namespace

int passCounting(int inFd, int outFd, int recordFd, int errFd)
{
    // The smallest pipe on either side, once enlarged: a quarter of it is a batch.
    int pipeBytes = kPassPipeBytes;
    for (const int fd : {inFd, outFd}) {
        ::fcntl(fd, F_SETPIPE_SZ, kPassPipeBytes);
        const int size = ::fcntl(fd, F_GETPIPE_SZ);   // -1 for a file
        if (size > 0)
            pipeBytes = std::min(pipeBytes, size);
    }
    const std::size_t batch = static_cast<std::size_t>(pipeBytes) / 4;
    using Clock = std::chrono::steady_clock;
    auto told = Clock::now();
    std::uint64_t passed = 0, toldBytes = 0;
    std::chrono::duration<double> nap{0};   // none until the rate is known
    writeCount(recordFd, 0);   // a line with a pass is measured by it from the start
    bool splicing = true;
    std::string buffer;
    // Moves what comes next: its bytes, 0 at the end, -1 after a failure
    // (told), -2 when the reader went away: done or failed, its own status
    // tells, perhaps with nothing left to pass.
    const auto next = [&]() -> ssize_t {
        for (;;) {
            if (splicing) {
                const ssize_t n = ::splice(inFd, nullptr, outFd, nullptr, static_cast<std::size_t>(kPassPipeBytes),
                                           SPLICE_F_MOVE | SPLICE_F_MORE);
                if (n >= 0)
                    return n;
                if (errno == EPIPE)
                    return -2;
                // Neither side a pipe, one that cannot splice, or a failure
                // on a side that splice does not tell: reading and writing tell.
                if (errno != EINTR) {
                    splicing = false;
                    buffer.resize(static_cast<std::size_t>(kPassPipeBytes));
                }
                continue;
            }
            const ssize_t n = ::read(inFd, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                writeAll(errFd, std::string("tally: read error: ") + std::strerror(errno) + "\n");
                return -1;
            }
            for (ssize_t done = 0; done < n;) {
                const ssize_t w = ::write(outFd, buffer.data() + done, static_cast<std::size_t>(n - done));
                if (w < 0 && errno == EINTR)
                    continue;
                if (w < 0 && errno == EPIPE)
                    return -2;
                if (w < 0) {
                    writeAll(errFd, std::string("tally: write error: ") + std::strerror(errno) + "\n");
                    return -1;
                }
                done += w;
            }
            return n;
        }
    };
    ssize_t n;
    while ((n = next()) > 0) {
        passed += static_cast<std::uint64_t>(n);
        const auto now = Clock::now();
        if (now - told >= kPassReportInterval) {
            // The nap that lets a batch come (or go) at the rate of the last
            // interval, well within what the pipes hold.
            const double rate = static_cast<double>(passed - toldBytes) / std::chrono::duration<double>(now - told).count();
            nap = std::min<std::chrono::duration<double>>(kPassNap, std::chrono::duration<double>(static_cast<double>(batch) / rate));
            told = now;
            toldBytes = passed;
            writeCount(recordFd, passed);
        }
        if (static_cast<std::size_t>(n) < batch && nap.count() > 0)
            std::this_thread::sleep_for(nap);
    }
    writeCount(recordFd, passed);
    return n == -1 ? 1 : 0;
}

} // namespace tally
