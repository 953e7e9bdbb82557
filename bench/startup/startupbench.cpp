// Time from starting a program to its first window being mapped, taken from
// the X server's MapNotify event, with the CPU time and peak memory the
// program had used by then. Two programs are measured in interleaved runs
// and compared by their medians.
//   startupbench RUNS BASELINE PROGRAM [ARGS...]
#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <vector>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "stats.h"

using bench::halfSpread;
using bench::median;

extern char** environ;

namespace {

constexpr int MapLimitMs = 30000; // a program that shows nothing in this time fails the run

struct Sample
{
    double seconds = 0; // start to MapNotify
    double cpu = 0;     // user + system seconds of the program by then
    double peakMb = 0;  // its peak resident memory by then
};

double now()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// The time the program's threads have run on a CPU, in nanoseconds from the
// scheduler.
double cpuSeconds(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return 0;
    unsigned long long total = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::FILE* file = std::fopen((tasks + '/' + entry->d_name + "/schedstat").c_str(), "r");
        if (!file)
            continue;
        unsigned long long ns = 0;
        if (std::fscanf(file, "%llu", &ns) == 1)
            total += ns;
        std::fclose(file);
    }
    closedir(dir);
    return total / 1e9;
}

double peakMegabytes(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return 0;
    char line[256];
    double kb = 0;
    while (std::fgets(line, sizeof line, file))
        if (std::sscanf(line, "VmHWM: %lf", &kb) == 1)
            break;
    std::fclose(file);
    return kb / 1024;
}

bool measure(Display* display, char** argv, Sample& sample)
{
    // Drop what earlier runs left in the queue.
    XSync(display, True);
    const double start = now();
    // The programs' traces would only slow them down on a terminal.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&quiet, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        std::perror(argv[0]);
        return false;
    }
    bool mapped = false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (!mapped && now() - start < MapLimitMs / 1000.0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                sample.seconds = now() - start;
                sample.cpu = cpuSeconds(pid);
                sample.peakMb = peakMegabytes(pid);
                mapped = true;
                break;
            }
        }
        if (!mapped)
            poll(&connection, 1, 100);
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!mapped)
        std::fprintf(stderr, "%s: no window within %d ms\n", argv[0], MapLimitMs);
    return mapped;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: startupbench RUNS BASELINE PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startupbench: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    char* baseline[] = {argv[2], nullptr};
    std::vector<Sample> base, program;
    // One of each first, so that both find their files in the caches.
    Sample warm;
    if (!measure(display, baseline, warm) || !measure(display, argv + 3, warm))
        return 1;
    for (int i = 0; i < runs; ++i) {
        Sample a, b;
        if (!measure(display, baseline, a) || !measure(display, argv + 3, b))
            return 1;
        base.push_back(a);
        program.push_back(b);
    }
    auto medianOf = [](const std::vector<Sample>& samples, double Sample::*field) {
        std::vector<double> values;
        for (const Sample& s : samples)
            values.push_back(s.*field);
        return median(values);
    };
    const double t0 = medianOf(base, &Sample::seconds), t1 = medianOf(program, &Sample::seconds);
    const double c0 = medianOf(base, &Sample::cpu), c1 = medianOf(program, &Sample::cpu);
    const double m0 = medianOf(base, &Sample::peakMb), m1 = medianOf(program, &Sample::peakMb);
    std::printf("start-up to window mapped, medians of %d interleaved runs:\n"
                "  %s %.1f ms, %s %.1f ms: ratio %.2f\n"
                "  CPU by then %.0f ms against %.0f ms: ratio %.2f\n"
                "  peak RSS by then %.1f MB against %.1f MB: ratio %.2f\n",
                runs, argv[2], t0 * 1000, argv[3], t1 * 1000, t1 / t0, c1 * 1000, c0 * 1000, c1 / c0, m1, m0,
                m1 / m0);
    XCloseDisplay(display);
    return 0;
}
