// Driving widgets in tests: finding them by text, answering modal dialogs,
// catching the debug channel and standard error.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QStringList>
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

// Runs `act` on the modal dialog of type T once its loop runs (looking every
// 20 ms for up to 30 s).
template <typename T>
void whenModal(std::function<void(T*)> act, int tries = 1500)
{
    QTimer::singleShot(20, [act, tries] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            act(dialog);
        else if (tries > 0)
            whenModal<T>(act, tries - 1);
    });
}

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
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;
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

// Catches what is written to a descriptor (standard error by default) while
// it lives.
class OutputCapture
{
public:
    explicit OutputCapture(int fd = STDERR_FILENO) : m_fd(fd)
    {
        std::fflush(nullptr);
        m_file = std::tmpfile();
        m_saved = ::dup(fd);
        ::dup2(::fileno(m_file), fd);
    }
    ~OutputCapture()
    {
        restore();
        std::fclose(m_file);
    }
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;
    QByteArray text()
    {
        restore();
        QFile file;
        if (!file.open(m_file, QIODevice::ReadOnly))
            return QByteArray();
        file.seek(0);
        return file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(nullptr);
        ::dup2(m_saved, m_fd);
        ::close(m_saved);
        m_saved = -1;
    }
    int m_fd;
    std::FILE* m_file = nullptr;
    int m_saved = -1;
};

// Runs a block with the effective user "nobody" when the test runs as root,
// so that permission bits keep it out of a folder. The real user stays root.
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
    bool ok() const { return ::geteuid() != 0; }
    static constexpr uid_t Nobody = 65534;

private:
    bool m_switched = false;
};

// While it lives, runs `act` on each modal dialog of type T that is up
// (looking every 20 ms).
template <typename T>
class WhileModal
{
public:
    explicit WhileModal(std::function<void(T*)> act)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [act] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
                act(dialog);
        });
        m_timer.start(20);
    }

private:
    QTimer m_timer;
};
