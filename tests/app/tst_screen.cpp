// The real arkive on an X server with phone-shaped screens, driven only
// through the screen: taps and drags by pixel with xdotool, windows found by
// their place, pixels read back to see the list stand still. It browses into
// a prepared folder, packs it to every format offered, unpacks each archive
// into a folder chosen with the folder chooser, and compares the trees; then
// `arkive -d` with "Ok" and "Cancel", and the window's width on screens of
// other shapes, started with an archive that is nowhere.
#include "bytefiles.h"
#include "compressformats.h"
#include "nameorder.h"
#include "processes.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <memory>

namespace {

const QByteArray Program = ARKIVE_PROGRAM_DIR "/arkive";
constexpr int Patience = 30000; // milliseconds that any step may take
constexpr int Poll = 50;        // milliseconds between looks at the screen
constexpr int TapGap = 600;     // milliseconds that keep two taps on one spot from being a double tap

// X screen 0 is the phone's (360x720 at scale 1); the platform's layout:
// status bar 20, title bar 24, soft keys 30, rows 30, the list's frame 1.
constexpr int W = 360, H = 720;
constexpr int ListTop = 20 + 24 + 1, ListBottom = H - 30 - 1, Row = 30, KeyY = H - 15;
constexpr int MenuX = 30, CompressX = 120, ExtractX = 240, ToggleX = 20, EnterX = W / 2, SelectX = W - 20; // keys, zones
constexpr int FormatFromRight = 50, FormatY = 85;             // the compress dialog's format box
constexpr int DirX = 40, DirY = 68;                            // the extract dialog's "Dir" button

QByteArray xdotool(const QByteArrayList& words)
{
    QByteArray out;
    runProgram(QByteArrayList{"xdotool"} + words, &out);
    return out;
}

void tap(int x, int y)
{
    xdotool({"mousemove", QByteArray::number(x), QByteArray::number(y), "click", "1"});
}

QByteArrayList windowsOf(qint64 pid)
{
    QByteArrayList windows = xdotool({"search", "--onlyvisible", "--pid", QByteArray::number(pid)}).split('\n');
    windows.removeAll(QByteArray());
    return windows;
}

QRect geometry(const QByteArray& window)
{
    QMap<QByteArray, int> v;
    for (const QByteArray& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n'))
        v.insert(line.left(line.indexOf('=')), line.mid(line.indexOf('=') + 1).toInt());
    return {v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]};
}

// An arkive started on X screen `screen` at `scale` with the words given;
// its output goes to arkive.log in `dir`, where a wrapper makes tally choose
// its text face, so that no window of its own comes between.
struct Arkive : QProcess
{
    Arkive(const QByteArray& dir, int screen, const char* scale, const QStringList& args, const QString& cwd = "/",
           const QString& program = Program)
    {
        qputenv("DISPLAY", qgetenv("DISPLAY").split('.').first() + '.' + QByteArray::number(screen));
        qputenv("QT_SCALE_FACTOR", scale);
        setStandardOutputFile(dir + "/arkive.log", QIODevice::Append);
        setStandardErrorFile(dir + "/arkive.log", QIODevice::Append);
        setWorkingDirectory(cwd);
        setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); }); // it goes with a test that dies
        start(program, args);
    }
    ~Arkive() override
    {
        kill();
        waitForFinished();
    }
    // The exit status once it ended by itself within the patience, or -1.
    int waitEnd() { return waitForFinished(Patience) && exitStatus() == NormalExit ? exitCode() : -1; }
};

// Waits until the screen's pixels in `area` are drawn (not of one colour)
// and look the same twice in a row: a window takes taps once it is drawn,
// and the list has stopped gliding.
bool settled(Display* display, const QRect& area)
{
    QByteArray last;
    for (int waited = 0; waited < Patience; waited += Poll * 4) {
        XImage* image = XGetImage(display, DefaultRootWindow(display), area.x(), area.y(), unsigned(area.width()),
                                  unsigned(area.height()), AllPlanes, ZPixmap);
        const QByteArray now(image->data, image->bytes_per_line * image->height);
        XDestroyImage(image);
        if (now == last && now.count(now.left(4)) * 4 != now.size())
            return true;
        last = now;
        QTest::qWait(Poll * 4);
    }
    return false;
}

// Waits for a visible window of `pid` that is not among `known`, drawn
// where it stays.
QRect newWindow(qint64 pid, QByteArrayList& known, Display* display = nullptr)
{
    for (int waited = 0; waited < Patience; waited += Poll, QTest::qWait(Poll)) {
        for (const QByteArray& window : windowsOf(pid)) {
            const QRect rect = geometry(window);
            if (known.contains(window) || (display && (!settled(display, rect) || geometry(window).y() != rect.y())))
                continue;
            known << window;
            return rect;
        }
    }
    qWarning("no new window of %d among %s", int(pid), windowsOf(pid).join(' ').constData());
    return {};
}

// The entries of a folder in the list's order.
QByteArrayList listed(const QByteArray& folder)
{
    const QDir dir(QFile::decodeName(folder));
    const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    std::vector<bool> folders;
    for (const QString& name : names)
        folders.push_back(QFileInfo(dir, name).isDir());
    QByteArrayList rows;
    for (const int i : nameOrder(names, folders, QDir::Name | QDir::DirsFirst | QDir::IgnoreCase))
        rows << QFile::encodeName(names.at(i));
    return rows;
}

} // namespace

class TestScreen : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_root;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs an X server with three screens and xdotool (run through xvfb-run)");
        if (QDir("/mmc/mmca1").isReadable())
            QSKIP("the folder chooser would start on the memory card");
        m_root = QFile::encodeName(m_dir.path());
        QVERIFY(::mkdir(m_root + "/bin", 0755) == 0);
        QVERIFY(writeBytes(m_root + "/bin/tally",
                           "#!/bin/sh\nexec \"" ARKIVE_PROGRAM_DIR "/bin/tally\" --text \"$@\"\n", 0755));
        qputenv("PATH", m_root + "/bin:" + qgetenv("PATH"));
        qunsetenv("QT_QPA_PLATFORM");
    }

    // Browse from "/" into the prepared folder, then for every format: select
    // the tree, pack it, list the folder again, select the archive, unpack
    // it into its own folder through the chooser, and compare.
    void packAndUnpackEveryFormat()
    {
        // A name that sorts first among the folders of its parent.
        QTemporaryDir prepared(QDir::tempPath() + "/.0arkive-screen-XXXXXX");
        const QByteArray p = QFile::encodeName(prepared.path());
        const QStringList formats = compressFormats();
        QVERIFY(!formats.isEmpty());
        for (const char* folder : {"/in", "/in/sub dir", "/out"})
            QVERIFY(::mkdir(p + folder, 0755) == 0);
        QVERIFY(writeBytes(p + "/in/a.txt", "alpha\n") && writeBytes(p + "/in/sub dir/\xc3\xbc.bin", QByteArray(70000, 'x'))
                && writeBytes(p + "/in/run.sh", "#!/bin/sh\n", 0755));

        Arkive arkive(m_root, 0, "1", {});
        std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr), &XCloseDisplay);
        Display* screen = display.get();
        QByteArrayList known;
        QCOMPARE(newWindow(arkive.processId(), known, screen).width(), W);

        // "/" may show its first row in the taller form (the list took the
        // focus): a toggle there, twice, leaves every row in the plain form,
        // as does entering a folder by a tap.
        tap(ToggleX, ListTop + 15);
        tap(ToggleX, ListTop + 15);
        QByteArray here = "/";
        for (const QByteArray& step : p.mid(1).split('/')) {
            const QByteArrayList rows = listed(here);
            const int i = int(rows.indexOf(step)), n = int(rows.size());
            QVERIFY2(i >= 0, step.constData());
            int top = ListTop + i * Row;
            // A row below the screen, and always the root's last rows: the
            // list is dragged up to its end, and rows count from the bottom.
            if (top + Row > ListBottom || (here == "/" && n * Row > ListBottom - ListTop)) {
                for (int drag = 0; drag < 2; ++drag) {
                    QByteArrayList words{"mousemove", "180", QByteArray::number(ListBottom - 10), "mousedown", "1"};
                    for (int y = ListBottom - 60; y > ListTop; y -= 60)
                        words += {"sleep", "0.02", "mousemove", "180", QByteArray::number(y)};
                    xdotool(words + QByteArrayList{"mouseup", "1"});
                }
                QVERIFY(settled(screen, {0, ListTop, W, ListBottom - ListTop}));
                top = ListBottom - (n - i) * Row;
            }
            tap(EnterX, top + 15);
            here = here == "/" ? "/" + step : here + '/' + step;
        }

        const Tree source = describeTree(p + "/in");
        for (int k = 0; k < formats.size(); ++k) {
            const QByteArray archive = p + "/in" + formats.at(k).toUtf8();
            QVERIFY(::mkdir(p + "/out/" + QByteArray::number(k), 0755) == 0);
            // "in", first row: select it alone and pack it.
            tap(SelectX, ListTop + 15);
            tap(CompressX, KeyY);
            const QRect compress = newWindow(arkive.processId(), known, screen);
            tap(compress.x() + compress.width() - FormatFromRight, compress.y() + FormatY);
            const QRect popup = newWindow(arkive.processId(), known, screen);
            const int item = (popup.height() - 2) / int(formats.size());
            QTest::qWait(TapGap); // the current format lies where the box was tapped
            tap(popup.x() + popup.width() / 2, popup.y() + 1 + item * k + item / 2);
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 2, Patience);
            tap(compress.x() + compress.width() * 3 / 4, compress.y() + compress.height() - 15);
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 1, Patience);
            // The archive gets its name when it is complete.
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QFile::decodeName(archive)), Patience);

            // "Refresh", the first of the menu's four entries, lists the
            // folder again, with the archive; select it and unpack it.
            tap(MenuX, KeyY);
            const QRect menu = newWindow(arkive.processId(), known, screen);
            tap(menu.x() + menu.width() / 2, menu.y() + menu.height() / 8);
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 1, Patience);
            tap(SelectX, ListTop + int(listed(p).indexOf(archive.mid(p.size() + 1))) * Row + 15);
            tap(ExtractX, KeyY);
            const QRect extract = newWindow(arkive.processId(), known, screen);
            tap(extract.x() + DirX, extract.y() + DirY);
            // The chooser covers the screen and starts at the output folder,
            // its first row perhaps in the taller form: toggled twice, it is not.
            const QRect chooser = newWindow(arkive.processId(), known, screen);
            const int rowTop = chooser.y() + 24 + 1;
            tap(ToggleX, rowTop + 15);
            tap(ToggleX, rowTop + 15);
            tap(EnterX, rowTop + Row + 15); // "out", after "in"
            tap(EnterX, rowTop + int(listed(p + "/out").indexOf(QByteArray::number(k))) * Row + 15);
            tap(W / 6, chooser.y() + chooser.height() - 15); // "OK"
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 2, Patience);
            tap(extract.x() + extract.width() * 3 / 4, extract.y() + extract.height() - 12); // "Ok"
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 1, Patience);
            known = known.mid(0, 1);
            // The archive holds "in" under its own name.
            const QByteArray into = p + "/out/" + QByteArray::number(k) + "/in";
            QTRY_VERIFY2_WITH_TIMEOUT(treeDifference(source, describeTree(into)).isEmpty(),
                                      (formats.at(k).toUtf8() + ": " + describeTree(p + "/out").keys().join(' ')).constData(),
                                      Patience);
        }
        removeTree(p);
    }

    // `arkive -d` with a path relative to the folder it is started from:
    // "Cancel" ends it with 0 and unpacks nothing, "Ok" with 1. Started
    // through a link (as installed), it finds its real folder, where a
    // relative path that only that folder holds is found: the dialog opens,
    // not the main window.
    void extractOnly()
    {
        const QByteArray folder = m_root + "/d";
        QVERIFY(::mkdir(folder, 0755) == 0 && writeBytes(folder + "/hello.txt", "hello\n"));
        QCOMPARE(runProgram({"tar", "-C", folder, "-czf", folder + "/a.tar.gz", "hello.txt"}), 0);
        QVERIFY(::unlink(folder + "/hello.txt") == 0 && QFile::link(Program, m_root + "/arkive"));
        for (const auto& [ok, program, path] : {std::tuple{false, m_root + "/arkive", "res/arkive.png"},
                                                {true, Program, "a.tar.gz"}}) {
            Arkive arkive(m_root, 0, "1", {"-d", path}, folder, program);
            std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr), &XCloseDisplay);
            QByteArrayList known;
            const QRect dialog = newWindow(arkive.processId(), known, display.get());
            QVERIFY(dialog.width() > 0 && dialog.width() <= W);
            tap(dialog.x() + dialog.width() * (ok ? 3 : 1) / 4, dialog.y() + dialog.height() - 12);
            QCOMPARE(arkive.waitEnd(), ok ? 1 : 0);
            if (ok)
                QTRY_COMPARE_WITH_TIMEOUT(readBytes(folder + "/hello.txt"), QByteArray("hello\n"), Patience);
            else
                QVERIFY(!QFile::exists(folder + "/hello.txt"));
        }
    }

    // Phone-shaped screens up to 540 logical pixels wide are filled,
    // whatever their scale; a desktop screen, or one lying on its side, gets
    // the phone's 240. An archive that is nowhere is named on standard
    // error, and arkive starts as without -d. (That a bad option ends arkive
    // at once is checked on the installed program.)
    void widthsAndMissingArchive()
    {
        for (const auto& [screen, scale, width] : {std::tuple{1, "2", 1080}, {1, "3", 1080}, {2, "1", 240}, {2, "3", 720}}) {
            Arkive arkive(m_root, screen, scale, {"-d", "nowhere.zip"});
            QByteArrayList known;
            QCOMPARE(newWindow(arkive.processId(), known).width(), width);
        }
        QVERIFY(readBytes(m_root + "/arkive.log").contains("arkive: nowhere.zip: no such file\n"));
    }
};

QTEST_GUILESS_MAIN(TestScreen)
#include "tst_screen.moc"
