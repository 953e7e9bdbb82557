#include "filetext.h"

#include <ctime>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

QString modeString(unsigned mode)
{
    QString text = QStringLiteral("----------");
    switch (mode & S_IFMT) {
    case S_IFDIR: text[0] = QLatin1Char('d'); break;
    case S_IFCHR: text[0] = QLatin1Char('c'); break;
    case S_IFBLK: text[0] = QLatin1Char('b'); break;
    case S_IFIFO: text[0] = QLatin1Char('p'); break;
    case S_IFLNK: text[0] = QLatin1Char('l'); break;
    case S_IFSOCK: text[0] = QLatin1Char('s'); break;
    default: break;
    }
    const char letters[] = "rwx";
    for (int i = 0; i < 9; ++i)
        if (mode & (0400u >> i))
            text[i + 1] = QLatin1Char(letters[i % 3]);
    return text;
}

QString ownerName(unsigned uid)
{
    if (const struct passwd* entry = ::getpwuid(uid))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(uid);
}

QString groupName(unsigned gid)
{
    if (const struct group* entry = ::getgrgid(gid))
        return QString::fromLocal8Bit(entry->gr_name);
    return QString::number(gid);
}

QString sizeString(quint64 bytes)
{
    // A double holds every byte count below 2^53 exactly, and the rounding
    // of larger ones is far below the two decimals shown.
    double value = double(bytes);
    const char* unit = "b";
    if (value > 1024.0) {
        value /= 1024.0;
        unit = "Kb";
    }
    if (value > 1024.0) {
        value /= 1024.0;
        unit = "Mb";
    }
    return QString::asprintf("%.2f", value) + QLatin1String(unit);
}

QString dateString(const QDateTime& time, const QString& separator)
{
    if (!time.isValid())
        return QString();
    const QDate date = time.date();
    return QString::number(date.year()) + separator + QString::number(date.month()) + separator
           + QString::number(date.day()) + QLatin1Char(' ') + time.time().toString();
}

namespace {
void appendTwoDigits(QString& text, int value)
{
    text += QLatin1Char(char('0' + value / 10));
    text += QLatin1Char(char('0' + value % 10));
}
} // namespace

QString dateString(qint64 secondsSinceEpoch, const QString& separator)
{
    const time_t seconds = time_t(secondsSinceEpoch);
    struct tm local;
    if (!::localtime_r(&seconds, &local))
        return QString();
    QString text = QString::number(local.tm_year + 1900) + separator
                   + QString::number(local.tm_mon + 1) + separator
                   + QString::number(local.tm_mday) + QLatin1Char(' ');
    appendTwoDigits(text, local.tm_hour);
    text += QLatin1Char(':');
    appendTwoDigits(text, local.tm_min);
    text += QLatin1Char(':');
    appendTwoDigits(text, local.tm_sec);
    return text;
}
