// Reading tally's input in rounds, on the repaint interval, instead of at
// every write of the archiver: each wake-up costs both sides a switch, and
// the archivers write each listing line on its own (zip and unzip in two
// parts). Between rounds the pipe holds what comes: it is enlarged as far as
// the system allows, and the rounds come sooner when the input comes fast
// enough to fill half of it before the next repaint. The end of input is
// seen at once: the wait between rounds ends when the writers hang up, not
// when data comes. Plain C++, for both faces.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "session.h"

namespace tally {

// Bytes asked for by each read.
constexpr std::size_t kReadChunkBytes = 256 * 1024;
// How long one round may read before the face gets its turn (ms).
constexpr std::chrono::milliseconds kReadBudget{20};
// The shortest wait between two rounds when the input comes fast (ms).
constexpr std::chrono::milliseconds kMinReadGap{2};
// Where the system tells the largest pipe an unprivileged process may ask for.
constexpr const char* kPipeMaxSizeFile = "/proc/sys/fs/pipe-max-size";

// Enlarges the pipe open as fd as far as the system allows (the largest
// size first, then halves when the user's allowance is spent). Returns its
// capacity in bytes; 0 when fd is no pipe.
std::size_t enlargePipe(int fd, const char* maxSizeFile = kPipeMaxSizeFile);

// When the next round of reading is due: one interval after the last round,
// sooner when the last round's rate would fill half the pipe before that.
class InputPacer {
public:
    // capacity: the pipe's, in bytes; 0 for no pipe (then always the interval).
    InputPacer(Clock::time_point start, Clock::duration interval, std::size_t capacity);

    // A round at `now` read `bytes`; `more` when it stopped with input left.
    void readAt(Clock::time_point now, std::uint64_t bytes, bool more = false);
    Clock::time_point next() const { return next_; }

private:
    Clock::duration interval_;
    std::size_t capacity_;
    Clock::time_point last_;
    Clock::time_point next_;
};

enum class Drain { Empty, Ended, Budget };

struct Drained {
    Drain end = Drain::Empty;   // nothing more there now, end of input, or the budget spent
    std::uint64_t bytes = 0;
};

// Reads what is there on fd without blocking and feeds it to the session,
// until nothing more is there, the input ends, or `until` has passed.
Drained drainInput(int fd, Session& session, char* buffer, std::size_t size,
                   Clock::time_point until = Clock::time_point::max());

// Waits up to `timeout` (rounded up to whole ms) for the writers of fd to
// hang up, without waking when data comes. True when fd has hung up.
bool waitForHangup(int fd, Clock::duration timeout);

// Milliseconds from now until `when` (rounded up, 0 when passed), for poll and timers.
int msUntil(Clock::time_point when, Clock::time_point now);

} // namespace tally
