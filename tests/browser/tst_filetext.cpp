// The texts and icon rule of the file list's rows, on values and on real
// entries of every kind made in a temporary folder.
#include "fileicon.h"
#include "filestatus.h"
#include "filetext.h"
#include "folderpath.h"
#include "nameorder.h"
#include "ownernames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

Q_DECLARE_METATYPE(FileIcon)

namespace {

FileStatus folderStatus()
{
    FileStatus status;
    status.valid = true;
    status.mode = S_IFDIR | 0755;
    return status;
}

// A block device node: one made here when the test may, else one of /dev.
QString blockDevice(const QString& scratch)
{
    const QString made = scratch + QLatin1String("/blockdev");
    if (::mknod(QFile::encodeName(made).constData(), S_IFBLK | 0600, makedev(7, 0)) == 0)
        return made;
    const QStringList names = QDir(QStringLiteral("/dev")).entryList(QDir::System);
    for (const QString& name : names) {
        const QString path = QLatin1String("/dev/") + name;
        const FileStatus status = fileStatus(path);
        if (status.valid && S_ISBLK(status.mode))
            return path;
    }
    return QString();
}

bool makeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

} // namespace

class TestFileText : public QObject
{
    Q_OBJECT
private slots:
    void sizes_data()
    {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << quint64(0) << "0.00b";
        QTest::newRow("1024 stays bytes") << quint64(1024) << "1024.00b";
        QTest::newRow("1025") << quint64(1025) << "1.00Kb";
        QTest::newRow("1536") << quint64(1536) << "1.50Kb";
        QTest::newRow("rounds to nearest") << quint64(1048575) << "1024.00Kb";
        QTest::newRow("1 MiB stays Kb") << quint64(1048576) << "1024.00Kb";
        QTest::newRow("1 MiB + 1") << quint64(1048577) << "1.00Mb";
        QTest::newRow("2 GiB, no larger unit") << quint64(2147483648u) << "2048.00Mb";
        QTest::newRow("4 GiB - 1") << quint64(4294967295u) << "4096.00Mb";
        QTest::newRow("5 GiB not wrapped") << quint64(5) * 1024 * 1024 * 1024 << "5120.00Mb";
        QTest::newRow("1 TiB") << (quint64(1) << 40) << "1048576.00Mb";
    }
    void sizes()
    {
        QFETCH(quint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(sizeString(bytes), text);
    }

    void modes_data()
    {
        QTest::addColumn<uint>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("folder 755") << uint(S_IFDIR | 0755) << "drwxr-xr-x";
        QTest::newRow("set-uid 4755 hidden") << uint(S_IFREG | 04755) << "-rwxr-xr-x";
        QTest::newRow("sticky folder") << uint(S_IFDIR | 01777) << "drwxrwxrwx";
        QTest::newRow("set-gid 2640") << uint(S_IFREG | 02640) << "-rw-r-----";
        QTest::newRow("no bits") << uint(S_IFREG) << "----------";
        QTest::newRow("every bit alone")
            << uint(S_IFREG | 0421) << "-r---w---x";
        QTest::newRow("char device") << uint(S_IFCHR | 0666) << "crw-rw-rw-";
        QTest::newRow("block device") << uint(S_IFBLK | 0660) << "brw-rw----";
        QTest::newRow("fifo") << uint(S_IFIFO | 0644) << "prw-r--r--";
        QTest::newRow("link") << uint(S_IFLNK | 0777) << "lrwxrwxrwx";
        QTest::newRow("socket") << uint(S_IFSOCK | 0755) << "srwxr-xr-x";
    }
    void modes()
    {
        QFETCH(uint, mode);
        QFETCH(QString, text);
        QCOMPARE(modeString(mode), text);
    }

    void dates()
    {
        const QDateTime march(QDate(2009, 3, 7), QTime(8, 5, 9));
        QCOMPARE(dateString(march, QStringLiteral("-")), QStringLiteral("2009-3-7 08:05:09"));
        QCOMPARE(dateString(march, QStringLiteral("/")), QStringLiteral("2009/3/7 08:05:09"));
        const QDateTime december(QDate(1999, 12, 31), QTime(23, 59, 59));
        QCOMPARE(dateString(december, QStringLiteral("-")), QStringLiteral("1999-12-31 23:59:59"));
        QCOMPARE(dateString(QDateTime(), QStringLiteral("-")), QString());
    }

    // The fast form for listings gives the same text as the QDateTime one.
    void datesFromSeconds()
    {
        const QDateTime march(QDate(2009, 3, 7), QTime(8, 5, 9));
        QCOMPARE(dateString(march.toSecsSinceEpoch(), QStringLiteral("-")),
                 QStringLiteral("2009-3-7 08:05:09"));
        for (qint64 seconds : {qint64(0), qint64(951782400), qint64(1700000000), qint64(4102444799)}) {
            const QDateTime time = QDateTime::fromSecsSinceEpoch(seconds);
            QCOMPARE(dateString(seconds, QStringLiteral("-")), dateString(time, QStringLiteral("-")));
        }
    }

    void nameOrders()
    {
        const QStringList names{"beta", "Alpha", "b", "alpha", "Gamma", "zulu", ".hidden", "B"};
        const std::vector<bool> folders{false, true, false, false, true, true, false, false};
        const auto sorted = [&](int sortFlags) {
            QStringList out;
            for (int i : nameOrder(names, folders, sortFlags))
                out << names.at(i);
            return out;
        };
        QCOMPARE(sorted(QDir::Name | QDir::DirsFirst | QDir::IgnoreCase),
                 QStringList({"Alpha", "Gamma", "zulu", ".hidden", "alpha", "B", "b", "beta"}));
        QCOMPARE(sorted(QDir::Name | QDir::IgnoreCase),
                 QStringList({".hidden", "Alpha", "alpha", "B", "b", "beta", "Gamma", "zulu"}));
        QCOMPARE(sorted(QDir::Name),
                 QStringList({".hidden", "Alpha", "B", "Gamma", "alpha", "b", "beta", "zulu"}));
        QVERIFY(sortsByName(20) && sortsByName(QDir::Name) && sortsByName(QDir::Name | QDir::DirsFirst));
        for (int other : {int(QDir::Time), int(QDir::Size), int(QDir::Unsorted),
                          int(QDir::Name | QDir::Reversed), int(QDir::Name | QDir::LocaleAware),
                          int(QDir::Name | QDir::DirsLast), int(QDir::Name | QDir::Type)})
            QVERIFY(!sortsByName(other));
    }

    void ownersAndGroups()
    {
        QCOMPARE(ownerName(0), QStringLiteral("root"));
        QCOMPARE(groupName(0), QStringLiteral("root"));
        // Ids without an entry are written in decimal, also those above
        // 2^31 that a signed format would turn negative.
        for (unsigned id : {54321u, 4000000000u}) {
            if (!::getpwuid(id))
                QCOMPARE(ownerName(id), QString::number(id));
            if (!::getgrgid(id))
                QCOMPARE(groupName(id), QString::number(id));
        }
        QVERIFY(ownerName(4000000000u) != QStringLiteral("-294967296"));

        OwnerNames names;
        const unsigned me = ::getuid();
        QCOMPARE(names.user(me), ownerName(me));
        QCOMPARE(names.user(me), ownerName(me));
        QCOMPARE(names.group(0), groupName(0));
        QCOMPARE(names.user(54321), ownerName(54321));
    }

    void paths()
    {
        QCOMPARE(childPath(QStringLiteral("/"), QStringLiteral("etc")), QStringLiteral("/etc"));
        QCOMPARE(childPath(QStringLiteral("/mmc"), QStringLiteral("mmca1")),
                 QStringLiteral("/mmc/mmca1"));
        QCOMPARE(parentFolder(QStringLiteral("/mmc/mmca1")), QStringLiteral("/mmc"));
        QCOMPARE(parentFolder(QStringLiteral("/mmc")), QStringLiteral("/"));
        QCOMPARE(parentFolder(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(parentFolder(QString()), QString());
        QCOMPARE(parentFolder(QStringLiteral("relative")), QStringLiteral("relative"));
    }

    void tapZones()
    {
        // On the phone's 240 pixels a tap at 48 (W / 5) already selects, and
        // one at 192 (4W / 5) still enters.
        QCOMPARE(tapZone(0, 240), TapZone::Toggle);
        QCOMPARE(tapZone(47, 240), TapZone::Toggle);
        QCOMPARE(tapZone(48, 240), TapZone::SelectEnter);
        QCOMPARE(tapZone(192, 240), TapZone::SelectEnter);
        QCOMPARE(tapZone(193, 240), TapZone::Select);
        // Integer division: 243 / 5 = 48, 4 * 243 / 5 = 194.
        QCOMPARE(tapZone(47, 243), TapZone::Toggle);
        QCOMPARE(tapZone(48, 243), TapZone::SelectEnter);
        QCOMPARE(tapZone(194, 243), TapZone::SelectEnter);
        QCOMPARE(tapZone(195, 243), TapZone::Select);
    }

    void extensions()
    {
        QCOMPARE(upperExtension(QStringLiteral("/x/a.tar.gz")), QStringLiteral("TAR.GZ"));
        QCOMPARE(upperExtension(QStringLiteral("/x/Photo.JpG")), QStringLiteral("JPG"));
        QCOMPARE(upperExtension(QStringLiteral("/x.d/photo")), QString());
        QCOMPARE(upperExtension(QStringLiteral("/x/photo.old.jpg")), QStringLiteral("OLD.JPG"));
    }

    void cardFolders()
    {
        const FileStatus dir = folderStatus();
        QCOMPARE(fileIconFor(QStringLiteral("/mmc/mmca1"), dir), FileIcon::Card);
        QCOMPARE(fileIconFor(QStringLiteral("/mmc/mmcz9"), dir), FileIcon::Card);
        QCOMPARE(fileIconFor(QStringLiteral("/mmc"), dir), FileIcon::Folder);
        QCOMPARE(fileIconFor(QStringLiteral("/mmc/mmc"), dir), FileIcon::Folder);
        QCOMPARE(fileIconFor(QStringLiteral("/mmc/mmca1/x"), dir), FileIcon::Folder);
        QCOMPARE(fileIconFor(QStringLiteral("/mnt/mmca1"), dir), FileIcon::Folder);
        // A folder named like a picture is still a folder.
        QCOMPARE(fileIconFor(QStringLiteral("/x/shots.jpg"), dir), FileIcon::Folder);
    }

    void iconsOfRealEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<FileIcon>("icon");
        QTest::newRow("folder") << "folder" << FileIcon::Folder;
        QTest::newRow("mixed case image") << "Photo.JpG" << FileIcon::Image;
        QTest::newRow("two dots") << "photo.old.jpg" << FileIcon::Note;
        QTest::newRow("script") << "run.sh" << FileIcon::Program;
        QTest::newRow("script after tar") << "backup.tar.sh" << FileIcon::Note;
        QTest::newRow("lin") << "tool.lin" << FileIcon::Program;
        QTest::newRow("text") << "notes.TXT" << FileIcon::Note;
        QTest::newRow("audio") << "song.flac" << FileIcon::Video;
        QTest::newRow("game") << "game.jar" << FileIcon::Game;
        QTest::newRow("plain") << "plain" << FileIcon::Note;
        QTest::newRow("fifo") << "pipe" << FileIcon::Fifo;
        QTest::newRow("socket") << "socket" << FileIcon::Socket;
        QTest::newRow("link to folder") << "folderlink" << FileIcon::Folder;
        // The link's own name is compared with the lists; its target's
        // status decides the rest.
        QTest::newRow("link to image") << "imagelink" << FileIcon::Note;
        QTest::newRow("link to fifo") << "pipelink" << FileIcon::Fifo;
        QTest::newRow("dangling link") << "dangling" << FileIcon::Note;
        QTest::newRow("dangling link, image name") << "dangling.png" << FileIcon::Image;
    }
    void iconsOfRealEntries()
    {
        QFETCH(QString, name);
        QFETCH(FileIcon, icon);
        const QString path = m_dir.filePath(name);
        QCOMPARE(fileIconFor(path, fileStatus(path)), icon);
    }

    void devices()
    {
        QCOMPARE(fileIconFor(QStringLiteral("/dev/null"), fileStatus(QStringLiteral("/dev/null"))),
                 FileIcon::CharDevice);
        const QString block = blockDevice(m_dir.path());
        if (block.isEmpty())
            QSKIP("no block device can be made here, and /dev holds none");
        QCOMPARE(fileIconFor(block, fileStatus(block)), FileIcon::BlockDevice);
        QVERIFY(modeString(fileStatus(block).mode).startsWith(QLatin1Char('b')));
    }

    void statusFollowsLinks()
    {
        const FileStatus folderLink = fileStatus(m_dir.filePath(QStringLiteral("folderlink")));
        QVERIFY(folderLink.isDir());
        QVERIFY(modeString(folderLink.mode).startsWith(QLatin1Char('d')));

        const FileStatus dangling = fileStatus(m_dir.filePath(QStringLiteral("dangling")));
        QVERIFY(!dangling.valid);
        QCOMPARE(dangling.error, ENOENT);
        const FileStatus link = linkStatus(m_dir.filePath(QStringLiteral("dangling")));
        QVERIFY(link.valid);
        QVERIFY(S_ISLNK(link.mode));

        QFile file(m_dir.filePath(QStringLiteral("plain")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1536, 'x'));
        file.close();
        const FileStatus plain = fileStatus(file.fileName());
        QCOMPARE(plain.size, qint64(1536));
        QCOMPARE(sizeString(quint64(plain.size)), QStringLiteral("1.50Kb"));
    }

    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
        for (const char* name : {"Photo.JpG", "photo.old.jpg", "run.sh", "backup.tar.sh",
                                 "tool.lin", "notes.TXT", "song.flac", "game.jar", "plain"})
            QVERIFY(makeFile(m_dir.filePath(QLatin1String(name))));
        const QByteArray pipe = QFile::encodeName(m_dir.filePath(QStringLiteral("pipe")));
        QCOMPARE(::mkfifo(pipe.constData(), 0644), 0);

        // A socket's path must fit sun_path; the folder is short under /tmp.
        const QByteArray socketPath = QFile::encodeName(m_dir.filePath(QStringLiteral("socket")));
        QVERIFY(socketPath.size() < int(sizeof(sockaddr_un::sun_path)));
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(m_socket >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrcpy(address.sun_path, socketPath.constData());
        QCOMPARE(::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

        const auto link = [this](const char* target, const char* name) {
            return QFile::link(QLatin1String(target), m_dir.filePath(QLatin1String(name)));
        };
        QVERIFY(link("folder", "folderlink"));
        QVERIFY(link("Photo.JpG", "imagelink"));
        QVERIFY(link("pipe", "pipelink"));
        QVERIFY(link("missing", "dangling"));
        QVERIFY(link("missing", "dangling.png"));
    }

    void cleanupTestCase()
    {
        if (m_socket >= 0)
            ::close(m_socket);
    }

private:
    QTemporaryDir m_dir;
    int m_socket = -1;
};

QTEST_GUILESS_MAIN(TestFileText)
#include "tst_filetext.moc"
