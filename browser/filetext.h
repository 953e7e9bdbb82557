#pragma once

#include <QDateTime>
#include <QString>

// The texts of a row's details form.

// "drwxr-xr-x": the file type letter, then read, write and execute for
// owner, group and others. Set-id and sticky bits are not shown.
QString modeString(unsigned mode);
// The login name of a user, or the id in decimal when it has no entry.
QString ownerName(unsigned uid);
// The name of a group, or the id in decimal when it has no entry.
QString groupName(unsigned gid);
// "1.50Kb": two decimals and the unit b, Kb or Mb, switching to the next
// unit only above 1024 of the current one.
QString sizeString(quint64 bytes);
// "2009-3-7 08:05:09" with separator "-": no leading zeros in month and day.
// Empty for an invalid time.
QString dateString(const QDateTime& time, const QString& separator);
// The same text for a time in seconds since the epoch, shown in local time;
// many times faster than going through QDateTime, for long listings.
QString dateString(qint64 secondsSinceEpoch, const QString& separator);
