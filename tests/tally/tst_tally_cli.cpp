// The real tally binary through the real shell, the way arkive's pipelines
// run it: exit status, the summary, faces that cannot be had, the input
// read to the end; and a live line on a terminal.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tallytest.h"

const QString kTally = ARKIVE_PROGRAM_DIR "/bin/tally";

class TestTallyCli : public QObject {
    Q_OBJECT
    QTemporaryDir alone_;   // a copy of tally without tally-window beside it

private slots:
    // Lines run by bash in data/ with no display, tally first on PATH
    // ($ALONE is the copy): the exit status, and the start of a line of the
    // output, both channels.
    void shellLines()
    {
        QVERIFY(QFile::copy(kTally, alone_.filePath("tally")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(var);
        env.insert("PATH", ARKIVE_PROGRAM_DIR "/bin:" + env.value("PATH"));
        env.insert("ALONE", alone_.filePath("tally"));
        QList<std::tuple<QString, int, QString>> lines = {
            {"tally -T 4 -t unzip <unzip-6.0-extract-wrongpassword.txt", 2, "tally: "},   // ended early
            {"DISPLAY=:93 XAUTHORITY=/none tally -t tar <tar-1.34-extract-photos.txt", 0, "tally: "},   // cannot open
            {"DISPLAY=:93 \"$ALONE\" -t tar <tar-1.34-extract-photos.txt", 0, "tally: "},   // no window program
            // Inside a pipeline no usage text: the input is read, the words are the failure.
            {"tally --help -t tar <tar-1.34-extract-photos.txt", 1, "tally: unpacking reported errors"},
            {"tally -t tar --stages=2 <line-gzip-1.12-tar-1.34-extract-trailing.txt", 4,
             "tally: unpacking done with warnings"}};
        // Whatever comes, and with standard error closed: the writer never sees a broken pipe.
        for (const char* kind : {"tar", "zip", "unzip", "unrar", "7z", "bsdtar"})
            lines.append({QString("head -c 8000000 /dev/urandom | tally -t %1 2>&-; exit ${PIPESTATUS[0]}").arg(kind), 0, ""});
        for (const auto& [line, code, shows] : lines) {
            QProcess bash;
            bash.setProcessEnvironment(env);
            bash.setWorkingDirectory(tallytest::dataPath);
            bash.setProcessChannelMode(QProcess::MergedChannels);
            bash.start("/bin/bash", {"-c", line});
            QVERIFY(bash.waitForFinished(120000));
            const QString out = QString::fromUtf8(bash.readAll());
            QCOMPARE(line + ": " + QString::number(bash.exitCode()), line + ": " + QString::number(code));
            QVERIFY2(shows.isEmpty() ? out.isEmpty() : out.startsWith(shows) || out.contains('\n' + shows), qPrintable(out));
        }
    }

    // Standard error on a terminal: a line redrawn in place while the input
    // is idle, and the reading goes on after that.
    void liveLineOnATerminal()
    {
        const QByteArray program = kTally.toLocal8Bit(), line = tallytest::tarLine("100", "f");   // no allocation after fork()
        int in[2], terminal = -1;
        QCOMPARE(::pipe(in), 0);
        tallytest::Child tally{::forkpty(&terminal, nullptr, nullptr, nullptr)};
        if (tally.pid == 0) {
            ::dup2(in[0], 0);
            ::close(in[1]);
            const char* const env[] = {"QT_QPA_PLATFORM=offscreen", nullptr};   // the text face
            ::execle(program.constData(), "tally", "-T", "200", "-t", "tar", static_cast<char*>(nullptr), env);
            ::_exit(127);
        }
        QByteArray seen;
        const auto waitFor = [&](const char* what) {   // up to 30 s of silence
            char buf[4096];
            struct pollfd pfd {terminal, POLLIN, 0};
            for (ssize_t n = 1; !seen.contains(what) && n > 0 && ::poll(&pfd, 1, 30000) > 0;)
                if ((n = ::read(terminal, buf, sizeof buf)) > 0)
                    seen.append(buf, n);
            return seen.contains(what);
        };
        QCOMPARE(::write(in[1], line.constData(), line.size()), line.size());
        QVERIFY2(waitFor("50 %"), seen.constData());
        QCOMPARE(::write(in[1], line.constData(), line.size()), line.size());
        ::close(in[1]);
        QVERIFY2(waitFor("tally: "), seen.constData());
        QCOMPARE(tally.wait(), 0);
        ::close(in[0]);
        ::close(terminal);
    }

    // The archive, and what was placed, are on the storage before tally says
    // done: a rename onto the final name, then a sync of that file system
    // (and of the archive itself), then the summary. Traced with strace.
    void durableBeforeDone_data()
    {
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<QByteArray>("renamed");   // what the rename names last
        QTest::newRow("packing") << QByteArray("-T 1 -t tar --pack --archive=D/a.tar --partial=D/.p.tar") << QByteArray("/a.tar\"");
        QTest::newRow("unpacking") << QByteArray("-t tar --unpack --archive=D/a.tar --folder=D/out --staging=D/out/.s")
                                   << QByteArray("\"top\"");
    }
    void durableBeforeDone()
    {
        QFETCH(QByteArray, words);
        QFETCH(QByteArray, renamed);
        if (QProcess::execute("strace", {"-qq", "-o", "/dev/null", "true"}) != 0)
            QSKIP("strace cannot trace here");
        QTemporaryDir tmp;
        const QByteArray d = QFile::encodeName(tmp.path());
        QVERIFY(::mkdir(d + "/out", 0755) == 0 && ::mkdir(d + "/out/.s", 0700) == 0 && ::mkdir(d + "/out/.s/top", 0755) == 0);
        QFile part(tmp.filePath(".p.tar")), member(tmp.filePath("out/.s/top/x"));
        QVERIFY(part.open(QIODevice::WriteOnly) && part.write("x") == 1 && member.open(QIODevice::WriteOnly));
        part.close();
        member.close();
        QProcess tally;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(var);
        // LeakSanitizer cannot work under ptrace: it would end the sanitized build's tally with 1.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        tally.setProcessEnvironment(env);
        QStringList args{"-qq", "-e", "trace=rename,renameat,renameat2,fsync,syncfs,write", "-o", tmp.filePath("trace"),
                         kTally, "--stages=1"};
        for (const QByteArray& word : words.split(' '))
            args << QString::fromUtf8(QByteArray(word).replace("=D/", "=" + d + '/'));
        tally.start("strace", args);
        QVERIFY(tally.waitForStarted());
        tally.write(tallytest::tarLine("1", "top/x") + QByteArrayLiteral("\0Star 0\0"));
        tally.closeWriteChannel();
        QVERIFY(tally.waitForFinished(30000));
        QCOMPARE(tally.exitCode(), 0);
        QFile trace(tmp.filePath("trace"));
        QVERIFY(trace.open(QIODevice::ReadOnly));
        const QByteArrayList calls = trace.readAll().split('\n');
        qsizetype rename = -1, sync = -1, fsync = -1, done = -1;
        for (qsizetype i = 0; i < calls.size(); ++i) {
            const QByteArray& c = calls[i];
            if (c.startsWith("rename") && c.contains(renamed) && c.endsWith("= 0"))
                rename = i;
            else if (c.startsWith("syncfs(") && c.endsWith("= 0") && rename >= 0 && sync < 0)
                sync = i;
            else if (c.startsWith("fsync(") && c.endsWith("= 0") && rename >= 0 && fsync < 0)
                fsync = i;
            else if (c.startsWith("write(2, \"tally: ") && c.contains(" done"))
                done = i;
        }
        const QByteArray seen = calls.join('\n');
        QVERIFY2(rename >= 0 && sync > rename && done > sync, seen.constData());
        if (QByteArray(QTest::currentDataTag()) == "packing")
            QVERIFY2(fsync > rename && fsync < done, seen.constData());
    }
};

QTEST_GUILESS_MAIN(TestTallyCli)
#include "tst_tally_cli.moc"
