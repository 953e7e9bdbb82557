// The records of running jobs, and the removal of what ended jobs left.
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "bytefiles.h"
#include "jobrecords.h"

class TestJobRecords : public QObject
{
    Q_OBJECT

private slots:
    // A job counts as running while its line holds the record's lock (here
    // the test's own descriptor); once the lock is gone, its .arkive-TOKEN
    // names go with everything they hold, even a folder shut to its owner,
    // and so does the record. Names of other jobs, of a job that runs, a
    // record being written and a record that says nothing stay untouched.
    void leftoversOfEndedJobs()
    {
        QTemporaryDir tmp;
        const QByteArray d = QFile::encodeName(tmp.path()), out = d + "/out", jobs = d + "/state/arkive/jobs";
        QVERIFY(::mkdir(out, 0755) == 0 && ::mkdir(out + "/.arkive-Aa1", 0700) == 0
                && ::mkdir(out + "/.arkive-Aa1/shut", 0700) == 0);
        for (const char* file : {"/.arkive-Aa1/shut/f", "/.arkive-Aa1.part", "/.arkive-Aa1.z01", "/.arkive-Aa12.part",
                                 "/.arkive-Aa1x", "/.arkive-Bb2.zip", "/keep.txt"})
            QVERIFY(writeBytes(out + file, "12345"));
        QVERIFY(::chmod(out + "/.arkive-Aa1/shut", 0) == 0);
        const int ended = arkive::openJobRecord(jobs.toStdString(), "Aa1", out.toStdString(), (out + "/a.zip").toStdString());
        const int running = arkive::openJobRecord(jobs.toStdString(), "Bb2", out.toStdString(), (out + "/b.zip").toStdString());
        QVERIFY(ended >= 0 && running >= 0);
        QCOMPARE(arkive::openJobRecord(jobs.toStdString(), "Aa1", "/x", "/x/y"), -1);   // a token is used once
        QCOMPARE(arkive::openJobRecord(jobs.toStdString(), "../x", "/x", "/x/y"), -1);
        QVERIFY(writeBytes(jobs + "/Cc3.new", "partly") && writeBytes(jobs + "/Dd4", "no folder"));
        // (The compress dialog's test finds the held job's archive busy, and free once the job has ended.)
        QVERIFY(!arkive::jobWorksOn(jobs.toStdString(), (out + "/c.zip").toStdString()));
        QVERIFY(arkive::removeLeftovers(jobs.toStdString()).empty());
        QVERIFY(namesIn(out).contains(".arkive-Aa1.part"));   // its line still ran

        ::close(ended);
        QByteArrayList removed;
        for (const arkive::Leftover& l : arkive::removeLeftovers(jobs.toStdString()))
            removed << QByteArray::fromStdString(l.path) + ' ' + QByteArray::number(qulonglong(l.bytes));
        QCOMPARE(sorted(removed), QByteArrayList({out + "/.arkive-Aa1 5", out + "/.arkive-Aa1.part 5", out + "/.arkive-Aa1.z01 5"}));
        QCOMPARE(sorted(namesIn(out)), QByteArrayList({".arkive-Aa12.part", ".arkive-Aa1x", ".arkive-Bb2.zip", "keep.txt"}));
        QCOMPARE(sorted(namesIn(jobs)), QByteArrayList({"Bb2", "Cc3.new"}));
        ::close(running);
    }
};

QTEST_GUILESS_MAIN(TestJobRecords)
#include "tst_jobrecords.moc"
