// The real arkive on an X server with phone-shaped screens, driven only
// through the screen: taps, drags and keys with xdotool, windows found by
// their place, pixels read back. Every position is in logical pixels (dp)
// and multiplied by the screen's scale. It browses into a prepared folder,
// packs it to every format offered, unpacks each archive into a folder
// chosen with the folder chooser, and compares the trees; on two phone
// shapes it measures the targets a finger hits, the contrast of the rows'
// texts and of the scroll bar, checks that a tap moves no other row, and
// that tally covers the screen; the back keys; `arkive -d` with "OK" and
// "Cancel"; the window's width on screens of other shapes; and the soft
// keys on a headless Wayland compositor.
#include "bytefiles.h"
#include "compressformats.h"
#include "nameorder.h"
#include "processes.h"
#include "zskin.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <array>
#include <csignal>

namespace {

const QByteArray Program = ARKIVE_PROGRAM_DIR "/arkive";
constexpr int Patience = 30000; // milliseconds that any step may take
constexpr int Poll = 50;        // milliseconds between looks at the screen
constexpr int TapGap = 600;     // milliseconds that keep two taps on one spot from being a double tap

// What a finger needs (dp): 44 in the smaller dimension, 48 in height for
// rows, keys, menu entries, check boxes and buttons. Texts need a contrast
// of 4.5:1, graphics 3:1.
constexpr int Least = 44, Touch = 48;
constexpr double TextContrast = 4.5, GraphicContrast = 3.0;
constexpr double Edge = 1.3; // a contrast that ends a control's face: its frame

// The phone's layout (dp): title bar 48, soft keys 48, rows 56, the list's
// frame 1; keys: a picture key of a sixth of the width at each end.
constexpr int Title = 48, Keys = 48, Row = 56, ListTop = Title + 1;

// The phone in use: X screen, scale, size in dp.
struct Phone
{
    int screen = 0, scale = 2, w = 360, h = 720;
    int listBottom() const { return h - Keys - 1; }
    QRect list() const { return {0, ListTop, w, listBottom() - ListTop}; }
    int keyY() const { return h - Keys / 2; }
    int keyX(int key) const { return std::array{w / 12, w / 3, 2 * w / 3, w - w / 12}[size_t(key)]; }
    // A point on a key's face left of its text or picture (and above it).
    int keyFaceX(int key) const { return std::array{6, w / 6 + 8, w / 2 + 8, w - 6}[size_t(key)]; }
    int selectX() const { return w * 17 / 20; } // right of 4W/5, left of the scroll bar
} g;
constexpr int ToggleX = 20, TextLeft = 70;

QByteArray Root;          // the test's folder: arkive.log and the tally wrapper
Display* X = nullptr;     // the X server, all its screens, open while the test runs

QByteArray xdotool(const QByteArrayList& words)
{
    QByteArray out;
    runProgram(QByteArrayList{"xdotool"} + words, &out);
    return out;
}

QByteArray px(int dp) { return QByteArray::number(dp * g.scale + g.scale / 2); }

void tap(int x, int y)
{
    xdotool({"mousemove", "--screen", QByteArray::number(g.screen), px(x), px(y), "click", "1"});
}

QByteArrayList windowsOf(qint64 pid)
{
    QByteArrayList windows = xdotool({"search", "--onlyvisible", "--pid", QByteArray::number(pid)}).split('\n');
    windows.removeAll(QByteArray());
    return windows;
}

// A window's geometry in dp.
QRect geometry(const QByteArray& window)
{
    QMap<QByteArray, int> v;
    for (const QByteArray& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n'))
        v.insert(line.left(line.indexOf('=')), line.mid(line.indexOf('=') + 1).toInt() / g.scale);
    return {v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]};
}

// The screen's pixels of a rectangle in dp.
QImage grab(const QRect& area)
{
    XImage* image = XGetImage(X, RootWindow(X, g.screen), area.x() * g.scale, area.y() * g.scale,
                              unsigned(area.width() * g.scale), unsigned(area.height() * g.scale), AllPlanes, ZPixmap);
    QImage copy = QImage(reinterpret_cast<const uchar*>(image->data), image->width, image->height,
                         image->bytes_per_line, QImage::Format_RGB32).copy();
    XDestroyImage(image);
    return copy;
}

// The face of the framed control (button, key, field) that holds the pixel
// `at`: as far as the colour reaches each way without a sharp edge, and with
// `frame` as far again across a frame (at most 2 dp: a default button has
// two lines); in pixels.
QRect face(const QImage& image, QPoint at, bool frame = false)
{
    auto edge = [&](QPoint a, QPoint b) { return contrastRatio(image.pixelColor(a), image.pixelColor(b)) >= Edge; };
    auto reach = [&](int dx, int dy) {
        const QPoint step(dx, dy);
        QPoint p = at;
        while (image.rect().contains(p + step) && !edge(p, p + step)) // a gradient is no edge
            p += step;
        const QPoint inner = p;
        for (int across = 0; frame && across < 2 * g.scale && image.rect().contains(p + step) && edge(inner, p + step); ++across)
            p += step;
        return p;
    };
    return QRect(QPoint(reach(-1, 0).x(), reach(0, -1).y()), QPoint(reach(1, 0).x(), reach(0, 1).y()));
}

// The size in dp of the control whose face holds `at` (dp in the image),
// its frame included.
QSize control(const QImage& image, QPoint at)
{
    return face(image, at * g.scale, true).size() / g.scale;
}

// A target for a finger: at least `height` high and 44 dp each way.
void needs(QSize size, int height, const QByteArray& what)
{
    QVERIFY2(qMin(size.width(), size.height()) >= Least && size.height() >= height,
             what + ": " + QByteArray::number(size.width()) + "x" + QByteArray::number(size.height()));
}

// The contrast of a text (or a graphic) in `area` (dp) with its background
// is at least `least`: the most frequent colour against the one that stands
// out most from it.
void readable(const QImage& image, const QRect& area, double least, const QByteArray& what)
{
    QHash<QRgb, int> counts;
    for (int y = area.top() * g.scale; y < (area.bottom() + 1) * g.scale; ++y)
        for (int x = area.left() * g.scale; x < (area.right() + 1) * g.scale; ++x)
            ++counts[image.pixel(x, y)];
    const QRgb ground = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                         [](auto a, auto b) { return a.second < b.second; })->first;
    double most = 1;
    for (const QRgb colour : counts.keys())
        most = qMax(most, contrastRatio(colour, ground));
    QVERIFY2(most >= least, what + ": " + QByteArray::number(most, 'f', 2));
}

// Where, walking from (x, y) down (or up) in an image, the first control's
// frame is met; in dp.
int firstBelow(const QImage& image, int x, int y, int step = 1)
{
    const QColor ground = image.pixelColor(x * g.scale, y * g.scale);
    int at = y * g.scale;
    while (image.rect().contains(x * g.scale, at + step) && contrastRatio(image.pixelColor(x * g.scale, at), ground) < Edge)
        at += step;
    return at / g.scale;
}

// Waits until the pixels in `area` (dp) are drawn (not of one colour) and
// look the same twice in a row: a window takes taps once it is drawn, and
// the list has stopped gliding.
bool settled(const QRect& area)
{
    QImage last;
    for (int waited = 0; waited < Patience; waited += Poll * 4) {
        const QImage now = grab(area);
        const QByteArray bytes(reinterpret_cast<const char*>(now.constBits()), now.sizeInBytes());
        if (now == last && bytes.count(bytes.left(4)) * 4 != bytes.size())
            return true;
        last = now;
        QTest::qWait(Poll * 4);
    }
    return false;
}

// A program (arkive, another of its folder, or the compositor) started on
// the phone's X screen at `scale` with the words given; its output goes to
// arkive.log in the test's folder, where a wrapper makes tally choose its
// text face, so that no window of its own comes between.
struct Child : QProcess
{
    QByteArrayList known; // its windows met so far

    explicit Child(const QStringList& args, const QString& cwd = "/", const QString& program = Program,
                   const char* scale = "2")
    {
        qputenv("DISPLAY", qgetenv("DISPLAY").split('.').first() + '.' + QByteArray::number(g.screen));
        qputenv("QT_SCALE_FACTOR", scale);
        setStandardOutputFile(Root + "/arkive.log", QIODevice::Append);
        setStandardErrorFile(Root + "/arkive.log", QIODevice::Append);
        setWorkingDirectory(cwd);
        setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); }); // it goes with a test that dies
        start(program, args);
    }
    ~Child() override
    {
        kill();
        waitForFinished();
    }
    // The exit status once it ended by itself within the patience, or -1.
    int waitEnd() { return waitForFinished(Patience) && exitStatus() == NormalExit ? exitCode() : -1; }

    // Waits for a visible window that is not among `known`, drawn where it
    // stays (unless it never stops moving); its geometry in dp.
    QRect next(bool drawn = true)
    {
        for (int waited = 0; waited < Patience; waited += Poll, QTest::qWait(Poll)) {
            for (const QByteArray& window : windowsOf(processId())) {
                const QRect rect = geometry(window);
                if (known.contains(window) || (drawn && (!settled(rect) || geometry(window).y() != rect.y())))
                    continue;
                known << window;
                return rect;
            }
        }
        qWarning("no new window of %d among %s", int(processId()), windowsOf(processId()).join(' ').constData());
        return {};
    }
};

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

// From "/" in the main window into `folder`, by taps in the middle of rows;
// the list is dragged to its end for rows below the screen (and always for
// the root's), and rows are then counted from the bottom.
void browseTo(const QByteArray& folder)
{
    QByteArray here = "/";
    for (const QByteArray& step : folder.mid(1).split('/')) {
        const QByteArrayList rows = listed(here);
        const int i = int(rows.indexOf(step)), n = int(rows.size());
        QVERIFY2(i >= 0, step.constData());
        int top = ListTop + i * Row;
        if (top + Row > g.listBottom() || (here == "/" && n * Row > g.listBottom() - ListTop)) {
            const QByteArray screen = QByteArray::number(g.screen);
            for (int drag = 0; drag < 2; ++drag) {
                QByteArrayList words{"mousemove", "--screen", screen, px(g.w / 2), px(g.listBottom() - 10), "mousedown", "1"};
                for (int y = g.listBottom() - 60; y > ListTop; y -= 60)
                    words += {"sleep", "0.02", "mousemove", "--screen", screen, px(g.w / 2), px(y)};
                xdotool(words + QByteArrayList{"mouseup", "1"});
            }
            QVERIFY(settled(g.list()));
            top = g.listBottom() - (n - i) * Row;
        }
        tap(g.w / 2, top + Row / 2);
        here = here == "/" ? "/" + step : here + '/' + step;
    }
    QVERIFY(settled(g.list()));
}

} // namespace

class TestScreen : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs an X server with three screens and xdotool (run through xvfb-run)");
        if (QDir("/mmc/mmca1").isReadable())
            QSKIP("the folder chooser would start on the memory card");
        Root = QFile::encodeName(m_dir.path());
        X = XOpenDisplay(nullptr);
        QVERIFY(X && ::mkdir(Root + "/bin", 0755) == 0);
        QVERIFY(writeBytes(Root + "/bin/tally",
                           "#!/bin/sh\nexec \"" ARKIVE_PROGRAM_DIR "/bin/tally\" --text \"$@\"\n", 0755));
        qputenv("PATH", Root + "/bin:" + qgetenv("PATH"));
        qunsetenv("QT_QPA_PLATFORM");
        // Job records of their own: what the tests beside them leave on
        // purpose would be told in a box over the window at start.
        qputenv("XDG_STATE_HOME", Root + "/state");
    }

    // Browse from "/" into the prepared folder, then for every format: select
    // the tree, pack it, select the archive (the list shows it after
    // "Refresh"), unpack it into its own folder through the chooser, whose
    // back key goes up a folder, and compare.
    void packAndUnpackEveryFormat()
    {
        g = Phone{};
        // A name that sorts first among the folders of its parent.
        QTemporaryDir prepared(QDir::tempPath() + "/.0arkive-screen-XXXXXX");
        const QByteArray p = QFile::encodeName(prepared.path());
        const QStringList formats = compressFormats();
        QVERIFY(!formats.isEmpty());
        for (const char* folder : {"/in", "/in/sub dir", "/out"})
            QVERIFY(::mkdir(p + folder, 0755) == 0);
        QVERIFY(writeBytes(p + "/in/a.txt", "alpha\n") && writeBytes(p + "/in/sub dir/\xc3\xbc.bin", QByteArray(70000, 'x'))
                && writeBytes(p + "/in/run.sh", "#!/bin/sh\n", 0755));

        Child arkive({});
        QCOMPARE(arkive.next().size(), QSize(g.w, g.h));
        browseTo(p);

        const Tree source = describeTree(p + "/in");
        for (int k = 0; k < formats.size(); ++k) {
            const QByteArray archive = p + "/in" + formats.at(k).toUtf8();
            QVERIFY(::mkdir(p + "/out/" + QByteArray::number(k), 0755) == 0);
            // "in", first row: select it alone and pack it. Near the right
            // edge, "..." is the first control below the title; the format
            // box lies under it.
            tap(g.selectX(), ListTop + Row / 2);
            tap(g.keyX(1), g.keyY());
            const QRect compress = arkive.next();
            const int dots = firstBelow(grab(compress), compress.width() - 40, Title + 2);
            tap(compress.right() - 40, compress.y() + dots + Touch + Touch / 2);
            const QRect popup = arkive.next();
            const int item = popup.height() / int(formats.size());
            needs({popup.width(), item}, Touch, "a format in the list");
            QTest::qWait(TapGap); // the current format lies where the box was tapped
            tap(popup.x() + popup.width() / 2, popup.y() + item * k + item / 2);
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 2, Patience);
            tap(compress.x() + compress.width() * 3 / 4, compress.bottom() - Touch / 2);
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 1, Patience);
            // The archive gets its name when it is complete.
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QFile::decodeName(archive)), Patience);

            // "Refresh", the first of the menu's four entries, lists the
            // folder again, with the archive; select it and unpack it. Closed
            // windows are forgotten: the menu comes again in the same one.
            tap(g.keyX(0), g.keyY());
            const QRect menu = arkive.next();
            tap(menu.x() + menu.width() / 2, menu.y() + menu.height() / 8);
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 1, Patience);
            arkive.known.resize(1);
            tap(g.selectX(), ListTop + int(listed(p).indexOf(archive.mid(p.size() + 1))) * Row + Row / 2);
            tap(g.keyX(2), g.keyY());
            const QRect extract = arkive.next();
            // "Dir" is the first control below the title in its column.
            tap(extract.x() + 40, extract.y() + firstBelow(grab(extract), 40, Title + 2) + Touch / 2);
            // The chooser covers the screen and starts at the output folder.
            const QRect chooser = arkive.next();
            const int rowTop = chooser.y() + ListTop;
            const int kRow = int(listed(p + "/out").indexOf(QByteArray::number(k)));
            tap(g.w / 2, rowTop + Row + Row / 2); // "out", after "in"
            tap(g.w / 2, rowTop + kRow * Row + Row / 2);
            xdotool({"key", k % 2 ? "XF86Back" : "alt+Left"}); // up to "out" again, and into k
            QTest::qWait(TapGap);
            tap(g.w / 2, rowTop + kRow * Row + Row / 2);
            tap(g.w / 6, chooser.bottom() - Keys / 2); // "OK"
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 2, Patience);
            tap(extract.x() + extract.width() * 3 / 4, extract.bottom() - Touch / 2); // "OK"
            QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 1, Patience);
            arkive.known.resize(1);
            // The archive holds "in" under its own name.
            const QByteArray into = p + "/out/" + QByteArray::number(k) + "/in";
            QTRY_VERIFY2_WITH_TIMEOUT(treeDifference(source, describeTree(into)).isEmpty(),
                                      (formats.at(k).toUtf8() + ": " + describeTree(p + "/out").keys().join(' ')).constData(),
                                      Patience);
        }
        removeTree(p);
    }

    // On both phone shapes: rows, soft keys, menu entries, the dialogs'
    // buttons and check box, tally's window and buttons are a finger's size,
    // measured on the screen; a tap selects a row and moves no other; the
    // rows' names and details, selected or not, the dialog's title and the
    // scroll bar are readable. The back keys go up a folder, and close a
    // dialog.
    void targetsAndContrast_data()
    {
        QTest::addColumn<int>("screen");
        QTest::newRow("360x720 dp, 720x1440 at scale 2") << 0;
        QTest::newRow("540x1170 dp, 1080x2340 at scale 2") << 1;
    }
    void targetsAndContrast()
    {
        QFETCH(int, screen);
        g = screen ? Phone{1, 2, 540, 1170} : Phone{};
        QTemporaryDir prepared(QDir::tempPath() + "/.0arkive-screen-XXXXXX");
        const QByteArray p = QFile::encodeName(prepared.path());
        for (const char* name : {"/Alpha", "/Beta", "/Gamma"})
            QVERIFY(::mkdir(p + name, 0755) == 0);
        for (int i = 0; i < 30; ++i)
            QVERIFY(writeBytes(p + "/file " + QByteArray::number(100 + i) + ".txt", QByteArray(i * 100, 'x')));
        Child arkive({});
        QCOMPARE(arkive.next().size(), QSize(g.w, g.h));
        browseTo(p);

        // The soft keys, and the scroll bar's handle on its groove.
        const QImage shown = grab({0, 0, g.w, g.h});
        for (int k = 0; k < 4; ++k)
            needs(control(shown, {g.keyFaceX(k), g.keyY() - Keys / 3}), Touch, "soft key " + QByteArray::number(k));
        needs(control(shown, {g.w - 10, g.listBottom() - 10}), Least, "the scroll bar");
        readable(shown, {g.w - 30, ListTop + 2, 20, g.listBottom() - ListTop - 4}, GraphicContrast, "scroll bar");

        // A tap selects the second row and moves no other; it is as high as
        // its colour reaches.
        const QImage before = grab(g.list());
        tap(ToggleX, ListTop + Row + Row / 2);
        QVERIFY(settled(g.list()));
        const QImage after = grab(g.list());
        const int row = Row * g.scale;
        QCOMPARE(after.copy(0, 0, after.width(), row), before.copy(0, 0, after.width(), row));
        QCOMPARE(after.copy(0, 2 * row, after.width(), after.height() - 2 * row),
                 before.copy(0, 2 * row, after.width(), after.height() - 2 * row));
        needs({g.w, face(after, QPoint(2, Row + Row / 2) * g.scale).height() / g.scale}, Touch, "a row"); // its colour's band
        // Names and details (right of the check box and the icon), on a
        // selected row and on a plain one.
        for (const auto& [top, what] : {std::tuple{Row, "selected row"}, {2 * Row, "row"}}) {
            readable(after, {TextLeft, top + 2, g.w - TextLeft - 50, Row * 11 / 20 - 2}, TextContrast, what + QByteArray("'s name"));
            readable(after, {TextLeft, top + Row * 11 / 20 + 1, g.w - TextLeft - 50, Row * 9 / 20 - 2}, TextContrast,
                     what + QByteArray("'s details"));
        }

        // The menu's entries; the back keys go up, and a tap on the
        // prepared folder leads back: the list looks as before the tap.
        tap(g.keyX(0), g.keyY());
        const QRect menu = arkive.next();
        needs({menu.width(), menu.height() / 4}, Touch, "a menu entry");
        xdotool({"key", "Escape"});
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 1, Patience);
        const int again = int(listed(p.left(p.lastIndexOf('/'))).indexOf(p.mid(p.lastIndexOf('/') + 1)));
        for (const char* back : {"BackSpace", "Escape", "XF86Back", "alt+Left"}) {
            xdotool({"key", back});
            QVERIFY(settled(g.list()));
            QVERIFY2(grab(g.list()) != after, back);
            tap(g.w / 2, ListTop + again * Row + Row / 2);
            QVERIFY(settled(g.list()));
            QVERIFY2(grab(g.list()) == before, back); // entering selected the folder alone
        }

        // The extract dialog: title, check box, buttons; Escape closes it.
        tap(g.keyX(2), g.keyY());
        const QRect extract = arkive.next();
        const QImage dialog = grab(extract);
        readable(dialog, {10, 4, extract.width() - 20, Title - 8}, TextContrast, "the dialog's title");
        needs(control(dialog, {6, extract.height() - Touch / 2}), Touch, "Cancel");
        needs(control(dialog, {extract.width() - 6, extract.height() - Touch / 2}), Touch, "OK");
        // "Overwrite existences" is checked: its square is the first thing
        // above the buttons at the left, and "Show" lies in the row above.
        // A tap near the check box's top and one near its bottom each toggle
        // it: the box takes a finger's height.
        const int buttonsTop = face(dialog, QPoint(6, extract.height() - Touch / 2) * g.scale).top() / g.scale - 1;
        const int middle = firstBelow(dialog, 22, buttonsTop - 2, -1) - 12;
        needs(control(dialog, {extract.width() - 14, middle - Touch - 4 - Touch / 6}), Touch, "Show");
        const QRect mark = QRect(10, middle - 12, 24, 24).translated(extract.topLeft());
        for (const int y : {middle - Touch / 2 + 3, middle + Touch / 2 - 3}) {
            const QImage was = grab(mark);
            tap(extract.x() + 60, extract.y() + y);
            QTRY_VERIFY_WITH_TIMEOUT(grab(mark) != was, Patience);
        }
        xdotool({"key", "Escape"});
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(arkive.processId()).size(), 1, Patience);

        // tally covers the screen; its Stop and, at the end, its Close.
        Child tally({"-t", "tar", "--pack", "--archive=" + QString("/a/long folder name").repeated(6) + "/x.tar"}, "/",
                    ARKIVE_PROGRAM_DIR "/bin/tally");
        QCOMPARE(tally.next(false), QRect(0, 0, g.w, g.h));
        for (const char* button : {"Stop", "Close"}) {
            if (button == QByteArray("Close"))
                tally.closeWriteChannel();
            QTest::qWait(TapGap);
            QVERIFY(settled({0, g.h - 2 * Touch, g.w, 2 * Touch})); // below the moving bar
            needs(control(grab({0, 0, g.w, g.h}), {g.w - 16, g.h - 10 - Touch + 6}), Touch, button);
        }
    }

    // `arkive ARCHIVE` opens inside it: a toggle selects one member, and
    // Extract unpacks that one alone into the archive's folder. `arkive -d`
    // with a path relative to the folder it is started from: "Cancel" ends
    // it with 0 and unpacks nothing, "OK" with 1. Started through a link (as
    // installed), it finds its real folder, where a relative path that only
    // that folder holds is found: the dialog opens, not the main window.
    void openAnArchive()
    {
        g = Phone{};
        const QByteArray folder = Root + "/inside";
        QVERIFY(::mkdir(folder, 0755) == 0 && writeBytes(folder + "/one.txt", "one\n")
                && writeBytes(folder + "/two.txt", "two\n"));
        QCOMPARE(runProgram({"tar", "-C", folder, "-czf", folder + "/x.tar.gz", "one.txt", "two.txt"}), 0);
        QVERIFY(::unlink(folder + "/one.txt") == 0 && ::unlink(folder + "/two.txt") == 0);
        {
            Child arkive({"x.tar.gz"}, folder);
            QCOMPARE(arkive.next().width(), g.w);
            tap(ToggleX, ListTop + Row + Row / 2);   // two.txt
            tap(g.keyX(2), g.keyY());                 // Extract
            const QRect extract = arkive.next();
            tap(extract.x() + extract.width() * 3 / 4, extract.bottom() - Touch / 2); // OK
            QTRY_COMPARE_WITH_TIMEOUT(readBytes(folder + "/two.txt"), QByteArray("two\n"), Patience);
            QVERIFY(!QFile::exists(folder + "/one.txt"));
        }
        QVERIFY(QFile::link(Program, Root + "/arkive"));
        for (const auto& [ok, program, path] : {std::tuple{false, Root + "/arkive", "res/arkive.png"},
                                                {true, Program, "x.tar.gz"}}) {
            Child arkive({"-d", path}, folder, program);
            const QRect dialog = arkive.next();
            QVERIFY(dialog.width() > 0 && dialog.width() <= g.w);
            tap(dialog.x() + dialog.width() * (ok ? 3 : 1) / 4, dialog.bottom() - Touch / 2);
            QCOMPARE(arkive.waitEnd(), ok ? 1 : 0);
            if (ok) // two entries: in a folder of their own
                QTRY_COMPARE_WITH_TIMEOUT(readBytes(folder + "/x/one.txt"), QByteArray("one\n"), Patience);
            else
                QVERIFY(!QFile::exists(folder + "/x"));
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
            g = Phone{screen, 1};
            Child arkive({"-d", "nowhere.zip"}, "/", Program, scale);
            QCOMPARE(arkive.next(false).width(), width);
        }
        QVERIFY(readBytes(Root + "/arkive.log").contains("arkive: nowhere.zip: no such file\n"));
    }

    // On a headless Wayland compositor (weston, its desktop shell with a
    // panel at the top) the main window keeps to the area below the panel:
    // the soft keys are whole on the screen.
    void wayland()
    {
        const QString weston = QStandardPaths::findExecutable("weston");
        const QString shooter = QStandardPaths::findExecutable("weston-screenshooter");
        if (weston.isEmpty() || shooter.isEmpty()
            || !QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so"))
            QSKIP("needs weston and Qt's Wayland platform (packages weston, qt6-wayland)");
        g = Phone{};
        const QByteArray runtimeWas = qgetenv("XDG_RUNTIME_DIR");
        QTemporaryDir runtime;
        QVERIFY(::chmod(QFile::encodeName(runtime.path()), 0700) == 0);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        Child compositor({"--backend=headless-backend.so", "--width=360", "--height=720", "--scale=2", "--use-pixman",
                          "--socket=arkive-test", "--no-config", "--debug", "--idle-time=0"}, "/", weston);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath("arkive-test")), Patience);
        qputenv("WAYLAND_DISPLAY", "arkive-test");
        qputenv("QT_QPA_PLATFORM", "wayland");
        Child arkive({}, "/", Program, "1");
        qunsetenv("QT_QPA_PLATFORM");
        // The "Compress" key, left of its text: its face ends above the
        // screen's bottom edge, and below the list (a window still being
        // drawn may show no edge between them).
        const QPoint at(g.keyFaceX(1), g.keyY() - Keys / 3);
        // The window's first start on Wayland, sanitized and on a loaded
        // machine, has taken more than one step's patience.
        QSize key;
        for (QDeadlineTimer limit(3 * Patience); !limit.hasExpired() && key.height() < Touch;) {
            QTest::qWait(Poll * 4);
            QProcess shot;
            shot.setWorkingDirectory(runtime.path());
            shot.start(shooter, {});
            shot.waitForFinished(Patience);
            for (const QString& name : QDir(runtime.path()).entryList({"wayland-screenshot*.png"})) {
                const QImage screen(runtime.filePath(name));
                QFile::remove(runtime.filePath(name));
                const QRect seen = face(screen, at * g.scale); // a shot not read gives a point: no face
                if (seen.bottom() < screen.height() - 1 && seen.height() < 2 * Keys * g.scale)
                    key = control(screen, at);
            }
        }
        needs(key, Touch, "a soft key on Wayland");
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("XDG_RUNTIME_DIR", runtimeWas);
    }
};

QTEST_GUILESS_MAIN(TestScreen)
#include "tst_screen.moc"
