#include "removetree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace arkive {

std::vector<std::string> entriesOf(int dirFd)
{
    std::vector<std::string> names;
    const int copy = ::dup(dirFd);
    DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!dir) {
        if (copy >= 0)
            ::close(copy);
        return names;
    }
    ::rewinddir(dir);
    while (const dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names.emplace_back(e->d_name);
    }
    ::closedir(dir);
    return names;
}

std::uint64_t removeTree(int dirFd, const std::string& name)
{
    struct stat st;
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return 0;
    if (!S_ISDIR(st.st_mode)) {
        ::unlinkat(dirFd, name.c_str(), 0);
        return S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    }
    std::uint64_t bytes = 0;
    ::fchmodat(dirFd, name.c_str(), 0700, 0);
    const int sub = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (sub >= 0) {
        for (const std::string& entry : entriesOf(sub))
            bytes += removeTree(sub, entry);
        ::close(sub);
    }
    ::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR);
    return bytes;
}

} // namespace arkive
