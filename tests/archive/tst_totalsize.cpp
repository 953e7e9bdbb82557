// The byte total handed to tally.
#include "shellword.h"
#include "totalsize.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Byte paths go to the system as they are.
void writeFile(const QByteArray& path, qint64 size)
{
    const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    QVERIFY(fd >= 0);
    const QByteArray data(size, 'x');
    QCOMPARE(write(fd, data.constData(), data.size()), ssize_t(size));
    close(fd);
}

} // namespace

class TestTotalSize : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_tmp.isValid());
        m_root = QFile::encodeName(m_tmp.path());
    }

    void filesAndHiddenEntries()
    {
        const QByteArray f = m_root + "/f1";
        QVERIFY(mkdir(f, 0700) == 0);
        writeFile(f + "/a", 100);
        writeFile(f + "/b", 200);
        writeFile(f + "/c", 300);
        QCOMPARE(totalSize({QString::fromUtf8(f)}), quint64(600));

        // Hidden entries inside a folder do not count; a hidden file chosen
        // directly does.
        writeFile(f + "/.hidden", 50);
        QVERIFY(mkdir(f + "/.cache", 0700) == 0);
        writeFile(f + "/.cache/big", 1000);
        QCOMPARE(totalSize({QString::fromUtf8(f)}), quint64(600));
        QCOMPARE(totalSize({QString::fromUtf8(f + "/.hidden")}), quint64(50));

        // Nested folders, list order, and each path counted as often as given.
        QVERIFY(mkdir(f + "/sub", 0700) == 0);
        QVERIFY(mkdir(f + "/sub/deeper", 0700) == 0);
        writeFile(f + "/sub/deeper/d", 7);
        QCOMPARE(totalSize({QString::fromUtf8(f), QString::fromUtf8(f + "/a")}), quint64(707));
        QCOMPARE(totalSize({QStringLiteral("."), QStringLiteral(".."), QString::fromUtf8(f + "/b")}),
                 quint64(200));
        QCOMPARE(totalSize({}), quint64(0));
    }

    // Links are followed; dangling links and special files inside folders
    // add nothing; a vanished path adds 0; a loop ends.
    void linksLoopsAndVanishedPaths()
    {
        const QByteArray t = m_root + "/t";
        QVERIFY(mkdir(t, 0700) == 0);
        QVERIFY(mkdir(t + "/real", 0700) == 0);
        writeFile(t + "/real/file", 10);
        QVERIFY(symlink("real/file", t + "/linked-file") == 0);
        QVERIFY(symlink("/nonexistent", t + "/dangling") == 0);
        QVERIFY(mkfifo(t + "/fifo", 0600) == 0);
        QCOMPARE(totalSize({QString::fromUtf8(t)}), quint64(20));

        QVERIFY(symlink("..", t + "/real/up") == 0);      // back to t
        QVERIFY(symlink(".", t + "/real/self") == 0);     // to itself
        QVERIFY(symlink(t, t + "/real/absolute") == 0);
        QCOMPARE(totalSize({QString::fromUtf8(t)}), quint64(20));
        // Starting below the loop, the walk climbs to t once and stops.
        QCOMPARE(totalSize({QString::fromUtf8(t + "/real")}), quint64(20));

        QVERIFY(symlink(t, m_root + "/to-t") == 0);
        QCOMPARE(totalSize({QString::fromUtf8(m_root + "/to-t")}), quint64(20));

        QCOMPARE(totalSize({QString::fromUtf8(m_root + "/gone"), QString::fromUtf8(t + "/real/file")}),
                 quint64(10));
    }

    // Names that are not UTF-8 reach the file system as the same bytes.
    void byteNames()
    {
        const QByteArray odd = m_root + "/caf\xe9\xff";
        QVERIFY(mkdir(odd, 0700) == 0);
        writeFile(odd + "/x\x80", 5);
        QCOMPARE(totalSize({fromLocalBytes(odd)}), quint64(5));
    }

    // Beyond 32 bits: sparse files of 3 GiB each add up past 4 GiB.
    void wideTotal()
    {
        const QByteArray w = m_root + "/wide";
        QVERIFY(mkdir(w, 0700) == 0);
        const qint64 three = qint64(3) << 30;
        for (const char* name : {"/a", "/b"}) {
            QFile file(QString::fromUtf8(w + name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(three));
        }
        QCOMPARE(totalSize({QString::fromUtf8(w)}), quint64(2 * three));
    }

    // QTemporaryDir cannot remove names that are not UTF-8.
    void cleanupTestCase()
    {
        const QByteArray odd = m_root + "/caf\xe9\xff";
        QCOMPARE(unlink(odd + "/x\x80"), 0);
        QCOMPARE(rmdir(odd), 0);
    }

private:
    QTemporaryDir m_tmp;
    QByteArray m_root;
};

QTEST_GUILESS_MAIN(TestTotalSize)
#include "tst_totalsize.moc"
