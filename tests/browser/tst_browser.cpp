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
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>

namespace {

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

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
    const QPoint at(view.viewport()->mapFrom(&view, QPoint(x, 0)).x(), view.visualItemRect(row(view, i)).center().y());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
}

// The phone's screen of 240x320 pixels holding one list, as the main
// window does, showing `folder`.
struct Screen : QWidget
{
    explicit Screen(const QString& folder, int filter = Everything) : view(new FileView("*", filter, this, ByName))
    {
        resize(240, 320);
        view->resize(size());
        show();
        OutputCapture quiet;   // perror names the dangling link
        view->setDir(folder);
    }
    FileView* view;
};

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_root;

private slots:
    // Sizes: bytes below 1024, then one decimal of the binary unit, in the
    // language's numbers; the next unit where the decimal would read 1024.0.
    // Details: the parts that fit, from the first. Modes: the type letter,
    // then nine permission bits (no set-id, no sticky). Dates: both forms
    // give the same text. Owners: ids without an entry in decimal, also
    // above 2^31.
    void texts()
    {
        const quint64 MiB = 1 << 20;
        const QLocale c(QLocale::C), german(QLocale::German);
        for (const auto& [bytes, locale, text] : Table<quint64, QLocale, const char*>{
                 {0, c, "0 B"}, {1023, c, "1023 B"}, {1024, c, "1.0 KiB"}, {1536, german, "1,5 KiB"},
                 {MiB - 52, c, "1023.9 KiB"}, {MiB - 51, c, "1.0 MiB"}, {5 * 1024 * MiB + MiB * 400, german, "5,4 GiB"},
                 {~0ull, c, "16.0 EiB"}})
            QCOMPARE(sizeString(bytes, locale), text);
        const QFontMetrics metrics(QFont{});
        const QString two = "4.0 KiB" + detailSeparator() + "2009-3-7";
        for (const auto& [details, width, shown] : Table<QString, int, QString>{
                 {two + "\n-rw-r--r--", metrics.horizontalAdvance(two), two}, {two, metrics.horizontalAdvance(two) - 1, "4.0 KiB"},
                 {"1023 B", 1000, "1023 B"}})
            QCOMPARE(fittedDetails(details, metrics, width), shown);
        for (const auto& [mode, text] : Table<uint, const char*>{
                 {S_IFREG | 07421, "-r---w---x"}, {S_IFDIR | 0356, "d-wxr-xrw-"}, {S_IFLNK | 0777, "lrwxrwxrwx"}})
            QCOMPARE(modeString(mode), text);
        for (const auto& [time, separator, text] : Table<QDateTime, const char*, const char*>{
                 {QDateTime({2009, 3, 7}, {8, 5, 9}), "/", "2009/3/7 08:05:09"},
                 {QDateTime({1999, 12, 31}, {23, 59, 59}), "-", "1999-12-31 23:59:59"}, {QDateTime(), "-", ""}}) {
            QCOMPARE(dateString(time, separator), text);
            QCOMPARE(time.isValid() ? dateString(time.toSecsSinceEpoch(), separator) : "", text);
        }
        for (const auto& [id, name] : Table<uint, const char*>{{0, "root"}, {54321, "54321"}, {4000000000u, "4000000000"}})
            if (id == 0 || (!::getpwuid(id) && !::getgrgid(id)))   // else the id has an entry on this system
                QCOMPARE(ownerName(id) + ' ' + groupName(id), name + (' ' + QString(name)));
    }

    // The folder that "Back" shows, the path of an entry, and the icon of
    // an entry by its status with links followed (0: it could not be read).
    void pathsAndIcons()
    {
        for (const auto& [dir, parent] : Table<const char*, const char*>{
                 {"/mmc/mmca1", "/mmc"}, {"/mmc", "/"}, {"/", "/"}, {"", ""}, {"relative", "relative"}})
            QCOMPARE(parentFolder(dir), parent);
        QCOMPARE(childPath("/", "tmp") + ' ' + childPath("/mmc", "mmca1"), "/tmp /mmc/mmca1");
        const uint dir = S_IFDIR | 0755, file = S_IFREG | 0644;
        for (const auto& [path, mode, icon] : Table<const char*, uint, FileIcon>{
                 {"/mmc/mmca1", dir, FileIcon::Card}, {"/mmc/mmc", dir, FileIcon::Folder},
                 {"/mmc/mmca1/x", dir, FileIcon::Folder}, {"/x/a.jpg", dir, FileIcon::Folder},
                 {"/x/Photo.JpG", file, FileIcon::Image}, {"/x/photo.old.jpg", file, FileIcon::Note},
                 {"/x/pipe.txt", S_IFIFO, FileIcon::Note}, {"/x/pipe", S_IFIFO, FileIcon::Fifo},
                 {"/x/dangling", 0, FileIcon::Note}, {"/x/dangling.png", 0, FileIcon::Image},
                 {"/x/a.tar.gz", file, FileIcon::TarArchive}, {"/x/b.ZIP", file, FileIcon::ZipArchive},
                 {"/x/c.7z.001", 0, FileIcon::SevenZipArchive}, {"/x/d.rar", file, FileIcon::RarArchive},
                 {"/x/e.zip", dir, FileIcon::Folder}, {"/x/f.tgz", S_IFIFO, FileIcon::Fifo}})
            QVERIFY2(fileIconFor(path, FileStatus{mode != 0, 0, mode}) == icon, path);
    }

    void initTestCase()
    {
        m_root = m_dir.path();
        const QByteArray root = QFile::encodeName(m_root);
        for (const char* folder : {"Alpha/inner", "beta", ".hidden", "Gamma", "locked", "shut/one", "shut/two", "names"})
            QVERIFY(QDir(m_root).mkpath(folder));
        QCOMPARE(::mkdir(root + "/names/d\xff", 0755), 0);
        for (const char* file : {"a.txt", "B.jpg", "c.sh", "Alpha/inside.txt"})
            QVERIFY(writeBytes(root + '/' + file, ""));
        for (const QByteArray& name : hostileNames())
            QVERIFY(writeBytes(root + "/names/" + name, ""));
        QVERIFY(::symlink("Alpha", root + "/linkdir") == 0 && ::symlink("nowhere", root + "/broken") == 0);
        // "nobody" may pass through the test folder, but not into "locked",
        // and may read "shut" but not reach what is in it.
        QVERIFY(::chmod(root, 0755) == 0 && ::chmod(root + "/locked", 0) == 0 && ::chmod(root + "/shut", 0444) == 0);
    }
    // QTemporaryDir cannot remove names that are not UTF-8.
    void cleanupTestCase() { removeTree(QFile::encodeName(m_root)); }

    // Folders first (a link to one is one), each group without regard to
    // case, never "." or ".."; links are told. As an unprivileged user, "shut" can be read
    // but not entered, so none of its entries shows as a folder; a folder
    // that cannot be listed leaves the list as it was.
    void listing()
    {
        const QStringList folders{".hidden", "Alpha", "beta", "Gamma", "linkdir", "locked", "names", "shut"};
        const QStringList all = folders + QStringList{"a.txt", "B.jpg", "broken", "c.sh"};
        for (const auto& [filter, path, shown, names] : Table<int, QString, QString, QStringList>{
                 {Everything, "./Alpha/..", "", all}, {FoldersOnly, ".", "", folders},
                 {Everything, "shut", "shut", {"one", "two"}}, {FoldersOnly, "shut", "shut", {}},
                 {Everything, "locked", "", all}, {Everything, "none", "", all}, {Everything, "a.txt", "", all}}) {
            Screen screen(m_root, filter);
            AsUnprivileged user;
            QVERIFY(user.ok());
            OutputCapture quiet;
            screen.view->setDir(m_root + '/' + path);
            QCOMPARE(path + ": " + screen.view->currentDir + ": " + rowNames(*screen.view).join(' '),
                     path + ": " + QDir::cleanPath(m_root + '/' + shown) + ": " + names.join(' '));
        }
        Screen screen(m_root);
        QStringList links;
        for (int i = 0; i < screen.view->topLevelItemCount(); ++i)
            if (row(*screen.view, i)->isLink())
                links << row(*screen.view, i)->fileName();
        QCOMPARE(links, QStringList({"linkdir", "broken"}));
    }

    // Every name keeps its bytes from the listing to the selection and into
    // the folder entered.
    void namesKeepTheirBytes()
    {
        const QByteArray folder = QFile::encodeName(m_root) + "/names";
        Screen screen(fromLocalBytes(folder));
        FileView& view = *screen.view;
        QByteArrayList listed, expected = QByteArrayList{"d\xff"} + hostileNames();
        for (int i = 0; i < view.topLevelItemCount(); ++i)
            listed << toLocalBytes(row(view, i)->fileName());
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
    // shown; every row keeps its height. Paths are relative to the test
    // folder; run as an unprivileged user.
    void taps()
    {
        for (const auto& [taps, shown, selection] : Table<QString, QString, QString>{
                 {"5 a.txt, 47 Alpha", "", "a.txt, Alpha"}, {"5 a.txt, 5 a.txt", "", ""},   // the left fifth
                 {"5 a.txt, 48 Alpha", "Alpha", "Alpha"}, {"5 a.txt, 192 Alpha", "Alpha", "Alpha"},   // W/5 to 4W/5
                 {"5 a.txt, 193 Alpha", "", "Alpha"}, {"5 a.txt, 120 c.sh", "", "c.sh"},   // right of 4W/5, a file
                 {"120 linkdir", "linkdir", "linkdir"}, {"120 locked", "", "locked"},   // a link keeps its path
                 {"5 c.sh, 5 a.txt, 5 B.jpg, 5 a.txt, 5 a.txt", "", "c.sh, B.jpg, a.txt"},   // the order
                 {"120 Alpha, 5 inside.txt", "Alpha", "Alpha, Alpha/inside.txt"},   // across folders
                 {"120 Alpha, 5 inside.txt, up", "", "Alpha, Alpha/inside.txt"},   // and back
                 {"5 c.sh, 5 a.txt, refresh", "", "c.sh, a.txt"},
                 {"5 a.txt, key Down, key Space, key Up, key Space", "", "B.jpg"}}) {
            Screen screen(m_root);
            FileView& view = *screen.view;
            AsUnprivileged user;
            QVERIFY(user.ok());
            for (const QString& step : taps.split(", ")) {
                if (step == "up" || step == "refresh")
                    view.setDir(step == "up" ? parentFolder(view.currentDir) : view.currentDir);
                else if (step.startsWith("key "))
                    QTest::keyClick(&view, step == "key Space" ? Qt::Key_Space : step == "key Up" ? Qt::Key_Up : Qt::Key_Down);
                else
                    tap(view, step.section(' ', 1), step.section(' ', 0, 0).toInt());
            }
            QStringList selected = selection.split(", ", Qt::SkipEmptyParts), inFolder, rows;
            for (QString& path : selected)
                if (QFileInfo(path.prepend(m_root + '/')).path() == view.currentDir)
                    inFolder << path;
            for (QTreeWidgetItem* item : view.selectedItems())
                rows << static_cast<FileViewItem*>(item)->absPath();
            rows.sort();
            inFolder.sort();
            QCOMPARE(taps + ": " + view.currentDir, taps + ": " + QDir::cleanPath(m_root + '/' + shown));
            QCOMPARE(view.selectedFiles, selected);
            QCOMPARE(rows, inFolder);
            for (int i = 0; i < view.topLevelItemCount(); ++i)
                QCOMPARE(view.visualItemRect(row(view, i)).height(), FileViewItem::rowHeight());
        }
    }

    // The chooser starts at the card, else at the output folder, else at
    // home; its title names the folder shown. It gives the folder shown on
    // "OK", not an entry selected in it, and nothing on "Cancel"; "Back"
    // shows the folder above.
    void chooser()
    {
        QCOMPARE(firstListable({"", m_root + "/locked/x", m_root + "/beta/"}), m_root + "/beta");
        for (const QString key : {"OK", "Cancel"}) {
            QStringList seen;   // the first folder, the title, the folder after "Back"
            WhileModal<ZFileDialog> answer([&](ZFileDialog* dialog) {
                seen << dialog->fileView->currentDir;
                dialog->fileView->setDir(m_root + "/Alpha");
                seen << dialog->dlgTitle();
                findByText(dialog, "Back")->click();
                tap(*dialog->fileView, "Alpha", 5);
                findByText(dialog, key)->click();
                seen << dialog->fileView->currentDir;
            });
            QCOMPARE(ZFileDialog::getDir(nullptr, m_root + "/beta"), key == "OK" ? m_root : QString());
            QCOMPARE(seen, QStringList({QDir("/mmc/mmca1").exists() ? "/mmc/mmca1" : m_root + "/beta", m_root + "/Alpha",
                                        m_root}));
        }
    }
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
