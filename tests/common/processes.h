// Running programs and command lines, and waiting for everything they start,
// including the pipelines that the shell leaves in the background: the test
// process becomes a child subreaper, so orphaned processes become its
// children and waitpid(-1, ...) collects them.
#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

inline bool becomeSubreaper()
{
    return ::prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;
}

// Waits until no child is left. False when some still run after `limit`, so
// that a hang fails the test instead of blocking the run.
inline bool reapAll(std::chrono::seconds limit = std::chrono::seconds(60))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t pid = ::waitpid(-1, &status, WNOHANG);
        if (pid > 0 || (pid < 0 && errno == EINTR))
            continue;
        if (pid < 0)
            return errno == ECHILD;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Runs a program (looked up on PATH) with byte words in folder `cwd`
// (unchanged when empty); its standard output goes to `output`, or is
// discarded. Returns its exit status, or -1.
inline int runProgram(const QByteArrayList& words, QByteArray* output = nullptr,
                      const QByteArray& cwd = QByteArray())
{
    std::vector<char*> argv;   // made before fork(): a child of a threaded process must not allocate
    for (const QByteArray& w : words)
        argv.push_back(const_cast<char*>(w.constData()));
    argv.push_back(nullptr);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        if (!cwd.isEmpty() && ::chdir(cwd.constData()) != 0)
            ::_exit(126);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    char buffer[65536];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) != 0 && (n > 0 || errno == EINTR);)
        if (n > 0 && output)
            output->append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
