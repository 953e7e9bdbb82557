// The stop path: ending the processes that write into tally's standard input,
// with real children that ignore SIGTERM like the archivers of an extraction.
#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "stopper.h"

using namespace tally;

namespace {

enum class Child { IgnoresTerm, DiesOnTerm, BusyIgnoringTerm };

// A child that writes tar-like lines into the write end until it is ended.
pid_t startWriter(int writeFd, int readFd, Child how)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::close(readFd);
    if (how != Child::DiesOnTerm)
        ::signal(SIGTERM, SIG_IGN);
    const char line[] = "-rw-r--r-- a/b 5 2026-12-06 22:34 x\n";
    for (;;) {
        if (::write(writeFd, line, sizeof line - 1) < 0 && errno != EINTR)
            ::_exit(9);
        // Busy inside one large member: writes nothing for long stretches.
        ::usleep(how == Child::BusyIgnoringTerm ? 2000000 : 10000);
    }
}

// Reads until EOF; returns false when EOF does not come within `ms`.
bool drainToEof(int fd, int ms)
{
    QElapsedTimer t;
    t.start();
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    char buf[4096];
    while (t.elapsed() < ms) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            return true;
        if (n < 0)
            ::usleep(5000);
    }
    return false;
}

int waitStatus(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

bool contains(const std::vector<pid_t>& v, pid_t pid)
{
    return std::find(v.begin(), v.end(), pid) != v.end();
}

} // namespace

class TestTallyStop : public QObject {
    Q_OBJECT
private slots:
    void findsTheWritersOnly()
    {
        int p[2];
        QCOMPARE(::pipe(p), 0);
        const pid_t writer = startWriter(p[1], p[0], Child::IgnoresTerm);
        // A child that holds only the read end is no writer.
        const pid_t reader = ::fork();
        if (reader == 0) {
            ::close(p[1]);
            ::pause();
            ::_exit(0);
        }
        ::close(p[1]);
        const auto inode = pipeInode(p[0]);
        QVERIFY(inode.has_value());
        QTRY_VERIFY(contains(findPipeWriters(*inode), writer));
        const auto writers = findPipeWriters(*inode);
        QVERIFY(!contains(writers, reader));
        QVERIFY(!contains(writers, ::getpid()));
        QVERIFY(holdsPipeWriteEnd(writer, *inode));
        QVERIFY(!holdsPipeWriteEnd(reader, *inode));
        ::kill(writer, SIGKILL);
        ::kill(reader, SIGKILL);
        waitStatus(writer);
        waitStatus(reader);
        QVERIFY(findPipeWriters(*inode).empty());
        ::close(p[0]);
    }

    void killsAWriterThatIgnoresSigterm()
    {
        int p[2];
        QCOMPARE(::pipe(p), 0);
        const pid_t writer = startWriter(p[1], p[0], Child::IgnoresTerm);
        ::close(p[1]);
        char buf[64];
        QVERIFY(::read(p[0], buf, sizeof buf) > 0);   // it runs
        QElapsedTimer t;
        t.start();
        const StopReport r = stopPipeWriters(p[0], std::chrono::milliseconds(300));
        QVERIFY(contains(r.terminated, writer));
        QVERIFY(contains(r.killed, writer));
        QVERIFY(drainToEof(p[0], 2000));
        QVERIFY2(t.elapsed() < 1500, "the stop took longer than about a second");
        const int status = waitStatus(writer);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), SIGKILL);
        ::close(p[0]);
    }

    void killsAWriterBusyInsideALargeMember()
    {
        int p[2];
        QCOMPARE(::pipe(p), 0);
        const pid_t writer = startWriter(p[1], p[0], Child::BusyIgnoringTerm);
        ::close(p[1]);
        char buf[64];
        QVERIFY(::read(p[0], buf, sizeof buf) > 0);
        QElapsedTimer t;
        t.start();
        const StopReport r = stopPipeWriters(p[0]);   // the default grace
        QVERIFY(contains(r.killed, writer));
        QVERIFY(drainToEof(p[0], 2000));
        QVERIFY2(t.elapsed() < 1500, "the stop took longer than about a second");
        QCOMPARE(WTERMSIG(waitStatus(writer)), SIGKILL);
        ::close(p[0]);
    }

    void sigtermIsEnoughWhenHeeded()
    {
        int p[2];
        QCOMPARE(::pipe(p), 0);
        const pid_t writer = startWriter(p[1], p[0], Child::DiesOnTerm);
        ::close(p[1]);
        char buf[64];
        QVERIFY(::read(p[0], buf, sizeof buf) > 0);
        PipeStopper stopper(p[0]);
        QVERIFY(stopper.isPipe());
        QCOMPARE(stopper.begin(), std::size_t(1));
        QTRY_VERIFY_WITH_TIMEOUT(stopper.remaining().empty(), 2000);
        QCOMPARE(stopper.finish(), std::size_t(0));
        QVERIFY(stopper.killed().empty());
        QCOMPARE(WTERMSIG(waitStatus(writer)), SIGTERM);
        QVERIFY(drainToEof(p[0], 2000));
        ::close(p[0]);
    }

    void aPipelineEndsBehindTheKilledStage()
    {
        // xz -d <A | tar xvvf - | tally: tally's writer is tar; once it is
        // killed, xz dies of SIGPIPE. Both ignore SIGTERM.
        int upstream[2], ours[2];
        QCOMPARE(::pipe(upstream), 0);
        QCOMPARE(::pipe(ours), 0);
        const pid_t xz = ::fork();
        if (xz == 0) {
            ::signal(SIGTERM, SIG_IGN);
            ::signal(SIGPIPE, SIG_DFL);
            ::close(upstream[0]);
            ::close(ours[0]);
            ::close(ours[1]);
            char block[4096] = {};
            for (;;)
                if (::write(upstream[1], block, sizeof block) < 0)
                    ::_exit(8);   // only if SIGPIPE were ignored
        }
        const pid_t tar = ::fork();
        if (tar == 0) {
            ::signal(SIGTERM, SIG_IGN);
            ::close(upstream[1]);
            ::close(ours[0]);
            char block[4096];
            for (;;) {
                if (::read(upstream[0], block, sizeof block) <= 0)
                    ::_exit(7);
                ::write(ours[1], "-rw-r--r-- a/b 5 2026-12-06 22:34 x\n", 37);
                ::usleep(5000);
            }
        }
        ::close(upstream[0]);
        ::close(upstream[1]);
        ::close(ours[1]);
        char buf[64];
        QVERIFY(::read(ours[0], buf, sizeof buf) > 0);
        const StopReport r = stopPipeWriters(ours[0], std::chrono::milliseconds(200));
        QVERIFY(contains(r.killed, tar));
        QVERIFY(!contains(r.terminated, xz));   // not a writer of tally's pipe
        QVERIFY(drainToEof(ours[0], 2000));
        QCOMPARE(WTERMSIG(waitStatus(tar)), SIGKILL);
        const int xzStatus = waitStatus(xz);
        QVERIFY(WIFSIGNALED(xzStatus));
        QCOMPARE(WTERMSIG(xzStatus), SIGPIPE);
        ::close(ours[0]);
    }

    void noPipeNothingToDo()
    {
        const int fd = ::open("/dev/null", O_RDONLY);
        QVERIFY(!pipeInode(fd));
        const StopReport r = stopPipeWriters(fd);
        QVERIFY(r.terminated.empty() && r.killed.empty());
        PipeStopper s(fd);
        QVERIFY(!s.isPipe());
        QCOMPARE(s.begin(), std::size_t(0));
        QCOMPARE(s.finish(), std::size_t(0));
        ::close(fd);
    }
};

QTEST_APPLESS_MAIN(TestTallyStop)
#include "tst_tally_stop.moc"
