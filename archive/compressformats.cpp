#include "compressformats.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

bool isOnPath(const char* program)
{
    const QStringList folders =
        QString::fromLocal8Bit(qgetenv("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const QStringList filter{QString::fromLatin1(program)};
    for (const QString& folder : folders) {
        // Without QDir::Hidden and QDir::System, hidden names, dangling
        // links and special files are left out.
        const QDir dir(folder);
        if (!dir.entryList(filter, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::CaseSensitive)
                 .isEmpty())
            return true;
    }
    return false;
}

QStringList compressFormats()
{
    struct Row
    {
        const char* program;
        QStringList entries;
    };
    const Row rows[] = {
        {"tar", {QStringLiteral(".tar")}},
        {"gzip", {QStringLiteral(".tar.gz"), QStringLiteral(".mtf"), QStringLiteral(".pkg"),
                  QStringLiteral(".mpkg")}},
        {"bzip2", {QStringLiteral(".tar.bz2")}},
        {"lzip", {QStringLiteral(".tar.lz")}},
        {"lzop", {QStringLiteral(".tar.lzo")}},
        {"lzma", {QStringLiteral(".tar.lzma")}},
        {"xz", {QStringLiteral(".tar.xz")}},
        {"zip", {QStringLiteral(".zip")}},
    };
    QStringList formats;
    for (const Row& row : rows) {
        if (isOnPath(row.program))
            formats += row.entries;
    }
    // QString's operator< compares UTF-16 code units: character codes.
    std::sort(formats.begin(), formats.end());
    return formats;
}

QString proposedName(const QString& name, const QString& entry)
{
    return name.indexOf(QLatin1Char('.')) > 0 ? name + entry : name;
}

QString renamedForFormat(const QString& name, const QString& entry)
{
    // "." matches a newline too, so a name holding one still loses
    // everything from its first "." on.
    static const QRegularExpression suffix(QStringLiteral("\\..*"),
                                           QRegularExpression::DotMatchesEverythingOption);
    QString renamed = name;
    const QRegularExpressionMatch match = suffix.match(renamed);
    if (match.hasMatch())
        renamed.replace(match.capturedStart(), match.capturedLength(), entry);
    return renamed;
}
