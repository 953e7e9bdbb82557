#include "records.h"

#include <unistd.h>

#include <cerrno>

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

} // namespace tally
