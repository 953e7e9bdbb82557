// Benchmark: the CPU time (user + system) that tally spends on a 1,000,000-line
// tar -vv listing, against `pv -l -q` counting the same lines, in the same run.
//
//   bench_tally [--lines N] [--runs R] [--tally PATH] [--pv PATH] [--keep FILE]
//
// The listing is generated into a temporary file. Each program reads it on
// its standard input twice over: from the file itself, and through a pipe
// fed by a separate process (as in arkive's pipelines). Every measurement is
// the best of R runs (wait4's rusage of the child alone). Prints the figures
// and the ratio tally/pv; exits 1 if tally did not report "done".
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifndef TALLY_PATH
#define TALLY_PATH "tally"
#endif

namespace {

constexpr long kDefaultLines = 1000000;
constexpr int kDefaultRuns = 5;

struct Args {
    long lines = kDefaultLines;
    int runs = kDefaultRuns;
    std::string tally = TALLY_PATH;
    std::string pv = "pv";
    std::string keep;
};

// A listing like `tar cvvf` writes: folders and files of varied sizes below
// the phone's memory card, the owner column as wide as tar makes it.
std::uint64_t generate(const std::string& path, long lines)
{
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) {
        std::perror(path.c_str());
        std::exit(2);
    }
    std::uint64_t total = 0;
    std::uint32_t x = 20240607;
    for (long i = 0; i < lines; ++i) {
        x = x * 1664525u + 1013904223u;
        if (i % 100 == 0) {
            std::fprintf(f, "drwxr-xr-x root/root         0 2026-12-06 22:34 /mmc/mmca1/bench/dir%04ld/\n", i / 100);
            continue;
        }
        const std::uint64_t size = (x >> 8) % 5000000;
        total += size;
        std::fprintf(f, "-rw-r--r-- root/root %9llu 2026-12-06 22:34 /mmc/mmca1/bench/dir%04ld/IMG_%07ld.jpg\n",
                     static_cast<unsigned long long>(size), i / 100, i);
    }
    std::fclose(f);
    return total;
}

struct Result {
    double cpu = 0;    // seconds, user + system
    double user = 0;   // seconds, user only
    int status = -1;
};

// Runs argv with stdin from the file (direct) or from a pipe fed by a child.
Result measure(const std::vector<std::string>& argv, const std::string& input, bool throughPipe)
{
    int in = ::open(input.c_str(), O_RDONLY);
    if (in < 0) {
        std::perror(input.c_str());
        std::exit(2);
    }
    pid_t feeder = -1;
    int pipeFd[2] = {-1, -1};
    if (throughPipe) {
        if (::pipe(pipeFd) != 0)
            std::exit(2);
        feeder = ::fork();
        if (feeder == 0) {
            ::close(pipeFd[0]);
            static char buf[1 << 16];
            for (;;) {
                const ssize_t n = ::read(in, buf, sizeof buf);
                if (n <= 0)
                    ::_exit(0);
                for (ssize_t off = 0; off < n;) {
                    const ssize_t w = ::write(pipeFd[1], buf + off, static_cast<std::size_t>(n - off));
                    if (w < 0)
                        ::_exit(1);
                    off += w;
                }
            }
        }
        ::close(in);
        ::close(pipeFd[1]);
        in = pipeFd[0];
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in, 0);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> av;
        for (const auto& a : argv)
            av.push_back(const_cast<char*>(a.c_str()));
        av.push_back(nullptr);
        ::execvp(av[0], av.data());
        ::_exit(127);
    }
    ::close(in);
    int status = 0;
    struct rusage ru {};
    while (::wait4(pid, &status, 0, &ru) < 0 && errno == EINTR) {
    }
    if (feeder > 0)
        ::waitpid(feeder, nullptr, 0);
    Result r;
    r.user = static_cast<double>(ru.ru_utime.tv_sec) + static_cast<double>(ru.ru_utime.tv_usec) / 1e6;
    r.cpu = r.user + static_cast<double>(ru.ru_stime.tv_sec) + static_cast<double>(ru.ru_stime.tv_usec) / 1e6;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

Args parse(int argc, char** argv)
{
    Args a;
    for (int i = 1; i < argc; ++i) {
        const std::string w = argv[i];
        const bool more = i + 1 < argc;
        if (w == "--lines" && more)
            a.lines = std::strtol(argv[++i], nullptr, 10);
        else if (w == "--runs" && more)
            a.runs = std::atoi(argv[++i]);
        else if (w == "--tally" && more)
            a.tally = argv[++i];
        else if (w == "--pv" && more)
            a.pv = argv[++i];
        else if (w == "--keep" && more)
            a.keep = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--lines N] [--runs R] [--tally PATH] [--pv PATH] [--keep FILE]\n",
                         argv[0]);
            std::exit(2);
        }
    }
    if (a.lines < 1 || a.runs < 1)
        std::exit(2);
    return a;
}

} // namespace

int main(int argc, char** argv)
{
    const Args a = parse(argc, argv);
    std::string file = a.keep;
    if (file.empty()) {
        char tmpl[] = "/tmp/tally-bench-XXXXXX";
        const int fd = ::mkstemp(tmpl);
        if (fd < 0)
            return 2;
        ::close(fd);
        file = tmpl;
    }
    const std::uint64_t total = generate(file, a.lines);
    const std::vector<std::string> tally = {a.tally, "-t", "tar", "-T", std::to_string(total), "--text"};
    const std::vector<std::string> pv = {a.pv, "-l", "-q"};

    std::printf("tally benchmark: %ld lines of tar -vv (%llu bytes listed), best of %d runs\n", a.lines,
                static_cast<unsigned long long>(total), a.runs);
    int failures = 0;
    for (const bool throughPipe : {false, true}) {
        double bestTally = 1e9, bestPv = 1e9, tallyUser = 0, pvUser = 0;
        int tallyStatus = -1, pvStatus = -1;
        for (int r = 0; r < a.runs; ++r) {
            const Result t = measure(tally, file, throughPipe);   // alternate, so that
            const Result p = measure(pv, file, throughPipe);      // both see the same machine
            if (t.cpu < bestTally) {
                bestTally = t.cpu;
                tallyUser = t.user;
            }
            if (p.cpu < bestPv) {
                bestPv = p.cpu;
                pvUser = p.user;
            }
            tallyStatus = t.status;
            pvStatus = p.status;
        }
        // (The split into user and system time is sampled by the kernel's
        // tick and too coarse here: only the sum is printed.)
        (void)tallyUser;
        (void)pvUser;
        std::printf("  %-11s tally %6.1f ms CPU (exit %d), pv -l -q %6.1f ms CPU (exit %d), ratio tally/pv %.2f\n",
                    throughPipe ? "via a pipe:" : "from file:", bestTally * 1e3, tallyStatus, bestPv * 1e3, pvStatus,
                    bestPv > 0 ? bestTally / bestPv : 0.0);
        if (tallyStatus != 0)
            ++failures;
        if (pvStatus == 127)
            std::printf("  (pv not found: apt-get install pv)\n");
    }
    if (a.keep.empty())
        ::unlink(file.c_str());
    return failures ? 1 : 0;
}
