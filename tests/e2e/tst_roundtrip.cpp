// Round trips with the real archivers and the real tally: a tree of hostile
// names packed through the compress dialog's OK into a folder with a
// hostile name, unpacked through the extract dialog's OK into another, must
// come back byte for byte, and every tally must say done.
#include "compressformats.h"

#include "e2e.h"

Q_DECLARE_METATYPE(CompressRequest)

class TestRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_world.setUp()); }
    void cleanupTestCase() { QCOMPARE(describeTree(m_world.work), Tree()); }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<CompressRequest>("options");
        QTest::addColumn<QByteArray>("method");   // a method that unzip -v shows
        const QStringList formats = compressFormats();
        QCOMPARE(formats.size(), 11);
        for (const QString& format : formats)
            QTest::newRow(qPrintable(format)) << format << CompressRequest() << QByteArray();
        CompressRequest zip;
        zip.password = QStringLiteral("p w'\"$`\\;&|x -P");
        QTest::newRow("zip password") << ".zip" << zip << QByteArray();
        zip = CompressRequest();
        zip.ratio = 0;
        QTest::newRow("zip ratio 0 stores") << ".zip" << zip << QByteArray("Stored");
        zip.ultra = true;
        QTest::newRow("zip ultra beats the ratio") << ".zip" << zip << QByteArray("Defl:X");
    }
    void roundTrip()
    {
        QFETCH(QString, format);
        QFETCH(CompressRequest, options);
        QFETCH(QByteArray, method);
        const bool zip = format == QLatin1String(".zip");
        const QByteArray tree = m_world.tree(zip);
        const QByteArray archive = m_world.pack({tree}, m_world.folder("out 'q' \"d\" $x `y`;&|<>"), format, options);
        QVERIFY(!archive.isEmpty());
        COMPARE_TALLIES(m_world, 1, 0);
        if (!method.isEmpty()) {
            QByteArray listing;
            QCOMPARE(runProgram({"unzip", "-v", archive}, &listing), 0);
            QVERIFY(listing.contains(method));
            QVERIFY(method != "Stored" || !listing.contains("Defl"));
        }
        const QByteArray out = m_world.folder("unpacked `touch canary` $(touch canary) '\"\\;\n\xfd");
        QVERIFY(m_world.unpack({archive}, out, options.password.toUtf8()));
        COMPARE_TALLIES(m_world, 1, 0);
        COMPARE_TREES(out + tree, tree);
    }

    // Split makes volumes of the given size that join into the archive.
    void zipSplit()
    {
        const QByteArray big = m_world.folder("big") + "/data";
        QCOMPARE(mkdir(big, 0755), 0);
        for (int i = 0; i < 5; ++i) {
            QByteArray data(600 * 1024, '\0');
            QRandomGenerator(i + 1).fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
            QVERIFY(writeBytes(big + "/part " + QByteArray::number(i), data));
        }
        CompressRequest options;
        options.split = true;
        options.splitSize = 1;
        const QByteArray out = m_world.folder("split");
        const QByteArray archive = m_world.pack({big}, out, QStringLiteral(".zip"), options);
        QVERIFY(!archive.isEmpty());
        COMPARE_TALLIES(m_world, 1, 0);
        struct stat st;
        QVERIFY(stat(archive.chopped(4) + ".z02", &st) == 0 && st.st_size == 1024 * 1024);
        QCOMPARE(runProgram({"zip", "-q", "-s", "0", archive, "--out", out + "/joined.zip"}), 0);
        QVERIFY(m_world.unpack({out + "/joined.zip"}, out));
        COMPARE_TREES(out + big, big);
    }

    // A file that exists already is kept with the box cleared and replaced
    // with it checked; the rest of the tree is unpacked either way.
    void overwriteChoice_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("zip keeps") << ".zip" << false;
        QTest::newRow("zip replaces") << ".zip" << true;
        QTest::newRow("tar.gz replaces") << ".tar.gz" << true;
    }
    void overwriteChoice()
    {
        QFETCH(QString, format);
        QFETCH(bool, overwrite);
        const QByteArray tree = m_world.tree(true);
        const QByteArray archive = m_world.pack({tree}, m_world.folder("ow"), format);
        const QByteArray out = m_world.folder("ow out");
        QCOMPARE(runProgram({"mkdir", "-p", out + tree}), 0);
        QVERIFY(writeBytes(out + tree + "/two words", "older\n"));
        QVERIFY(m_world.unpack({archive}, out, {}, overwrite));
        m_world.tallyEnds();
        QCOMPARE(readBytes(out + tree + "/two words"), overwrite ? readBytes(tree + "/two words") : "older\n");
        QCOMPARE(readBytes(out + tree + "/big.bin"), readBytes(tree + "/big.bin"));
        QCOMPARE(describeTree(out + tree).keys(), describeTree(tree).keys());
    }

    // One dialog, several archives into one folder, rar through the
    // stand-in; beside each zip lies one its name would match as a pattern.
    void severalArchivesAndDecoys()
    {
        const QByteArray in = m_world.folder("several");
        const QByteArray decoy = m_world.tree(true);
        QByteArrayList archives;
        QByteArrayList trees;
        for (const char* pair : {"w[1].zip|w1.zip", "a*.zip|ab.zip", "q?.zip|qq.zip"}) {
            const QByteArrayList names = QByteArray(pair).split('|');
            trees << m_world.tree(true);
            QCOMPARE(runProgram({"zip", "-qry", in + '/' + names.at(0), trees.last().mid(1)}, nullptr, "/"), 0);
            QCOMPARE(runProgram({"zip", "-qry", in + '/' + names.at(1), decoy.mid(1)}, nullptr, "/"), 0);
            archives << in + '/' + names.at(0);
        }
        // The unrar stand-in unpacks a tar under a rar name.
        trees << m_world.tree(false);
        QCOMPARE(runProgram({"tar", "-cf", in + "/r.rar", "-C", "/", trees.last().mid(1)}), 0);
        archives << in + "/r.rar";
        const QByteArray out = m_world.folder("several out");
        QVERIFY(m_world.unpack(archives, out));
        QCOMPARE(m_world.unrarFailures(), QByteArray());
        COMPARE_TALLIES(m_world, 4, 0);
        for (const QByteArray& tree : std::as_const(trees))
            COMPARE_TREES(out + tree, tree);
        QVERIFY(!describeTree(out).contains(decoy));
    }

    // Once a packing has started, SIGTERM and SIGUSR1 print a notice and
    // the program goes on.
    void signalsAreIgnored()
    {
        const QByteArray file = m_world.folder("signalled") + "/file";
        QVERIFY(writeBytes(file, "x\n"));
        QByteArray output;
        QCOMPARE(runProgram({ARKIVE_SIGTERM_HELPER, file}, &output), 0);
        QVERIFY(reapAll());
        m_world.tallyEnds();
        QCOMPARE(output, QByteArray("arkive: Signal SIGTERM is ignored\narkive: Signal SIGTERM is ignored\nalive\n"));
    }

private:
    e2e::World m_world;
};

QTEST_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
