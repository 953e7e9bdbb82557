// Every core and the progress, as ratios against baselines measured in the
// same run:
//   corebench tree DIR MEGABYTES          half random bytes, half text, in files of 5 MB
//   corebench pack FORMAT DIR OUT REPS    arkive's packing line against the single-threaded
//                                         tool alone, and against its own pipeline without tally
//   corebench unpack FORMAT DIR OUT REPS  the same for unpacking the archive arkive packed
//   corebench curve FORMAT FILE OUT       the percent tally shows at a quarter, half and three
//                                         quarters of the time of packing FILE, and of unpacking it
#include "compresscommand.h"
#include "extractcommand.h"
#include "format.h"
#include "plan.h"

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "lines.h"
#include "stats.h"

using bench::halfSpread;
using bench::median;
using bench::roundRatios;
using bench::runInterleaved;
using bench::runLine;
using bench::Variant;

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int FileMegabytes = 5;        // the tree's files
constexpr int VocabularyWords = 5000;   // the text's words

std::string quoted(const std::string& word)
{
    std::string q = "'";
    for (const char c : word)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

int makeTree(const std::string& root, int megabytes)
{
    mkdir(root.c_str(), 0755);
    std::mt19937_64 random(42);
    // Words of English-like letters, lines of 5 to 15 of them.
    const std::string letters = "etaoinshrdlucmfwypvbgkqjxz";
    std::discrete_distribution<int> letter({12, 9, 8, 7.5, 7, 6.7, 6.3, 6, 6, 4.3, 4, 2.8, 2.8, 2.4, 2.2, 2, 2, 1.9, 1.5,
                                            1.3, 0.8, 0.2, 0.15, 0.15, 0.1, 0.07});
    std::vector<std::string> words;
    for (int i = 0; i < VocabularyWords; ++i) {
        std::string w;
        for (int n = 1 + int(random() % 10); n > 0; --n)
            w += letters[size_t(letter(random))];
        words.push_back(w);
    }
    const size_t size = size_t(FileMegabytes) << 20;
    for (int f = 0; f < megabytes / FileMegabytes; ++f) {
        std::string data;
        data.reserve(size + 200);
        if (f % 2 == 0) {
            while (data.size() < size) {
                const std::uint64_t r = random();
                data.append(reinterpret_cast<const char*>(&r), sizeof r);
            }
        } else {
            while (data.size() < size) {
                for (int n = 5 + int(random() % 11); n > 0; --n)
                    data += words[random() % words.size()] + (n > 1 ? " " : ".\n");
            }
        }
        data.resize(size);
        const std::string path = root + "/" + (f % 2 == 0 ? "random" : "text") + std::to_string(f / 2);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || write(fd, data.data(), data.size()) != ssize_t(data.size()))
            return 1;
        close(fd);
    }
    return 0;
}

// The single-threaded tool of a compressor: lzip's own where Debian's lzip
// is plzip.
std::string single(const arkive::Format& format)
{
    const std::string compressor = format.compressor;
    return compressor == "lzip" && access("/usr/bin/lzip.lzip", X_OK) == 0 ? "lzip.lzip" : compressor;
}

// The words of the stage at `index` of a plan, as a shell command.
std::string stageWords(const arkive::Plan& plan, size_t index)
{
    std::string text;
    for (const std::string& word : plan.stages.at(index).words)
        text += (text.empty() ? "" : " ") + quoted(word);
    return text;
}

// Runs the variants interleaved, `reset` before each run; the first is
// arkive's line.
void compare(const std::string& title, std::vector<Variant>& variants, int reps, const std::function<void()>& reset,
             double wallGoal)
{
    runInterleaved(variants, reps, reset);
    std::printf("%s, medians of %d interleaved runs:\n", title.c_str(), reps);
    for (const Variant& v : variants)
        std::printf("  %-44s %8.2f s wall %8.2f s CPU\n", v.name, median(v.wall), median(v.cpu));
    for (size_t k = 1; k < variants.size(); ++k) {
        const auto [wall, cpu] = roundRatios(variants[0], variants[k]);
        char goal[32] = "";
        if (k == 1)
            std::snprintf(goal, sizeof goal, " (goal %.2f)", wallGoal);
        std::printf("  ratio against %-36s wall %.3f +-%.3f%s, CPU %.3f +-%.3f%s\n", variants[k].name, median(wall),
                    halfSpread(wall), goal, median(cpu), halfSpread(cpu), k == 2 ? " (goal 1.02)" : "");
    }
    std::fflush(stdout);
}

CompressRequest packRequest(const std::string& format, const std::string& source, const std::string& out)
{
    CompressRequest request;
    request.outDir = QString::fromStdString(out) + QLatin1Char('/');
    request.name = QStringLiteral("bench");
    request.format = QString::fromStdString(format);
    request.files = QStringList{QString::fromStdString(source)};
    return request;
}

// arkive's packing line, waited for.
std::string packLine(const CompressRequest& request)
{
    QString line = compressCommand(request, packingTotal(request), partialPath(request, QStringLiteral("bench")));
    line.chop(2);   // " &"
    return line.toStdString();
}

std::string unpackLine(const std::string& archive, const std::string& folder)
{
    ExtractRequest request;
    request.archive = QString::fromStdString(archive);
    request.outDir = QString::fromStdString(folder);
    QString line = extractCommand(request, QStringLiteral("bench"));
    line.chop(2);
    return line.toStdString();
}

int comparePacking(const std::string& format, const std::string& source, const std::string& out, int reps)
{
    const CompressRequest request = packRequest(format, source, out);
    const arkive::Format* f = formatOfEntry(request.format);
    const std::string archive = archivePath(request).toStdString(), made = out + "/made" + format;
    const std::string folder = source.substr(0, source.rfind('/')), name = source.substr(source.rfind('/') + 1);
    const arkive::Plan plan = compressPlan(request, 0, partialPath(request, QStringLiteral("bench")));
    // tar's stream as the line makes it, its listing thrown away.
    const std::string tar = "tar -cvvf - --index-file=/dev/null -C " + quoted(folder) + " -- " + quoted(name);
    std::vector<Variant> variants{
        {"arkive's line (tally, every core)", packLine(request)},
        {"tar | the single-threaded tool", "tar -cf - -C " + quoted(folder) + " -- " + quoted(name) + " | " + single(*f)
                                               + " >" + quoted(made)},
        {"the same tools without tally", tar + " | " + stageWords(plan, 2) + " >" + quoted(made)}};
    compare("packing 200 MB as " + format, variants, reps, [&] { unlink(archive.c_str()); unlink(made.c_str()); }, 0.55);
    unlink(made.c_str());
    return 0;
}

int compareUnpacking(const std::string& format, const std::string& source, const std::string& out, int reps)
{
    const CompressRequest request = packRequest(format, source, out);
    const std::string archive = archivePath(request).toStdString(), folder = out + "/unpacked";
    if (access(archive.c_str(), R_OK) != 0)
        runLine(packLine(request));
    const arkive::Format* f = formatOfEntry(request.format);
    ExtractRequest extract{QString::fromStdString(archive), QString::fromStdString(folder), {}, true, {}, {}};
    const arkive::Plan plan = extractPlan(extract, archiveFacts(extract.archive), QStringLiteral("bench"));
    std::vector<Variant> variants{
        {"arkive's line (tally, every core)", unpackLine(archive, folder)},
        {"the single-threaded tool | tar", single(*f) + " -d <" + quoted(archive) + " | tar -xf - -C " + quoted(folder)},
        {"the same tools without tally", stageWords(plan, 1) + " <" + quoted(archive) + " | tar -xvvf - -C " + quoted(folder)
                                             + " >/dev/null"}};
    compare("unpacking " + format + " (made by arkive)", variants, reps, [&] {
        runLine("rm -rf " + quoted(folder));
        mkdir(folder.c_str(), 0755);
    }, 0.6);
    runLine("rm -rf " + quoted(folder));
    return 0;
}

// Runs a line with tally's standard error on a terminal (its live line),
// and returns the percent it showed over time: (seconds, percent).
std::vector<std::pair<double, int>> percentsShown(const std::string& line, double& wall)
{
    std::vector<std::pair<double, int>> shown;
    int terminal = -1;
    const auto start = Clock::now();
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    static const std::regex percent("(Packing|Unpacking) ([0-9]+) %");
    std::string pending;
    char buffer[4096];
    for (;;) {
        struct pollfd p {terminal, POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0)
            continue;
        const ssize_t n = read(terminal, buffer, sizeof buffer);
        if (n <= 0)
            break;
        const double at = std::chrono::duration<double>(Clock::now() - start).count();
        pending.append(buffer, size_t(n));
        size_t cr;
        while ((cr = pending.find_first_of("\r\n")) != std::string::npos) {
            std::smatch m;
            const std::string piece = pending.substr(0, cr);
            if (std::regex_search(piece, m, percent))
                shown.emplace_back(at, std::stoi(m[2]));
            pending.erase(0, cr + 1);
        }
    }
    waitpid(pid, nullptr, 0);
    wall = std::chrono::duration<double>(Clock::now() - start).count();
    close(terminal);
    return shown;
}

void reportCurve(const std::string& what, const std::string& line)
{
    double wall = 0;
    const std::vector<std::pair<double, int>> shown = percentsShown(line, wall);
    std::printf("progress of %s, %.1f s:", what.c_str(), wall);
    int worst = 0;
    for (const double share : {0.25, 0.5, 0.75}) {
        int at = -1;
        for (const auto& [t, pct] : shown)
            if (t <= share * wall)
                at = pct;
        const int off = at < 0 ? 100 : std::abs(at - int(share * 100));
        worst = std::max(worst, off);
        std::printf("  at %d %% of the time: %d %%", int(share * 100), at);
    }
    std::printf("  (farthest %d points, goal within 10)\n", worst);
    std::fflush(stdout);
}

int curve(const std::string& format, const std::string& file, const std::string& out)
{
    const CompressRequest request = packRequest(format, file, out);
    const std::string archive = archivePath(request).toStdString(), folder = out + "/curve";
    unlink(archive.c_str());
    struct stat st;
    const long long megabytes = stat(file.c_str(), &st) == 0 ? static_cast<long long>(st.st_size >> 20) : 0;
    reportCurve("packing one file of " + std::to_string(megabytes) + " MB as " + format, packLine(request));
    mkdir(folder.c_str(), 0755);
    reportCurve("unpacking it", unpackLine(archive, folder));
    runLine("rm -rf " + quoted(folder) + " " + quoted(archive));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "tree" && argc == 4)
        return makeTree(argv[2], std::atoi(argv[3]));
    if (mode == "pack" && argc == 6)
        return comparePacking(argv[2], argv[3], argv[4], std::atoi(argv[5]));
    if (mode == "unpack" && argc == 6)
        return compareUnpacking(argv[2], argv[3], argv[4], std::atoi(argv[5]));
    if (mode == "curve" && argc == 5)
        return curve(argv[2], argv[3], argv[4]);
    std::fprintf(stderr, "usage: corebench tree|pack|unpack|curve ...\n");
    return 2;
}
