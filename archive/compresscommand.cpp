#include "compresscommand.h"

#include "compressformats.h"
#include "localbytes.h"
#include "pipeline.h"
#include "shellline.h"
#include "tarstream.h"
#include "totalsize.h"

namespace {

std::string bytes(const QString& text)
{
    return toLocalBytes(text).toStdString();
}

} // namespace

const arkive::Format* formatOfEntry(const QString& entry)
{
    return entry.isEmpty() ? nullptr : arkive::formatByEnding(bytes(entry));
}

QString archivePath(const CompressRequest& request)
{
    const QString path = request.outDir + request.name;
    return request.name.endsWith(request.format) ? path : path + request.format;
}

QString partialPath(const CompressRequest& request, const QString& token)
{
    const arkive::Format* format = formatOfEntry(request.format);
    return format ? request.outDir + fromLocalBytes(QByteArray::fromStdString(arkive::partialName(*format, bytes(token))))
                  : QString();
}

quint64 packingTotal(const CompressRequest& request)
{
    const arkive::Format* format = formatOfEntry(request.format);
    if (!format || format->family != arkive::Family::Tar)
        return totalSize(request.files);
    std::vector<std::string> files;
    for (const QString& file : request.files)
        files.push_back(bytes(file));
    const arkive::PackNames names = arkive::packNames(files);
    return arkive::tarStreamBytes(names.base, names.names);
}

arkive::Plan compressPlan(const CompressRequest& request, quint64 total, const QString& partial,
                          const QString& record)
{
    const arkive::Format* format = formatOfEntry(request.format);
    if (!format)
        return {};
    arkive::PackJob job;
    job.archive = bytes(archivePath(request));
    job.partial = bytes(partial);
    for (const QString& file : request.files)
        job.files.push_back(bytes(file));
    if (format->caps.password)
        job.password = bytes(request.password);
    job.level = request.ultra ? 9 : request.ratio;
    job.volumeMegabytes = format->caps.volumes && request.split && request.splitSize > 0 ? unsigned(request.splitSize) : 0;
    job.total = total;
    job.record = bytes(record);
    return arkive::packPlan(*format, job, isOnPath);
}

QString compressCommand(const CompressRequest& request, quint64 total, const QString& partial,
                        const QString& record)
{
    return fromLocalBytes(QByteArray::fromStdString(arkive::shellLine(compressPlan(request, total, partial, record))));
}

QString compressTrace(const CompressRequest& request, quint64 total, const QString& partial, const QString& record)
{
    CompressRequest masked = request;
    if (!masked.password.isEmpty())
        masked.password = QStringLiteral("***");
    return traceText(compressCommand(masked, total, partial, record));
}
