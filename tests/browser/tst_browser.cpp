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
#include "membertable.h"
#include "plan.h"
#include "processes.h"
#include "selectionlist.h"
#include "widgets.h"
#include "zfiledialog.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSignalSpy>
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
        // What the dialogs call an entry, seen from the folder shown.
        for (const auto& [path, shown, label] : Table<const char*, const char*, const char*>{
                 {"/m/a.zip", "/m", "a.zip"}, {"/m/sub/b", "/m", "sub/b"}, {"/x/c", "/m", "/x/c"}, {"/c", "/", "c"},
                 {"/mm/c", "/m", "/mm/c"}, {"/m/a.zip/Docs/x", "/m/a.zip/Docs", "x"}})
            QCOMPARE(entryLabel(path, shown), label);
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
    // case, never "." or ".."; links are told (marked "@" here). As an
    // unprivileged user, "shut" can be read but not entered, so none of its
    // entries shows as a folder; a folder that cannot be listed leaves the
    // list as it was.
    void listing()
    {
        const QStringList folders{".hidden", "Alpha", "beta", "Gamma", "linkdir@", "locked", "names", "shut"};
        const QStringList all = folders + QStringList{"a.txt", "B.jpg", "broken@", "c.sh"};
        for (const auto& [filter, path, shown, names] : Table<int, QString, QString, QStringList>{
                 {Everything, "./Alpha/..", "", all}, {FoldersOnly, ".", "", folders},
                 {Everything, "shut", "shut", {"one", "two"}}, {FoldersOnly, "shut", "shut", {}},
                 {Everything, "locked", "", all}, {Everything, "none", "", all}, {Everything, "a.txt", "", all}}) {
            Screen screen(m_root, filter);
            AsUnprivileged user;
            QVERIFY(user.ok());
            OutputCapture quiet;
            screen.view->setDir(m_root + '/' + path);
            QStringList rows;
            for (int i = 0; i < screen.view->topLevelItemCount(); ++i)
                rows << row(*screen.view, i)->fileName() + (row(*screen.view, i)->isLink() ? "@" : "");
            QCOMPARE(path + ": " + screen.view->currentDir + ": " + rows.join(' '),
                     path + ": " + QDir::cleanPath(m_root + '/' + shown) + ": " + names.join(' '));
        }
    }

    // Every name keeps its bytes from the listing to the selection and into
    // the folder entered.
    void namesKeepTheirBytes()
    {
        const QByteArray folder = QFile::encodeName(m_root) + "/names";
        Screen screen(fromLocalBytes(folder));
        FileView& view = *screen.view;
        QByteArrayList listed;
        for (int i = 0; i < view.topLevelItemCount(); ++i)
            listed << toLocalBytes(row(view, i)->fileName());
        QCOMPARE(sorted(listed), sorted(QByteArrayList{"d\xff"} + hostileNames()));
        tap(view, fromLocalBytes("d\xff"), 120);
        QCOMPARE(toLocalBytes(view.currentDir), folder + "/d\xff");
        QCOMPARE(toLocalBytes(view.selectedFiles.value(0)), folder + "/d\xff");
    }

    // Taps, each "x name", with x in the view's pixels of W = 240: a press
    // in the left fifth toggles a row; from W/5 = 48 to 4W/5 = 192 a tap
    // selects it alone and enters a folder; further right it only selects.
    // Other steps: "up" lists the folder above, "key K" presses a key. The
    // selection keeps the order of the presses, across folders; the rows
    // shown selected are exactly those of the selection in the folder shown
    // (also when it is listed again: followsTheFolder); every row keeps its
    // height. Paths are relative to the test folder; run as an unprivileged
    // user.
    void taps()
    {
        for (const auto& [taps, shown, selection] : Table<QString, QString, QString>{
                 {"5 a.txt, 47 Alpha", "", "a.txt, Alpha"}, {"5 a.txt, 48 Alpha", "Alpha", "Alpha"},   // the left fifth, W/5
                 {"5 a.txt, 192 Alpha", "Alpha", "Alpha"}, {"5 a.txt, 193 Alpha", "", "Alpha"},   // 4W/5, right of it
                 {"5 a.txt, 120 c.sh", "", "c.sh"}, {"120 linkdir", "linkdir", "linkdir"},   // a file; a link keeps its path
                 {"120 locked", "", "locked"}, {"5 c.sh, 5 a.txt, 5 B.jpg, 5 a.txt, 5 a.txt", "", "c.sh, B.jpg, a.txt"},   // order
                 {"120 Alpha, 5 inside.txt, up", "", "Alpha, Alpha/inside.txt"},   // across folders and back
                 {"5 a.txt, key Down, key Space, key Up, key Space", "", "B.jpg"}}) {
            Screen screen(m_root);
            FileView& view = *screen.view;
            AsUnprivileged user;
            QVERIFY(user.ok());
            for (const QString& step : taps.split(", ")) {
                if (step == "up")
                    view.setDir(parentFolder(view.currentDir));
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

    // An archive opens like a folder, as tar, zip and rar made it
    // (tst_members reads 7z): its top first, folders
    // first; a middle tap enters a folder in it, a left tap selects a member
    // as its tool is told it; going up leads out of it to its folder, where
    // the selection made there is back.
    void insideArchives_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArrayList>("pack");   // run in the tree; ARCHIVE stands for the archive
        const QByteArrayList names{"Docs", "alpha.txt", "zeta*.txt"};
        QTest::newRow("tar") << "a.tar" << QByteArrayList{"tar", "-cf", "ARCHIVE"} + names;
        QTest::newRow("tar.zst, ./ names") << "a.tar.zst" << QByteArrayList{"tar", "--zstd", "-cf", "ARCHIVE", "."};
        QTest::newRow("zip") << "a.zip" << QByteArrayList{"zip", "-qr", "ARCHIVE"} + names;
        QTest::newRow("rar 5") << "a.rar" << QByteArrayList{ARKIVE_TEST_SOURCE_DIR "/../e2e/make-rar.py", "5", "ARCHIVE", "."};
    }
    void insideArchives()
    {
        QFETCH(QString, name);
        QFETCH(QByteArrayList, pack);
        const QByteArray dir = QFile::encodeName(m_root) + "/in " + QTest::currentDataTag(), tree = dir + "/tree";
        QVERIFY(QDir().mkpath(QFile::decodeName(tree + "/Docs/sub")));
        for (const QByteArray& file : QByteArrayList{"Docs/a b.txt", "Docs/sub/deep.txt", "alpha.txt", "zeta*.txt"})
            QVERIFY(writeBytes(tree + '/' + file, file));
        const QString archive = QFile::decodeName(dir) + '/' + name;
        pack.replace(pack.indexOf("ARCHIVE"), QFile::encodeName(archive));
        QCOMPARE(runProgram(pack, nullptr, tree), 0);
        Screen screen(QFile::decodeName(dir));
        FileView& view = *screen.view;
        QSignalSpy ended(&view, &FileView::listingEnded);
        tap(view, "tree", 5);
        tap(view, name, 120);
        QVERIFY(view.insideArchive());
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 30000);
        QCOMPARE(ended.first().first().toString(), QString());
        QCOMPARE(view.currentDir, archive);
        QCOMPARE(rowNames(view), QStringList({"Docs", "alpha.txt", "zeta*.txt"}));
        tap(view, "Docs", 120);
        QCOMPARE(view.currentDir, archive + "/Docs");
        QCOMPARE(rowNames(view), QStringList({"sub", "a b.txt"}));
        tap(view, "a b.txt", 5);
        tap(view, "sub", 5);
        // The middle tap selected the folder it entered, which brings what
        // is in it; without it, the member and the folder are told.
        const auto picked = [&view] {
            QByteArrayList names;
            for (const arkive::MemberPick& pick : view.selectedMembers())
                names << QByteArray::fromStdString(pick.path) + (pick.folder ? "/" : "");
            return names;
        };
        const QByteArray lead = pack.contains(".") && !name.endsWith(".rar") ? "./" : "";
        QCOMPARE(picked(), QByteArrayList({lead + "Docs/"}));
        view.selectedFiles.removeFirst();
        QCOMPARE(picked(), QByteArrayList({lead + "Docs/a b.txt", lead + "Docs/sub/"}));
        view.goUp();
        QCOMPARE(rowNames(view), QStringList({"Docs", "alpha.txt", "zeta*.txt"}));
        view.goUp();
        QVERIFY(!view.insideArchive());
        QCOMPARE(view.currentDir, QFile::decodeName(dir));
        QCOMPARE(view.selectedFiles, QStringList({archive}));
        QCOMPARE(ended.size(), 1);
    }

    // The folder shown is listed again when it changes, with its selection.
    void followsTheFolder()
    {
        const QString folder = m_root + "/follow";
        QVERIFY(QDir().mkpath(folder) && writeBytes(QFile::encodeName(folder) + "/b", "b"));
        Screen screen(folder);
        tap(*screen.view, "b", 5);
        QVERIFY(writeBytes(QFile::encodeName(folder) + "/a", "a"));
        QTRY_COMPARE_WITH_TIMEOUT(rowNames(*screen.view), QStringList({"a", "b"}), 30000);
        QCOMPARE(screen.view->selectedItems().size(), 1);
        QCOMPARE(screen.view->selectedFiles, QStringList({folder + "/b"}));
    }

    // The browser's table of members: folders that paths only imply are
    // made once, named as their members are stored; a folder listed later
    // takes its own facts; of names listed twice the last is found; a file
    // with a folder's name does not hide what is in the folder.
    void memberTable()
    {
        MemberTable table;
        const auto add = [&table](const char* path, const char* stored, arkive::Member::Type type, std::uint64_t size = 0) {
            arkive::Member m;
            m.path = path;
            m.stored = stored;
            m.type = type;
            m.size = size;
            return table.add(m).size();
        };
        using T = arkive::Member::Type;
        QCOMPARE(add("d/e/x", "./d/e/x", T::File), std::size_t(3));
        QCOMPARE(add("d", "./d", T::Folder), std::size_t(0));
        QCOMPARE(add("d/e/x", "./d/e/x", T::File, 7), std::size_t(1));
        QCOMPARE(add("d", "d", T::File), std::size_t(1));
        QCOMPARE(table.size(), std::size_t(5));
        const std::uint32_t folder = table.find("d/e");
        QVERIFY(folder != MemberTable::kNone && table.record(folder).implied && table.pick(folder).folder);
        QCOMPARE(QByteArray::fromStdString(table.pick(folder).path), "./d/e");
        QCOMPARE(table.record(table.find("d/e/x")).size, 7u);
        QCOMPARE(QByteArray::fromStdString(table.pick(table.find("d")).path), "d");
        QVERIFY(!table.record(0).implied);   // "d" as the folder it is listed as
        QCOMPARE(table.children(MemberTable::kTop).size(), std::size_t(2));
    }

    // What the user is told of an archive that cannot be read whole: what
    // could be listed stays; bytes that are no archive lead back out.
    void troubledArchives()
    {
        const QByteArray dir = QFile::encodeName(m_root) + "/troubles";
        QVERIFY(QDir().mkpath(QFile::decodeName(dir + "/t")) && writeBytes(dir + "/t/a", "a")
                && writeBytes(dir + "/none.zip", "no archive"));
        QByteArray noise(1 << 20, '\0');
        QRandomGenerator(1).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        QVERIFY(writeBytes(dir + "/t/noise", noise));
        QCOMPARE(runProgram({"tar", "-czf", dir + "/cut.tar.gz", "-C", dir + "/t", "a", "noise"}), 0);
        const QByteArray whole = readBytes(dir + "/cut.tar.gz");
        QVERIFY(writeBytes(dir + "/cut.tar.gz", whole.left(whole.size() / 2)));
        QCOMPARE(runProgram({"7zz", "a", "-bso0", "-psecret", "-mhe=on", dir + "/hidden.7z", dir + "/t/a"}), 0);
        for (const auto& [name, told, rows] : Table<QString, QString, QStringList>{
                 {"cut.tar.gz", "cut.tar.gz is damaged: the members before the damage are shown (", {"a", "noise"}},
                 {"hidden.7z", "hidden.7z hides the names of its members behind a password", {}},
                 {"none.zip", "none.zip is not an archive arkive can open", {"t", "cut.tar.gz", "hidden.7z", "none.zip"}}}) {
            Screen screen(QFile::decodeName(dir));
            QSignalSpy ended(screen.view, &FileView::listingEnded);
            tap(*screen.view, name, 120);
            QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 30000);
            QVERIFY2(ended.first().first().toString().startsWith(told), qPrintable(ended.first().first().toString()));
            QCOMPARE(rowNames(*screen.view), rows);
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
