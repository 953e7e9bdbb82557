#pragma once

#include <QString>

// The archive types that the extract command knows, in the order in which
// they are tested against the complete extension of the archive's name.
enum class ArchiveType { None, Tar, Gzip, Bzip2, Zip, Lzop, Xz, Lzip, Lzma, Rar };

// The type from the file name alone: the complete extension (everything after
// the first "." of the name, without the folder), compared without regard to
// case; the first type one of whose patterns the extension ends with.
ArchiveType archiveTypeOf(const QString& archivePath);

// The shell command line that unpacks `archive` into `outDir` with the listing
// piped into tally; `password` is used by zip and rar, `overwrite` chooses
// whether existing files are replaced. Empty when the name has no type.
QString extractCommand(const QString& archive, const QString& outDir, const QString& password,
                       bool overwrite);

// The same line as it is written to the trace: a given password shows as ***.
QString extractTrace(const QString& archive, const QString& outDir, const QString& password,
                     bool overwrite);
