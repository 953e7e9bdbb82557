#include "extractcommand.h"

#include "pipeline.h"
#include "shellword.h"

#include "filestatus.h"

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

const char* programOf(ArchiveType type)
{
    switch (type) {
    case ArchiveType::Gzip: return "gzip";
    case ArchiveType::Bzip2: return "bzip2";
    case ArchiveType::Lzop: return "lzop";
    case ArchiveType::Xz: return "xz";
    case ArchiveType::Lzip: return "lzip";
    case ArchiveType::Lzma: return "lzma";
    default: return "tar";
    }
}

// `passwordWord` is what stands for the password in the line: the quoted
// password for the shell, a mask for the trace. It is used only when the
// password is not empty.
QString buildLine(const ExtractRequest& request, const QString& token, const QString& passwordWord)
{
    if (refusalOf(request) != Refusal::None)
        return QString();
    const ArchiveType type = archiveTypeOf(request.archive);
    const QString staging = stagingPath(request.outDir, token);
    const QString a = shellWord(pathArgument(request.archive));
    const QString s = shellWord(pathArgument(staging));
    const Stage prepare{QStringLiteral("mkdir"), QLatin1String("mkdir -m 700 ") + s};
    QString tallyWords = shellWord(QLatin1String("--archive=") + request.archive) + QLatin1Char(' ')
                         + shellWord(QLatin1String("--folder=") + request.outDir) + QLatin1Char(' ')
                         + shellWord(QLatin1String("--staging=") + staging);
    if (!request.overwrite)
        tallyWords += QLatin1String(" --keep");
    switch (type) {
    case ArchiveType::Tar:
        return pipelineLine({{QStringLiteral("tar"), QLatin1String("tar xvvf ") + a + QLatin1String(" -C ") + s}},
                            QLatin1String("-t tar ") + tallyWords, prepare);
    case ArchiveType::Zip: {
        // unzip cannot read split sets; 7-Zip reads them, volumes found by
        // their names, entries that span several volumes included.
        if (request.split)
            return pipelineLine({{QStringLiteral("7zz"),
                                  QLatin1String("7zz x -bb1 -y ")
                                      + (request.password.isEmpty() ? QStringLiteral("-p") : QLatin1String("-p") + passwordWord)
                                      + QLatin1Char(' ') + shellWord(QLatin1String("-o") + staging) + QLatin1Char(' ') + a}},
                                QLatin1String("-t 7z ") + tallyWords, prepare);
        // unzip takes an archive name holding *, ? or [ as a pattern and
        // unpacks every archive it matches ("a[1].zip" opens "a1.zip" when
        // that exists). Such a name is opened by the shell instead and
        // handed over as the open file /dev/fd/4.
        const bool pattern = request.archive.contains(QLatin1Char('*')) || request.archive.contains(QLatin1Char('?'))
                             || request.archive.contains(QLatin1Char('['));
        const QString name = pattern ? QStringLiteral("/dev/fd/4") : a;
        const QString open = pattern ? QLatin1String(" 4<") + a : QString();
        QString words = QStringLiteral("unzip ");
        words += request.overwrite ? QLatin1String("-o ") : QLatin1String("-n");
        if (request.password.isEmpty())
            words += QLatin1String(" -P- ");
        else
            words += QLatin1String(" -P ") + passwordWord + QLatin1Char(' ');
        words += name + QLatin1String(" -d ") + s + open;
        // The count of entries that zipinfo reports becomes the total, as
        // one word whatever it prints.
        return pipelineLine({{QStringLiteral("unzip"), words}},
                            QLatin1String("-T \"$(unzip -Z -t ") + name + open
                                + QLatin1String(" 2>&1 |sed 's/\\(.*\\) files.*/\\1/')\" -t unzip ") + tallyWords,
                            prepare);
    }
    case ArchiveType::Rar:
        return pipelineLine({{QStringLiteral("unrar"),
                              QLatin1String("unrar x ")
                                  + (request.overwrite ? QLatin1String("-o+") : QLatin1String("-o-"))
                                  + QLatin1String(" -p")
                                  + (request.password.isEmpty() ? QStringLiteral("-") : passwordWord)
                                  + QLatin1String(" -y ") + a + QLatin1Char(' ') + s}},
                            QLatin1String("-t unrar ") + tallyWords, prepare);
    default: {
        const QString program = QLatin1String(programOf(type));
        return pipelineLine({{program, program + QLatin1String(" -d <") + a},
                             {QStringLiteral("tar"), QLatin1String("tar xvvf - -C ") + s}},
                            QLatin1String("-t tar ") + tallyWords, prepare);
    }
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

Refusal refusalOf(const ExtractRequest& request)
{
    const ArchiveType type = archiveTypeOf(request.archive);
    if (type == ArchiveType::None)
        return Refusal::NoType;
    const bool patternName = request.archive.contains(QLatin1Char('*')) || request.archive.contains(QLatin1Char('?'));
    if (type == ArchiveType::Rar && patternName)
        return Refusal::Pattern;
    if (type == ArchiveType::Zip && request.split && (patternName || request.outDir.contains(QLatin1Char('*'))))
        return Refusal::Pattern;
    return Refusal::None;
}

QString firstVolume(const QString& archive)
{
    const QString base = archive.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive) ? archive.chopped(4) : archive;
    return base + QLatin1String(".z01");
}

bool isSplitZip(const QString& archive)
{
    return archiveTypeOf(archive) == ArchiveType::Zip && linkStatus(firstVolume(archive)).valid;
}

QString stagingPath(const QString& outDir, const QString& token)
{
    if (outDir.isEmpty())
        return outDir;
    return outDir + (outDir.endsWith(QLatin1Char('/')) ? QLatin1String(".arkive-") : QLatin1String("/.arkive-"))
           + token;
}

QString extractCommand(const ExtractRequest& request, const QString& token)
{
    return buildLine(request, token, shellWord(request.password));
}

QString extractTrace(const ExtractRequest& request, const QString& token)
{
    return traceText(buildLine(request, token, QStringLiteral("***")));
}
