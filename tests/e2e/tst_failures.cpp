// What goes wrong, with the real tools and the real tally: each failure row
// must end in tally's verdict for it, in the tool's own words; each hostile
// archive row must leave everything outside the output folder as it was.
#include "e2e.h"

#include <functional>

namespace {

struct Failure
{
    const char* tag;
    // Starts the failing job in a fresh folder; false when it could not.
    std::function<bool(e2e::World&, const QByteArray& dir)> run;
    int status;            // tally's exit status: 1 errors, 2 ended early
    QByteArray words;      // what its last line must hold
};

const QList<Failure>& failureRows()
{
    static const QList<Failure> rows = {
        {"missing tar", [](e2e::World& w, const QByteArray& dir) { return w.unpack({dir + "/gone.tar"}, dir); },
         2, ""},
        {"missing zip", [](e2e::World& w, const QByteArray& dir) { return w.unpack({dir + "/gone.zip"}, dir); },
         2, ""},
    };
    return rows;
}

} // namespace

class TestFailures : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_world.setUp()); }
    void cleanupTestCase() { QCOMPARE(describeTree(m_world.work), Tree()); }

    void failures_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < failureRows().size(); ++i)
            QTest::newRow(failureRows().at(i).tag) << i;
    }
    void failures()
    {
        QFETCH(int, row);
        const Failure& failure = failureRows().at(row);
        QVERIFY(failure.run(m_world, m_world.folder("failure")));
        const QList<e2e::TallyEnd> ends = m_world.tallyEnds();
        QCOMPARE(ends.size(), 1);
        QVERIFY2(ends.first().status == failure.status, ends.first().summary.constData());
        QVERIFY2(ends.first().summary.contains(failure.words), ends.first().summary.constData());
    }

    // Archives made here try to write beside the output folder: through
    // "../", absolute names, links and hard links. Several archives in a
    // row are unpacked into the same folder.
    void hostileArchives_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QByteArrayList>("scenarios");
        for (const char* format : {".tar", ".tar.gz", ".tar.xz", ".zip"}) {
            for (const char* scenario : {"dotdot", "absolute", "link then write", "hard link outside"})
                QTest::newRow((QByteArray(scenario) + ' ' + format).constData())
                    << QByteArray(format) << QByteArrayList{scenario};
        }
    }
    void hostileArchives()
    {
        QFETCH(QByteArray, format);
        QFETCH(QByteArrayList, scenarios);
        const QByteArray dir = m_world.folder("hostile");
        const QByteArray outside = dir + "/outside";
        const QByteArray out = dir + "/out";
        QVERIFY(mkdir(outside, 0755) == 0 && mkdir(out, 0755) == 0);
        QVERIFY(writeBytes(outside + "/target", "kept\n"));
        const Tree before = describeTree(dir);
        for (const QByteArray& scenario : scenarios) {
            const QByteArray archive = dir + '/' + scenario + format;
            QCOMPARE(runProgram({ARKIVE_TEST_SOURCE_DIR "/hostile.py", archive, scenario, outside}), 0);
            QVERIFY(m_world.unpack({archive}, out));
            m_world.tallyEnds();
        }
        Tree after = describeTree(dir);
        for (const QByteArray& key : after.keys())
            if (key.startsWith("/out/"))
                after.remove(key);   // what was unpacked
        for (const QByteArray& scenario : scenarios)
            after.remove('/' + scenario + format);
        QCOMPARE(after, before);
    }

private:
    e2e::World m_world;
};

QTEST_MAIN(TestFailures)
#include "tst_failures.moc"
