#include "jobrecord.h"

#include "jobrecords.h"
#include "localbytes.h"

#include <unistd.h>

JobRecord::JobRecord(const std::string& jobs, const QString& token, const QString& folder, const QString& archive)
{
    std::string where = toLocalBytes(folder).toStdString();
    while (where.size() > 1 && where.back() == '/')
        where.pop_back();
    fd_ = arkive::openJobRecord(jobs, token.toStdString(), where, toLocalBytes(archive).toStdString());
    if (fd_ >= 0)
        path_ = fromLocalBytes(QByteArray::fromStdString(jobs + "/")) + token;
}

JobRecord::~JobRecord()
{
    if (fd_ >= 0)
        ::close(fd_);
}
