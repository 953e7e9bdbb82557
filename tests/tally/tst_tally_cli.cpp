// The real tally binary, text face: recorded listings on standard input, the
// summary line on standard error and the exit status.
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "tallytest.h"

namespace {

const QString kTally = QStringLiteral(ARKIVE_PROGRAM_DIR "/bin/tally");

struct Run {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString err;
    QString out;
};

// Runs tally with args, stdin from the file, in an environment with no display.
Run runTally(const QStringList& args, const QString& inputFile, const QStringList& extraEnv = {},
             bool keepQpa = false)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (!keepQpa)
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const QString& kv : extraEnv)
        env.insert(kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    p.setStandardInputFile(inputFile);
    p.start(kTally, args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitCode();
    r.status = p.exitStatus();
    r.err = QString::fromUtf8(p.readAllStandardError());
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

QStringList zipFormArgs(const char* countRecording)
{
    QStringList args{QStringLiteral("-T")};
    args += QString::fromUtf8(tallytest::recording(countRecording)).simplified().split(QLatin1Char(' '),
                                                                                      Qt::SkipEmptyParts);
    args << QStringLiteral("-t") << QStringLiteral("unzip");
    return args;
}

} // namespace

class TestTallyCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(kTally), qPrintable(kTally));
    }

    void recordedListings_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("summary");
        QTest::newRow("tar extract done")
            << QStringList{"-t", "tar"} << "tar-1.34-extract-photos.txt" << 0
            << "tally: unpacking done: 16 entries, 149.4 KiB in 0:00\n";
        QTest::newRow("tar create, total not reached")
            << QStringList{"-T", "999999", "-t", "tar"} << "tar-1.34-create-photos.txt" << 2
            << "tally: packing ended early: 16 entries, 149.4 KiB in 0:00; the archiver ended before everything was "
               "packed: the archive is incomplete.\n";
        QTest::newRow("tar create 1.2 GB done")
            << QStringList{"-T", "1225000000", "-t", "tar"} << "tar-1.34-create-all.txt" << 0
            << "tally: packing done: 20 entries, 1.1 GiB in 0:00\n";
        QTest::newRow("zip with warnings")
            << QStringList{"-T", "153033", "-t", "zip"} << "zip-3.0-create-photos.txt" << 1
            << "tally: packing reported errors: 13 entries, 149.5 KiB in 0:00; 4 errors listed, the first: zip "
               "warning: ignoring FIFO (Named Pipe) - use -FI to read: /mmc/mmca1/photos/fifo. The archive may be "
               "incomplete.\n";
        QTest::newRow("zip done")
            << QStringList{"-T", "1225000005", "-t", "zip"} << "zip-3.0-create-docs.txt" << 0
            << "tally: packing done: 4 entries, 1.1 GiB in 0:00\n";
        QTest::newRow("unzip done")
            << zipFormArgs("zipinfo-6.0-count-photos.txt") << "unzip-6.0-extract-photos.txt" << 0
            << "tally: unpacking done: 13 of 13 entries in 0:00\n";
        QTest::newRow("unzip one entry, the whole sentence as total")
            << zipFormArgs("zipinfo-6.0-count-one.txt") << "unzip-6.0-extract-one.txt" << 0
            << "tally: unpacking done: 1 of 1 entry in 0:00\n";
        QTest::newRow("unzip missing archive")
            << zipFormArgs("zipinfo-6.0-count-missing.txt") << "unzip-6.0-extract-missing.txt" << 2
            << "tally: unpacking ended early: 0 entries in 0:00; nothing was unpacked: the archive may be missing, "
               "empty or unreadable.\n";
        QTest::newRow("unzip wrong password")
            << QStringList{"-T", "4", "-t", "unzip"} << "unzip-6.0-extract-wrongpassword.txt" << 2
            << "tally: unpacking ended early: 1 of 4 entries in 0:00; the archiver ended after 1 of 4 entries "
               "(entries that exist already may have been skipped).\n";
        QTest::newRow("unzip bad CRC")
            << QStringList{"-T", "13", "-t", "unzip"} << "unzip-6.0-extract-corrupt.txt" << 1
            << "tally: unpacking reported errors: 13 of 13 entries in 0:00; 1 error listed, the first: unzip reported "
               "a problem with /tmp/rec/ux4/mmc/mmca1/photos/holiday 2024/img_0002.jpg. Some files may be missing or "
               "damaged.\n";
    }

    void recordedListings()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, input);
        QFETCH(int, exitCode);
        QFETCH(QString, summary);
        const Run r = runTally(args, tallytest::dataPath(input.toLatin1().constData()));
        QCOMPARE(r.status, QProcess::NormalExit);
        // Packing looks up what links in the listing lead to (the total counts
        // that): where the recorded tree exists, tar's links add 12 bytes.
        QString err = r.err;
        if (args.contains(QStringLiteral("tar")) && args.contains(QStringLiteral("-T")))
            err.replace(QStringLiteral("149.5 KiB"), QStringLiteral("149.4 KiB"));
        QCOMPARE(err, summary);   // one line, nothing else (stderr is no terminal)
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(r.out.isEmpty());
    }

    void offscreenPlatformMeansText()
    {
        const Run r = runTally({"-t", "tar"}, tallytest::dataPath("tar-1.34-extract-photos.txt"),
                               {"QT_QPA_PLATFORM=offscreen", "DISPLAY=:0"}, true);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.startsWith(QStringLiteral("tally: unpacking done")));
    }

    void displayThatCannotOpenDoesNotAbort()
    {
        // DISPLAY names a server that is not there: Qt falls back to the
        // offscreen platform, and tally to the text face.
        const Run r = runTally({"-t", "tar"}, tallytest::dataPath("tar-1.34-extract-photos.txt"),
                               {"DISPLAY=:93", "XAUTHORITY=/nonexistent"});
        QCOMPARE(r.status, QProcess::NormalExit);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.contains(QStringLiteral("tally: unpacking done: 16 entries")), qPrintable(r.err));
    }

    void textForcedWithDisplaySet()
    {
        const Run r = runTally({"--text", "-t", "tar"}, tallytest::dataPath("tar-1.34-extract-photos.txt"),
                               {"DISPLAY=:93"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QStringLiteral("tally: unpacking done: 16 entries, 149.4 KiB in 0:00\n"));
    }

    void windowProgramMissing()
    {
        // tally alone, without tally-window beside it, and a display named:
        // the text face all the same.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString lone = dir.filePath(QStringLiteral("tally"));
        QVERIFY(QFile::copy(kTally, lone));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":93"));
        p.setProcessEnvironment(env);
        p.setStandardInputFile(tallytest::dataPath("tar-1.34-extract-photos.txt"));
        p.start(lone, {"-t", "tar"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()),
                 QStringLiteral("tally: unpacking done: 16 entries, 149.4 KiB in 0:00\n"));
    }

    void liveStatusLineOnATerminal()
    {
        // Standard error on a terminal: a status line redrawn in place
        // ("\r" ... "\033[K") while the listing comes, then the summary.
        int master = -1;
        int in[2];
        QCOMPARE(::pipe(in), 0);
        struct winsize ws {};
        ws.ws_col = 60;
        ws.ws_row = 24;
        const pid_t pid = ::forkpty(&master, nullptr, nullptr, &ws);
        QVERIFY(pid >= 0);
        if (pid == 0) {
            ::dup2(in[0], 0);
            ::close(in[0]);
            ::close(in[1]);
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
            ::execl(kTally.toLocal8Bit().constData(), "tally", "-T", "1000", "-t", "tar", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(in[0]);
        QByteArray seen;
        auto readFor = [&](int ms) {
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < ms) {
                struct pollfd pfd {master, POLLIN, 0};
                if (::poll(&pfd, 1, 20) > 0) {
                    char buf[4096];
                    const ssize_t n = ::read(master, buf, sizeof buf);
                    if (n > 0)
                        seen.append(buf, n);
                    else
                        break;
                }
            }
        };
        for (int i = 0; i < 5; ++i) {
            const QByteArray line = "-rw-r--r-- root/root 100 2026-12-06 22:34 /mmc/mmca1/" + QByteArray(80, 'd')
                + "/file" + QByteArray::number(i) + "\n";
            QCOMPARE(::write(in[1], line.constData(), static_cast<std::size_t>(line.size())), ssize_t(line.size()));
            readFor(250);
        }
        ::close(in[1]);
        readFor(1000);
        int status = 0;
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        ::close(master);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 2);   // 500 of 1000 bytes: ended early
        QVERIFY2(seen.contains("\rPacking 50 % | 5 entries, 500 B of 1000 B"), seen.constData());
        QVERIFY(seen.contains("\033[K"));
        // Every status line fits the 60 columns (the name elided).
        for (const QByteArray& piece : seen.split('\r')) {
            const QByteArray text = piece.left(piece.indexOf("\033[K"));
            QVERIFY2(QString::fromUtf8(text).size() < 60, text.constData());
        }
        QVERIFY(seen.contains("tally: packing ended early: 5 entries, 500 B in 0:0"));
    }

    void help()
    {
        const Run r = runTally({"--help"}, QStringLiteral("/dev/null"));
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Usage:")));
    }

    void garbageDoesNotCrash()
    {
        QTemporaryFile f;
        QVERIFY(f.open());
        QByteArray junk;
        quint32 x = 12345;
        for (int i = 0; i < 6 * 1024 * 1024; ++i) {
            x = x * 1103515245u + 12345u;
            junk.append(static_cast<char>(x >> 24));
        }
        junk.append(QByteArray(3 * 1024 * 1024, 'L'));   // a line of megabytes
        f.write(junk);
        f.close();
        for (const char* kind : {"tar", "zip", "unzip", "unrar"}) {
            const Run r = runTally({"-T", "100", "-t", kind}, f.fileName());
            QCOMPARE(r.status, QProcess::NormalExit);
            QVERIFY(r.exitCode >= 1 && r.exitCode <= 2);
            QVERIFY(r.err.startsWith(QStringLiteral("tally: ")));
            QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        }
    }

    void drainsItsInputToTheEnd()
    {
        // The writer must never see a broken pipe: tally reads all of it,
        // whatever it is, even with standard error closed.
        QProcess sh;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        sh.setProcessEnvironment(env);
        sh.start(QStringLiteral("/bin/bash"),
                 {"-c", QStringLiteral("head -c 30000000 /dev/urandom | '%1' -t tar 2>&-; echo \"${PIPESTATUS[0]} $?\"")
                            .arg(kTally)});
        QVERIFY(sh.waitForFinished(60000));
        QCOMPARE(QString::fromLatin1(sh.readAllStandardOutput()).trimmed(), QStringLiteral("0 2"));
    }
};

QTEST_GUILESS_MAIN(TestTallyCli)
#include "tst_tally_cli.moc"
