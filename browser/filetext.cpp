#include "filetext.h"

#include <QFontMetrics>
#include <QHash>
#include <QStringList>

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

namespace {

// A name by its id, looked up once: rows draw their details on every frame
// of a scroll, and each lookup may read /etc/passwd or ask a directory
// service. (The texts are made on the GUI thread only.)
template <typename Lookup>
QString rememberedName(QHash<unsigned, QString>& names, unsigned id, Lookup lookup)
{
    auto found = names.constFind(id);
    if (found == names.constEnd())
        found = names.insert(id, lookup(id));
    return *found;
}

} // namespace

QString ownerName(unsigned uid)
{
    static QHash<unsigned, QString> names;
    return rememberedName(names, uid, [](unsigned id) {
        const struct passwd* entry = ::getpwuid(id);
        return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(id);
    });
}

QString groupName(unsigned gid)
{
    static QHash<unsigned, QString> names;
    return rememberedName(names, gid, [](unsigned id) {
        const struct group* entry = ::getgrgid(id);
        return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(id);
    });
}

QString sizeString(quint64 bytes, const QLocale& locale)
{
    static const char* const units[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    if (bytes < 1024)
        return QString::number(bytes) + QLatin1String(" B");
    // A value that would round up to 1024.0 is shown in the next unit.
    double value = double(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1023.95 && unit < 5) {
        value /= 1024.0;
        ++unit;
    }
    QLocale numbers = locale;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    return numbers.toString(value, 'f', 1) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QString detailSeparator() { return QStringLiteral(" \u00b7 "); }

QString fittedDetails(const QString& details, const QFontMetrics& metrics, int width)
{
    QStringList parts = QString(details).replace(QLatin1Char('\n'), detailSeparator()).split(detailSeparator());
    while (parts.size() > 1 && metrics.horizontalAdvance(parts.join(detailSeparator())) > width)
        parts.removeLast();
    const QString shown = parts.join(detailSeparator());
    return metrics.horizontalAdvance(shown) <= width ? shown : metrics.elidedText(shown, Qt::ElideRight, width);
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
