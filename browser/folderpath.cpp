#include "folderpath.h"

QString childPath(const QString& dir, const QString& name)
{
    if (dir == QLatin1String("/"))
        return QLatin1Char('/') + name;
    return dir + QLatin1Char('/') + name;
}

QString parentFolder(const QString& dir)
{
    const int slash = dir.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return dir;
    if (slash == 0)
        return QStringLiteral("/");
    return dir.left(slash);
}

TapZone tapZone(int x, int width)
{
    if (x < width / 5)
        return TapZone::Toggle;
    if (x > (4 * width) / 5)
        return TapZone::Select;
    return TapZone::SelectEnter;
}
