#include "cardprobe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <algorithm>
#include <vector>

#include "plan.h"
#include "removetree.h"
#include "textutil.h"

namespace tally {

namespace {

// Makes `path` as a new empty file: 0 when it was made, or the error.
int makeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

bool exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool refusal(int error)
{
    return error == EPERM || error == EINVAL || error == EACCES || error == EILSEQ;
}

// Whether the folder of `path` lists an entry of exactly its name.
bool listed(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return true;
    const std::vector<std::string> names = arkive::entriesOf(dir);
    ::close(dir);
    return std::find(names.begin(), names.end(), path.substr(slash + 1)) != names.end();
}

} // namespace

std::optional<std::uint64_t> givenFileLimit()
{
    const char* given = std::getenv(kFileLimitVariable);
    return given ? leadingNumber(given) : std::nullopt;
}

CardRules probeCard(const std::string& staging)
{
    ProbeFacts facts;
    struct stat own;
    struct stat variant;
    const std::string other = arkive::caseVariant(staging);
    // FUSE file systems may number an entry anew for each name it is
    // looked up by: then the variant is the private folder when its folder
    // lists no entry of that name.
    facts.variantIsSame = other != staging && ::stat(staging.c_str(), &own) == 0
                          && ::stat(other.c_str(), &variant) == 0 && own.st_dev == variant.st_dev
                          && (own.st_ino == variant.st_ino || !listed(other));
    if (facts.variantIsSame) {
        const std::string probe = staging + ".probe";
        const int mark = makeFile(probe + ":");
        facts.markRefused = refusal(mark);
        if (mark == 0)
            ::unlink((probe + ":").c_str());
        if (!exists(probe)) {
            const int dot = makeFile(probe + ".");
            facts.dotRefused = refusal(dot);
            facts.dotDropped = dot == 0 && exists(probe);
            ::unlink((probe + ".").c_str());
            ::unlink(probe.c_str());
        }
    }
    const long bits = ::pathconf(staging.c_str(), _PC_FILESIZEBITS);
    if (bits > 0)
        facts.fileSizeBits = static_cast<int>(bits);
    facts.limitGiven = givenFileLimit();
    return rulesFrom(facts);
}

namespace {

// The entry of the open folder whose name folds to that of `name`,
// preferring `name` itself.
std::string entryLike(int dirFd, const std::string& name)
{
    struct stat st;
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::string();
    const std::string wanted = foldedPath(name);
    for (const std::string& entry : arkive::entriesOf(dirFd))
        if (entry != name && foldedPath(entry) == wanted)
            return entry;
    return name;
}

} // namespace

std::string holderOf(const std::string& staging, const std::string& member)
{
    std::string_view rest = member;
    int dir = ::open(staging.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    std::string path;
    while (dir >= 0 && !rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string part(rest.substr(0, slash));
        rest.remove_prefix(slash == std::string_view::npos ? rest.size() : slash + 1);
        if (part.empty() || part == ".")
            continue;
        const std::string entry = entryLike(dir, part);
        if (entry.empty())
            break;
        path += (path.empty() ? "" : "/") + entry;
        if (rest.empty())
            break;
        const int sub = ::openat(dir, entry.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        ::close(dir);
        dir = sub;
    }
    if (dir >= 0)
        ::close(dir);
    std::string_view own = member;
    while (startsWith(own, "./"))
        own.remove_prefix(2);
    while (!own.empty() && own.back() == '/')
        own.remove_suffix(1);
    return !path.empty() && path != own && foldedPath(path) == foldedPath(own) ? path : std::string();
}

} // namespace tally
