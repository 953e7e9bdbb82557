#pragma once

#include <QString>

#include <string>

// The record of one job for as long as its line is being started: made and
// locked on construction, with the descriptor left open so that the line
// inherits it (and the lock), closed here on destruction.
class JobRecord
{
public:
    JobRecord(const std::string& jobs, const QString& token, const QString& folder, const QString& archive);
    ~JobRecord();
    JobRecord(const JobRecord&) = delete;
    JobRecord& operator=(const JobRecord&) = delete;

    // The record's path for tally, which removes it; empty when none could be made.
    QString path() const { return path_; }

private:
    int fd_ = -1;
    QString path_;
};
