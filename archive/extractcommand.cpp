#include "extractcommand.h"

#include "shellword.h"

#include <QStringList>

namespace {

struct TypePatterns
{
    ArchiveType type;
    QStringList patterns;
};

// Tested in this order; the first type one of whose patterns the extension
// ends with is taken, so "tar" comes before everything that is not a tar.
const QList<TypePatterns>& typeTable()
{
    static const QList<TypePatterns> table = {
        {ArchiveType::Tar, {QStringLiteral("tar")}},
        {ArchiveType::Gzip,
         {QStringLiteral("tar.gz"), QStringLiteral("tgz"), QStringLiteral("mpkg"),
          QStringLiteral("pkg"), QStringLiteral("mtf")}},
        {ArchiveType::Bzip2, {QStringLiteral("tar.bz2"), QStringLiteral("tbz2")}},
        {ArchiveType::Zip, {QStringLiteral("zip")}},
        {ArchiveType::Lzop, {QStringLiteral("tar.lzo"), QStringLiteral("tlzo")}},
        {ArchiveType::Xz, {QStringLiteral("tar.xz"), QStringLiteral("txz")}},
        {ArchiveType::Lzip, {QStringLiteral("tar.lz"), QStringLiteral("tlz")}},
        {ArchiveType::Lzma, {QStringLiteral("tar.lzma"), QStringLiteral("tlzma")}},
        {ArchiveType::Rar, {QStringLiteral("rar")}},
    };
    return table;
}

// The decompressor that feeds a compressed tar to tar on standard input.
QString decompressor(ArchiveType type)
{
    switch (type) {
    case ArchiveType::Gzip: return QStringLiteral("gzip -d <");
    case ArchiveType::Bzip2: return QStringLiteral("bzip2 -d <");
    case ArchiveType::Lzop: return QStringLiteral("lzop -d <");
    case ArchiveType::Xz: return QStringLiteral("xz -d <");
    case ArchiveType::Lzip: return QStringLiteral("lzip -d <");
    case ArchiveType::Lzma: return QStringLiteral("lzma -d <");
    default: return QString();
    }
}

// `passwordWord` is what stands for the password in the line: the quoted
// password for the shell, a mask for the trace. It is used only when the
// password is not empty.
QString buildLine(const QString& archive, const QString& outDir, const QString& password,
                  const QString& passwordWord, bool overwrite)
{
    const ArchiveType type = archiveTypeOf(archive);
    const QString a = shellWord(pathArgument(archive));
    const QString d = shellWord(pathArgument(outDir));
    switch (type) {
    case ArchiveType::None:
        return QString();
    case ArchiveType::Tar:
        return QLatin1String("tar xvvf ") + a + QLatin1String(" -C ") + d
               + QLatin1String(" |tally -t tar &");
    case ArchiveType::Zip: {
        // unzip takes an archive name holding *, ? or [ as a pattern and
        // unpacks every archive it matches ("a[1].zip" opens "a1.zip" when
        // that exists). Such a name is opened by the shell instead and
        // handed over as the open file /dev/fd/3.
        const bool pattern = archive.contains(QLatin1Char('*')) || archive.contains(QLatin1Char('?'))
                             || archive.contains(QLatin1Char('['));
        const QString byFd = QStringLiteral("/dev/fd/3");
        QString line = QStringLiteral("unzip ");
        line += overwrite ? QLatin1String("-o ") : QLatin1String("-n");
        if (password.isEmpty())
            line += QLatin1String(" -P- ");
        else
            line += QLatin1String(" -P ") + passwordWord + QLatin1Char(' ');
        line += (pattern ? byFd : a) + QLatin1String(" -d ") + d;
        if (pattern)
            line += QLatin1String(" 3<") + a;
        // The back-quoted count of entries becomes the total of the progress tool.
        line += QLatin1String(" |tally -T `unzip -Z -t ");
        if (pattern)
            line += byFd + QLatin1String(" 3<");
        line += backquotedShellWord(pathArgument(archive))
                + QLatin1String(" |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &");
        return line;
    }
    case ArchiveType::Rar:
        // No "&": the shell runs unrar in the foreground.
        return QLatin1String("unrar x ") + (overwrite ? QLatin1String("-o+") : QLatin1String("-o-"))
               + QLatin1String(" -p") + (password.isEmpty() ? QStringLiteral("-") : passwordWord)
               + QLatin1String(" -y ") + a + QLatin1Char(' ') + d + QLatin1String(" |tally -t unrar");
    default:
        return decompressor(type) + a + QLatin1String(" |tar xvvf - ") + QLatin1String("-C ") + d
               + QLatin1String(" |tally -t tar &");
    }
}

} // namespace

ArchiveType archiveTypeOf(const QString& archivePath)
{
    const QString name = archivePath.mid(archivePath.lastIndexOf(QLatin1Char('/')) + 1);
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return ArchiveType::None;
    const QString extension = name.mid(dot + 1).toLower();
    for (const TypePatterns& row : typeTable()) {
        for (const QString& pattern : row.patterns) {
            if (extension.endsWith(pattern))
                return row.type;
        }
    }
    return ArchiveType::None;
}

QString extractCommand(const QString& archive, const QString& outDir, const QString& password,
                       bool overwrite)
{
    return buildLine(archive, outDir, password, shellWord(password), overwrite);
}

QString extractTrace(const QString& archive, const QString& outDir, const QString& password,
                     bool overwrite)
{
    return buildLine(archive, outDir, password, QStringLiteral("***"), overwrite);
}
