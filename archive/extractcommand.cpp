#include "extractcommand.h"

#include "compressformats.h"
#include "filestatus.h"
#include "localbytes.h"
#include "pipeline.h"
#include "rarheaders.h"
#include "shellline.h"
#include "zipdirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <dirent.h>

namespace {

constexpr qint64 HeadBytes = 8;   // enough to tell lzip from lzma

std::string bytes(const QString& text)
{
    return toLocalBytes(text).toStdString();
}

QString lineOf(const arkive::Plan& plan)
{
    return fromLocalBytes(QByteArray::fromStdString(arkive::shellLine(plan)));
}

} // namespace

ArchiveFacts archiveFacts(const QString& archive)
{
    ArchiveFacts facts;
    QFile file(archive);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(HeadBytes) : QByteArray();
    facts.format = arkive::formatOfArchive(bytes(archive), std::string_view(head.constData(), size_t(head.size())));
    if (!facts.format)
        return facts;
    if (file.isOpen())
        facts.archiveBytes = quint64(file.size());
    switch (facts.format->family) {
    case arkive::Family::Zip: {
        facts.split = isSplitZip(archive);
        const arkive::ZipDirectory zip = arkive::readZipDirectory(bytes(archive));
        facts.unzipCannotRead = zip.unzipCannotRead;
        if (zip.found) {
            facts.entries = zip.entries;
            facts.memberBytes = zip.bytes;
        }
        break;
    }
    case arkive::Family::Rar: {
        const arkive::RarHeaders rar = arkive::rarFileHeaders(bytes(archive));
        facts.encrypted = rar.encrypted;
        if (rar.bytes > 0)
            facts.memberBytes = rar.bytes;
        break;
    }
    default: break;
    }
    return facts;
}

bool holdsEntries(const QString& folder)
{
    DIR* handle = ::opendir(bytes(folder).c_str());
    if (!handle)
        return false;
    bool holds = false;
    while (const dirent* entry = ::readdir(handle))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            holds = true;
            break;
        }
    ::closedir(handle);
    return holds;
}

QString firstVolume(const QString& archive)
{
    const QString base = archive.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive) ? archive.chopped(4) : archive;
    return base + QLatin1String(".z01");
}

bool isSplitZip(const QString& archive)
{
    const arkive::Format* format = arkive::formatOfArchive(bytes(archive));
    return format && format->family == arkive::Family::Zip && linkStatus(firstVolume(archive)).valid;
}

QString stagingPath(const QString& outDir, const QString& token)
{
    if (outDir.isEmpty())
        return outDir;
    return outDir + (outDir.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/"))
           + QLatin1String(arkive::kPrivatePrefix) + token;
}

QString ownFolderName(const QString& archive)
{
    const std::string path = bytes(archive);
    const std::string_view stem = arkive::archiveStem(path);
    if (stem.empty())
        return QFileInfo(archive).fileName();
    return fromLocalBytes(QByteArray(stem.data(), qsizetype(stem.size())));
}

arkive::Plan extractPlan(const ExtractRequest& request, const ArchiveFacts& facts, const QString& token,
                         const QString& record)
{
    arkive::UnpackJob job;
    job.archive = bytes(request.archive);
    job.cwd = bytes(QDir::currentPath());
    job.folder = bytes(request.outDir);
    job.staging = bytes(stagingPath(request.outDir, token));
    job.password = bytes(request.password);
    job.overwrite = request.overwrite;
    job.split = facts.split;
    job.unzipCannotRead = facts.unzipCannotRead;
    job.encrypted = facts.encrypted;
    job.entries = facts.entries;
    job.archiveBytes = facts.archiveBytes;
    job.memberBytes = facts.memberBytes;
    job.record = bytes(record);
    job.members = request.members;
    job.ownFolder = bytes(request.ownFolder);
    return arkive::unpackPlan(facts.format, job, isOnPath);
}

QString extractCommand(const ExtractRequest& request, const QString& token)
{
    return lineOf(extractPlan(request, archiveFacts(request.archive), token));
}

QString extractTrace(const ExtractRequest& request, const ArchiveFacts& facts, const QString& token,
                     const QString& record)
{
    ExtractRequest masked = request;
    if (!masked.password.isEmpty())
        masked.password = QStringLiteral("***");
    return traceText(lineOf(extractPlan(masked, facts, token, record)));
}
