#include "compresscommand.h"

#include "pipeline.h"
#include "shellword.h"

#include <QDir>

#include <algorithm>

namespace {

// The tar rows differ only in the options that choose the compressor.
QString tarOptions(const QString& key)
{
    if (key == QLatin1String("tar"))
        return QStringLiteral("cvvf");
    if (key == QLatin1String("tar.gz") || key == QLatin1String("mtf") || key == QLatin1String("pkg")
        || key == QLatin1String("mpkg"))
        return QStringLiteral("zcvvf");
    if (key == QLatin1String("tar.bz2"))
        return QStringLiteral("jcvvf");
    if (key == QLatin1String("tar.xz"))
        return QStringLiteral("--use=xz -cvvf");
    if (key == QLatin1String("tar.lz"))
        return QStringLiteral("--use=lzip -cvvf");
    if (key == QLatin1String("tar.lzo"))
        return QStringLiteral("--use=lzop -cvvf");
    if (key == QLatin1String("tar.lzma"))
        return QStringLiteral("--use=lzma -cvvf");
    return QString();
}

QString fileWords(const QStringList& files)
{
    QStringList words;
    words.reserve(files.size());
    for (const QString& file : files)
        words << shellWord(pathArgument(file));
    return words.join(QLatin1Char(' '));
}

// Whether `path` lies below one of the folders being packed.
bool insideSelection(const QString& path, const QStringList& files)
{
    const QString clean = QDir::cleanPath(path);
    return std::any_of(files.cbegin(), files.cend(), [&clean](const QString& file) {
        const QString folder = QDir::cleanPath(file);
        return clean.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    });
}

// `passwordWord` stands for the password in the line: the quoted password
// for the shell, a mask for the trace.
QString buildLine(const CompressRequest& request, quint64 total, const QString& partial,
                  const QString& passwordWord)
{
    const QString key = formatKey(request.format);
    if (request.files.isEmpty() || !hasCompressCommand(key))
        return QString();
    const QString p = shellWord(pathArgument(partial));
    const QString j = fileWords(request.files);
    const bool zip = key == QLatin1String("zip");
    const QString tallyWords = QLatin1String("-T ") + QString::number(total) + QLatin1String(" -t ")
                               + (zip ? QLatin1String("zip") : QLatin1String("tar")) + QLatin1Char(' ')
                               + shellWord(QLatin1String("--archive=") + archivePath(request)) + QLatin1Char(' ')
                               + shellWord(QLatin1String("--partial=") + partial);
    if (!zip) {
        QString words = QLatin1String("tar ") + tarOptions(key) + QLatin1Char(' ') + p;
        // tar reads \ escapes in the names it is given ("a\b" would name
        // "a", backspace): such names are handed over with unquoting off.
        if (std::any_of(request.files.cbegin(), request.files.cend(),
                        [](const QString& f) { return f.contains(QLatin1Char('\\')); }))
            words += QLatin1String(" --no-unquote");
        // zip leaves out the archive it writes; tar would pack it into itself.
        if (insideSelection(partial, request.files))
            words += QLatin1String(" --no-wildcards --exclude=") + p;
        return pipelineLine({{QStringLiteral("tar"), words + QLatin1Char(' ') + j}}, tallyWords);
    }
    const int level = request.ultra ? 9 : request.ratio;
    QString words = QStringLiteral("zip -ryv -FS ");
    words += QLatin1String(" -") + QString::number(level) + QLatin1Char(' ');
    if (request.split && request.splitSize > 0)
        words += QLatin1String("-s ") + QString::number(request.splitSize) + QLatin1String("m ");
    if (request.password.isEmpty())
        words += QLatin1Char(' ');
    else
        words += QLatin1String(" -P ") + passwordWord + QLatin1Char(' ');
    words += p + QLatin1Char(' ') + j;
    return pipelineLine({{QStringLiteral("zip"), words}}, tallyWords);
}

} // namespace

QString archivePath(const CompressRequest& request)
{
    const QString path = request.outDir + request.name;
    return request.name.endsWith(request.format) ? path : path + request.format;
}

QString partialPath(const CompressRequest& request, const QString& token)
{
    return request.outDir + QLatin1String(".arkive-") + token
           + (formatKey(request.format) == QLatin1String("zip") ? QLatin1String(".zip") : QLatin1String(".part"));
}

QString formatKey(const QString& entry)
{
    return entry.mid(1);
}

bool hasCompressCommand(const QString& key)
{
    return key == QLatin1String("zip") || !tarOptions(key).isEmpty();
}

QString compressCommand(const CompressRequest& request, quint64 total, const QString& partial)
{
    return buildLine(request, total, partial, shellWord(request.password));
}

QString compressTrace(const CompressRequest& request, quint64 total, const QString& partial)
{
    return traceText(buildLine(request, total, partial, QStringLiteral("***")));
}
