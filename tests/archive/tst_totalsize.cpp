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
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        const QByteArray t = QFile::encodeName(m_tmp.path());
        for (const char* dir : {"/f", "/f/.cache", "/f/sub", "/f/sub/deeper", "/caf\xe9\xff", "/wide"})
            QCOMPARE(mkdir(t + dir, 0700), 0);
        for (const auto& [name, size] : {std::pair{"/f/a", 100}, {"/f/b", 200}, {"/f/.hidden", 50},
                                         {"/f/.cache/big", 1000}, {"/f/sub/deeper/d", 7}, {"/caf\xe9\xff/x\x80", 5}})
            QVERIFY(writeBytes(t + name, QByteArray(size, 'x')));
        QCOMPARE(symlink("a", t + "/f/linked-file"), 0);       // counted again through the link
        QCOMPARE(symlink("/nonexistent", t + "/f/dangling"), 0);
        QCOMPARE(mkfifo(t + "/f/fifo", 0600), 0);
        QCOMPARE(symlink("..", t + "/f/sub/up"), 0);           // loops
        QCOMPARE(symlink(".", t + "/f/sub/self"), 0);
        QCOMPARE(symlink(t + "/f", t + "/to-f"), 0);
        for (const char* sparse : {"/wide/a", "/wide/b"})
            QVERIFY(writeBytes(t + sparse, {}) && truncate(t + sparse, qint64(3) << 30) == 0);
    }

    void totals_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<quint64>("total");
        QTest::newRow("folder, hidden left out, link followed, loops end") << QStringList{"f"} << quint64(407);
        QTest::newRow("hidden file chosen directly") << QStringList{"f/.hidden"} << quint64(50);
        QTest::newRow("each path as often as given") << QStringList{"f", "f/a"} << quint64(507);
        QTest::newRow("starting inside the loop") << QStringList{"f/sub"} << quint64(407);
        QTest::newRow("link to the folder") << QStringList{"to-f"} << quint64(407);
        QTest::newRow("dot, dot-dot and a vanished path") << QStringList{".", "..", "gone", "f/b"} << quint64(200);
        QTest::newRow("name that is not UTF-8") << QStringList{fromLocalBytes("caf\xe9\xff")} << quint64(5);
        QTest::newRow("beyond 32 bits") << QStringList{"wide"} << (quint64(6) << 30);
        QTest::newRow("nothing") << QStringList() << quint64(0);
    }
    void totals()
    {
        QFETCH(QStringList, paths);
        QFETCH(quint64, total);
        for (QString& path : paths)
            if (path != QLatin1String(".") && path != QLatin1String(".."))
                path = m_tmp.path() + QLatin1Char('/') + path;
        QCOMPARE(totalSize(paths), total);
    }

    void cleanupTestCase() { removeTree(QFile::encodeName(m_tmp.path())); }

private:
    QTemporaryDir m_tmp;
};

QTEST_GUILESS_MAIN(TestTotalSize)
#include "tst_totalsize.moc"
