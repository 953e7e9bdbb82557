// The real tally binary through the real shell, the way arkive's pipelines
// run it: exit status, the summary, faces that cannot be had, the input
// read to the end; and a live line on a terminal.
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include "bytefiles.h"
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
             "tally: unpacking done with warnings"},
            // The counting stage: what it passed on, whole, and its count last, from a file and through pipes.
            {"tally --pass <tar-1.34-extract-photos.txt 3>/dev/null | cmp - tar-1.34-extract-photos.txt && echo same", 0, "same"},
            {"head -c 3000000 /dev/zero | tally --pass 3>&1 >/dev/null | tr '\\0' '\\n' | tail -n 1", 0, "B3000000"}};
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
        QVERIFY(tallytest::makeFiles(d, "out/ out/.s/ out/.s/top/ out/.s/top/x= .p.tar=x"));
        QProcess tally;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(var);
        // LeakSanitizer cannot work under ptrace: it would end the sanitized build's tally with 1.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        tally.setProcessEnvironment(env);
        QStringList args{"-qq", "-f", "-e", "trace=rename,renameat,renameat2,fsync,syncfs,write", "-o", tmp.filePath("trace"),
                         kTally, "--stages=1"};
        args << QString::fromUtf8(QByteArray(words).replace("=D/", "=" + d + '/')).split(' ');
        tally.start("strace", args);
        QVERIFY(tally.waitForStarted());
        tally.write(tallytest::tarLine("1", "top/x") + QByteArrayLiteral("\0Star 0\0"));
        tally.closeWriteChannel();
        QVERIFY(tally.waitForFinished(30000));
        QCOMPARE(tally.exitCode(), 0);
        // The calls that matter, in order, each after its thread's id (the
        // result is put in place beside the face; strace pads short ids):
        // R the rename, S a syncfs, F an fsync, D the summary.
        QByteArray order;
        for (const QByteArray& line : readBytes(d + "/trace").split('\n')) {
            const QByteArray c = line.mid(line.indexOf(' ')).trimmed();
            if (c.startsWith("rename") && c.contains(renamed) && c.endsWith("= 0"))
                order += 'R';
            else if ((c.startsWith("syncfs(") || c.startsWith("fsync(")) && c.endsWith("= 0"))
                order += c[0] == 's' ? 'S' : 'F';
            else if (c.startsWith("write(2, \"tally: ") && c.contains(" done"))
                order += 'D';
        }
        const qsizetype rename = order.lastIndexOf('R'), done = order.lastIndexOf('D');
        QVERIFY2(rename >= 0 && order.indexOf('S', rename) > rename && order.indexOf('S', rename) < done, order.constData());
        if (QByteArray(QTest::currentDataTag()) == "packing")
            QVERIFY2(order.indexOf('F', rename) > rename && order.indexOf('F', rename) < done, order.constData());
    }
    // Ended from outside (a session that ends): tally stops the archiver,
    // which ignores the signal as unpacking lines do, and removes all the
    // job made: the private folder or the partial archive, the line's
    // scratch folder, the job's record. The earlier archive stays.
    void endedBySignal_data()
    {
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("says");
        const QByteArray pack = "-T 9 -t zip --pack --archive=D/a.zip --partial=D/.p.zip --scratch=D/.p --record=D/rec";
        const QByteArray unpack = "-t tar --unpack --archive=D/a.tar --folder=D/out --staging=D/out/.s --record=D/rec";
        QTest::newRow("packing, SIGTERM") << pack << SIGTERM << QByteArray("Ended by SIGTERM. Nothing was written.");
        QTest::newRow("unpacking, SIGHUP") << unpack << SIGHUP
                                           << QByteArray("Ended by SIGHUP. Nothing was placed: what was unpacked was removed.");
    }
    void endedBySignal()
    {
        QFETCH(QByteArray, words);
        QFETCH(int, signal);
        QFETCH(QByteArray, says);
        QTemporaryDir tmp;
        const QByteArray d = QFile::encodeName(tmp.path());
        QVERIFY(tallytest::makeFiles(d, "a.zip=old out/ rec=new " + QByteArray(words.contains("--pack")
                                                                          ? ".p/ .p.zip=new .p/zi12345=new"
                                                                          : "out/.s/ out/.s/x=new")));
        QByteArrayList argv = QByteArrayList{QFile::encodeName(kTally), "--text"}
                              + QByteArray(words).replace("=D/", "=" + d + '/').split(' ');
        std::vector<char*> args;
        for (QByteArray& word : argv)
            args.push_back(word.data());
        args.push_back(nullptr);
        const QByteArray summary = d + "/summary";
        int in[2], hold[2];
        QVERIFY(::pipe(in) == 0 && ::pipe(hold) == 0);
        tallytest::Child writer{::fork()};
        if (writer.pid == 0) {   // an archiver that ignores the signal, listing one member, then at work
            ::signal(SIGTERM, SIG_IGN);
            ::signal(SIGHUP, SIG_IGN);
            ::close(hold[1]);
            const char line[] = "adding: x (stored 0%)\n-rw-r--r-- a/b 3 2026-12-06 22:34 x\n";
            char block[64];
            if (::write(in[1], line, sizeof line - 1) > 0)
                while (::read(hold[0], block, sizeof block) > 0) {
                }
            ::_exit(7);
        }
        tallytest::Child tally{::fork()};
        if (tally.pid == 0) {
            ::dup2(in[0], 0);
            const int err = ::open(summary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(err, 2);
            for (const int fd : {in[0], in[1], hold[0], hold[1], err})
                ::close(fd);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        for (const int fd : {in[0], in[1], hold[0]})
            ::close(fd);
        // Once tally runs and catches the signal (its status says so), the signal.
        const auto catches = [pid = tally.pid, signal] {
            if (QFileInfo(QString::fromLocal8Bit("/proc/" + QByteArray::number(pid) + "/exe")).canonicalFilePath()
                != QFileInfo(kTally).canonicalFilePath())
                return false;
            const QByteArray status = readBytes("/proc/" + QByteArray::number(pid) + "/status");
            const qsizetype at = status.indexOf("SigCgt:");
            return at >= 0 && (status.mid(at + 7, status.indexOf('\n', at) - at - 7).trimmed().toULongLong(nullptr, 16)
                               >> (signal - 1)) & 1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(catches(), 30000);
        QCOMPARE(::kill(tally.pid, signal), 0);
        const int status = tally.wait();
        ::close(hold[1]);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 3, readBytes(summary).constData());
        QCOMPARE(WTERMSIG(writer.wait()), SIGKILL);
        QVERIFY2(readBytes(summary).trimmed().endsWith(says), readBytes(summary).constData());
        QCOMPARE(sorted(namesIn(d)), QByteArrayList({"a.zip", "out", "summary"}));
        QCOMPARE(namesIn(d + "/out"), QByteArrayList());
        QCOMPARE(readBytes(d + "/a.zip"), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(TestTallyCli)
#include "tst_tally_cli.moc"
