#include "totalsize.h"

#include "localbytes.h"
#include "treebytes.h"

#include <sys/stat.h>

quint64 totalSize(const QStringList& paths)
{
    quint64 total = 0;
    for (const QString& path : paths) {
        if (path == QLatin1String(".") || path == QLatin1String(".."))
            continue;
        const QByteArray bytes = toLocalBytes(path);
        struct stat st;
        if (stat(bytes.constData(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            tally::FolderIds seen;   // per selected path: the archivers pack each one whole
            total += tally::folderBytes(bytes.toStdString(), seen);
        } else {
            total += quint64(st.st_size);
        }
    }
    return total;
}
