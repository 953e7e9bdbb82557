// The real arkive binary: a bad option, an archive that is nowhere, and the
// extract-only mode answered under a real X server.
#include "bytefiles.h"
#include "processes.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Program = ARKIVE_PROGRAM_DIR "/arkive";
constexpr int Patience = 30000;     // milliseconds that any step may take
constexpr int AnswerInterval = 500; // milliseconds between attempts to answer

// Clicks "Ok", the right one of the two buttons along the bottom edge.
const char* const ClickOk = "eval \"$(xdotool getwindowgeometry --shell \"$0\")\" && "
                            "xdotool mousemove --window \"$0\" $((WIDTH*3/4)) $((HEIGHT-12)) click 1";

} // namespace

class TestArkiveBinary : public QObject
{
    Q_OBJECT
private slots:
    // A bad option ends the program at once with status 0 and getopt's
    // diagnostic, before any window.
    void badOptions()
    {
        for (const auto& [option, diagnostic] : {std::pair{"-x", "invalid option"}, {"-d", "requires an argument"}}) {
            QProcess arkive;
            arkive.start(Program, {option});
            QVERIFY(arkive.waitForFinished(Patience));
            QCOMPARE(arkive.exitStatus(), QProcess::NormalExit);
            QCOMPARE(arkive.exitCode(), 0);
            QVERIFY(arkive.readAllStandardError().contains(diagnostic));
        }
    }

    // An archive that is nowhere is named on standard error, and arkive
    // starts as without -d.
    void missingArchive()
    {
        QProcess arkive;
        arkive.setReadChannel(QProcess::StandardError);
        arkive.start(Program, {"-d", "nowhere.zip"});
        QVERIFY(arkive.waitForStarted(Patience));
        QByteArray text;
        for (int waited = 0; waited < Patience && !text.contains("arkive: nowhere.zip: no such file\n");
             waited += AnswerInterval)
            if (arkive.waitForReadyRead(AnswerInterval))
                text += arkive.readAllStandardError();
        QVERIFY2(text.contains("arkive: nowhere.zip: no such file\n"), text.constData());
        QVERIFY(!arkive.waitForFinished(AnswerInterval));
        arkive.kill();
        arkive.waitForFinished(Patience);
    }

    // `arkive -d` ends with its dialog: 0 for Escape; 1 for "Ok", which
    // unpacks the archive into its own folder. Started through a link (as
    // installed), it finds its real folder, where a relative -d path that
    // only that folder holds is found: the dialog opens, not the main window.
    void extractOnly_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("Escape") << false << false;
        QTest::newRow("Ok") << true << false;
        QTest::newRow("Escape, started through a link") << false << true;
    }
    void extractOnly()
    {
        QFETCH(bool, ok);
        QFETCH(bool, throughLink);
        if (qEnvironmentVariableIsEmpty("DISPLAY") || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs an X server and xdotool (run through xvfb-run)");
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        QVERIFY(::mkdir(root + "/src", 0755) == 0 && writeBytes(root + "/src/hello.txt", "hello\n"));
        QCOMPARE(runProgram({"tar", "-C", root + "/src", "-czf", root + "/a.tar.gz", "hello.txt"}), 0);

        // On the X server of xvfb-run, not the offscreen platform. The
        // pipelines that it starts outlive it and would hold on to its
        // output channels, so those go to files.
        QProcess arkive;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        arkive.setProcessEnvironment(env);
        arkive.setStandardOutputFile(dir.filePath("out"));
        arkive.setStandardErrorFile(dir.filePath("err"));
        const QString link = dir.filePath("arkive");
        QVERIFY(!throughLink || QFile::link(Program, link));
        arkive.start(throughLink ? link : Program, {"-d", throughLink ? "res/arkive.png" : dir.filePath("a.tar.gz")});
        QVERIFY(arkive.waitForStarted(Patience));
        QByteArray window;
        QCOMPARE(runProgram({"timeout", QByteArray::number(Patience / 1000), "xdotool", "search", "--sync",
                             "--onlyvisible", "--pid", QByteArray::number(arkive.processId())}, &window), 0);
        window = window.split('\n').first();
        // A window just mapped may not take input yet: answer until it ends.
        const QByteArrayList answer = ok ? QByteArrayList{"sh", "-c", ClickOk, window}
                                         : QByteArrayList{"xdotool", "windowfocus", window, "key", "Escape"};
        for (int attempt = 0; attempt < Patience / AnswerInterval && !arkive.waitForFinished(AnswerInterval);
             ++attempt)
            runProgram(answer);
        QCOMPARE(arkive.state(), QProcess::NotRunning);
        QCOMPARE(arkive.exitStatus(), QProcess::NormalExit);
        QCOMPARE(arkive.exitCode(), ok ? 1 : 0);
        if (ok)
            QTRY_COMPARE_WITH_TIMEOUT(readBytes(root + "/hello.txt"), QByteArray("hello\n"), Patience);
        else
            QVERIFY(!QFile::exists(dir.filePath("hello.txt")));
    }
};

QTEST_GUILESS_MAIN(TestArkiveBinary)
#include "tst_arkivebinary.moc"
