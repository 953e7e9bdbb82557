// The window face on the offscreen platform, reading a real pipe: progress,
// Stop that asks first and then ends a real pipeline, the result, and
// closing the window while the work goes on: the outcome then comes as a
// desktop notification (a real dbus-daemon on a private bus), and without
// a bus nothing breaks.
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "bytefiles.h"
#include "tallytest.h"
#include "window.h"

using namespace tally;

namespace {

constexpr int kWaitMs = 30000;   // the limit of every wait for a condition (ms)

// zip -v lines of members of 100 bytes with names wider than the screen.
QByteArray adding(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += "  adding: /mmc/" + QByteArray(100, 'n') + "/f" + QByteArray::number(i) + "\t(in=100) (out=100)\n";
    return out;
}

} // namespace

class TestTallyWindow : public QObject {
    Q_OBJECT
private slots:
    // Like xz -d <A | tar xvvf - | tally: the writer of tally's pipe ignores
    // SIGTERM, as the archivers of an extraction do; the stage before it
    // dies of SIGPIPE once the writer is gone. That stage holds tally's
    // pipe for reading only: no writer, left alone.
    void progressThenStopThatAsksFirst()
    {
        const QByteArray lines = adding(4);   // made before fork(): a child of a threaded process must not allocate
        int p[2], up[2];
        QVERIFY(::pipe(p) == 0 && ::pipe(up) == 0);
        tallytest::Child upstream{::fork()};
        if (upstream.pid == 0) {
            ::signal(SIGPIPE, SIG_DFL);
            ::close(p[1]);
            ::close(up[0]);
            const char block[4096] = {};
            while (::write(up[1], block, sizeof block) > 0) {
            }
            ::_exit(8);
        }
        tallytest::Child writer{::fork()};
        if (writer.pid == 0) {
            ::signal(SIGTERM, SIG_IGN);
            ::close(up[1]);
            char block[4096];
            if (::write(p[1], lines.constData(), std::size_t(lines.size())) == lines.size())
                while (::read(up[0], block, sizeof block) > 0)
                    ::usleep(5000);
            ::_exit(7);
        }
        for (const int fd : {p[1], up[0], up[1]})
            ::close(fd);
        TallyWindow window(Operation::Packing);
        GuiRunner runner(tallytest::options("-T 1000 -t zip"), p[0], &window);
        QSignalSpy finished(&runner, &GuiRunner::finished);
        window.showSoon();   // as tally-window does: the window first, its contents once it is painted
        runner.start();
        QTRY_COMPARE_WITH_TIMEOUT(window.progressBar()->value(), 400, kWaitMs);
        QVERIFY(window.stopButton()->isVisible() && window.memberText().endsWith("/f3"));
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QVERIFY(window.isConfirming());
        QTest::mouseClick(window.keepGoingButton(), Qt::LeftButton);   // "Go on"
        QVERIFY(!window.isConfirming() && window.stopButton()->isEnabled());
        QCOMPARE(::waitpid(writer.pid, nullptr, WNOHANG), 0);   // still at work
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QTest::mouseClick(window.confirmStopButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(window.isFinished(), kWaitMs);
        QCOMPARE(runner.exitStatus(), 3);
        QCOMPARE(WTERMSIG(writer.wait()), SIGKILL);
        QCOMPARE(WTERMSIG(upstream.wait()), SIGPIPE);
        QVERIFY(!window.stopButton()->isVisible() && window.closeButton()->isVisible());
        const QSize need = window.minimumSizeHint();   // names far wider than the phone's screen
        QVERIFY(need.width() <= kScreenWidth && need.height() <= kScreenHeight);
        QCOMPARE(finished.count(), 0);   // the result stays until Close
        QTest::mouseClick(window.closeButton(), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        ::close(p[0]);
    }

    // Closed during the work, the window keeps reading (far more than a
    // pipe holds: the writer is never left blocked nor sees a broken pipe),
    // then posts the outcome to a notification service on a private session
    // bus; with no bus nothing breaks.
    void closingDuringTheWorkKeepsReadingThenNotifies()
    {
        for (const bool service : {true, false}) {
            QTemporaryDir dir;
            const QString record = dir.filePath("notices");
            QProcess bus, recorder;
            qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(dir.filePath("none")));
            if (service) {
                bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
                QTRY_VERIFY_WITH_TIMEOUT(bus.canReadLine(), kWaitMs);
                qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
                recorder.start(NOTICE_RECORDER, {record});
                QTRY_VERIFY_WITH_TIMEOUT(recorder.canReadLine(), kWaitMs);   // "ready"
            }
            int p[2];
            QCOMPARE(::pipe(p), 0);
            TallyWindow window(Operation::Packing);
            GuiRunner runner(tallytest::options("-T 3000000 -t zip --archive=/mmc/a&<b>.zip"), p[0], &window);
            QSignalSpy finished(&runner, &GuiRunner::finished);
            window.show();
            runner.start();
            QVERIFY(window.close());
            const QByteArray lines = adding(30000) + "total bytes=3000000\n";
            tallytest::Child writer{::fork()};
            if (writer.pid == 0)
                ::_exit(::write(p[1], lines.constData(), std::size_t(lines.size())) == lines.size() ? 0 : 1);
            ::close(p[1]);
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
            QCOMPARE(finished.at(0).at(0).toInt(), 0);
            QCOMPARE(runner.session().parser().counts().entries, std::uint64_t(30000));
            QCOMPARE(writer.wait(), 0);
            ::close(p[0]);
            // Application, icon, summary, body; markup left as it is for a service that reads none.
            QFile notices(record);
            QCOMPARE(notices.open(QIODevice::ReadOnly), service);
            QCOMPARE(QString::fromUtf8(notices.readAll()),
                     service ? "tally\narkive\nPacking done\n\u2192 /mmc/a&<b>.zip\nThe archive is complete.\n\n" : "");
        }
    }

    // An archiver that ended early: the count stands as a count, not as the
    // counts line ("ended after Entries: 5 of 13"). A split set is named
    // with its volumes.
    void endedEarlyWords()
    {
        Snapshot s;
        s.outcome = Outcome::EndedEarly;
        s.entries = 5;
        s.totalEntries = 13;
        QCOMPARE(TallyWindow::detailWords(s), "The archiver ended without saying that it had finished (entries: 5 of 13).");
        TallyWindow window(Operation::Unpacking);
        window.setVolumes(3);
        s.job = "/x/a.7z.001 \u2192 /y";
        window.showSnapshot(s);
        QCOMPARE(window.jobText(), QString::fromUtf8("/x/a.7z.001 \u2192 /y (3 volumes)"));
    }
    // Placing 50,000 files runs beside the window: it counts, and Stop,
    // pressed while it places, ends the placement after the entry being
    // moved: some entries are placed, each whole, the rest is removed with
    // the private folder. Once the result shows, a window that is hidden
    // (as a window manager does) ends tally as Close does.
    void stopWhilePlacing()
    {
        constexpr int kFiles = 50000;
        // Removing what was not placed takes long on a loaded machine (over 30 s for 100,000 files).
        constexpr int kRemovalWaitMs = 4 * kWaitMs;
        QTemporaryDir tmp;
        const QByteArray d = QFile::encodeName(tmp.path()), staging = d + "/out/.s";
        QVERIFY(::mkdir(d + "/out", 0755) == 0 && ::mkdir(staging, 0700) == 0);
        for (int i = 0; i < kFiles; ++i)
            QVERIFY(writeBytes(staging + "/f" + QByteArray::number(i), "whole"));
        int p[2];
        QCOMPARE(::pipe(p), 0);
        const QByteArray input = tallytest::tarLine("5", "f1") + QByteArrayLiteral("\0Star 0\0");
        QCOMPARE(::write(p[1], input.constData(), std::size_t(input.size())), input.size());
        ::close(p[1]);
        TallyWindow window(Operation::Unpacking);
        GuiRunner runner(tallytest::options("-t tar --unpack --folder=" + d + "/out --staging=" + staging + " --stages=1"),
                         p[0], &window);
        QSignalSpy finished(&runner, &GuiRunner::finished);
        window.show();
        runner.start();
        QTRY_VERIFY_WITH_TIMEOUT(runner.session().snapshot(Clock::now()).placed > 0, kWaitMs);
        QVERIFY(runner.session().placing() && window.stopButton()->isVisible());
        QVERIFY2(window.resultText().startsWith("Placing "), qPrintable(window.resultText()));
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QTest::mouseClick(window.confirmStopButton(), Qt::LeftButton);
        QVERIFY(window.resultText().startsWith("Stopping after the entry being placed"));
        QTRY_VERIFY_WITH_TIMEOUT(window.isFinished(), kRemovalWaitMs);
        QCOMPARE(runner.exitStatus(), 3);
        QCOMPARE(window.titleText(), QString("Unpacking stopped"));
        const QByteArrayList placed = namesIn(d + "/out");
        QVERIFY2(placed.size() > 0 && placed.size() < kFiles, QByteArray::number(placed.size()).constData());
        for (const QByteArray& name : placed)
            QCOMPARE(readBytes(d + "/out/" + name), QByteArray("whole"));
        QVERIFY(window.resultText().contains(
            QString("Stopped while placing: %1 entries were placed, each whole").arg(placed.size())));
        QCOMPARE(finished.count(), 0);
        window.hide();
        QCOMPARE(finished.count(), 1);
        ::close(p[0]);
    }
};

QTEST_MAIN(TestTallyWindow)
#include "tst_tally_window.moc"
