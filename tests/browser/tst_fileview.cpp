// The file list as the user drives it: listing, the three tap zones at
// their boundary pixels, the order of press and tap, and the selection list.
#include "browsertest.h"
#include "fileview.h"
#include "localbytes.h"
#include "fileviewitem.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace {

constexpr int ScreenWidth = 240;
constexpr int AllEntries = 775;  // QDir::All | QDir::Hidden | QDir::System
constexpr int FoldersOnly = 257; // QDir::Dirs | QDir::Hidden
constexpr int ByName = 20;       // QDir::Name | QDir::DirsFirst | QDir::IgnoreCase

QStringList rowNames(const FileView& view)
{
    QStringList names;
    for (int i = 0; i < view.topLevelItemCount(); ++i)
        names << view.topLevelItem(i)->text(0);
    return names;
}

FileViewItem* row(const FileView& view, const QString& name)
{
    for (int i = 0; i < view.topLevelItemCount(); ++i)
        if (view.topLevelItem(i)->text(0) == name)
            return static_cast<FileViewItem*>(view.topLevelItem(i));
    return nullptr;
}

// The style may tint the current row a little.
bool near(QRgb pixel, const QColor& colour)
{
    return qAbs(qRed(pixel) - colour.red()) < 16 && qAbs(qGreen(pixel) - colour.green()) < 16
           && qAbs(qBlue(pixel) - colour.blue()) < 16;
}

// A finger on the row at x, counted in the view's own coordinates.
void tap(FileView& view, const QString& name, int x)
{
    FileViewItem* item = row(view, name);
    QVERIFY2(item, qPrintable(name));
    view.scrollToItem(item);
    const int y = view.visualItemRect(item).center().y();
    const QPoint at = view.viewport()->mapFrom(&view, QPoint(x, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(at.x(), y));
}

// The phone's screen holding one list, as the main window does.
struct Screen
{
    explicit Screen(int filter = AllEntries)
    {
        window.resize(ScreenWidth, 320);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new FileView(QStringLiteral("*"), filter, &window, ByName, "browser");
        layout->addWidget(view);
        window.show();
    }
    QWidget window;
    FileView* view = nullptr;
};

} // namespace

class TestFileView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_root = m_dir.path();
        QDir root(m_root);
        for (const char* folder : {"Alpha", "beta", ".hidden", "Gamma", "Alpha/inner", "locked"})
            QVERIFY(root.mkpath(QLatin1String(folder)));
        for (const char* file : {"a.txt", "B.jpg", "c.sh", "Alpha/inside.txt"})
            QVERIFY(makeFile(root.filePath(QLatin1String(file))));
        QVERIFY(QFile::link(QStringLiteral("Alpha"), root.filePath(QStringLiteral("linkdir"))));
        QVERIFY(QFile::link(QStringLiteral("a.txt"), root.filePath(QStringLiteral("linkfile"))));
        QVERIFY(QFile::link(QStringLiteral("nowhere"), root.filePath(QStringLiteral("broken"))));
        // "nobody" may pass through the test folder but not into "locked".
        QCOMPARE(::chmod(QFile::encodeName(m_root).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(root.filePath(QStringLiteral("locked"))).constData(), 0),
                 0);
    }

    void cleanupTestCase()
    {
        ::chmod(QFile::encodeName(QDir(m_root).filePath(QStringLiteral("locked"))).constData(),
                0755);
    }

    void listingOrder()
    {
        Screen screen;
        FileView& view = *screen.view;
        QVERIFY(view.currentDir.isNull());
        QCOMPARE(view.topLevelItemCount(), 0);
        {
            StderrCapture quiet; // the dangling link's perror
            view.setDir(m_root + QLatin1String("/./Alpha/.."));
        }
        QCOMPARE(view.currentDir, m_root);
        // Folders first (a link to a folder is one), each group without
        // regard to case; never "." or "..".
        QCOMPARE(rowNames(view),
                 QStringList({".hidden", "Alpha", "beta", "Gamma", "linkdir", "locked", "a.txt",
                              "B.jpg", "broken", "c.sh", "linkfile"}));
        QCOMPARE(row(view, QStringLiteral("Alpha"))->absPath, m_root + QLatin1String("/Alpha"));
        QCOMPARE(row(view, QStringLiteral("linkdir"))->pixmap(0).cacheKey(),
                 view.icon(FileIcon::Folder).cacheKey());
        QCOMPARE(row(view, QStringLiteral("linkdir"))->permText.at(0), QLatin1Char('d'));
        QCOMPARE(row(view, QStringLiteral("B.jpg"))->pixmap(0).cacheKey(),
                 view.icon(FileIcon::Image).cacheKey());

        view.setDir(QStringLiteral("/"));
        QCOMPARE(view.currentDir, QStringLiteral("/"));
        const QStringList names = rowNames(view);
        QVERIFY(!names.contains(QStringLiteral(".")) && !names.contains(QStringLiteral("..")));
        QVERIFY(names.contains(QStringLiteral("tmp")));
    }

    void unreadableEntryIsReported()
    {
        Screen screen;
        QByteArray message;
        {
            StderrCapture capture;
            screen.view->setDir(m_root);
            message = capture.text();
        }
        QCOMPARE(message, QFile::encodeName(m_root) + "/broken: No such file or directory\n");
        FileViewItem* broken = row(*screen.view, QStringLiteral("broken"));
        QVERIFY(broken && broken->ownerText.isNull());
        QCOMPARE(broken->pixmap(0).cacheKey(), screen.view->icon(FileIcon::Note).cacheKey());
    }

    void rootSignal()
    {
        Screen screen;
        FileView& view = *screen.view;
        QList<QPair<bool, QString>> seen; // the argument, and the folder shown then
        connect(&view, &FileView::rootDir, &view,
                [&](bool isRoot) { seen.append({isRoot, view.currentDir}); });
        view.setDir(QStringLiteral("/"));
        view.setDir(m_root + QLatin1String("/Alpha"));
        view.setDir(QStringLiteral("/no/such/folder"));
        view.setDir(m_root + QLatin1String("/../.."));
        const QString alpha = m_root + QLatin1String("/Alpha");
        QCOMPARE(seen, (QList<QPair<bool, QString>>{{true, QString()},
                                                    {false, QStringLiteral("/")},
                                                    {false, alpha},
                                                    {true, alpha}}));
        QCOMPARE(view.currentDir, QStringLiteral("/"));
    }

    void foldersOnly()
    {
        TraceRecorder traces;
        Screen screen(FoldersOnly);
        QCOMPARE(traces.lines(), QStringList{QStringLiteral("Dirs only")});
        QVERIFY(screen.view->dirsOnly());
        screen.view->setDir(m_root);
        QCOMPARE(rowNames(*screen.view),
                 QStringList({".hidden", "Alpha", "beta", "Gamma", "linkdir", "locked"}));
        for (int filter : {1, 257})
            QVERIFY(FileView(QStringLiteral("*"), filter, &screen.window, ByName).dirsOnly());
        for (int filter : {3, 0x201, 0x301, 775, 0x2001})
            QVERIFY(!FileView(QStringLiteral("*"), filter, &screen.window, ByName).dirsOnly());
    }

    // The walk ends at the first entry that does not show as a folder: in a
    // folder that may be read but not entered, none does.
    void foldersOnlyStopsAtFirstNonFolder()
    {
        const QString shut = m_root + QLatin1String("/Gamma");
        QVERIFY(QDir(shut).mkpath(QStringLiteral("one")));
        QVERIFY(QDir(shut).mkpath(QStringLiteral("two")));
        QCOMPARE(::chmod(QFile::encodeName(shut).constData(), 0444), 0);
        Screen folders(FoldersOnly);
        Screen all;
        {
            AsUnprivileged user;
            if (user.ok()) {
                folders.view->setDir(shut);
                StderrCapture quiet;
                all.view->setDir(shut);
            }
        }
        ::chmod(QFile::encodeName(shut).constData(), 0755);
        if (folders.view->currentDir.isNull())
            QSKIP("cannot give up root's rights to make a folder that cannot be entered");
        QCOMPARE(folders.view->currentDir, shut);
        QCOMPARE(folders.view->topLevelItemCount(), 0);
        QCOMPARE(rowNames(*all.view), QStringList({"one", "two"}));
    }

    void unreadableFolderChangesNothing()
    {
        Screen screen;
        FileView& view = *screen.view;
        StderrCapture quiet;
        view.setDir(m_root);
        const QStringList before = rowNames(view);
        tap(view, QStringLiteral("a.txt"), 10);
        const QStringList selected = view.selectedFiles;

        view.setDir(QStringLiteral("/no/such/folder"));
        view.setDir(m_root + QLatin1String("/a.txt")); // a file, not a folder
        QCOMPARE(rowNames(view), before);
        QCOMPARE(view.currentDir, m_root);
        QCOMPARE(view.selectedFiles, selected);

        AsUnprivileged user;
        if (!user.ok())
            QSKIP("cannot give up root's rights, so no folder is unreadable here");
        view.setDir(m_root + QLatin1String("/locked"));
        QCOMPARE(rowNames(view), before);
        QCOMPARE(view.currentDir, m_root);
        // A middle tap on it selects it alone but cannot list it.
        tap(view, QStringLiteral("locked"), 120);
        QCOMPARE(view.currentDir, m_root);
        QCOMPARE(view.selectedFiles, QStringList{m_root + QLatin1String("/locked")});
        QCOMPARE(view.selectedItems().size(), 1);
    }

    void zoneBoundaries()
    {
        Screen screen;
        FileView& view = *screen.view;
        StderrCapture quiet;
        const QString alpha = m_root + QLatin1String("/Alpha");
        const QString file = m_root + QLatin1String("/a.txt");

        view.setDir(m_root);
        tap(view, QStringLiteral("a.txt"), 47); // left fifth: the press toggles it
        QVERIFY(row(view, QStringLiteral("a.txt"))->isSelected());
        QCOMPARE(view.selectedFiles, QStringList{file});
        tap(view, QStringLiteral("Alpha"), 47); // a folder is not entered
        QCOMPARE(view.currentDir, m_root);
        QCOMPARE(view.selectedFiles, QStringList({file, alpha}));

        tap(view, QStringLiteral("Alpha"), 48); // W / 5: selects alone, enters
        QCOMPARE(view.currentDir, alpha);
        QCOMPARE(view.selectedFiles, QStringList{alpha});
        QVERIFY(view.selectedItems().isEmpty());

        view.setDir(m_root);
        tap(view, QStringLiteral("Alpha"), 192); // 4W / 5: still enters
        QCOMPARE(view.currentDir, alpha);

        view.setDir(m_root);
        tap(view, QStringLiteral("a.txt"), 10);
        tap(view, QStringLiteral("Alpha"), 193); // one pixel further: selects alone
        QCOMPARE(view.currentDir, m_root);
        QCOMPARE(view.selectedFiles, QStringList{alpha});
        QCOMPARE(view.selectedItems(), QList<QTreeWidgetItem*>{row(view, QStringLiteral("Alpha"))});

        tap(view, QStringLiteral("c.sh"), 120); // a file in the middle: selected alone
        QCOMPARE(view.currentDir, m_root);
        QCOMPARE(view.selectedFiles, QStringList{m_root + QLatin1String("/c.sh")});
        QCOMPARE(view.selectedItems(), QList<QTreeWidgetItem*>{row(view, QStringLiteral("c.sh"))});
    }

    void selectionOrderAndListing()
    {
        Screen screen;
        FileView& view = *screen.view;
        StderrCapture quiet;
        view.setDir(m_root);
        const auto path = [this](const char* name) { return m_root + QLatin1Char('/') + QLatin1String(name); };
        for (const char* name : {"c.sh", "a.txt", "B.jpg"})
            tap(view, QLatin1String(name), 5);
        QCOMPARE(view.selectedFiles, QStringList({path("c.sh"), path("a.txt"), path("B.jpg")}));
        tap(view, QStringLiteral("a.txt"), 5);
        QCOMPARE(view.selectedFiles, QStringList({path("c.sh"), path("B.jpg")}));
        QVERIFY(!row(view, QStringLiteral("a.txt"))->isSelected());
        tap(view, QStringLiteral("a.txt"), 5);
        QCOMPARE(view.selectedFiles, QStringList({path("c.sh"), path("B.jpg"), path("a.txt")}));

        // Another listing keeps the list; a press there adds to it.
        view.setDir(path("Alpha"));
        QCOMPARE(view.selectedFiles.size(), 3);
        tap(view, QStringLiteral("inside.txt"), 5);
        QCOMPARE(view.selectedFiles.last(), path("Alpha/inside.txt"));
        QCOMPARE(view.selectedFiles.size(), 4);
    }

    // Rows of a selected or highlighted entry show their details: 55 pixels
    // high in the list, back to 30 when deselected.
    void detailsInTheList()
    {
        Screen screen;
        FileView& view = *screen.view;
        StderrCapture quiet;
        view.setDir(m_root);
        QVERIFY(QTest::qWaitForWindowExposed(&screen.window));
        FileViewItem* file = row(view, QStringLiteral("a.txt"));
        tap(view, QStringLiteral("a.txt"), 5);
        QVERIFY(file->detailsShown);
        QCOMPARE(view.visualItemRect(file).height(), 55);
        tap(view, QStringLiteral("B.jpg"), 5); // the highlight moves on
        tap(view, QStringLiteral("a.txt"), 5); // a press that deselects
        tap(view, QStringLiteral("B.jpg"), 5);
        QVERIFY(!file->detailsShown);
        QCOMPARE(view.visualItemRect(file).height(), 30);

        // The highlight fills the whole width of a selected row.
        FileViewItem* shown = row(view, QStringLiteral("Alpha"));
        tap(view, QStringLiteral("Alpha"), 5);
        view.scrollToItem(shown);
        const QImage image = view.viewport()->grab().toImage();
        const QRect rect = view.visualItemRect(shown);
        QCOMPARE(view.columnWidth(0), image.width());
        const QColor highlight = view.palette().color(QPalette::Active, QPalette::Highlight);
        // (Inside the focus frame that the list draws round the current row.)
        QVERIFY(near(image.pixel(image.width() - 4, rect.top() + 4), highlight));
        QVERIFY(near(image.pixel(rect.left() + 4, rect.bottom() - 4), highlight));
    }

    void pressBeforeTap()
    {
        Screen screen;
        FileView& view = *screen.view;
        StderrCapture quiet;
        view.setDir(m_root);
        const QString link = m_root + QLatin1String("/linkfile");
        TraceRecorder traces;
        tap(view, QStringLiteral("linkfile"), 200);
        QCOMPARE(traces.lines(), QStringList({"selected 1", "pressed: " + link, "SymLink",
                                              "clicked: " + link}));

        // A press below the last row has no row to name.
        TraceRecorder empty;
        const QRect last = view.visualItemRect(view.topLevelItem(view.topLevelItemCount() - 1));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(100, last.bottom() + 20));
        QCOMPARE(empty.lines(), QStringList{QStringLiteral("selected 0")});
    }

    void pressedPathAtRoot()
    {
        Screen screen;
        screen.view->setDir(QStringLiteral("/"));
        tap(*screen.view, QStringLiteral("tmp"), 5);
        QCOMPARE(screen.view->pressedPath, QStringLiteral("/tmp"));
        QCOMPARE(screen.view->selectedFiles, QStringList{QStringLiteral("/tmp")});
    }

    void symbolicLinkToFolderIsEntered()
    {
        Screen screen;
        FileView& view = *screen.view;
        StderrCapture quiet;
        view.setDir(m_root);
        tap(view, QStringLiteral("linkdir"), 120);
        const QString link = m_root + QLatin1String("/linkdir");
        QCOMPARE(view.currentDir, link);
        QCOMPARE(rowNames(view), QStringList({"inner", "inside.txt"}));
        QCOMPARE(row(view, QStringLiteral("inner"))->absPath, link + QLatin1String("/inner"));
        QCOMPARE(view.selectedFiles, QStringList{link});
    }

    // Names that are not valid UTF-8 keep their bytes from the listing to
    // the selection, so the commands get the real files.
    void namesThatAreNotUtf8()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray base = QFile::encodeName(dir.path());
        const QByteArray file = base + "/caf\xe9.txt";
        const QByteArray folder = base + "/d\xff";
        const auto makeRaw = [](const QByteArray& path) {
            const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
            return fd >= 0 && ::close(fd) == 0;
        };
        QVERIFY(makeRaw(file));
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        QVERIFY(makeRaw(folder + "/inner"));

        Screen screen;
        FileView& view = *screen.view;
        view.setDir(dir.path());
        QCOMPARE(view.topLevelItemCount(), 2);
        const QString fileName = fromLocalBytes("caf\xe9.txt");
        FileViewItem* fileRow = row(view, fileName);
        QVERIFY(fileRow);
        QCOMPARE(toLocalBytes(fileRow->absPath), file);
        QCOMPARE(fileRow->permText.at(0), QLatin1Char('-')); // its status was read
        tap(view, fileName, 220);
        QCOMPARE(view.selectedFiles.size(), 1);
        QCOMPARE(toLocalBytes(view.selectedFiles.first()), file);

        tap(view, fromLocalBytes("d\xff"), 120);
        QCOMPARE(toLocalBytes(view.currentDir), folder);
        QCOMPARE(rowNames(view), QStringList{QStringLiteral("inner")});
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
};

QTEST_MAIN(TestFileView)
#include "tst_fileview.moc"
