// Round trips with the real archivers and the real tally: a tree of hostile
// names packed through the compress dialog's OK into a folder with a
// hostile name, unpacked through the extract dialog's OK into another, must
// come back byte for byte, and every tally must say done.
#include "compressformats.h"

#include "e2e.h"

#include <QScopeGuard>

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

    // Split makes volumes of the given size that Extract unpacks (an entry
    // spans four of them); a new set replaces an old set of the same name
    // whole, and a later archive without volumes leaves none behind.
    void zipSplit()
    {
        const QByteArray dir = m_world.folder("split");
        const QByteArray big = m_world.folder("big") + "/data";
        QCOMPARE(mkdir(big, 0755), 0);
        QByteArray data(3500 * 1024, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
        QVERIFY(writeBytes(big + "/spans volumes", data) && writeBytes(big + "/small", "small\n"));
        const QByteArray base = dir + "/pack $n ;`x` -";
        for (const char* old : {".zip", ".z01", ".z02", ".z03", ".z04", ".z05"})
            QVERIFY(writeBytes(base + old, "an older set\n"));
        CompressRequest options;
        options.split = true;
        options.splitSize = 1;
        options.password = QStringLiteral("p w");
        const QByteArray archive = m_world.pack({big}, dir, QStringLiteral(".zip"), options);
        QCOMPARE(archive, base + ".zip");
        COMPARE_TALLIES(m_world, 1, 0);
        const auto volumes = [&dir] {
            QByteArrayList names = describeTree(dir).keys();
            names.erase(std::remove_if(names.begin(), names.end(), [](const QByteArray& n) { return !n.contains(".z"); }),
                        names.end());
            return names;
        };
        QCOMPARE(volumes(), QByteArrayList({"/pack $n ;`x` -.z01", "/pack $n ;`x` -.z02", "/pack $n ;`x` -.z03",
                                            "/pack $n ;`x` -.zip"}));
        const QByteArray out = m_world.folder("split out");
        QVERIFY(m_world.unpack({archive}, out, "p w"));
        COMPARE_TALLIES(m_world, 1, 0);
        COMPARE_TREES(out + big, big);
        QVERIFY(!m_world.pack({big}, dir, QStringLiteral(".zip")).isEmpty());
        COMPARE_TALLIES(m_world, 1, 0);
        QCOMPARE(volumes(), QByteArrayList({"/pack $n ;`x` -.zip"}));
    }

    // An archive of the chosen name is replaced only when the user says so,
    // and only by an archive that was packed whole; packing the archive
    // itself into its successor keeps it, inside.
    void replacingAnArchive()
    {
        const QByteArray dir = m_world.folder("replace");
        const QByteArray tree = m_world.tree(false);
        const QByteArray archive = dir + "/pack $n ;`x` -.tar.gz";
        QVERIFY(writeBytes(archive, "an older archive\n"));
        QCOMPARE(m_world.pack({tree}, dir, QStringLiteral(".tar.gz"), {}, "Cancel"), QByteArray("(not accepted)"));
        COMPARE_TALLIES(m_world, 0, 0);
        QVERIFY(!m_world.pack({tree, dir + "/gone"}, dir, QStringLiteral(".tar.gz")).isEmpty());
        COMPARE_TALLIES(m_world, 1, 1);
        QCOMPARE(readBytes(archive), QByteArray("an older archive\n"));
        QCOMPARE(m_world.pack({archive}, dir, QStringLiteral(".tar.gz")), archive);
        COMPARE_TALLIES(m_world, 1, 0);
        QByteArray inside;
        QCOMPARE(runProgram({"tar", "-xzOf", archive, archive.mid(1)}, &inside), 0);
        QCOMPARE(inside, QByteArray("an older archive\n"));
        QCOMPARE(describeTree(dir).size(), 1);   // no partial archive left
    }

    // A complete zip of a folder and a file in it is done.
    void noFalseAlarm()
    {
        const QByteArray tree = m_world.tree(true);
        QVERIFY(!m_world.pack({tree, tree + "/two words"}, m_world.folder("both"), QStringLiteral(".zip")).isEmpty());
        COMPARE_TALLIES(m_world, 1, 0);
    }

    // A file that exists already is kept with the box cleared and replaced
    // with it checked, for every type; the rest of the tree is unpacked
    // either way, and tally tells how many it kept.
    void overwriteChoice_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("overwrite");
        for (const char* format : {".tar", ".tar.gz", ".tar.xz", ".zip"}) {
            QTest::newRow((QByteArray(format) + " keeps").constData()) << format << false;
            QTest::newRow((QByteArray(format) + " replaces").constData()) << format << true;
        }
    }
    void overwriteChoice()
    {
        QFETCH(QString, format);
        QFETCH(bool, overwrite);
        const QByteArray tree = m_world.tree(true);
        const QByteArray archive = m_world.pack({tree}, m_world.folder("ow"), format);
        m_world.tallyEnds();
        const QByteArray out = m_world.folder("ow out");
        QCOMPARE(runProgram({"mkdir", "-p", out + tree}), 0);
        QVERIFY(writeBytes(out + tree + "/two words", "older\n"));
        QVERIFY(m_world.unpack({archive}, out, {}, overwrite));
        const QList<e2e::TallyEnd> ends = m_world.tallyEnds();
        QCOMPARE(ends.size(), 1);
        QCOMPARE(ends.first().status, 0);
        QCOMPARE(ends.first().summary.contains("1 file that existed was kept"), !overwrite);
        QCOMPARE(readBytes(out + tree + "/two words"), overwrite ? readBytes(tree + "/two words") : "older\n");
        QCOMPARE(readBytes(out + tree + "/big.bin"), readBytes(tree + "/big.bin"));
        QCOMPARE(describeTree(out + tree).keys(), describeTree(tree).keys());
    }

    // A rar runs in the background like the rest: the dialog returns, and
    // the archive after it in the list unpacks, while unrar still works.
    void rarDoesNotHoldTheRest()
    {
        const QByteArray in = m_world.folder("rar first");
        const QByteArray tree = m_world.tree(true);
        QCOMPARE(runProgram({"tar", "-cf", in + "/a.rar", "-C", "/", tree.mid(1)}), 0);
        QCOMPARE(runProgram({"zip", "-qry", in + "/b.zip", tree.mid(1)}, nullptr, "/"), 0);
        const QByteArray out = m_world.folder("rar out");
        const QByteArray gate = m_world.root + "/unrar gate";
        qputenv("ARKIVE_UNRAR_GATE", gate);
        const auto closeGate = qScopeGuard([] { qunsetenv("ARKIVE_UNRAR_GATE"); });
        qputenv("ARKIVE_UNRAR_EXPECT_O", "-o+");
        qputenv("ARKIVE_UNRAR_EXPECT_P", "-p-");
        ExtractDialog dialog;
        dialog.setFiles({fromLocalBytes(in + "/a.rar"), fromLocalBytes(in + "/b.zip")});
        dialog.setOutDir(fromLocalBytes(out));
        dialog.accept();
        QList<e2e::TallyEnd> ends;   // QTRY_ looks once more at the end: gather, do not consume
        QTRY_VERIFY_WITH_TIMEOUT((ends += m_world.tallyEnds()).size() == 1, 30000);   // b.zip; unrar waits
        QVERIFY(writeBytes(gate, {}));
        QVERIFY(reapAll());
        COMPARE_TALLIES(m_world, 1, 0);
        QCOMPARE(m_world.unrarFailures(), QByteArray());
        COMPARE_TREES(out + tree, tree);
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

private:
    e2e::World m_world;
};

QTEST_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
