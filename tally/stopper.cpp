#include "stopper.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace tally {

std::optional<std::uint64_t> pipeInode(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISFIFO(st.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_ino);
}

namespace {

bool isNumber(const char* s)
{
    if (!*s)
        return false;
    for (; *s; ++s)
        if (*s < '0' || *s > '9')
            return false;
    return true;
}

// The number after `key` in /proc/PID/fdinfo/FD ("pos:\t1000"), in `base`.
std::optional<std::uint64_t> fdinfoValue(const std::string& fdinfo, const char* key, int base)
{
    FILE* f = std::fopen(fdinfo.c_str(), "re");
    if (!f)
        return std::nullopt;
    const std::size_t length = std::strlen(key);
    char buf[256];
    std::optional<std::uint64_t> value;
    while (std::fgets(buf, sizeof buf, f)) {
        if (std::strncmp(buf, key, length) == 0) {
            value = std::strtoull(buf + length, nullptr, base);
            break;
        }
    }
    std::fclose(f);
    return value;
}

// The access mode of an open file from /proc/PID/fdinfo/FD ("flags:\t0100001").
int accessMode(const std::string& fdinfo)
{
    const auto flags = fdinfoValue(fdinfo, "flags:", 8);
    return flags ? static_cast<int>(*flags & O_ACCMODE) : -1;
}

bool sameUser(const std::string& procDir)
{
    struct stat st;
    return ::stat(procDir.c_str(), &st) == 0 && st.st_uid == ::geteuid();
}

} // namespace

bool holdsPipeWriteEnd(pid_t pid, std::uint64_t inode, const std::string& procRoot)
{
    const std::string base = procRoot + "/" + std::to_string(pid);
    const std::string fdDir = base + "/fd";
    DIR* d = ::opendir(fdDir.c_str());
    if (!d)
        return false;
    const std::string want = "pipe:[" + std::to_string(inode) + "]";
    bool found = false;
    char target[64];
    while (dirent* e = ::readdir(d)) {
        if (!isNumber(e->d_name))
            continue;
        const std::string link = fdDir + "/" + e->d_name;
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        if (n <= 0)
            continue;
        target[n] = '\0';
        if (want != target)
            continue;
        const int mode = accessMode(base + "/fdinfo/" + e->d_name);
        if (mode == O_WRONLY || mode == O_RDWR) {
            found = true;
            break;
        }
    }
    ::closedir(d);
    return found;
}

std::optional<FileReader> findFileReader(std::uint64_t inode, const std::string& path, const std::string& procRoot)
{
    struct stat file;
    if (::stat(path.c_str(), &file) != 0)
        return std::nullopt;
    for (const pid_t pid : findPipeWriters(inode, procRoot)) {
        const std::string fdDir = procRoot + "/" + std::to_string(pid) + "/fd";
        DIR* d = ::opendir(fdDir.c_str());
        if (!d)
            continue;
        std::optional<FileReader> found;
        while (const dirent* e = ::readdir(d)) {
            struct stat st;
            if (isNumber(e->d_name) && ::stat((fdDir + "/" + e->d_name).c_str(), &st) == 0
                && st.st_dev == file.st_dev && st.st_ino == file.st_ino) {
                found = FileReader{pid, std::atoi(e->d_name)};
                break;
            }
        }
        ::closedir(d);
        if (found)
            return found;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> readPosition(const FileReader& reader, const std::string& procRoot)
{
    const std::string fdinfo = procRoot + "/" + std::to_string(reader.pid) + "/fdinfo/" + std::to_string(reader.fd);
    return fdinfoValue(fdinfo, "pos:", 10);
}

std::vector<pid_t> findPipeWriters(std::uint64_t inode, const std::string& procRoot)
{
    std::vector<pid_t> pids;
    DIR* d = ::opendir(procRoot.c_str());
    if (!d)
        return pids;
    const pid_t self = ::getpid();
    while (dirent* e = ::readdir(d)) {
        if (!isNumber(e->d_name))
            continue;
        const pid_t pid = static_cast<pid_t>(std::strtol(e->d_name, nullptr, 10));
        if (pid == self || !sameUser(procRoot + "/" + e->d_name))
            continue;
        if (holdsPipeWriteEnd(pid, inode, procRoot))
            pids.push_back(pid);
    }
    ::closedir(d);
    std::sort(pids.begin(), pids.end());
    return pids;
}

PipeStopper::PipeStopper(int fd) : inode_(pipeInode(fd)) {}

std::size_t PipeStopper::begin()
{
    if (!inode_)
        return 0;
    for (const pid_t pid : findPipeWriters(*inode_)) {
        if (::kill(pid, SIGTERM) == 0) {
            ::kill(pid, SIGCONT);   // a stopped process would not see SIGTERM
            terminated_.push_back(pid);
        }
    }
    return terminated_.size();
}

std::vector<pid_t> PipeStopper::remaining() const
{
    std::vector<pid_t> left;
    if (!inode_)
        return left;
    for (const pid_t pid : terminated_)
        if (holdsPipeWriteEnd(pid, *inode_))
            left.push_back(pid);
    return left;
}

std::size_t PipeStopper::finish()
{
    if (!inode_)
        return 0;
    // Look again: a writer may have started meanwhile.
    std::size_t n = 0;
    for (const pid_t pid : findPipeWriters(*inode_)) {
        if (::kill(pid, SIGKILL) == 0) {
            killed_.push_back(pid);
            ++n;
        }
    }
    return n;
}

StopReport stopPipeWriters(int fd, std::chrono::milliseconds grace, std::chrono::milliseconds poll)
{
    PipeStopper stopper(fd);
    StopReport report;
    if (!stopper.isPipe())
        return report;
    stopper.begin();
    const auto deadline = std::chrono::steady_clock::now() + grace;
    while (!stopper.remaining().empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(poll);
    stopper.finish();
    report.terminated = stopper.terminated();
    report.killed = stopper.killed();
    return report;
}

} // namespace tally
