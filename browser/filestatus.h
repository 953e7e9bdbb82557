#pragma once

#include <QString>

// What one status query tells about an entry. A listing queries each entry
// once and takes its folder test, icon and detail texts from the result.
struct FileStatus
{
    bool valid = false; // the query succeeded
    int error = 0;      // errno of a query that failed
    unsigned mode = 0;  // st_mode: file type and permission bits
    unsigned uid = 0;
    unsigned gid = 0;
    qint64 size = 0;    // bytes
    qint64 mtime = 0;   // seconds since the epoch
    bool link = false;  // the entry itself is a symbolic link (followed or not)

    bool isDir() const;
};

// stat(): symbolic links are followed, so a link shows as its target (and
// is told by `link`).
FileStatus fileStatus(const QString& path);
// lstat(): the entry itself, a link as a link.
FileStatus linkStatus(const QString& path);
// stat() of an entry of the open folder `folder` (a file descriptor).
FileStatus fileStatusAt(int folder, const char* name);
