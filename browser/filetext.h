#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

class QFontMetrics;

// The texts of a row's details.

// "drwxr-xr-x": the file type letter, then read, write and execute for
// owner, group and others. Set-id and sticky bits are not shown.
QString modeString(unsigned mode);
// The login name of a user, or the id in decimal when it has no entry.
QString ownerName(unsigned uid);
// The name of a group, or the id in decimal when it has no entry.
QString groupName(unsigned gid);
// "7 B", "4.0 KiB", "68.7 MiB": below 1024 bytes the count, else one
// decimal and the binary unit (KiB to EiB), as tally says sizes, the
// decimal point in the user's language ("4,0 KiB" in German).
QString sizeString(quint64 bytes, const QLocale& locale = QLocale());
// What separates the parts of a row's details: "4.0 KiB · 2009-3-7 08:05:09".
QString detailSeparator();
// As many of the details' parts, from the first, as fit in `width` pixels,
// the first shortened at its end when even it does not. Line breaks count
// as separators.
QString fittedDetails(const QString& details, const QFontMetrics& metrics, int width);
// "2009-3-7 08:05:09" with separator "-": no leading zeros in month and day.
// Empty for an invalid time.
QString dateString(const QDateTime& time, const QString& separator);
// The same text for a time in seconds since the epoch, shown in local time;
// many times faster than going through QDateTime, for long listings.
QString dateString(qint64 secondsSinceEpoch, const QString& separator);
