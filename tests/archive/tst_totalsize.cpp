// The byte totals handed to tally. zip's: files count their size, folders
// what they hold but hidden entries, links are followed, loops end, totals
// pass 4 GiB. tar's: the bytes of the stream tar writes, to the byte.
#include "localbytes.h"
#include "tarstream.h"
#include "totalsize.h"

#include "bytefiles.h"
#include "processes.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <QTemporaryDir>
#include <QTest>

class TestTotalSize : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    int m_socket = -1;

private slots:
    void initTestCase()
    {
        const QByteArray t = QFile::encodeName(m_tmp.path());
        for (const char* dir : {"/f", "/f/.cache", "/f/sub", "/f/sub/deeper", "/caf\xe9\xff", "/wide"})
            QCOMPARE(mkdir(t + dir, 0700), 0);
        for (const auto& [name, size] : {std::pair{"/f/a", 100}, {"/f/b", 200}, {"/f/.hidden", 50},
                                         {"/f/.cache/big", 1000}, {"/f/sub/deeper/d", 7}, {"/caf\xe9\xff/x\x80", 5}})
            QVERIFY(writeBytes(t + name, QByteArray(size, 'x')));
        // A file counted again through a link, a dangling link, two loops, a link to a folder.
        for (const auto& [target, link] : {std::pair{"a", "/f/linked-file"}, {"/nonexistent", "/f/dangling"},
                                           {"..", "/f/sub/up"}, {".", "/f/sub/self"}, {"f", "/to-f"}})
            QCOMPARE(symlink(target, t + link), 0);
        QCOMPARE(mkfifo(t + "/f/fifo", 0600), 0);
        // Names and link targets past tar's 100 bytes, hard links (one of a
        // long name), a socket, sizes off the block.
        const QByteArray longName = QByteArray(101, 'n'), longDir = t + "/long/" + QByteArray(99, 'd');
        QCOMPARE(runProgram({"mkdir", "-p", longDir}), 0);
        QVERIFY(writeBytes(longDir + '/' + longName, QByteArray(513, 'x')) && writeBytes(t + "/long/short", QByteArray(1, 'y')));
        QCOMPARE(link(longDir + '/' + longName, t + "/long/hard"), 0);
        QCOMPARE(link(t + "/long/short", longDir + "/hard to short"), 0);
        QCOMPARE(symlink(QByteArray(150, 't'), t + "/long/far"), 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray socketPath = t + "/long/socket";
        std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
        m_socket = socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        for (const char* sparse : {"/wide/a", "/wide/b"})
            QVERIFY(writeBytes(t + sparse, {}) && truncate(t + sparse, qint64(3) << 30) == 0);
    }

    void totals()
    {
        for (const auto& [what, paths, total] : std::initializer_list<std::tuple<const char*, QStringList, quint64>>{
                 {"folder, hidden left out, link followed, loops end", {"f"}, 407},
                 {"hidden file chosen directly", {"f/.hidden"}, 50}, {"each path as often as given", {"f", "f/a"}, 507},
                 {"starting inside the loop", {"f/sub"}, 407}, {"link to the folder", {"to-f"}, 407},
                 {"dot, dot-dot and a vanished path", {".", "..", "gone", "f/b"}, 200},
                 {"name that is not UTF-8", {fromLocalBytes("caf\xe9\xff")}, 5},
                 {"beyond 32 bits", {"wide"}, quint64(6) << 30}, {"nothing", {}, 0}}) {
            QStringList absolute;
            for (const QString& path : paths)
                absolute << (path == "." || path == ".." ? path : m_tmp.path() + '/' + path);
            QCOMPARE(what + (": " + QString::number(totalSize(absolute))), what + (": " + QString::number(total)));
        }
    }

    // What tar itself writes for the same names, from the same folder.
    void tarStream()
    {
        const QByteArray t = QFile::encodeName(m_tmp.path());
        for (const QByteArrayList& names : {QByteArrayList{"f"}, QByteArrayList{"long"}, QByteArrayList{"f/a", "long/short", "long/hard"},
                                            QByteArrayList{"caf\xe9\xff", "to-f"}}) {
            std::vector<std::string> list;
            for (const QByteArray& name : names)
                list.push_back(name.toStdString());
            QByteArray stream;
            QCOMPARE(runProgram(QByteArrayList{"sh", "-c", "tar -cf - -C \"$0\" -- \"$@\" 2>/dev/null | wc -c", t} + names, &stream), 0);
            QCOMPARE(arkive::tarStreamBytes(t.toStdString(), list), stream.trimmed().toULongLong());
        }
    }

    void cleanupTestCase()
    {
        ::close(m_socket);
        removeTree(QFile::encodeName(m_tmp.path()));
    }
};

QTEST_GUILESS_MAIN(TestTotalSize)
#include "tst_totalsize.moc"
