// The real tally binary through the real shell, the way arkive's pipelines
// run it: exit status, the summary, faces that cannot be had, the input
// read to the end; and a live line on a terminal.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include "tallytest.h"

namespace {

const QString kTally = QStringLiteral(ARKIVE_PROGRAM_DIR "/bin/tally");

} // namespace

class TestTallyCli : public QObject {
    Q_OBJECT
    QTemporaryDir alone_;   // a copy of tally without tally-window beside it

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(kTally, alone_.filePath(QStringLiteral("tally"))));
    }

    void shellLines_data()
    {
        // Run by bash in data/ with no display, tally first on PATH; $ALONE is the copy.
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shows");   // the start of a line of the output, both channels
        QTest::newRow("done") << "tally -t tar <tar-1.34-extract-photos.txt" << 0 << "tally: ";
        QTest::newRow("errors") << "tally -T 153033 -t zip <zip-3.0-create-photos.txt" << 1 << "tally: ";
        QTest::newRow("ended early") << "tally -T 4 -t unzip <unzip-6.0-extract-wrongpassword.txt" << 2 << "tally: ";
        QTest::newRow("the zip form's count, one word")
            << "tally -T \"$(cat zipinfo-6.0-count-one.txt)\" -t unzip <unzip-6.0-extract-one.txt" << 0 << "tally: ";
        QTest::newRow("a display that cannot open")
            << "DISPLAY=:93 XAUTHORITY=/none tally -t tar <tar-1.34-extract-photos.txt" << 0 << "tally: ";
        QTest::newRow("no window program") << "DISPLAY=:93 \"$ALONE\" -t tar <tar-1.34-extract-photos.txt" << 0
                                           << "tally: ";
        // Inside a pipeline no usage text: the input is read, the words are the failure.
        QTest::newRow("help in a pipeline") << "tally --help -t tar <tar-1.34-extract-photos.txt" << 1
                                            << "tally: unpacking reported errors";
        // Whatever comes, and with standard error closed: the writer never sees a broken pipe.
        for (const char* kind : {"tar", "zip", "unzip", "unrar"})
            QTest::addRow("read to the end, %s", kind)
                << QStringLiteral("head -c 8000000 /dev/urandom | tally -t %1 2>&-; exit ${PIPESTATUS[0]}").arg(kind)
                << 0 << "";
    }

    void shellLines()
    {
        QFETCH(QString, line);
        QFETCH(int, code);
        QFETCH(QString, shows);
        QProcess bash;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(var));
        env.insert(QStringLiteral("PATH"),
                   QStringLiteral(ARKIVE_PROGRAM_DIR "/bin:") + env.value(QStringLiteral("PATH")));
        env.insert(QStringLiteral("ALONE"), alone_.filePath(QStringLiteral("tally")));
        bash.setProcessEnvironment(env);
        bash.setWorkingDirectory(tallytest::dataPath(""));
        bash.setProcessChannelMode(QProcess::MergedChannels);
        bash.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), line});
        QVERIFY(bash.waitForFinished(120000));
        const QString out = QString::fromUtf8(bash.readAll());
        QCOMPARE(bash.exitCode(), code);
        QVERIFY2(shows.isEmpty() ? out.isEmpty() : out.startsWith(shows) || out.contains(QLatin1Char('\n') + shows),
                 qPrintable(out));
    }

    void liveLineOnATerminal()
    {
        // Standard error on a terminal: a line redrawn in place while the
        // input is idle, and the reading goes on after that.
        const QByteArray program = kTally.toLocal8Bit();   // nothing is allocated after fork()
        int in[2];
        QCOMPARE(::pipe(in), 0);
        int terminal = -1;
        tallytest::Child tally{::forkpty(&terminal, nullptr, nullptr, nullptr)};
        if (tally.pid == 0) {
            ::dup2(in[0], 0);
            ::close(in[1]);
            const char* const env[] = {"QT_QPA_PLATFORM=offscreen", nullptr};   // the text face
            ::execle(program.constData(), "tally", "-T", "200", "-t", "tar", static_cast<char*>(nullptr), env);
            ::_exit(127);
        }
        QByteArray seen;
        auto waitFor = [&](const char* what) {   // up to 30 s of silence
            char buf[4096];
            struct pollfd pfd {terminal, POLLIN, 0};
            ssize_t n = 1;
            while (!seen.contains(what) && n > 0 && ::poll(&pfd, 1, 30000) > 0)
                if ((n = ::read(terminal, buf, sizeof buf)) > 0)
                    seen.append(buf, n);
            return seen.contains(what);
        };
        const QByteArray line = tallytest::tarLine("100", "f");
        QCOMPARE(::write(in[1], line.constData(), line.size()), line.size());
        QVERIFY2(waitFor("50 %"), seen.constData());
        QCOMPARE(::write(in[1], line.constData(), line.size()), line.size());
        ::close(in[1]);
        QVERIFY2(waitFor("tally: "), seen.constData());
        const int status = tally.wait();
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        ::close(in[0]);
        ::close(terminal);
    }
};

QTEST_GUILESS_MAIN(TestTallyCli)
#include "tst_tally_cli.moc"
