// Putting the result of a job in place once its programs have ended: the
// archive made under a temporary name, or the tree unpacked into a private
// folder. Plain C++ over the system calls.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

struct FinishReport {
    std::uint64_t kept = 0;             // files that existed and were kept
    std::vector<std::string> errors;    // in the words tally shows
    bool stopped = false;               // placing was stopped: what was not placed yet was removed
    std::string ownFolder;              // unpacking: the folder made for the archive's contents, or ""
};

// A placement that runs beside the window (or is ended by a signal) is
// stopped and watched through this.
struct PlaceControl {
    std::atomic<bool> stop{false};         // no entry more is placed
    std::atomic<std::uint64_t> placed{0};  // entries placed or kept so far (a folder moved whole counts as one)
};

// Packing: when `success`, the file at `partial` (and the volumes of a split
// zip beside it, NAME.z01 ...) takes the place of `archive`, and volumes of
// an earlier set that the new one does not have are removed, an earlier
// numbered set ARCHIVE.001 ... too. When there is no partial file but
// numbered volumes PARTIAL.001 ... (7-Zip's -v), they become ARCHIVE.001 ...,
// and an earlier ARCHIVE, its zip volumes and the numbered volumes beyond
// the new count are removed. Otherwise the partial file and its volumes
// are removed and `archive` stays untouched.
FinishReport commitArchive(const std::string& partial, const std::string& archive, bool success);

// Unpacking: moves what `staging` holds into `folder`, then removes
// `staging`. Nothing is moved through a symbolic link: a member whose path
// in the folder leads through one is refused. A file that exists is replaced
// only when `replace`; folders that exist are merged. Each entry is moved
// whole: once `control->stop` is set no entry more is placed.
// With `ownFolder`, an archive that holds more than one entry at its top
// is placed in the folder of that name in `folder` (made when it is not
// there; "NAME (2)" ... where a file takes the name), so that its loose
// files are not scattered among the folder's entries.
FinishReport placeUnpacked(const std::string& staging, const std::string& folder, bool replace,
                           PlaceControl* control = nullptr, const std::string& ownFolder = {});

// Unpacking that went wrong: the member that was being written when the
// line ended, `member` as the archiver listed it (relative to `staging`, or
// under it), is not placed under its own name. A regular file shorter than
// `size` (of any length when the size is not known) becomes MEMBER.part, or
// is removed when MEMBER.part is there already. Returns the member's path
// in the folder, or "" when nothing was cut. Nothing is followed through a
// symbolic link, and a name that would leave the folder is left alone.
struct CutMember {
    std::string path;    // relative to the folder
    bool keptAsPart = false;
};
CutMember setAsideCut(const std::string& staging, std::string_view member, std::optional<std::uint64_t> size);

// Puts what was written to the file system that holds `path` on its
// storage, before the job is told done: a memory card keeps a file renamed
// over an older one only once it is written out (FAT loses both for half a
// minute after a rename). `alsoFile`, when given, is synced by itself too,
// as file systems that do not pass a whole sync on (FUSE) need. Returns the
// error in tally's words, or "".
std::string syncToStorage(const std::string& path, const std::string& alsoFile = {});

// How many files the archive `archive` is: 1 for one file, more for a
// split set (a zip and its NAME.z01 ..., or NAME.001 ..., whether `archive`
// names the set or its first volume), 0 when there is none.
std::size_t volumeCount(const std::string& archive);

// Unpacking whose result must not be placed (a wrong password, a signal):
// removes `staging` with all it holds. Also for a packing line's private
// folder.
void discardUnpacked(const std::string& staging);

} // namespace tally
