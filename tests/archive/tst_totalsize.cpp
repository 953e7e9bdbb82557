// The byte total handed to tally: files count their size, folders what they
// hold but hidden entries, links are followed, loops end, totals pass 4 GiB.
#include "localbytes.h"
#include "totalsize.h"

#include "bytefiles.h"

#include <QTemporaryDir>
#include <QTest>

class TestTotalSize : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;

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

    void cleanupTestCase() { removeTree(QFile::encodeName(m_tmp.path())); }
};

QTEST_GUILESS_MAIN(TestTotalSize)
#include "tst_totalsize.moc"
