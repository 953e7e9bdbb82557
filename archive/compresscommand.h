#pragma once

#include "plan.h"

#include <QStringList>

// What the compress dialog holds when OK is pressed: everything the
// archiving command line is made from.
struct CompressRequest
{
    QString outDir;      // the output folder, ending in "/" once set
    QString name;        // the text of the name field
    QString format;      // the current format entry, such as ".tar.gz"
    QStringList files;   // the paths to pack, in the caller's order
    int ratio = 6;       // level 0 to 9
    bool ultra = false;  // level 9 whatever the ratio says
    bool split = false;  // volumes of splitSize megabytes
    int splitSize = 0;
    QString password;    // empty for none
};

// The format of a dialog entry (".tar.gz"), or null.
const arkive::Format* formatOfEntry(const QString& entry);

// The output folder and the name, with the format entry appended unless the
// name ends with it already, in its case (tally names a split set's volumes
// after a name ending in ".zip"). A folder or a name that only holds the
// entry elsewhere ("a.tar.gz/", "notes.tar.gz" packed as .tar) still gets
// it: the type of an archive is read from its ending.
QString archivePath(const CompressRequest& request);

// Where the archive is written before it is complete: a new hidden file in
// the output folder, named with `token` (letters and digits), which tally
// puts at the archive path once every program has succeeded, and removes
// otherwise.
QString partialPath(const CompressRequest& request, const QString& token);

// What tally measures the packing's progress against: the bytes of the
// tar stream for the tar formats, the bytes of the files (totalSize) for
// the others.
quint64 packingTotal(const CompressRequest& request);

// The plan of the line that packs the files into `partial`, for tally to
// expect `total` bytes and to put the archive in place; without stages
// when there are no files or the format is not packed. Programs are looked
// for on PATH.
// `record`: the job's record, which tally removes at the end (none when empty).
arkive::Plan compressPlan(const CompressRequest& request, quint64 total, const QString& partial,
                          const QString& record = QString());

// The shell command line of that plan; empty without stages.
QString compressCommand(const CompressRequest& request, quint64 total, const QString& partial,
                        const QString& record = QString());

// The same line as it is written to the trace: a given password shows as
// ***, control characters escaped.
QString compressTrace(const CompressRequest& request, quint64 total, const QString& partial,
                      const QString& record = QString());
