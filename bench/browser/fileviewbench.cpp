// Listing speed of the file list against `ls -l` on the same folder.
//   fileviewbench make DIR COUNT   makes COUNT entries (one in 20 a folder)
//   fileviewbench list DIR RUNS    prints the best times and their ratio
#include "fileview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

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

double lsSeconds(const QString& dir)
{
    QProcess ls;
    ls.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    ls.start(QStringLiteral("ls"), {QStringLiteral("-l"), dir});
    ls.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e9;
}

int list(const QString& dir, int runs)
{
    QWidget screen;
    screen.resize(240, 320);
    auto* layout = new QVBoxLayout(&screen);
    auto* view = new FileView(QStringLiteral("*"), 775, &screen, 20, "browser");
    layout->addWidget(view);
    screen.show();

    // One round of each first, so that both find the folder in the caches.
    lsSeconds(dir);
    view->setDir(QStringLiteral("/"));
    view->setDir(dir);
    QApplication::processEvents();

    double ls = 1e9, listing = 1e9, shown = 1e9;
    for (int i = 0; i < runs; ++i) {
        ls = std::min(ls, lsSeconds(dir));
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
