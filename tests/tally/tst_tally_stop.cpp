// The stop path on real processes: the writers of tally's pipe are found
// through /proc and ended, with SIGKILL when they ignore SIGTERM as the
// archivers of an extraction pipeline do (they inherit it ignored).
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "stopper.h"
#include "tallytest.h"

using namespace tally;

namespace {

const char kLine[] = "-rw-r--r-- a/b 5 2026-12-06 22:34 x\n";

// Reads to the end of input; false when it has not come after 30 s of silence.
bool readsToTheEnd(int fd)
{
    char buf[4096];
    for (;;) {
        struct pollfd pfd {fd, POLLIN, 0};
        if (::poll(&pfd, 1, 30000) <= 0)
            return false;
        if (::read(fd, buf, sizeof buf) == 0)
            return true;
    }
}

int signalOf(tallytest::Child& child)
{
    const int status = child.wait();
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

} // namespace

class TestTallyStop : public QObject {
    Q_OBJECT
private slots:
    void endsThePipelineBehindTally()
    {
        // xz -d <A | tar xvvf - | tally: tar, the writer of tally's pipe,
        // ignores SIGTERM and is killed; then xz dies of SIGPIPE. xz also
        // holds the read end of tally's pipe: no writer, left alone.
        int upstream[2], ours[2];
        QCOMPARE(::pipe(upstream), 0);
        QCOMPARE(::pipe(ours), 0);
        tallytest::Child xz{::fork()};
        if (xz.pid == 0) {
            ::signal(SIGPIPE, SIG_DFL);
            ::close(upstream[0]);
            ::close(ours[1]);
            const char block[4096] = {};
            for (;;)
                if (::write(upstream[1], block, sizeof block) < 0)
                    ::_exit(8);
        }
        tallytest::Child tar{::fork()};
        if (tar.pid == 0) {
            ::signal(SIGTERM, SIG_IGN);
            ::close(upstream[1]);
            ::close(ours[0]);
            char block[4096];
            while (::read(upstream[0], block, sizeof block) > 0 && ::write(ours[1], kLine, sizeof kLine - 1) > 0)
                ::usleep(5000);
            ::_exit(7);
        }
        ::close(upstream[0]);
        ::close(upstream[1]);
        ::close(ours[1]);
        char buf[64];
        QVERIFY(::read(ours[0], buf, sizeof buf) > 0);   // it runs
        const StopReport r = stopPipeWriters(ours[0]);
        QCOMPARE(r.terminated, std::vector<pid_t>{tar.pid});
        QCOMPARE(r.killed, std::vector<pid_t>{tar.pid});
        QVERIFY(readsToTheEnd(ours[0]));
        QCOMPARE(signalOf(tar), SIGKILL);
        QCOMPARE(signalOf(xz), SIGPIPE);
        ::close(ours[0]);
    }

    void aHeededSigtermIsEnough()
    {
        // An archiver that ends on SIGTERM may clean up after itself: no SIGKILL.
        int p[2];
        QCOMPARE(::pipe(p), 0);
        tallytest::Child writer{::fork()};
        if (writer.pid == 0) {
            ::signal(SIGTERM, SIG_DFL);
            ::pause();
        }
        ::close(p[1]);
        PipeStopper stopper(p[0]);
        QCOMPARE(stopper.begin(), std::size_t(1));
        QTRY_VERIFY_WITH_TIMEOUT(stopper.remaining().empty(), 30000);
        QCOMPARE(stopper.finish(), std::size_t(0));
        QCOMPARE(signalOf(writer), SIGTERM);
        ::close(p[0]);
        // Standard input that is no pipe has no writers to end.
        const int null = ::open("/dev/null", O_RDONLY);
        QVERIFY(stopPipeWriters(null).terminated.empty());
        ::close(null);
    }
};

QTEST_APPLESS_MAIN(TestTallyStop)
#include "tst_tally_stop.moc"
