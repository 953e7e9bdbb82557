// Speed of the compress side, as ratios against a baseline measured in the
// same run:
//   compressbench tree DIR FOLDERS FILES SIZE   makes FOLDERS x FILES files
//   compressbench total DIR REPS                totalSize against du
//   compressbench pipeline FORMAT DIR OUT REPS  the OK pipeline against the bare archiver
//   compressbench unpack FORMAT DIR OUT REPS    unpacking an archive of DIR, the same way
//   compressbench probe DIR OUT REPS            tally's file probe on zip's listing of DIR
#include "compresscommand.h"
#include "extractcommand.h"
#include "session.h"
#include "totalsize.h"

#include <QByteArray>
#include <QString>

#include <fcntl.h>
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
#include <string>
#include <vector>

#include "lines.h"
#include "stats.h"

using bench::Cost;
using bench::halfSpread;
using bench::median;
using bench::roundRatios;
using bench::runInterleaved;
using bench::runLine;
using bench::spawnWait;
using bench::Variant;

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int makeTree(const char* root, int folders, int files, int size)
{
    std::mt19937 random(42);
    std::string data(size_t(size), ' ');
    mkdir(root, 0755);
    for (int f = 0; f < folders; ++f) {
        const std::string folder = std::string(root) + "/folder" + std::to_string(f);
        mkdir(folder.c_str(), 0755);
        for (int i = 0; i < files; ++i) {
            // Half random bytes, half text: something for the compressors to do.
            for (size_t k = 0; k < data.size(); ++k)
                data[k] = k < data.size() / 2 ? char(random()) : char('a' + (k * 7 + i) % 26);
            const std::string path = folder + "/file" + std::to_string(i);
            const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || write(fd, data.data(), data.size()) != ssize_t(data.size()))
                return 1;
            close(fd);
        }
    }
    return 0;
}

int compareTotal(const char* root, int reps)
{
    const QStringList paths{QString::fromLocal8Bit(root)};
    quint64 total = 0;
    double walk = 1e9, du = 1e9;
    for (int r = 0; r < reps; ++r) {
        walk = std::min(walk, seconds([&] { total = totalSize(paths); }));
        du = std::min(du, seconds([&] { spawnWait({"du", "-sb", "--apparent-size", root}, true); }));
    }
    std::printf("totalSize: %llu bytes, best of %d: totalSize %.4f s, du %.4f s, ratio %.2f\n",
                static_cast<unsigned long long>(total), reps, walk, du, walk / du);
    return 0;
}

// Runs the variants REPS times each, interleaved. The first variant is
// arkive's line, the second the baseline the goal is measured against.
void compareLines(const std::string& title, std::vector<Variant>& variants, int reps,
                  const std::function<void()>& reset)
{
    // Another build's tally (a folder), run the same way for comparison.
    if (const char* other = std::getenv("COMPARE_TALLY_DIR"))
        variants.emplace_back("arkive's line, $COMPARE_TALLY_DIR's tally",
                              "PATH=" + std::string(other) + ":$PATH; " + variants[0].line);
    runInterleaved(variants, reps, reset);
    std::printf("%s, medians of %d interleaved runs:\n", title.c_str(), reps);
    for (const Variant& v : variants)
        std::printf("  %-40s %7.3f s wall %7.3f s CPU %7.0f context switches\n", v.name, median(v.wall),
                    median(v.cpu), median(v.switches));
    const Variant& line = variants[0];
    for (size_t k = 1; k < variants.size(); ++k) {
        const Variant& base = variants[k];
        // The rounds' ratios: their median, and half their interquartile
        // spread as the noise.
        const auto [wall, cpu] = roundRatios(line, base);
        std::printf("  ratio against %-26s wall %.3f (noise +-%.3f), CPU %.3f (noise +-%.3f)%s\n", base.name,
                    median(wall), halfSpread(wall), median(cpu), halfSpread(cpu), k == 1 ? "  goal 1.01" : "");
    }
}

// The archiver with the compressor arkive's line uses (pigz for tar.gz).
std::string verboseArchiver(const QString& format)
{
    return format == QLatin1String(".zip") ? "zip -ryv -FS -6 " : format == QLatin1String(".tar.gz") ? "tar -I pigz -cvvf "
                                                                                                   : "tar cvvf ";
}

int comparePipeline(const char* format, const char* root, const char* out, int reps)
{
    CompressRequest request;
    request.outDir = QString::fromLocal8Bit(out) + QLatin1Char('/');
    request.name = QStringLiteral("bench");
    request.format = QString::fromLatin1(format);
    request.files = QStringList{QString::fromLocal8Bit(root)};
    const quint64 total = packingTotal(request);
    QString line = compressCommand(request, total, partialPath(request, QStringLiteral("bench")));
    if (!line.endsWith(QLatin1String(" &")))
        return 1;
    line.chop(2); // wait for it here instead of in the background
    const std::string archive = archivePath(request).toStdString();
    const bool zip = request.format == QLatin1String(".zip");
    const std::string verbose = verboseArchiver(request.format) + archive + " " + root;
    // arkive's whole line; the verbose archiver with its listing thrown
    // away; its listing piped into tally without statuses and error output;
    // the quiet archiver.
    std::vector<Variant> variants{
        {"arkive's line", line.toStdString()},
        {"the verbose archiver alone", verbose + " >/dev/null"},
        {"its listing piped into tally", verbose + " | tally -T " + std::to_string(totalSize(request.files)) + (zip ? " -t zip" : " -t tar")},
        {"the quiet archiver", (zip ? "zip -ryq -FS -6 " : format == std::string(".tar.gz") ? "tar -I pigz -cf " : "tar cf ")
                                   + archive + " " + root}};
    compareLines(std::string("packing ") + format, variants, reps, [&] { unlink(archive.c_str()); });
    unlink(archive.c_str());
    return 0;
}

// Unpacks an archive of ROOT made with FORMAT into a fresh folder in OUT.
int compareUnpacking(const char* format, const char* root, const char* out, int reps)
{
    const std::string archive = std::string(out) + "/unpack" + format;
    const std::string folder = std::string(out) + "/unpacked";
    const bool zip = std::string(format) == ".zip";
    unlink(archive.c_str());
    if (runLine(verboseArchiver(QString::fromLatin1(format)) + archive + " " + root).wall <= 0)
        return 1;
    ExtractRequest request;
    request.archive = QString::fromLocal8Bit(archive.c_str());
    request.outDir = QString::fromLocal8Bit(folder.c_str());
    QString line = extractCommand(request, QStringLiteral("bench"));
    if (!line.endsWith(QLatin1String(" &")))
        return 1;
    line.chop(2);
    const std::string verbose = zip ? "unzip -o -P- " + archive + " -d " + folder
                                    : std::string(format) == ".tar.gz" ? "gzip -d <" + archive + " | tar xvvf - -C " + folder
                                                                       : "tar xvvf " + archive + " -C " + folder;
    std::vector<Variant> variants{
        {"arkive's line", line.toStdString()},
        {"the verbose archiver alone", verbose + " >/dev/null"},
        {"its listing piped into tally", verbose + (zip ? " | tally -t unzip" : " | tally -t tar")}};
    compareLines(std::string("unpacking ") + format, variants, reps, [&] {
        spawnWait({"rm", "-rf", folder}, true);
        mkdir(folder.c_str(), 0755);
    });
    spawnWait({"rm", "-rf", folder, archive}, true);
    return 0;
}

// A file probe that counts how often it is asked.
class CountingProbe : public tally::FileProbe {
public:
    std::uint64_t asked = 0;
    std::optional<std::uint64_t> fileSize(const std::string& path) override
    {
        ++asked;
        return real_.fileSize(path);
    }
    std::optional<std::uint64_t> symlinkTargetSize(const std::string& path) override
    {
        ++asked;
        return real_.symlinkTargetSize(path);
    }

private:
    tally::StatFileProbe real_;
};

// zip's listing of DIR read by tally's session with the real file probe,
// against the same without a probe: how often the probe is asked per
// member, and what it costs (CPU time of the reading, medians).
int compareProbe(const char* root, const char* out, int reps)
{
    const std::string archive = std::string(out) + "/probe.zip";
    std::string listing;
    if (FILE* zip = popen(("zip -ryv -0 " + archive + " " + root + " 2>&1").c_str(), "r")) {
        char buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, zip)) > 0)
            listing.append(buf, n);
        pclose(zip);
    }
    unlink(archive.c_str());
    const tally::Options options = tally::parseOptions(std::vector<std::string_view>{"-t", "zip", "-T", "1"});
    std::uint64_t entries = 0, asked = 0;
    std::vector<double> with, without;
    for (int r = 0; r < reps; ++r) {
        for (const bool probing : {true, false}) {
            CountingProbe probe;
            const auto start = Clock::now();
            tally::Session session(options, start, probing ? &probe : nullptr);
            session.feed(listing.data(), listing.size());
            session.finish(start);
            (probing ? with : without).push_back(std::chrono::duration<double>(Clock::now() - start).count());
            if (probing) {
                entries = session.parser().counts().entries;
                asked = probe.asked;
            }
        }
    }
    std::printf("zip's listing of %llu members read by tally: the file probe asked %.2f times per member (goal at "
                "most 1); with the probe %.1f ms, without %.1f ms, ratio %.3f (noise +-%.3f), medians of %d\n",
                static_cast<unsigned long long>(entries), entries ? double(asked) / double(entries) : 0.0,
                median(with) * 1e3, median(without) * 1e3, median(with) / median(without),
                halfSpread(with) / median(without), reps);
    return entries > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "tree" && argc == 6)
        return makeTree(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (mode == "total" && argc == 4)
        return compareTotal(argv[2], std::atoi(argv[3]));
    if (mode == "pipeline" && argc == 6)
        return comparePipeline(argv[2], argv[3], argv[4], std::atoi(argv[5]));
    if (mode == "probe" && argc == 5)
        return compareProbe(argv[2], argv[3], std::atoi(argv[4]));
    if (mode == "unpack" && argc == 6)
        return compareUnpacking(argv[2], argv[3], argv[4], std::atoi(argv[5]));
    std::fprintf(stderr, "usage: compressbench tree|total|pipeline|unpack ...\n");
    return 2;
}
