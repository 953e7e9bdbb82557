// Ending the archiver that writes into tally's standard input.
//
// tally is not the parent of the archiver: the shell that started the
// pipeline has gone. So the writers are found through /proc: the processes
// of the same user that hold the write end of the pipe on tally's fd 0.
// They get SIGTERM (and SIGCONT, should they be stopped), and SIGKILL after
// a short grace, since extraction pipelines inherit SIGTERM ignored. The
// stages before them end by themselves: a decompressor that writes into the
// killed tar dies of SIGPIPE, a compressor that reads from it sees EOF.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tally {

// How long a writer has to end after SIGTERM before it gets SIGKILL, and how
// often the blocking stop looks whether it has.
constexpr std::chrono::milliseconds kStopGrace{500};
constexpr std::chrono::milliseconds kStopPollInterval{20};

// The inode of the pipe open as fd, or nothing when fd is no pipe.
std::optional<std::uint64_t> pipeInode(int fd);

// Processes other than this one, of this user, that hold the pipe with the
// given inode open for writing. procRoot is "/proc" but for tests.
std::vector<pid_t> findPipeWriters(std::uint64_t inode, const std::string& procRoot = "/proc");

// True while pid holds that pipe open for writing.
bool holdsPipeWriteEnd(pid_t pid, std::uint64_t inode, const std::string& procRoot = "/proc");

// A process's descriptor of a file it reads.
struct FileReader {
    pid_t pid = 0;
    int fd = -1;
};

// Which writer of the pipe `inode` (a program of the line) holds the file
// at `path` open; nothing when none does.
std::optional<FileReader> findFileReader(std::uint64_t inode, const std::string& path,
                                         const std::string& procRoot = "/proc");

// How far it has read the file: its descriptor's position, as pv -d reads
// it (/proc/PID/fdinfo/FD); nothing once it has closed it.
std::optional<std::uint64_t> readPosition(const FileReader& reader, const std::string& procRoot = "/proc");

// The two steps, for callers that must not block (the window): begin() sends
// SIGTERM, remaining() tells who still holds the pipe, finish() sends
// SIGKILL to every writer still there.
class PipeStopper {
public:
    explicit PipeStopper(int fd);
    bool isPipe() const { return inode_.has_value(); }
    std::size_t begin();
    std::vector<pid_t> remaining() const;
    std::size_t finish();
    const std::vector<pid_t>& terminated() const { return terminated_; }
    const std::vector<pid_t>& killed() const { return killed_; }

private:
    std::optional<std::uint64_t> inode_;
    std::vector<pid_t> terminated_;
    std::vector<pid_t> killed_;
};

struct StopReport {
    std::vector<pid_t> terminated;   // got SIGTERM
    std::vector<pid_t> killed;       // were still there after the grace: got SIGKILL
};

// Both steps, blocking for at most `grace` (plus the look-ups).
StopReport stopPipeWriters(int fd, std::chrono::milliseconds grace = kStopGrace,
                           std::chrono::milliseconds poll = kStopPollInterval);

} // namespace tally
