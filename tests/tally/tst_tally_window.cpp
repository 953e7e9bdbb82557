// The window face on the offscreen platform, reading a real pipe: progress,
// Stop that asks first and then ends a real writer, the result, and closing
// the window while the work goes on.
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <unistd.h>

#include "tallytest.h"
#include "window.h"

using namespace tally;

namespace {

constexpr int kWaitMs = 30000;   // the limit of every wait for a condition (ms)

// zip -v lines of members of 100 bytes with names wider than the screen.
QByteArray adding(int from, int count)
{
    QByteArray out;
    for (int i = from; i < from + count; ++i)
        out += "  adding: /mmc/" + QByteArray(100, 'n') + "/f" + QByteArray::number(i) + "\t(in=100) (out=100)\n";
    return out;
}

// A child that writes data into the pipe and ends, or holds it open for ever.
pid_t writer(const int p[2], const QByteArray& data, bool ignoresTerm, bool stays)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGTERM, ignoresTerm ? SIG_IGN : SIG_DFL);
        ::close(p[0]);
        const bool ok = ::write(p[1], data.constData(), static_cast<std::size_t>(data.size())) == data.size();
        while (stays)
            ::pause();
        ::_exit(ok ? 0 : 1);
    }
    ::close(p[1]);
    return pid;
}

} // namespace

class TestTallyWindow : public QObject {
    Q_OBJECT
private slots:
    void progressThenStopThatAsksFirst()
    {
        // The writer ignores SIGTERM, as the archivers of an extraction do.
        int p[2];
        QCOMPARE(::pipe(p), 0);
        tallytest::Child child{writer(p, adding(0, 4), true, true)};
        TallyWindow window(Operation::Packing);
        GuiRunner runner(tallytest::options("-T 1000 -t zip"), p[0], &window);
        QSignalSpy finished(&runner, &GuiRunner::finished);
        window.show();
        runner.start();
        QTRY_COMPARE_WITH_TIMEOUT(window.progressBar()->value(), 400, kWaitMs);
        QVERIFY(window.memberText().endsWith(QStringLiteral("/f3")));
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QVERIFY(window.isConfirming());
        QTest::mouseClick(window.keepGoingButton(), Qt::LeftButton);   // "Go on"
        QVERIFY(!window.isConfirming() && window.stopButton()->isEnabled());
        QCOMPARE(::waitpid(child.pid, nullptr, WNOHANG), 0);   // still at work
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QTest::mouseClick(window.confirmStopButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(window.isFinished(), kWaitMs);
        QCOMPARE(runner.exitStatus(), 3);
        const int status = child.wait();
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QVERIFY(!window.stopButton()->isVisible() && window.closeButton()->isVisible());
        const QSize need = window.minimumSizeHint();   // names far wider than the phone's screen
        QVERIFY(need.width() <= kScreenWidth && need.height() <= kScreenHeight);
        QCOMPARE(finished.count(), 0);   // the result stays until Close
        QTest::mouseClick(window.closeButton(), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        ::close(p[0]);
    }

    void closingDuringTheWorkKeepsReading()
    {
        // Far more than a pipe holds: the writer must never be left blocked or see a broken pipe.
        int p[2];
        QCOMPARE(::pipe(p), 0);
        TallyWindow window(Operation::Packing);
        GuiRunner runner(tallytest::options("-T 3000000 -t zip"), p[0], &window);
        QSignalSpy finished(&runner, &GuiRunner::finished);
        window.show();
        runner.start();
        QVERIFY(window.close());
        tallytest::Child child{writer(p, adding(0, 30000) + "total bytes=3000000\n", false, false)};
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
        QCOMPARE(runner.session().parser().counts().entries, std::uint64_t(30000));
        const int status = child.wait();
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        ::close(p[0]);
    }
};

QTEST_MAIN(TestTallyWindow)
#include "tst_tally_window.moc"
