#include "nameorder.h"

#include <QDir>

#include <algorithm>
#include <numeric>

bool sortsByName(int sortSpec)
{
    return (sortSpec & ~int(QDir::DirsFirst | QDir::IgnoreCase)) == QDir::Name;
}

QList<int> nameOrder(const QStringList& names, const std::vector<bool>& folders, int sortSpec)
{
    const bool dirsFirst = sortSpec & QDir::DirsFirst;
    const bool ignoreCase = sortSpec & QDir::IgnoreCase;
    QStringList keys;
    if (ignoreCase) {
        keys.reserve(names.size());
        for (const QString& name : names)
            keys << name.toLower();
    }
    const QStringList& compared = ignoreCase ? keys : names;
    QList<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        if (dirsFirst && folders[size_t(a)] != folders[size_t(b)])
            return bool(folders[size_t(a)]);
        const int byKey = compared.at(a).compare(compared.at(b));
        if (byKey != 0)
            return byKey < 0;
        return names.at(a).compare(names.at(b)) < 0;
    });
    return order;
}
