// Driving widgets in tests: finding them by text, answering modal dialogs,
// catching the debug channel and standard error, dropping root's rights.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QStringList>
#include <QTemporaryFile>
#include <QTimer>
#include <QtMessageHandler>

#include <cstdio>
#include <functional>
#include <unistd.h>

// The first child of type T whose text() is `text`, or null.
template <typename T = QAbstractButton>
T* findByText(const QWidget* parent, const QString& text)
{
    for (T* candidate : parent->findChildren<T*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

// While it lives, runs `act` on each modal dialog of type T that is up
// (looking every 20 ms).
template <typename T>
struct WhileModal : QTimer
{
    explicit WhileModal(std::function<void(T*)> act)
    {
        connect(this, &QTimer::timeout, [act] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
                act(dialog);
        });
        start(20);
    }
};

// Collects the debug channel's messages while it lives.
class TraceRecorder
{
public:
    TraceRecorder() : m_previous(qInstallMessageHandler(record)) { s_lines.clear(); }
    ~TraceRecorder() { qInstallMessageHandler(m_previous); }
    QStringList lines() const { return s_lines; }

private:
    static void record(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtDebugMsg)
            s_lines << message;
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

// Catches what is written to a descriptor (standard error by default) while
// it lives, or until text() is asked for.
class OutputCapture
{
public:
    explicit OutputCapture(int fd = STDERR_FILENO) : m_fd(fd), m_saved(::dup(fd))
    {
        std::fflush(nullptr);
        if (m_file.open())
            ::dup2(m_file.handle(), fd);
    }
    ~OutputCapture() { text(); }
    QByteArray text()
    {
        std::fflush(nullptr);
        if (m_saved >= 0 && ::dup2(m_saved, m_fd) >= 0 && ::close(m_saved) == 0)
            m_saved = -1;
        return m_file.seek(0) ? m_file.readAll() : QByteArray();
    }

private:
    QTemporaryFile m_file;
    int m_fd;
    int m_saved;
};

// Runs a block with the effective user "nobody" when the test runs as root,
// so that permission bits keep it out of a folder. The real user stays root.
struct AsUnprivileged
{
    AsUnprivileged() : switched(::geteuid() == 0 && ::seteuid(65534) == 0) {}
    ~AsUnprivileged()
    {
        if (switched && ::seteuid(0) != 0)
            std::perror("seteuid");
    }
    bool ok() const { return ::geteuid() != 0; }
    const bool switched;
};
