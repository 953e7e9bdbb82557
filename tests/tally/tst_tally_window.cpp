// The window face on the offscreen platform: a real pipe into the runner,
// the Stop button with its confirmation, closing during the work.
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "window.h"

using namespace tally;

namespace {

Options opts(Kind kind, std::optional<std::uint64_t> total = std::nullopt)
{
    Options o;
    o.kind = kind;
    o.kindGiven = true;
    o.total = total;
    return o;
}

QByteArray tarLines(int from, int count, int size = 100)
{
    QByteArray out;
    for (int i = from; i < from + count; ++i)
        out += "-rw-r--r-- root/root " + QByteArray::number(size) + " 2026-12-06 22:34 /mmc/mmca1/photos/file"
            + QByteArray::number(i) + ".jpg\n";
    return out;
}

// A pipe whose write end the test holds, non-blocking, so that the test can
// keep the event loop turning while it writes more than the pipe holds.
struct Pipe {
    int r = -1, w = -1;
    Pipe()
    {
        int p[2];
        if (::pipe(p) != 0)
            qFatal("pipe");
        r = p[0];
        w = p[1];
        ::fcntl(w, F_SETFL, ::fcntl(w, F_GETFL) | O_NONBLOCK);
    }
    ~Pipe()
    {
        closeWrite();
        if (r >= 0)
            ::close(r);
    }
    void closeWrite()
    {
        if (w >= 0)
            ::close(w);
        w = -1;
    }
    // Writes everything, turning the event loop while the pipe is full.
    bool write(const QByteArray& data, int timeoutMs = 20000)
    {
        QElapsedTimer t;
        t.start();
        qsizetype off = 0;
        while (off < data.size()) {
            const ssize_t n = ::write(w, data.constData() + off, static_cast<std::size_t>(data.size() - off));
            if (n > 0) {
                off += n;
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;   // EPIPE: the reader went away
            if (t.elapsed() > timeoutMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }
};

} // namespace

class TestTallyWindow : public QObject {
    Q_OBJECT
private slots:
    void showsProgressAndResult()
    {
        Pipe pipe;
        TallyWindow window(Operation::Packing);
        GuiRunner runner(opts(Kind::Tar, 1000), pipe.r, &window);
        QSignalSpy finished(&runner, &GuiRunner::finished);
        window.show();
        runner.start();
        QCOMPARE(window.titleText(), QStringLiteral("Packing"));
        QVERIFY(pipe.write(tarLines(0, 4)));
        QTRY_COMPARE(window.countsText(), QStringLiteral("4 entries"));
        QCOMPARE(window.memberText(), QStringLiteral("/mmc/mmca1/photos/file3.jpg"));
        QVERIFY(!window.progressBar()->isBusy());   // a total: determinate
        QCOMPARE(window.progressBar()->value(), 400);
        QVERIFY(window.stopButton()->isVisible());
        QVERIFY(!window.closeButton()->isVisible());
        QVERIFY(pipe.write(tarLines(4, 6)));
        pipe.closeWrite();
        QTRY_VERIFY(window.isFinished());
        QCOMPARE(window.titleText(), QStringLiteral("Packing done"));
        QCOMPARE(window.resultText(), QStringLiteral("The archive is complete."));
        QCOMPARE(window.progressBar()->value(), 1000);
        QVERIFY(!window.stopButton()->isVisible());
        QVERIFY(window.closeButton()->isVisible());
        QCOMPARE(runner.exitStatus(), 0);
        QCOMPARE(finished.count(), 0);   // the result stays until Close
        QTest::mouseClick(window.closeButton(), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
    }

    void busyBarWithoutTotal()
    {
        Pipe pipe;
        TallyWindow window(Operation::Unpacking);
        GuiRunner runner(opts(Kind::Tar), pipe.r, &window);
        window.show();
        runner.start();
        QVERIFY(pipe.write(tarLines(0, 3)));
        QTRY_COMPARE(window.countsText(), QStringLiteral("3 entries"));
        QCOMPARE(window.titleText(), QStringLiteral("Unpacking"));
        QVERIFY(window.progressBar()->isBusy());   // no total
        // The busy block moves with each repaint, not at the style's own rate.
        const int phase = window.progressBar()->phase();
        QTRY_VERIFY(window.progressBar()->phase() != phase);
        pipe.closeWrite();
        QTRY_VERIFY(window.isFinished());
        QCOMPARE(window.titleText(), QStringLiteral("Unpacking done"));
        QVERIFY(!window.progressBar()->isBusy());
        QCOMPARE(window.progressBar()->value(), 1000);
    }

    void stopAsksFirstThenCallsTheStopPath()
    {
        Pipe pipe;
        TallyWindow window(Operation::Packing);
        GuiRunner runner(opts(Kind::Tar, 100000), pipe.r, &window);
        int stops = 0;
        runner.setStopAction([&] {
            ++stops;
            pipe.closeWrite();   // as the killed archiver would
        });
        QSignalSpy finished(&runner, &GuiRunner::finished);
        window.show();
        runner.start();
        QVERIFY(pipe.write(tarLines(0, 5)));
        QTRY_COMPARE(window.countsText(), QStringLiteral("5 entries"));

        // Stop, then "Go on": nothing is stopped.
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QVERIFY(window.isConfirming());
        QVERIFY(window.confirmStopButton()->isVisible());
        QCOMPARE(stops, 0);
        QTest::mouseClick(window.keepGoingButton(), Qt::LeftButton);
        QVERIFY(!window.isConfirming());
        QCOMPARE(stops, 0);
        QVERIFY(window.stopButton()->isEnabled());
        QVERIFY(pipe.write(tarLines(5, 1)));
        QTRY_COMPARE(window.countsText(), QStringLiteral("6 entries"));

        // Stop, then "Stop now": the stop path runs once.
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QTest::mouseClick(window.confirmStopButton(), Qt::LeftButton);
        QCOMPARE(stops, 1);
        QVERIFY(!window.stopButton()->isEnabled());
        QTRY_VERIFY(window.isFinished());
        QCOMPARE(window.titleText(), QStringLiteral("Packing stopped"));
        QCOMPARE(window.resultText(), QStringLiteral("Stopped by you: a partial archive was left behind."));
        QCOMPARE(runner.exitStatus(), 3);
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);   // hidden: does nothing
        QCOMPARE(stops, 1);
        window.close();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 3);
    }

    void stopEndsARealWriterThatIgnoresSigterm()
    {
        // The default stop path on a real child (like tar in an extraction
        // pipeline, SIGTERM ignored) that is busy inside a large member.
        int p[2];
        QCOMPARE(::pipe(p), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::signal(SIGTERM, SIG_IGN);
            ::close(p[0]);
            const char line[] = "-rw-r--r-- root/root 5000000 2026-12-06 22:34 mmc/mmca1/docs/big.bin\n";
            for (;;) {
                ::write(p[1], line, sizeof line - 1);
                ::sleep(3);
            }
        }
        ::close(p[1]);
        TallyWindow window(Operation::Unpacking);
        GuiRunner runner(opts(Kind::Tar), p[0], &window);
        window.show();
        runner.start();
        QTRY_COMPARE(window.countsText(), QStringLiteral("1 entry"));
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QTest::mouseClick(window.confirmStopButton(), Qt::LeftButton);
        QCOMPARE(window.titleText(), QStringLiteral("Unpacking: stopping"));
        QTRY_VERIFY_WITH_TIMEOUT(window.isFinished(), 3000);
        QVERIFY2(t.elapsed() < 1500, "the stop took longer than about a second");
        QCOMPARE(window.titleText(), QStringLiteral("Unpacking stopped"));
        QCOMPARE(window.resultText(), QStringLiteral("Stopped by you: what was unpacked so far (1 entry, the last perhaps in part) was left in place."));
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), SIGKILL);
        ::close(p[0]);
    }

    void closingDuringTheWorkKeepsDraining()
    {
        Pipe pipe;
        TallyWindow window(Operation::Packing);
        GuiRunner runner(opts(Kind::Tar, 3000000), pipe.r, &window);
        QSignalSpy finished(&runner, &GuiRunner::finished);
        window.show();
        runner.start();
        QVERIFY(pipe.write(tarLines(0, 10)));
        QTRY_COMPARE(window.countsText(), QStringLiteral("10 entries"));
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QCOMPARE(finished.count(), 0);   // still reading
        // Much more than a pipe holds: the writer never sees a broken pipe.
        const QByteArray more = tarLines(10, 29990);
        QVERIFY(more.size() > 1000000);
        QVERIFY(pipe.write(more));
        pipe.closeWrite();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(runner.session().parser().counts().entries, std::uint64_t(30000));
        QCOMPARE(finished.at(0).at(0).toInt(), 0);   // 3,000,000 bytes: done
        QVERIFY(!window.isVisible());
    }

    void endOfInputWhileConfirming()
    {
        Pipe pipe;
        TallyWindow window(Operation::Unpacking);
        GuiRunner runner(opts(Kind::Tar), pipe.r, &window);
        int stops = 0;
        runner.setStopAction([&] { ++stops; });
        window.show();
        runner.start();
        QVERIFY(pipe.write(tarLines(0, 2)));
        QTRY_COMPARE(window.countsText(), QStringLiteral("2 entries"));
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QVERIFY(window.isConfirming());
        pipe.closeWrite();
        QTRY_VERIFY(window.isFinished());
        QVERIFY(!window.isConfirming());
        QCOMPARE(window.titleText(), QStringLiteral("Unpacking done"));
        QCOMPARE(stops, 0);
        QCOMPARE(runner.exitStatus(), 0);
    }

    void repaintsAtMostTenTimesASecond()
    {
        Pipe pipe;
        TallyWindow window(Operation::Packing);
        GuiRunner runner(opts(Kind::Tar, 1000000000), pipe.r, &window);
        window.show();
        runner.start();
        const int before = window.updates();
        QElapsedTimer t;
        t.start();
        int i = 0;
        while (t.elapsed() < 1000) {
            QVERIFY(pipe.write(tarLines(i, 50)));
            i += 50;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        }
        const qint64 ms = t.elapsed();
        QCoreApplication::processEvents();
        const int repaints = window.updates() - before;
        QVERIFY2(repaints <= ms / 100 + 2, qPrintable(QString::number(repaints)));
        QVERIFY(repaints >= 3);
        pipe.closeWrite();
        QTRY_VERIFY(window.isFinished());
    }

    void fitsThePhoneScreen()
    {
        Pipe pipe;
        TallyWindow window(Operation::Packing);
        GuiRunner runner(opts(Kind::Zip, 1000), pipe.r, &window);
        window.show();
        runner.start();
        QByteArray lines = "  adding: /mmc/mmca1/" + QByteArray(500, 'n') + "\t(in=5) (out=5) (stored 0%)\n";
        for (int i = 0; i < 3; ++i)
            lines += "\tzip warning: " + QByteArray(400, 'w') + "\n";
        QVERIFY(pipe.write(lines));
        pipe.closeWrite();
        QTRY_VERIFY(window.isFinished());
        QVERIFY(window.titleText().startsWith(QStringLiteral("Packing reported errors")));
        const QSize need = window.minimumSizeHint();
        QVERIFY2(need.width() <= kScreenWidth && need.height() <= kScreenHeight,
                 qPrintable(QStringLiteral("%1x%2").arg(need.width()).arg(need.height())));
        QVERIFY(window.width() <= kScreenWidth && window.height() <= kScreenHeight);
    }
};

QTEST_MAIN(TestTallyWindow)
#include "tst_tally_window.moc"
