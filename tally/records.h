// The records that an archiving line writes into tally's input between the
// bytes of the listing: NUL, a type letter, the text, NUL. "S" is a
// program's exit status ("tar 2"), "E" a line of error output, "B" the
// bytes that `tally --pass` has passed on so far ("B1048576"). A listing
// never holds a NUL byte, and each record comes in one write(), so records
// and listing are told apart however they interleave.
#pragma once

#include "readat.h"

#include <chrono>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tally {

// Longest record kept (bytes); the relay writes shorter ones, within the
// size the system writes to a pipe at once.
constexpr std::size_t kMaxRecordBytes = 4096;

class RecordSplitter {
public:
    // Calls onListing(const char*, size_t) for the listing's bytes and
    // onRecord(char type, std::string_view text) for each complete record.
    template <class Listing, class Record>
    void feed(const char* data, std::size_t size, Listing&& onListing, Record&& onRecord)
    {
        const char* p = data;
        const char* const end = data + size;
        while (p < end) {
            const char* nul = static_cast<const char*>(std::memchr(p, '\0', static_cast<std::size_t>(end - p)));
            if (!inRecord_) {
                if (!nul) {
                    onListing(p, static_cast<std::size_t>(end - p));
                    return;
                }
                if (nul > p)
                    onListing(p, static_cast<std::size_t>(nul - p));
                inRecord_ = true;
                record_.clear();
            } else {
                const char* stop = nul ? nul : end;
                const std::size_t room = kMaxRecordBytes - std::min(kMaxRecordBytes, record_.size());
                record_.append(p, std::min(room, static_cast<std::size_t>(stop - p)));
                if (!nul)
                    return;
                inRecord_ = false;
                if (!record_.empty())
                    onRecord(record_[0], std::string_view(record_).substr(1));
            }
            p = nul + 1;
        }
    }

private:
    bool inRecord_ = false;
    std::string record_;
};

// Writes all of `text` to fd, again after a signal; gives up on a closed or
// broken descriptor, which must not end tally.
using arkive::writeAll;

// The relay: reads error output from inFd and writes each line (without its
// end of line, cut to kRelayLineBytes) to outFd as an "E" record. Returns
// when inFd ends.
constexpr std::size_t kRelayLineBytes = 1024;
void relayErrors(int inFd, int outFd);

// The counting stage of a tar line: passes inFd on to outFd (moving pages
// between pipes and files without copying them where it can), and writes a
// "B" record of the bytes passed so far to recordFd at its start, at most
// every kPassReportInterval, and once at the end. Returns its exit status: 0, or
// 1 after a failed read or write, which it tells on errFd. A reader that
// went away is no failure of its own: it ends when done (and may take the
// last bytes first), and its status tells when it failed.
constexpr std::chrono::milliseconds kPassReportInterval{100};
// The pipes on both sides are made this large where the system lets them.
constexpr int kPassPipeBytes = 1 << 20;
// After a move of less than a batch (a quarter of the smaller pipe) the
// pass waits as long as a batch takes to come or go at the rate of the last
// report interval, at most kPassNap: it wakes once for a batch rather than
// for every block a fast writer writes or a fast reader takes, and the
// pipes never run full or dry meanwhile.
constexpr std::chrono::microseconds kPassNap{1000};
int passCounting(int inFd, int outFd, int recordFd, int errFd);

} // namespace tally
