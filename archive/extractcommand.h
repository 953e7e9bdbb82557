#pragma once

#include <QString>

// The archive types that the extract command knows, in the order in which
// they are tested against the complete extension of the archive's name.
enum class ArchiveType { None, Tar, Gzip, Bzip2, Zip, Lzop, Xz, Lzip, Lzma, Rar };

// The type from the file name alone: the complete extension (everything after
// the first "." of the name, without the folder), compared without regard to
// case; the first type one of whose patterns the extension ends with.
ArchiveType archiveTypeOf(const QString& archivePath);

// What an unpacking line is made from.
struct ExtractRequest
{
    QString archive;
    QString outDir;
    QString password;      // zip and rar only
    bool overwrite = true; // whether existing files are replaced
    bool split = false;    // a zip with volumes beside it (NAME.z01 ...)
};

// The first volume of a split set whose last volume is the zip `archive`:
// NAME.z01 beside NAME.zip.
QString firstVolume(const QString& archive);
// Whether a zip archive is the last volume of a split set: its first volume
// lies beside it.
bool isSplitZip(const QString& archive);

// The folder the archive is unpacked into first: a new private folder in the
// output folder, named with `token` (letters and digits). tally moves what
// it holds into the output folder, never through a symbolic link, keeping or
// replacing existing files as asked, and removes it. Empty for an empty
// output folder, which the line then hands on as it is.
QString stagingPath(const QString& outDir, const QString& token);

// Why an archive is not unpacked: its name has no type, or its archiver
// would take a * or ? in its path (or, for 7-Zip, a * in the output
// folder) as a pattern and open other archives or write elsewhere: unrar
// and 7-Zip have no way to take such a name as it stands.
enum class Refusal { None, NoType, Pattern };
Refusal refusalOf(const ExtractRequest& request);

// The shell command line that unpacks the archive with the listing piped
// into tally. Empty when the archive is refused.
QString extractCommand(const ExtractRequest& request, const QString& token);

// The same line as it is written to the trace: a given password shows as
// ***, control characters escaped.
QString extractTrace(const ExtractRequest& request, const QString& token);
