#include "treebytes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <vector>

namespace tally {

std::uint64_t folderBytes(const std::string& folder, FolderIds& seen)
{
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || !seen.insert({st.st_dev, st.st_ino}).second)
        return 0;
    // The folders still to read wait on a stack, so only one folder is open
    // at a time and deep trees cannot run out of descriptors or call stack.
    std::vector<std::string> pending{folder};
    std::uint64_t total = 0;
    while (!pending.empty()) {
        const std::string dir = std::move(pending.back());
        pending.pop_back();
        DIR* d = ::opendir(dir.c_str());
        if (!d)
            continue;
        const int fd = ::dirfd(d);
        while (const dirent* entry = ::readdir(d)) {
            if (entry->d_name[0] == '.')
                continue;   // hidden, and "." and ".."
            if (::fstatat(fd, entry->d_name, &st, 0) != 0)
                continue;   // a dangling link, or gone meanwhile
            if (S_ISREG(st.st_mode))
                total += static_cast<std::uint64_t>(st.st_size);
            else if (S_ISDIR(st.st_mode) && seen.insert({st.st_dev, st.st_ino}).second)
                pending.push_back((dir.back() == '/' ? dir : dir + '/') + entry->d_name);
        }
        ::closedir(d);
    }
    return total;
}

} // namespace tally
