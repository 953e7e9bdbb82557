// Shell lines as the benchmarks run them: what one run costs, and the
// rounds of several lines interleaved.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace bench {

// One run: wall time, and the CPU time of the program and every process it
// waited for (user + system).
struct Cost {
    double wall = 0;
    double cpu = 0;
    double switches = 0;   // voluntary context switches: mostly wake-ups of a reader
};

// Runs a program (looked up on PATH) and waits for it; a failure is told on
// standard error.
inline Cost spawnWait(std::vector<std::string> words, bool quiet)
{
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    Cost cost;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        struct rusage ru {};
        wait4(pid, &status, 0, &ru);
        cost.cpu = double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
        cost.switches = double(ru.ru_nvcsw);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            std::fprintf(stderr, "failed (%d): %s\n", status, words.back().c_str());
    }
    cost.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return cost;
}

// A line of /bin/sh, its output thrown away.
inline Cost runLine(const std::string& line)
{
    return spawnWait({"/bin/sh", "-c", line}, true);
}

struct Variant {
    Variant(const char* n, std::string l) : name(n), line(std::move(l)) {}
    const char* name;
    std::string line;
    std::vector<double> wall, cpu, switches;
};

// Runs the variants `reps` times each, interleaved (the order turns each
// round), `reset` before every run (not timed).
inline void runInterleaved(std::vector<Variant>& variants, int reps, const std::function<void()>& reset)
{
    for (int r = 0; r < reps; ++r)
        for (std::size_t k = 0; k < variants.size(); ++k) {
            Variant& v = variants[(k + std::size_t(r)) % variants.size()];
            reset();
            const Cost cost = runLine(v.line);
            v.wall.push_back(cost.wall);
            v.cpu.push_back(cost.cpu);
            v.switches.push_back(cost.switches);
        }
}

// The ratio of `line` to `base` in each round (both ran within moments of
// each other): wall times and CPU times.
inline std::pair<std::vector<double>, std::vector<double>> roundRatios(const Variant& line, const Variant& base)
{
    std::vector<double> wall, cpu;
    for (std::size_t r = 0; r < line.wall.size() && r < base.wall.size(); ++r) {
        wall.push_back(line.wall[r] / base.wall[r]);
        cpu.push_back(line.cpu[r] / base.cpu[r]);
    }
    return {wall, cpu};
}

} // namespace bench
