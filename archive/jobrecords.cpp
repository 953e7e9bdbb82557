#include "jobrecords.h"

#include "plan.h"
#include "readat.h"
#include "removetree.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace arkive {

namespace {

constexpr const char* kNewSuffix = ".new";    // a record still being written
constexpr std::size_t kMaxRecordBytes = 65536;

bool makeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

struct Record {
    std::string folder;
    std::string archive;
    bool valid = false;
};

// A record holds the folder and the archive, each ended by a NUL byte.
Record readRecord(int fd)
{
    std::string data;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || data.size() > kMaxRecordBytes)
            break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    Record r;
    const std::size_t first = data.find('\0');
    const std::size_t second = first == std::string::npos ? first : data.find('\0', first + 1);
    if (second == std::string::npos || first == 0)
        return r;
    r.folder = data.substr(0, first);
    r.archive = data.substr(first + 1, second - first - 1);
    r.valid = true;
    return r;
}

bool isToken(const std::string& name)
{
    if (name.empty() || name.size() > 64)
        return false;
    for (const char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// The job's own names in its folder: .arkive-TOKEN and .arkive-TOKEN.*
bool belongsTo(const std::string& name, const std::string& token)
{
    const std::string own = kPrivatePrefix + token;
    return name.compare(0, own.size(), own) == 0 && (name.size() == own.size() || name[own.size()] == '.');
}

// Each record of a job whose line no longer runs, opened and locked: `visit`
// gets its token and contents. Records of running jobs are passed over.
template <typename Visit>
void forEachRecord(const std::string& jobs, bool onlyEnded, Visit visit)
{
    const int dir = ::open(jobs.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return;
    for (const std::string& name : entriesOf(dir)) {
        if (!isToken(name))
            continue;   // (a record still being written ends in .new)
        const int fd = ::openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        const bool ended = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (ended || !onlyEnded)
            visit(dir, name, readRecord(fd), ended);
        ::close(fd);
    }
    ::close(dir);
}

} // namespace

std::string jobsFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/arkive/jobs";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state/arkive/jobs";
    return std::string();
}

int openJobRecord(const std::string& jobs, const std::string& token, const std::string& folder,
                  const std::string& archive)
{
    if (jobs.empty() || !isToken(token) || !makeFolders(jobs))
        return -1;
    // Written under another name and locked first, so that a look at the
    // records never takes a record being written for one whose job ended.
    const std::string fresh = jobs + "/" + token + kNewSuffix;
    const int fd = ::open(fresh.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);   // left open for the line
    if (fd < 0)
        return -1;
    std::string data = folder;
    data += '\0';
    data += archive;
    data += '\0';
    // Linked to its name, so that a record of that token is never replaced.
    const bool made = ::flock(fd, LOCK_EX) == 0 && writeAll(fd, data)
                      && ::link(fresh.c_str(), (jobs + "/" + token).c_str()) == 0;
    ::unlink(fresh.c_str());
    if (!made) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::vector<Leftover> removeLeftovers(const std::string& jobs)
{
    std::vector<Leftover> removed;
    forEachRecord(jobs, true, [&removed](int dir, const std::string& token, const Record& record, bool) {
        if (record.valid) {
            const int folder = ::open(record.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (folder >= 0) {
                for (const std::string& name : entriesOf(folder)) {
                    if (!belongsTo(name, token))
                        continue;
                    const std::uint64_t bytes = removeTree(folder, name);
                    removed.push_back({record.folder + (record.folder == "/" ? "" : "/") + name, bytes});
                }
                ::close(folder);
            }
        }
        ::unlinkat(dir, token.c_str(), 0);
    });
    return removed;
}

bool jobWorksOn(const std::string& jobs, const std::string& archive)
{
    bool found = false;
    forEachRecord(jobs, false, [&found, &archive](int, const std::string&, const Record& record, bool ended) {
        found = found || (!ended && record.valid && record.archive == archive);
    });
    return found;
}

} // namespace arkive
