// The file list: the texts of its rows, folder paths and icons as pure
// rules; then the list and the folder chooser as the user drives them.
#include "bytefiles.h"
#include "fileicon.h"
#include "filetext.h"
#include "fileview.h"
#include "fileviewitem.h"
#include "folderpath.h"
#include "hostilenames.h"
#include "localbytes.h"
#include "widgets.h"
#include "zfiledialog.h"

#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <memory>
#include <pwd.h>

namespace {

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

constexpr int ScreenWidth = 240;  // pixels
constexpr int ScreenHeight = 320; // pixels
constexpr int Patience = 30000;   // milliseconds that any step may take
constexpr int Everything = QDir::AllEntries | QDir::Hidden | QDir::System;
constexpr int FoldersOnly = QDir::Dirs | QDir::Hidden;
constexpr int ByName = QDir::Name | QDir::DirsFirst | QDir::IgnoreCase;

FileViewItem* row(const FileView& view, int i)
{
    return static_cast<FileViewItem*>(view.topLevelItem(i));
}

QStringList rowNames(const FileView& view)
{
    QStringList names;
    for (int i = 0; i < view.topLevelItemCount(); ++i)
        names << row(view, i)->fileName();
    return names;
}

// A finger on the row named `name` at x, counted in the view's own pixels.
void tap(FileView& view, const QString& name, int x)
{
    const int i = rowNames(view).indexOf(name);
    QVERIFY2(i >= 0, qPrintable(name));
    view.scrollToItem(row(view, i));
    const QPoint at(view.viewport()->mapFrom(&view, QPoint(x, 0)).x(),
                    view.visualItemRect(row(view, i)).center().y());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
}

// The phone's screen holding one list, as the main window does.
struct Screen : QWidget
{
    explicit Screen(int filter = Everything) : view(new FileView("*", filter, this, ByName))
    {
        resize(ScreenWidth, ScreenHeight);
        view->resize(size());
        show();
    }
    FileView* view;
};

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT
private slots:
    // Two decimals; the next unit only above 1024 of the one before.
    void sizes()
    {
        const quint64 MiB = 1 << 20;
        for (const auto& [bytes, text] : Table<quint64, const char*>{
                 {0, "0.00b"}, {1024, "1024.00b"}, {1025, "1.00Kb"}, {1536, "1.50Kb"},
                 {MiB - 1, "1024.00Kb"}, {MiB, "1024.00Kb"}, {MiB + 1, "1.00Mb"},
                 {5 * 1024 * MiB, "5120.00Mb"}, {MiB * MiB, "1048576.00Mb"}})
            QCOMPARE(sizeString(bytes), text);
    }

    // The type letter, then nine permission bits; set-id and sticky bits
    // are not shown.
    void modes()
    {
        for (const auto& [mode, text] : Table<uint, const char*>{
                 {S_IFREG, "----------"}, {S_IFREG | 07421, "-r---w---x"},
                 {S_IFDIR | 0755, "drwxr-xr-x"}, {S_IFCHR | 0666, "crw-rw-rw-"},
                 {S_IFBLK | 0660, "brw-rw----"}, {S_IFIFO | 0644, "prw-r--r--"},
                 {S_IFLNK | 0777, "lrwxrwxrwx"}, {S_IFSOCK | 0750, "srwxr-x---"}})
            QCOMPARE(modeString(mode), text);
    }

    // Both forms, from a QDateTime and from seconds, give the same text.
    void dates()
    {
        const QDateTime march({2009, 3, 7}, {8, 5, 9});
        for (const auto& [time, separator, text] : Table<QDateTime, const char*, const char*>{
                 {march, "-", "2009-3-7 08:05:09"}, {march, "/", "2009/3/7 08:05:09"},
                 {QDateTime({1999, 12, 31}, {23, 59, 59}), "-", "1999-12-31 23:59:59"},
                 {QDateTime({2000, 2, 29}, {0, 0}), "-", "2000-2-29 00:00:00"},
                 {QDateTime({2099, 12, 31}, {12, 0}), "-", "2099-12-31 12:00:00"}}) {
            QCOMPARE(dateString(time, separator), text);
            QCOMPARE(dateString(time.toSecsSinceEpoch(), separator), text);
        }
        QCOMPARE(dateString(QDateTime(), "-"), "");
    }

    // Ids without an entry are written in decimal, also those above 2^31.
    void owners()
    {
        for (const auto& [id, name] : Table<uint, const char*>{
                 {0, "root"}, {54321, "54321"}, {4000000000u, "4000000000"}}) {
            if (id != 0 && (::getpwuid(id) || ::getgrgid(id)))
                continue; // the id has an entry on this system
            QCOMPARE(ownerName(id), name);
            QCOMPARE(groupName(id), name);
        }
    }

    // The folder that "Back" shows, and the path of an entry.
    void paths()
    {
        for (const auto& [dir, parent] : Table<const char*, const char*>{
                 {"/mmc/mmca1", "/mmc"}, {"/mmc", "/"}, {"/", "/"}, {"", ""}, {"relative", "relative"}})
            QCOMPARE(parentFolder(dir), parent);
        QCOMPARE(childPath("/", "tmp"), "/tmp");
        QCOMPARE(childPath("/mmc", "mmca1"), "/mmc/mmca1");
    }

    // The status is the entry's with links followed; 0: it could not be read.
    void icons()
    {
        const uint dir = S_IFDIR | 0755, file = S_IFREG | 0644;
        for (const auto& [path, mode, icon] : Table<const char*, uint, FileIcon>{
                 {"/mmc/mmca1", dir, FileIcon::Card}, {"/mmc", dir, FileIcon::Folder},
                 {"/mmc/mmc", dir, FileIcon::Folder}, {"/mmc/mmca1/x", dir, FileIcon::Folder},
                 {"/mnt/mmca1", dir, FileIcon::Folder}, {"/x/a.jpg", dir, FileIcon::Folder},
                 {"/x/Photo.JpG", file, FileIcon::Image}, {"/x/photo.old.jpg", file, FileIcon::Note},
                 {"/x/run.sh", file, FileIcon::Program}, {"/x/pipe.txt", S_IFIFO, FileIcon::Note},
                 {"/x/pipe", S_IFIFO, FileIcon::Fifo}, {"/dev/null", S_IFCHR, FileIcon::CharDevice},
                 {"/x/dangling", 0, FileIcon::Note}, {"/x/dangling.png", 0, FileIcon::Image}}) {
            FileStatus status;
            status.valid = mode != 0;
            status.mode = mode;
            QVERIFY2(fileIconFor(path, status) == icon, path);
        }
    }

    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_root = m_dir.path();
        const QByteArray root = QFile::encodeName(m_root);
        for (const char* folder : {"Alpha/inner", "beta", ".hidden", "Gamma", "locked", "shut/one",
                                   "shut/two", "names"})
            QVERIFY(QDir(m_root).mkpath(folder));
        QCOMPARE(::mkdir(root + "/names/d\xff", 0755), 0);
        for (const char* file : {"a.txt", "B.jpg", "c.sh", "Alpha/inside.txt"})
            QVERIFY(writeBytes(root + '/' + file, ""));
        for (const QByteArray& name : hostileNames())
            QVERIFY(writeBytes(root + "/names/" + name, ""));
        QCOMPARE(::symlink("Alpha", root + "/linkdir"), 0);
        QCOMPARE(::symlink("nowhere", root + "/broken"), 0);
        // "nobody" may pass through the test folder, but not into "locked",
        // and may read "shut" but not reach what is in it.
        QCOMPARE(::chmod(root, 0755), 0);
        QCOMPARE(::chmod(root + "/locked", 0), 0);
        QCOMPARE(::chmod(root + "/shut", 0444), 0);
    }
    // QTemporaryDir cannot remove names that are not UTF-8.
    void cleanupTestCase() { removeTree(QFile::encodeName(m_root)); }

    void init()
    {
        OutputCapture quiet; // perror names the dangling link
        m_screen = std::make_unique<Screen>();
        m_screen->view->setDir(m_root);
    }

    // Folders first (a link to one is one), each group without regard to
    // case, never "." or "..". As an unprivileged user, "shut" can be read
    // but not entered, so none of its entries shows as a folder; a folder
    // that cannot be listed leaves the list as it was.
    void listing_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("names");
        const QStringList folders{".hidden", "Alpha", "beta", "Gamma", "linkdir", "locked", "names", "shut"};
        const QStringList all = folders + QStringList{"a.txt", "B.jpg", "broken", "c.sh"};
        QTest::newRow("everything") << Everything << "./Alpha/.." << "" << all;
        QTest::newRow("folders only") << FoldersOnly << "." << "" << folders;
        QTest::newRow("cannot enter") << Everything << "shut" << "shut" << QStringList{"one", "two"};
        QTest::newRow("cannot enter, folders only") << FoldersOnly << "shut" << "shut" << QStringList{};
        QTest::newRow("cannot list") << Everything << "locked" << "" << all;
        QTest::newRow("no such folder") << Everything << "none" << "" << all;
        QTest::newRow("a file") << Everything << "a.txt" << "" << all;
    }
    void listing()
    {
        QFETCH(int, filter);
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QFETCH(QStringList, names);
        Screen screen(filter);
        OutputCapture quiet;
        screen.view->setDir(m_root);
        AsUnprivileged user;
        QVERIFY(user.ok());
        screen.view->setDir(m_root + '/' + path);
        QCOMPARE(screen.view->currentDir, QDir::cleanPath(m_root + '/' + shown));
        QCOMPARE(rowNames(*screen.view), names);
    }

    // Every name keeps its bytes from the listing to the selection and into
    // the folder entered.
    void namesKeepTheirBytes()
    {
        const QByteArray folder = QFile::encodeName(m_root) + "/names";
        FileView& view = *m_screen->view;
        view.setDir(fromLocalBytes(folder));
        QByteArrayList listed, expected{folder + "/d\xff"};
        for (const QByteArray& name : hostileNames())
            expected << folder + '/' + name;
        for (int i = 0; i < view.topLevelItemCount(); ++i)
            listed << toLocalBytes(row(view, i)->absPath());
        std::sort(listed.begin(), listed.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(listed, expected);
        tap(view, fromLocalBytes("d\xff"), 120);
        QCOMPARE(toLocalBytes(view.currentDir), folder + "/d\xff");
        QCOMPARE(toLocalBytes(view.selectedFiles.value(0)), folder + "/d\xff");
    }

    // Taps, each "x name", with x in the view's pixels of W = 240: a press
    // in the left fifth toggles a row; from W/5 = 48 to 4W/5 = 192 a tap
    // selects it alone and enters a folder; further right it only selects.
    // Other steps: "up" and "refresh" list a folder again, "key K" presses a
    // key. The selection keeps the order of the presses, across folders; the
    // rows shown selected are exactly those of the selection in the folder
    // shown. Paths are relative to the test folder; run as an unprivileged
    // user.
    void taps_data()
    {
        QTest::addColumn<QStringList>("taps");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("left fifth") << QStringList{"5 a.txt", "47 Alpha"} << "" << QStringList{"a.txt", "Alpha"};
        QTest::newRow("toggled off") << QStringList{"5 a.txt", "5 a.txt"} << "" << QStringList{};
        QTest::newRow("W/5") << QStringList{"5 a.txt", "48 Alpha"} << "Alpha" << QStringList{"Alpha"};
        QTest::newRow("4W/5") << QStringList{"5 a.txt", "192 Alpha"} << "Alpha" << QStringList{"Alpha"};
        QTest::newRow("right of 4W/5") << QStringList{"5 a.txt", "193 Alpha"} << "" << QStringList{"Alpha"};
        QTest::newRow("file") << QStringList{"5 a.txt", "120 c.sh"} << "" << QStringList{"c.sh"};
        QTest::newRow("link keeps its path") << QStringList{"120 linkdir"} << "linkdir" << QStringList{"linkdir"};
        QTest::newRow("cannot list") << QStringList{"120 locked"} << "" << QStringList{"locked"};
        QTest::newRow("order") << QStringList{"5 c.sh", "5 a.txt", "5 B.jpg", "5 a.txt", "5 a.txt"} << ""
                               << QStringList{"c.sh", "B.jpg", "a.txt"};
        QTest::newRow("across folders") << QStringList{"120 Alpha", "5 inside.txt"} << "Alpha"
                                        << QStringList{"Alpha", "Alpha/inside.txt"};
        QTest::newRow("and back") << QStringList{"120 Alpha", "5 inside.txt", "up"} << ""
                                  << QStringList{"Alpha", "Alpha/inside.txt"};
        QTest::newRow("refresh") << QStringList{"5 c.sh", "5 a.txt", "refresh"} << "" << QStringList{"c.sh", "a.txt"};
        QTest::newRow("keyboard") << QStringList{"5 a.txt", "key Down", "key Space", "key Up", "key Space"} << ""
                                  << QStringList{"B.jpg"};
    }
    void taps()
    {
        QFETCH(QStringList, taps);
        QFETCH(QString, shown);
        QFETCH(QStringList, selected);
        FileView& view = *m_screen->view;
        AsUnprivileged user;
        QVERIFY(user.ok());
        for (const QString& step : taps) {
            if (step == "up" || step == "refresh")
                view.setDir(step == "up" ? parentFolder(view.currentDir) : view.currentDir);
            else if (step.startsWith("key "))
                QTest::keyClick(&view, step == "key Space" ? Qt::Key_Space : step == "key Up" ? Qt::Key_Up : Qt::Key_Down);
            else
                tap(view, step.section(' ', 1), step.section(' ', 0, 0).toInt());
        }
        QCOMPARE(view.currentDir, QDir::cleanPath(m_root + '/' + shown));
        QStringList inFolder, rows;
        for (QString& path : selected) {
            path.prepend(m_root + '/');
            if (QFileInfo(path).path() == view.currentDir)
                inFolder << path;
        }
        QCOMPARE(view.selectedFiles, selected);
        for (QTreeWidgetItem* item : view.selectedItems())
            rows << static_cast<FileViewItem*>(item)->absPath();
        rows.sort();
        inFolder.sort();
        QCOMPARE(rows, inFolder);
    }

    // A finger dragged up the list scrolls it, selecting nothing; another
    // folder is shown from its top.
    void drag()
    {
        FileView& view = *m_screen->view;
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(120, 250));
        for (int y = 240; y >= 20; y -= 20)
            QTest::mouseMove(view.viewport(), QPoint(120, y), 10);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(120, 20), 10);
        QTRY_VERIFY_WITH_TIMEOUT(view.verticalScrollBar()->value() > 0, Patience);
        QVERIFY(view.selectedFiles.isEmpty() && view.selectedItems().isEmpty());
        view.setDir(m_root + "/names");
        QCOMPARE(view.verticalScrollBar()->value(), 0);
    }

    // The chooser starts at the card, else at the output folder, else at
    // home; its title names the folder shown. It gives the folder shown on
    // "OK", not an entry selected in it, and nothing on "Cancel"; "Back"
    // shows the folder above.
    void chooser()
    {
        QCOMPARE(firstListable({"", m_root + "/locked/x", m_root + "/beta/"}), m_root + "/beta");
        for (const QString key : {"OK", "Cancel"}) {
            QString shown;
            whenModal<ZFileDialog>([&](ZFileDialog* dialog) {
                QCOMPARE(dialog->fileView->currentDir, QDir("/mmc/mmca1").exists() ? "/mmc/mmca1" : m_root + "/beta");
                dialog->fileView->setDir(m_root + "/Alpha");
                QCOMPARE(dialog->dlgTitle(), m_root + "/Alpha");
                findByText(dialog, "Back")->click();
                tap(*dialog->fileView, "Alpha", 5);
                shown = dialog->fileView->currentDir;
                findByText(dialog, key)->click();
            });
            QCOMPARE(ZFileDialog::getDir(nullptr, m_root + "/beta"), key == "OK" ? m_root : QString());
            QCOMPARE(shown, m_root);
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
    std::unique_ptr<Screen> m_screen;
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
