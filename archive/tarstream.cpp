#include "tarstream.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <utility>

namespace arkive {

namespace {

std::uint64_t blocks(std::uint64_t bytes)
{
    return (bytes + kTarBlock - 1) / kTarBlock * kTarBlock;
}

// A name or link target too long for the header: a header of its own and
// the text with its NUL.
std::uint64_t longText(std::size_t length)
{
    return length > kTarNameField ? kTarBlock + blocks(length + 1) : 0;
}

class Walk {
public:
    std::uint64_t bytes = 0;

    // `path` on disk, stored as `name`.
    void member(const std::string& path, std::string name)
    {
        // pending: folders still to read, so that only one is open at a time.
        std::vector<std::pair<std::string, std::string>> pending;
        entry(path, std::move(name), pending);
        while (!pending.empty()) {
            const auto [folder, stored] = std::move(pending.back());
            pending.pop_back();
            DIR* d = ::opendir(folder.c_str());
            if (!d)
                continue;
            while (const dirent* e = ::readdir(d)) {
                const std::string child = e->d_name;
                if (child != "." && child != "..")
                    entry(folder + '/' + child, stored + child, pending);
            }
            ::closedir(d);
        }
    }

private:
    void entry(const std::string& path, std::string name, std::vector<std::pair<std::string, std::string>>& pending)
    {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || S_ISSOCK(st.st_mode))
            return;
        // tar stores no leading "/", and a folder's name with a "/" after it.
        name.erase(0, name.find_first_not_of('/'));
        if (S_ISDIR(st.st_mode)) {
            if (name.empty() || name.back() != '/')
                name += '/';
            pending.emplace_back(path, name);
        }
        bytes += kTarBlock + longText(name.size());
        if (S_ISLNK(st.st_mode)) {
            bytes += longText(static_cast<std::size_t>(st.st_size));   // the target, as long as the link says
        } else if (S_ISREG(st.st_mode)) {
            if (st.st_nlink > 1) {
                const auto [first, isNew] = seen_.emplace(std::make_pair(st.st_dev, st.st_ino), name);
                if (!isNew) {
                    bytes += longText(first->second.size());   // a link to the name stored first
                    return;
                }
            }
            bytes += blocks(static_cast<std::uint64_t>(st.st_size));
        }
    }

    std::map<std::pair<dev_t, ino_t>, std::string> seen_;
};

} // namespace

std::uint64_t tarStreamBytes(const std::string& base, const std::vector<std::string>& names)
{
    Walk walk;
    for (const std::string& name : names)
        walk.member(base.empty() ? name : base == "/" ? "/" + name : base + '/' + name, name);
    const std::uint64_t bytes = walk.bytes + 2 * kTarBlock;
    return (bytes + kTarRecord - 1) / kTarRecord * kTarRecord;
}

} // namespace arkive
