#pragma once

#include <QStringList>

// Whether a folder of PATH (split at ":", empty parts dropped) holds an
// entry matching `program` as a name filter that is a file or a folder and
// not hidden. Execute permission is not tested.
bool isOnPath(const char* program);

// The format entries whose programs isOnPath finds, each beginning with
// ".": every format's own ending in the table's order, then the other
// endings the dialog offers (".mtf", ".pkg", ".mpkg").
QStringList compressFormats();

// The name the dialog proposes: `entry` is appended when the name has a
// "." after its first character ("notes.txt" gives "notes.txt.tar.gz").
QString proposedName(const QString& name, const QString& entry);

// The name after the user picks another format: everything from its first
// "." to the end is replaced by `entry`; a name without "." is kept.
QString renamedForFormat(const QString& name, const QString& entry);
