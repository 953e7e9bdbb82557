#include "compressformats.h"

#include "format.h"

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
    QStringList formats, aliases;
    for (const arkive::Format& format : arkive::formats()) {
        if (!format.packs || !std::all_of(format.packTools.begin(), format.packTools.end(),
                                          [](const arkive::Tool& tool) { return isOnPath(tool.program); }))
            continue;
        for (const arkive::Ending& ending : format.endings) {
            if (ending.offered)
                (&ending == &format.endings.front() ? formats : aliases) << QString::fromLatin1(ending.text);
        }
    }
    return formats + aliases;
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
