// tally's window against a bare Qt widget, in the same run, interleaved:
// the time from starting the program to its window being mapped (the X
// MapNotify event, seen on the root window), the CPU time spent by then,
// and the peak resident memory once the window has been painted.
//
//   windowbench REPS TALLY BARE_WIDGET
//
// tally is started the way a line starts it (tally execs tally-window).
//
// Needs an X display without a window manager (xvfb-run).
#include <xcb/xcb.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "stats.h"

using bench::halfSpread;
using bench::median;

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// How long a window is left to paint and settle before its memory is read (ms).
constexpr int kSettleMs = 400;
// How long a program may take to show its window before the run counts as failed (ms).
constexpr int kMapLimitMs = 30000;

struct Sample {
    double mapMs = 0;    // start to MapNotify
    double cpuMs = 0;    // CPU time of all its threads by then
    double peakKb = 0;   // VmHWM after settling
};

// CPU time of every thread of pid so far (ns, from schedstat).
double cpuMs(pid_t pid)
{
    double ns = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    for (int tid = pid; tid < pid + 64; ++tid) {   // Qt starts its few threads right after the main one
        std::ifstream stat(tasks + "/" + std::to_string(tid) + "/schedstat");
        double run = 0;
        if (stat >> run)
            ns += run;
    }
    return ns / 1e6;
}

double peakKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        double kb = 0;
        if (key == "VmHWM:" && status >> kb)
            return kb;
    }
    return 0;
}

bool run(xcb_connection_t* x, const std::vector<std::string>& words, bool pipeInput, Sample& out)
{
    int input[2] = {-1, -1};
    if (pipeInput && ::pipe(input) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipeInput) {
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, input[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& w : words)
        argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(nullptr);
    while (xcb_generic_event_t* e = xcb_poll_for_event(x))   // nothing old counts
        std::free(e);
    const auto start = Clock::now();
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (pipeInput)
        ::close(input[0]);
    bool mapped = false;
    const int fd = xcb_get_file_descriptor(x);
    while (spawned && !mapped && Clock::now() - start < std::chrono::milliseconds(kMapLimitMs)) {
        xcb_generic_event_t* e = xcb_poll_for_event(x);
        if (!e) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            struct timeval tv {0, 10000};
            ::select(fd + 1, &set, nullptr, nullptr, &tv);
            continue;
        }
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            out.mapMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            out.cpuMs = cpuMs(pid);
            mapped = true;
        }
        std::free(e);
    }
    if (spawned) {
        ::usleep(kSettleMs * 1000);
        out.peakKb = peakKb(pid);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    if (pipeInput)
        ::close(input[1]);
    return mapped;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: windowbench REPS TALLY BARE_WIDGET\n");
        return 2;
    }
    const int reps = std::max(1, std::atoi(argv[1]));
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "windowbench: no X display\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const std::vector<std::string> tally{argv[2], "-T", "1000", "-t", "tar"};
    const std::vector<std::string> bare{argv[3]};
    std::vector<Sample> a, b;
    for (int r = 0; r < reps; ++r) {
        for (int k = 0; k < 2; ++k) {   // the order turns each round
            const bool first = (k + r) % 2 == 0;
            Sample s;
            if (!run(x, first ? tally : bare, first, s)) {
                std::fprintf(stderr, "windowbench: %s showed no window\n", first ? argv[2] : argv[3]);
                return 1;
            }
            (first ? a : b).push_back(s);
        }
    }
    auto column = [](const std::vector<Sample>& v, double Sample::*field) {
        std::vector<double> out;
        for (const Sample& s : v)
            out.push_back(s.*field);
        return out;
    };
    auto ratios = [&](double Sample::*field) {
        std::vector<double> out;
        for (size_t i = 0; i < a.size(); ++i)
            out.push_back(a[i].*field / b[i].*field);
        return out;
    };
    std::printf("window: tally's window against %s, medians of %d interleaved runs\n", argv[3], reps);
    const struct {
        const char* name;
        double Sample::*field;
        const char* unit;
        const char* goal;
    } rows[] = {{"time to a shown window", &Sample::mapMs, "ms", "  goal 1.2"},
                {"CPU time by then", &Sample::cpuMs, "ms", ""},
                {"peak resident memory", &Sample::peakKb, "KB", "  goal 1.1"}};
    for (const auto& row : rows)
        std::printf("  %-24s tally %8.1f %s, baseline %8.1f %s, ratio %.3f (noise +-%.3f)%s\n", row.name,
                    median(column(a, row.field)), row.unit, median(column(b, row.field)), row.unit,
                    median(ratios(row.field)), halfSpread(ratios(row.field)), row.goal);
    xcb_disconnect(x);
    return 0;
}
