#include "totalsize.h"

#include "localbytes.h"

#include <QByteArray>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using FolderId = std::pair<dev_t, ino_t>;

// Sums the files below one folder. The folders still to read wait on a
// stack, so only one folder is open at a time and deep trees cannot run out
// of file descriptors or of call stack.
quint64 folderSize(const QByteArray& root, const struct stat& rootStat)
{
    std::set<FolderId> seen{{rootStat.st_dev, rootStat.st_ino}};
    std::vector<QByteArray> pending{root};
    quint64 total = 0;
    while (!pending.empty()) {
        const QByteArray folder = std::move(pending.back());
        pending.pop_back();
        DIR* dir = opendir(folder.constData());
        if (!dir)
            continue;
        const int fd = dirfd(dir);
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue; // hidden, and "." and ".."
            struct stat st;
            if (fstatat(fd, entry->d_name, &st, 0) != 0)
                continue; // a dangling link, or gone meanwhile
            if (S_ISREG(st.st_mode)) {
                total += quint64(st.st_size);
            } else if (S_ISDIR(st.st_mode) && seen.insert({st.st_dev, st.st_ino}).second) {
                QByteArray child = folder;
                if (!child.endsWith('/'))
                    child += '/';
                pending.push_back(child + entry->d_name);
            }
        }
        closedir(dir);
    }
    return total;
}

} // namespace

quint64 totalSize(const QStringList& paths)
{
    quint64 total = 0;
    for (const QString& path : paths) {
        if (path == QLatin1String(".") || path == QLatin1String(".."))
            continue;
        const QByteArray bytes = toLocalBytes(path);
        struct stat st;
        if (stat(bytes.constData(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            total += folderSize(bytes, st);
        else
            total += quint64(st.st_size);
    }
    return total;
}
