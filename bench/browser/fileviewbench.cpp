// Listing speed and memory of the file list against `ls -l` on the same
// folder.
//   fileviewbench make DIR COUNT   makes COUNT entries (one in 20 a folder)
//   fileviewbench list DIR RUNS    prints the best times, the memory that the
//                                  first listing added per entry, and their
//                                  ratios to ls -l
#include "fileview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int make(const QString& dir, int count)
{
    QDir root;
    if (!root.mkpath(dir))
        return 1;
    const char* const endings[] = {".txt", ".jpg", ".tar.gz", ".sh", "", ".mp3", ".conf"};
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("%1/%2%3").arg(dir).arg(i % 3 ? "Entry" : "entry").arg(i);
        if (i % 20 == 0) {
            if (!root.mkdir(name))
                return 1;
            continue;
        }
        QFile file(name + QLatin1String(endings[i % 7]));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(QByteArray(i % 5000, 'x'));
    }
    return 0;
}

struct LsRun
{
    double seconds = 0;
    long peakKb = 0; // its peak resident memory
};

LsRun runLs(const QString& dir)
{
    LsRun run;
    const QByteArray path = QFile::encodeName(dir);
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execlp("ls", "ls", "-l", path.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.peakKb = usage.ru_maxrss;
    return run;
}

// Bytes of the process's resident memory and of its heap in use.
long residentBytes()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * sysconf(_SC_PAGESIZE) : 0;
}

long heapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return long(info.uordblks + info.hblkhd);
}

int list(const QString& dir, int runs)
{
    QWidget screen;
    screen.resize(240, 320);
    auto* layout = new QVBoxLayout(&screen);
    auto* view = new FileView(QStringLiteral("*"), 775, &screen, 20, "browser");
    layout->addWidget(view);
    screen.show();

    // One round of each first, so that both find the folder in the caches;
    // the list's memory is taken around its first listing, ls -l's peak
    // against its peak on an empty folder.
    QTemporaryDir empty;
    const long lsBase = runLs(empty.path()).peakKb;
    const long lsPeak = runLs(dir).peakKb;
    view->setDir(QStringLiteral("/"));
    QApplication::processEvents();
    const long rss0 = residentBytes(), heap0 = heapBytes();
    view->setDir(dir);
    QApplication::processEvents();
    const long rss = residentBytes() - rss0, heap = heapBytes() - heap0;

    double ls = 1e9, listing = 1e9, shown = 1e9;
    for (int i = 0; i < runs; ++i) {
        ls = std::min(ls, runLs(dir).seconds);
        view->setDir(QStringLiteral("/"));
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        view->setDir(dir);
        listing = std::min(listing, timer.nsecsElapsed() / 1e9);
        QApplication::processEvents(); // layout and first paint
        shown = std::min(shown, timer.nsecsElapsed() / 1e9);
    }
    std::printf("%d entries: ls -l %.3f s, setDir %.3f s (ratio %.2f), "
                "setDir and first paint %.3f s (ratio %.2f)\n",
                view->topLevelItemCount(), ls, listing, listing / ls, shown, shown / ls);
    const double entries = std::max(1, view->topLevelItemCount());
    const double lsPerEntry = (lsPeak - lsBase) * 1024.0 / entries;
    std::printf("%d entries: memory added by the listing %.1f MB resident, %.1f MB heap: "
                "%.0f and %.0f bytes per entry; ls -l %.0f bytes per entry (ratios %.2f and %.2f)\n",
                view->topLevelItemCount(), rss / 1048576.0, heap / 1048576.0, rss / entries,
                heap / entries, lsPerEntry, rss / entries / lsPerEntry, heap / entries / lsPerEntry);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("make"))
        return make(args.at(2), args.at(3).toInt());
    if (args.size() == 4 && args.at(1) == QLatin1String("list"))
        return list(args.at(2), args.at(3).toInt());
    std::fprintf(stderr, "usage: fileviewbench make DIR COUNT | list DIR RUNS\n");
    return 2;
}
