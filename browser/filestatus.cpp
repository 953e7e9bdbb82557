#include "filestatus.h"

#include "localbytes.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

FileStatus fromStat(int result, const struct stat& st)
{
    FileStatus status;
    if (result != 0) {
        status.error = errno;
        return status;
    }
    status.valid = true;
    status.mode = st.st_mode;
    status.uid = st.st_uid;
    status.gid = st.st_gid;
    status.size = st.st_size;
    status.mtime = st.st_mtime;
    return status;
}

} // namespace

bool FileStatus::isDir() const
{
    return valid && S_ISDIR(mode);
}

FileStatus fileStatus(const QString& path)
{
    return fileStatusAt(AT_FDCWD, toLocalBytes(path).constData());
}

FileStatus linkStatus(const QString& path)
{
    struct stat st;
    const int result = ::lstat(toLocalBytes(path).constData(), &st);
    return fromStat(result, st);
}

// The entry itself first: only a link costs a second query.
FileStatus fileStatusAt(int folder, const char* name)
{
    struct stat st;
    int result = ::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW);
    const bool link = result == 0 && S_ISLNK(st.st_mode);
    if (link)
        result = ::fstatat(folder, name, &st, 0);
    FileStatus status = fromStat(result, st);
    status.link = link;
    return status;
}
