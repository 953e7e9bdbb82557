// The file list inside an archive: `membersbench ARCHIVE RUNS` enters the
// archive in a FileView (offscreen) RUNS times and prints the best time from
// the tap to the end of the listing, with the rows of its top shown, and
// the heap that the members held add per member once the reading is over.
#include "fileview.h"
#include "membertable.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <malloc.h>

namespace {

// Bytes of the heap in use, what the system was given back left out.
std::size_t heapInUse()
{
    ::malloc_trim(0);
    return ::mallinfo2().uordblks;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: membersbench ARCHIVE RUNS\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString archive = QString::fromLocal8Bit(argv[1]);
    const int runs = std::max(1, atoi(argv[2]));
    QWidget screen;
    screen.resize(240, 320);
    FileView view(QStringLiteral("*"), QDir::AllEntries | QDir::Hidden | QDir::System, &screen,
                  QDir::Name | QDir::DirsFirst | QDir::IgnoreCase);
    view.resize(screen.size());
    screen.show();
    view.setDir(QFileInfo(archive).absolutePath());
    double best = 1e9;
    std::size_t held = 0;
    std::size_t members = 0;
    for (int run = 0; run < runs; ++run) {
        view.setDir(QFileInfo(archive).absolutePath());
        QCoreApplication::processEvents();
        const std::size_t before = heapInUse();
        QEventLoop loop;
        QObject::connect(&view, &FileView::listingEnded, &loop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        if (!view.enterArchive(archive))
            return 1;
        loop.exec();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        held = heapInUse() - before;
        members = view.memberTable() ? view.memberTable()->size() : 0;
    }
    std::printf("%zu members, best %.1f ms, %.0f bytes held per member\n", members, best,
                members ? double(held) / double(members) : 0.0);
    return 0;
}
