#pragma once

#include "plan.h"

#include <QString>

// What an unpacking line is made from.
struct ExtractRequest
{
    QString archive;
    QString outDir;
    QString password;      // zip, 7z and rar only
    bool overwrite = true; // whether existing files are replaced
    std::vector<arkive::MemberPick> members; // only these; empty: the whole archive
    QString ownFolder;     // more than one entry at the top goes into this folder of outDir; empty: none
};

// What the archive says of itself before it is unpacked: its format from
// its name (and first bytes), whether it is a split zip, what its zip
// directory or rar headers tell.
struct ArchiveFacts
{
    const arkive::Format* format = nullptr;
    bool split = false;
    bool unzipCannotRead = false;
    bool encrypted = false;
    std::optional<quint64> entries;
    std::optional<quint64> archiveBytes;   // its size
    std::optional<quint64> memberBytes;    // zip, rar: what its members unpack to, as its headers say
};
ArchiveFacts archiveFacts(const QString& archive);

// The name of the folder an archive's contents get when they have no
// folder of their own: the archive's name less its format's ending
// ("photos" for photos.tar.gz), or the whole name where nothing would be
// left.
QString ownFolderName(const QString& archive);

// Whether the folder holds any entry: an archive unpacked there would be
// mixed with them.
bool holdsEntries(const QString& folder);

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

// The plan of the line that unpacks the archive, or why it is refused.
// Programs are looked for on PATH.
// `record`: the job's record, which tally removes at the end (none when empty).
arkive::Plan extractPlan(const ExtractRequest& request, const ArchiveFacts& facts, const QString& token,
                         const QString& record = QString());

// The shell command line that unpacks the archive with the listing piped
// into tally. Empty when the archive is refused.
QString extractCommand(const ExtractRequest& request, const QString& token);

// The same line as it is written to the trace: a given password shows as
// ***, control characters escaped.
QString extractTrace(const ExtractRequest& request, const ArchiveFacts& facts, const QString& token,
                     const QString& record = QString());
