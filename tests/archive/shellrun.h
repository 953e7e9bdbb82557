#pragma once

// Running command lines the way system() does, and waiting for everything
// they start, including the pipelines that the shell leaves in the
// background: the test process becomes a child subreaper, so the orphaned
// processes become its children and waitpid(-1, ...) can collect them.

#include <QByteArray>

#include <sys/prctl.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <spawn.h>
#include <thread>
#include <unistd.h>

extern char** environ;

inline bool becomeSubreaper()
{
    return prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;
}

// Starts /bin/sh -c line with the process's environment and folder; the line
// goes to the shell as the bytes given.
inline bool spawnShell(const QByteArray& line)
{
    QByteArray copy = line;
    char sh[] = "/bin/sh";
    char dashC[] = "-c";
    char* argv[] = {sh, dashC, copy.data(), nullptr};
    pid_t pid = 0;
    return posix_spawn(&pid, sh, nullptr, nullptr, argv, environ) == 0;
}

// Waits until no child is left. False when some are still running after
// `limit`: a hang then fails the test instead of blocking the run.
inline bool reapAll(std::chrono::seconds limit = std::chrono::seconds(60))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t pid = waitpid(-1, &status, WNOHANG);
        if (pid > 0)
            continue;
        if (pid < 0 && errno == EINTR)
            continue;
        if (pid < 0)
            return errno == ECHILD;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}
