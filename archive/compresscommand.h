#pragma once

#include <QStringList>

// What the compress dialog holds when OK is pressed: everything the
// archiving command line is made from.
struct CompressRequest
{
    QString outDir;      // the output folder, ending in "/" once set
    QString name;        // the text of the name field
    QString format;      // the current format entry, such as ".tar.gz"
    QStringList files;   // the paths to pack, in the caller's order
    int ratio = 6;       // zip level 0 to 9
    bool ultra = false;  // zip: level 9 whatever the ratio says
    bool split = false;  // zip: volumes of splitSize megabytes
    int splitSize = 0;
    QString password;    // zip only; empty for none
};

// The output folder and the name, with the format entry appended unless the
// name ends with it already, in its case (tally names a split set's volumes
// after a name ending in ".zip"). A folder or a name that only holds the
// entry elsewhere ("a.tar.gz/", "notes.tar.gz" packed as .tar) still gets
// it: the type of an archive is read from its ending.
QString archivePath(const CompressRequest& request);

// The entry without its leading ".": ".tar.gz" gives "tar.gz".
QString formatKey(const QString& entry);

// Whether the command table has a row for the key.
bool hasCompressCommand(const QString& key);

// Where the archive is written before it is complete: a new hidden file in
// the output folder, named with `token` (letters and digits), which tally
// puts at the archive path once every program has succeeded, and removes
// otherwise. zip needs its ".zip" ending to keep the name as given.
QString partialPath(const CompressRequest& request, const QString& token);

// The shell command line that packs the files into `partial` and pipes the
// listing into tally, which is told to expect `total` bytes and to put the
// archive in place. Empty when there are no files or the format has no row.
QString compressCommand(const CompressRequest& request, quint64 total, const QString& partial);

// The same line as it is written to the trace: a given password shows as
// ***, control characters escaped.
QString compressTrace(const CompressRequest& request, quint64 total, const QString& partial);
