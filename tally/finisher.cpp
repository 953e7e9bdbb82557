#include "finisher.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "removetree.h"
#include "textutil.h"

namespace tally {

using arkive::entriesOf;

namespace {

std::string errorText(int error)
{
    return std::strerror(error);
}

// "NAME.z01" ... beside a zip named NAME.zip, in order, as long as they exist.
std::vector<std::string> volumesOf(const std::string& zip)
{
    std::vector<std::string> volumes;
    if (!endsWith(zip, ".zip"))
        return volumes;
    const std::string base = zip.substr(0, zip.size() - 4);
    for (int i = 1; i < 100000; ++i) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, i < 100 ? ".z%02d" : ".z%d", i);
        struct stat st;
        if (::lstat((base + suffix).c_str(), &st) != 0)
            break;
        volumes.push_back(base + suffix);
    }
    return volumes;
}

// "NAME.001", "NAME.002" ... as long as they exist: the volumes 7-Zip's -v
// writes instead of NAME.
std::vector<std::string> numberedOf(const std::string& name)
{
    std::vector<std::string> volumes;
    for (int i = 1; i < 100000; ++i) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%03d", i);
        struct stat st;
        if (::lstat((name + suffix).c_str(), &st) != 0)
            break;
        volumes.push_back(name + suffix);
    }
    return volumes;
}

void removeAll(const std::vector<std::string>& files)
{
    for (const std::string& file : files)
        ::unlink(file.c_str());
}

// The name a volume of the partial set takes beside the archive.
std::string volumeName(const std::string& zip, const std::string& volume)
{
    return (endsWith(zip, ".zip") ? zip.substr(0, zip.size() - 4) : zip) + volume.substr(volume.rfind('.'));
}

// rename that fails with EEXIST instead of replacing what another program
// put there since it was looked at; a plain rename where the file system
// cannot.
int renameNoReplace(int from, const char* name, int to)
{
    if (::syscall(SYS_renameat2, from, name, to, name, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    return ::renameat(from, name, to, name);
}

constexpr mode_t OwnerAll = S_IRUSR | S_IWUSR | S_IXUSR;
// Names tried for a folder of an archive's own before giving up: NAME,
// "NAME (2)" ...
constexpr int OwnFolderTries = 100;

struct Placer {
    bool replace;
    PlaceControl* control;
    FinishReport report;

    void refuse(const std::string& path, const std::string& why)
    {
        report.errors.push_back(path + ": not unpacked: " + why);
    }

    // Moves what the folder `from` holds into the folder `to`; `path` is
    // where they are, relative to the output folder, for the messages.
    void merge(int from, int to, const std::string& path)
    {
        for (const std::string& name : entriesOf(from)) {
            if (control && control->stop.load(std::memory_order_relaxed)) {
                report.stopped = true;
                return;
            }
            place(from, to, name, path.empty() ? name : path + "/" + name, true);
        }
    }

    // One entry of `from`, as the name in `to` decides. Another unpacking
    // into the same folder may put the name there while it is moved: then
    // the entry is placed `again` against what is there now (a folder of
    // two archives is merged).
    void place(int from, int to, const std::string& name, const std::string& shown, bool again)
    {
        struct stat source;
        struct stat target;
        if (::fstatat(from, name.c_str(), &source, AT_SYMLINK_NOFOLLOW) != 0) {
            refuse(shown, errorText(errno));
        } else if (::fstatat(to, name.c_str(), &target, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) {
                refuse(shown, errorText(errno));
            } else if (!move(from, to, name, shown, source, false)) {
                if (again)
                    place(from, to, name, shown, false);
                else
                    refuse(shown, "something of that name appeared meanwhile");
            }
        } else if (S_ISDIR(source.st_mode) && S_ISDIR(target.st_mode)) {
            descend(from, to, name, shown, source);
        } else if (S_ISLNK(target.st_mode) && S_ISDIR(source.st_mode)) {
            refuse(shown, shown + " is a symbolic link in the folder");
        } else if (S_ISDIR(target.st_mode)) {
            refuse(shown, "a folder of that name exists");
        } else if (!replace && S_ISDIR(source.st_mode)) {
            refuse(shown, "a file of that name exists");
        } else if (!replace) {
            ++report.kept;
            if (control)
                control->placed.fetch_add(1, std::memory_order_relaxed);
        } else if (S_ISDIR(source.st_mode)) {
            if (::unlinkat(to, name.c_str(), 0) != 0)
                refuse(shown, errorText(errno));
            else
                move(from, to, name, shown, source, false);
        } else {
            move(from, to, name, shown, source, true);   // rename replaces the file or link itself
        }
    }

    // `replacing`: the target exists and the user chose to replace it.
    // Otherwise nothing is replaced: false when something took the name
    // meanwhile (and nothing was moved).
    bool move(int from, int to, const std::string& name, const std::string& shown, const struct stat& source,
              bool replacing)
    {
        // A folder is moved with its contents; the system wants to write
        // its ".." entry, so a folder unpacked read-only is opened up for
        // the move and closed again after.
        const bool lockedFolder = S_ISDIR(source.st_mode) && !(source.st_mode & S_IWUSR);
        if (lockedFolder)
            ::fchmodat(from, name.c_str(), source.st_mode | S_IWUSR, 0);
        const int moved = replacing ? ::renameat(from, name.c_str(), to, name.c_str())
                                    : renameNoReplace(from, name.c_str(), to);
        // (A plain rename onto a folder that appeared fails with ENOTEMPTY.)
        const bool taken = moved != 0 && !replacing && (errno == EEXIST || errno == ENOTEMPTY);
        if (moved != 0 && !taken)
            refuse(shown, errorText(errno));
        if (moved == 0 && control)
            control->placed.fetch_add(1, std::memory_order_relaxed);
        if (lockedFolder)
            ::fchmodat(moved == 0 ? to : from, name.c_str(), source.st_mode & 07777, 0);
        return !taken;
    }

    // A folder unpacked without the owner's rights to list, enter or write
    // it is opened up to take its contents out (it is removed after).
    void descend(int from, int to, const std::string& name, const std::string& shown, const struct stat& source)
    {
        if ((source.st_mode & OwnerAll) != OwnerAll)
            ::fchmodat(from, name.c_str(), (source.st_mode & 07777) | OwnerAll, 0);
        const int subFrom = ::openat(from, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int subTo = ::openat(to, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (subFrom >= 0 && subTo >= 0)
            merge(subFrom, subTo, shown);
        else
            refuse(shown, errorText(errno));
        if (subFrom >= 0)
            ::close(subFrom);
        if (subTo >= 0)
            ::close(subTo);
    }
};

} // namespace

FinishReport commitArchive(const std::string& partial, const std::string& archive, bool success)
{
    FinishReport report;
    if (partial.empty())
        return report;
    const std::vector<std::string> volumes = volumesOf(partial);
    const std::vector<std::string> numbered = numberedOf(partial);
    if (!success) {
        ::unlink(partial.c_str());
        removeAll(volumes);
        removeAll(numbered);
        return report;
    }
    const std::vector<std::string> old = volumesOf(archive);
    const std::vector<std::string> oldNumbered = numberedOf(archive);
    struct stat st;
    if (!numbered.empty() && ::lstat(partial.c_str(), &st) != 0) {
        // A numbered set. Its first volume first: when that cannot be put in
        // place, whatever was there stays.
        for (std::size_t i = 0; i < numbered.size(); ++i) {
            const std::string target = archive + numbered[i].substr(partial.size());
            if (::rename(numbered[i].c_str(), target.c_str()) == 0)
                continue;
            report.errors.push_back("cannot put " + target + " in place: " + errorText(errno));
            if (i == 0) {
                removeAll(numbered);
                return report;
            }
            ::unlink(numbered[i].c_str());
        }
        // It replaces the archive of that name, whatever its form.
        for (std::size_t i = numbered.size(); i < oldNumbered.size(); ++i)
            ::unlink(oldNumbered[i].c_str());
        ::unlink(archive.c_str());
        removeAll(old);
        return report;
    }
    // The archive first: when it cannot be put in place (a folder of that
    // name), an earlier set keeps its volumes.
    if (::rename(partial.c_str(), archive.c_str()) != 0) {
        report.errors.push_back("cannot put " + archive + " in place: " + errorText(errno));
        ::unlink(partial.c_str());
        removeAll(volumes);
        return report;
    }
    for (const std::string& volume : volumes) {
        const std::string target = volumeName(archive, volume);
        if (::rename(volume.c_str(), target.c_str()) != 0)
            report.errors.push_back("cannot put " + target + " in place: " + errorText(errno));
    }
    // Volumes of an earlier set of that name that the new one does not have.
    for (std::size_t i = volumes.size(); i < old.size(); ++i)
        ::unlink(old[i].c_str());
    removeAll(oldNumbered);
    return report;
}

namespace {

// The private folder, opened: the archiver gives it the mode of the
// archive's "./" entry, which may shut its owner out.
int openStaging(const std::string& staging)
{
    ::chmod(staging.c_str(), OwnerAll);
    return ::open(staging.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Whether the private folder holds more than one entry: the archive has
// no folder (or single file) of its own.
bool needsOwnFolder(int from)
{
    return entriesOf(from).size() > 1;
}

// The folder NAME in `to`, made for what an archive holds: a new one, or
// one of that name that exists (its contents are merged as anywhere else);
// where a file or link takes the name, "NAME (2)" and so on. `chosen` gets
// the name taken. -1 with errno when none can be had.
int openOwnFolder(int to, const std::string& name, std::string& chosen)
{
    for (int n = 1; n <= OwnFolderTries; ++n) {
        chosen = n == 1 ? name : name + " (" + std::to_string(n) + ")";
        if (::mkdirat(to, chosen.c_str(), 0777) != 0 && errno != EEXIST)
            return -1;
        const int own = ::openat(to, chosen.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (own >= 0 || (errno != ENOTDIR && errno != ELOOP))
            return own;
    }
    errno = EEXIST;
    return -1;
}

// Removes the private folder with what is left in it, and closes `from`.
void removeStaging(int from, const std::string& staging)
{
    for (const std::string& name : entriesOf(from))
        arkive::removeTree(from, name);
    ::close(from);
    ::rmdir(staging.c_str());
}

} // namespace

FinishReport placeUnpacked(const std::string& staging, const std::string& folder, bool replace,
                           PlaceControl* control, const std::string& ownFolder)
{
    Placer placer{replace, control, {}};
    if (staging.empty())
        return placer.report;
    const int from = openStaging(staging);
    if (from < 0) {
        if (errno != ENOENT)   // (never made: its own error was reported)
            placer.report.errors.push_back(staging + ": " + errorText(errno));
        return placer.report;
    }
    int to = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string shown;
    if (to < 0) {
        placer.report.errors.push_back(folder + ": " + errorText(errno));
    } else if (!ownFolder.empty() && ownFolder != "." && ownFolder != ".." && ownFolder.find('/') == std::string::npos
               && needsOwnFolder(from)) {
        const int own = openOwnFolder(to, ownFolder, shown);
        if (own < 0)
            placer.report.errors.push_back(folder + "/" + ownFolder + ": " + errorText(errno));
        else
            placer.report.ownFolder = shown;
        ::close(to);
        to = own;
    }
    if (to >= 0) {
        placer.merge(from, to, shown);
        ::close(to);
    }
    removeStaging(from, staging);   // with what could not be placed
    return placer.report;
}

CutMember setAsideCut(const std::string& staging, std::string_view member, std::optional<std::uint64_t> size)
{
    if (staging.empty())
        return {};
    if (member.size() > staging.size() && member.substr(0, staging.size()) == staging && member[staging.size()] == '/')
        member.remove_prefix(staging.size() + 1);
    std::vector<std::string> parts;
    while (!member.empty()) {
        const std::size_t slash = member.find('/');
        const std::string_view part = member.substr(0, slash);
        if (part == "..")
            return {};
        if (!part.empty() && part != ".")
            parts.emplace_back(part);
        member.remove_prefix(slash == std::string_view::npos ? member.size() : slash + 1);
    }
    if (parts.empty())
        return {};
    int dir = ::open(staging.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    std::string path;
    for (std::size_t i = 0; dir >= 0 && i + 1 < parts.size(); ++i) {
        const int sub = ::openat(dir, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        ::close(dir);
        dir = sub;
        path += parts[i] + '/';
    }
    if (dir < 0)
        return {};
    CutMember cut;
    const std::string& name = parts.back();
    struct stat st;
    if (::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
        && (!size || static_cast<std::uint64_t>(st.st_size) < *size)) {
        const std::string part = name + ".part";
        struct stat there;
        int moved = ::syscall(SYS_renameat2, dir, name.c_str(), dir, part.c_str(), RENAME_NOREPLACE);
        if (moved != 0 && (errno == EINVAL || errno == ENOSYS)
            && ::fstatat(dir, part.c_str(), &there, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT)
            moved = ::renameat(dir, name.c_str(), dir, part.c_str());   // the private folder is the line's own
        if (moved == 0)
            cut = {path + name, true};
        else if (::unlinkat(dir, name.c_str(), 0) == 0)
            cut = {path + name, false};
    }
    ::close(dir);
    return cut;
}

std::string syncToStorage(const std::string& path, const std::string& alsoFile)
{
    if (!alsoFile.empty()) {
        const int file = ::open(alsoFile.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (file >= 0) {
            const bool synced = ::fsync(file) == 0;
            const int error = errno;
            ::close(file);
            if (!synced && error != EINVAL)
                return alsoFile + ": not written to the storage: " + errorText(error);
        }
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return path + ": " + errorText(errno);
    const bool synced = ::syncfs(fd) == 0;
    const int error = errno;
    ::close(fd);
    return synced ? std::string() : path + ": not written to the storage: " + errorText(error);
}

void discardUnpacked(const std::string& staging)
{
    if (staging.empty())
        return;
    const int from = openStaging(staging);
    if (from >= 0)
        removeStaging(from, staging);
}

std::size_t volumeCount(const std::string& archive)
{
    if (archive.empty())
        return 0;
    if (endsWith(archive, ".001"))
        return numberedOf(archive.substr(0, archive.size() - 4)).size();
    struct stat st;
    if (::lstat(archive.c_str(), &st) != 0)
        return numberedOf(archive).size();
    return 1 + volumesOf(archive).size();
}

} // namespace tally
