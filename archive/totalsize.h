#pragma once

#include <QStringList>

// The number of bytes that packing `paths` reads, as tally is told to
// expect it: files add their size; folders (symbolic links followed) add the
// sizes of their entries, leaving out hidden entries and entries that are
// neither files nor folders. "." and ".." are skipped, and a path that does
// not exist adds 0. A folder met again below the same selected path, as
// through a link that loops back, is walked only once, so the walk ends.
quint64 totalSize(const QStringList& paths);
