#include "compresscommand.h"

#include "shellword.h"

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

// `passwordWord` stands for the password in the line: the quoted password
// for the shell, a mask for the trace.
QString buildLine(const CompressRequest& request, quint64 total, const QString& passwordWord)
{
    const QString key = formatKey(request.format);
    if (request.files.isEmpty() || !hasCompressCommand(key))
        return QString();
    const QString a = shellWord(pathArgument(archivePath(request)));
    const QString j = fileWords(request.files);
    const QString n = QString::number(total);
    if (key != QLatin1String("zip")) {
        // tar reads \ escapes in the names it is given ("a\b" would name
        // "a", backspace): such names are handed over with unquoting off.
        const bool escapes = std::any_of(request.files.cbegin(), request.files.cend(),
                                         [](const QString& f) { return f.contains(QLatin1Char('\\')); });
        return QLatin1String("tar ") + tarOptions(key) + QLatin1Char(' ') + a
               + (escapes ? QLatin1String(" --no-unquote ") : QLatin1String(" ")) + j
               + QLatin1String(" |tally -T ") + n + QLatin1String(" -t tar &");
    }

    const int level = request.ultra ? 9 : request.ratio;
    QString line = QStringLiteral("zip -ryv -FS ");
    line += QLatin1String(" -") + QString::number(level) + QLatin1Char(' ');
    if (request.split && request.splitSize > 0)
        line += QLatin1String("-s ") + QString::number(request.splitSize) + QLatin1String("m ");
    if (request.password.isEmpty())
        line += QLatin1Char(' ');
    else
        line += QLatin1String(" -P ") + passwordWord + QLatin1Char(' ');
    line += a + QLatin1Char(' ') + j + QLatin1String(" |tally -T ") + n + QLatin1String(" -t zip &");
    return line;
}

} // namespace

QString archivePath(const CompressRequest& request)
{
    const QString path = request.outDir + request.name;
    if (path.contains(request.format))
        return path;
    return path + request.format;
}

QString formatKey(const QString& entry)
{
    return entry.mid(1);
}

bool hasCompressCommand(const QString& key)
{
    return key == QLatin1String("zip") || !tarOptions(key).isEmpty();
}

QString compressCommand(const CompressRequest& request, quint64 total)
{
    return buildLine(request, total, shellWord(request.password));
}

QString compressTrace(const CompressRequest& request, quint64 total)
{
    return buildLine(request, total, QStringLiteral("***"));
}
