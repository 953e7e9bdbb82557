// Speed of the compress side, as ratios against a baseline measured in the
// same run:
//   compressbench tree DIR FOLDERS FILES SIZE   makes FOLDERS x FILES files
//   compressbench total DIR REPS                totalSize against du
//   compressbench pipeline FORMAT DIR OUT REPS  the OK pipeline against the bare archiver
#include "compresscommand.h"
#include "totalsize.h"

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <spawn.h>
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

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int spawnWait(std::vector<std::string> words, bool quiet)
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
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
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

int comparePipeline(const char* format, const char* root, const char* out, int reps)
{
    CompressRequest request;
    request.outDir = QString::fromLocal8Bit(out) + QLatin1Char('/');
    request.name = QStringLiteral("bench");
    request.format = QString::fromLatin1(format);
    request.files = QStringList{QString::fromLocal8Bit(root)};
    const quint64 total = totalSize(request.files);
    QString line = compressCommand(request, total, partialPath(request, QStringLiteral("bench")));
    if (!line.endsWith(QLatin1String(" &")))
        return 1;
    line.chop(2); // wait for it here instead of in the background
    const std::string archive = archivePath(request).toStdString();
    const bool zip = request.format == QLatin1String(".zip");
    const std::string verbose = (zip ? "zip -ryv -FS -6 " : request.format == QLatin1String(".tar.gz") ? "tar zcvvf "
                                                                                                       : "tar cvvf ")
                                + archive + " " + root;
    // The archiver alone, quiet; verbose with its listing thrown away; its
    // listing piped into tally without the statuses and error output; and
    // arkive's whole line.
    const std::vector<std::string> bare =
        zip ? std::vector<std::string>{"zip", "-ryq", "-FS", "-6", archive, root}
            : std::vector<std::string>{"tar", request.format == QLatin1String(".tar.gz") ? "zcf" : "cf", archive, root};
    const std::string listingLine = verbose + " >/dev/null";
    const std::string plainLine = verbose + " | tally -T " + std::to_string(total) + (zip ? " -t zip" : " -t tar");
    const std::string shellLine = line.toStdString();
    double full = 1e9, alone = 1e9, listing = 1e9, plain = 1e9;
    for (int r = 0; r < reps; ++r) {
        unlink(archive.c_str());
        alone = std::min(alone, seconds([&] { spawnWait(bare, true); }));
        unlink(archive.c_str());
        listing = std::min(listing, seconds([&] { spawnWait({"/bin/sh", "-c", listingLine}, true); }));
        unlink(archive.c_str());
        plain = std::min(plain, seconds([&] { spawnWait({"/bin/sh", "-c", plainLine}, true); }));
        unlink(archive.c_str());
        full = std::min(full, seconds([&] { spawnWait({"/bin/sh", "-c", shellLine}, true); }));
    }
    unlink(archive.c_str());
    std::printf("%s pipeline: best of %d: arkive's line %.3f s; against the verbose archiver alone %.3f "
                "(goal 1.01), against its listing piped into tally %.3f (statuses and error output; goal 1.01), "
                "against the quiet archiver %.3f\n",
                format, reps, full, full / listing, full / plain, full / alone);
    return 0;
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
    std::fprintf(stderr, "usage: compressbench tree|total|pipeline ...\n");
    return 2;
}
