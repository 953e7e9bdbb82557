#pragma once

// Helpers of the file browser's tests.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QtMessageHandler>

#include <cstdio>
#include <sys/types.h>
#include <unistd.h>

// Runs a block with the effective user "nobody" when the test runs as root,
// so that permission bits keep the test out of a folder. The real user stays
// root, so the block may not rely on access().
class AsUnprivileged
{
public:
    AsUnprivileged()
    {
        if (::geteuid() == 0)
            m_switched = ::seteuid(Nobody) == 0;
    }
    ~AsUnprivileged()
    {
        if (m_switched && ::seteuid(0) != 0)
            std::perror("seteuid");
    }
    AsUnprivileged(const AsUnprivileged&) = delete;
    AsUnprivileged& operator=(const AsUnprivileged&) = delete;
    // False when the test is root and could not give up its rights.
    bool ok() const { return ::geteuid() != 0; }

private:
    static constexpr uid_t Nobody = 65534;
    bool m_switched = false;
};

// Collects the debug channel's messages while it lives.
class TraceRecorder
{
public:
    TraceRecorder()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(record);
    }
    ~TraceRecorder() { qInstallMessageHandler(m_previous); }
    QStringList lines() const { return s_lines; }

private:
    static void record(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtDebugMsg)
            s_lines << message;
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

// Catches what is written to standard error while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        std::fflush(stderr);
        m_file = std::tmpfile();
        m_saved = ::dup(2);
        ::dup2(::fileno(m_file), 2);
    }
    ~StderrCapture()
    {
        restore();
        std::fclose(m_file);
    }
    QByteArray text()
    {
        restore();
        QFile file;
        file.open(m_file, QIODevice::ReadOnly);
        file.seek(0);
        return file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }
    std::FILE* m_file = nullptr;
    int m_saved = -1;
};

inline bool makeFile(const QString& path, const QByteArray& content = QByteArray())
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}
