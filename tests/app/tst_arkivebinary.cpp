// Runs the real arkive binary: exit statuses, and the extract-only mode
// answered under a real X server.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Program = QStringLiteral(ARKIVE_PROGRAM_DIR "/arkive");
constexpr int StartTimeout = 30000;  // milliseconds
constexpr int AnswerInterval = 500; // milliseconds
constexpr int AnswerAttempts = 40;

// The environment for the program: this test's own, on the X server that
// xvfb-run gives, never the offscreen platform.
QProcessEnvironment displayEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

QByteArray run(const QString& program, const QStringList& arguments, int* status = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(StartTimeout)) {
        process.kill();
        process.waitForFinished();
    }
    if (status)
        *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput().trimmed();
}

bool haveDisplayTools()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
           && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

// Starts `program -d archive`, waits for its dialog and hands the window id.
// The pipelines that the program starts outlive it and would hold on to its
// output channels, so those go to files LOGS.out and LOGS.err.
QByteArray startDialog(QProcess& arkive, const QString& archive, const QString& logs,
                       const QString& program = Program)
{
    arkive.setProcessEnvironment(displayEnvironment());
    arkive.setStandardOutputFile(logs + QStringLiteral(".out"));
    arkive.setStandardErrorFile(logs + QStringLiteral(".err"));
    arkive.start(program, {QStringLiteral("-d"), archive});
    if (!arkive.waitForStarted(StartTimeout))
        return QByteArray();
    int status = 0;
    const QByteArray window
        = run(QStringLiteral("timeout"),
              {QStringLiteral("20"), QStringLiteral("xdotool"), QStringLiteral("search"),
               QStringLiteral("--sync"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
               QString::number(arkive.processId())},
              &status);
    return status == 0 ? window.split('\n').first() : QByteArray();
}

QSize windowSize(const QByteArray& window)
{
    const QByteArray shell = run(QStringLiteral("xdotool"),
                                 {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                                  QString::fromLatin1(window)});
    QSize size;
    for (const QByteArray& line : shell.split('\n')) {
        if (line.startsWith("WIDTH="))
            size.setWidth(line.mid(6).toInt());
        else if (line.startsWith("HEIGHT="))
            size.setHeight(line.mid(7).toInt());
    }
    return size;
}

// Sends the input until the program ends: a window that was just mapped may
// not take input yet.
bool answer(QProcess& arkive, const QStringList& xdotoolWords)
{
    for (int attempt = 0; attempt < AnswerAttempts; ++attempt) {
        run(QStringLiteral("xdotool"), xdotoolWords);
        if (arkive.waitForFinished(AnswerInterval))
            return true;
    }
    return false;
}

// The number of different colours in a part of a picture.
int colours(const QImage& picture, const QRect& area)
{
    QSet<QRgb> seen;
    for (int y = area.top(); y <= area.bottom() && y < picture.height(); ++y)
        for (int x = area.left(); x <= area.right() && x < picture.width(); ++x)
            seen.insert(picture.pixel(x, y));
    return int(seen.size());
}

} // namespace

class TestArkiveBinary : public QObject
{
    Q_OBJECT
private slots:
    // A bad option ends the program at once with status 0, before any window.
    void badOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("diagnostic");
        QTest::newRow("-x") << QStringList{QStringLiteral("-x")} << QByteArray("invalid option");
        QTest::newRow("-d last") << QStringList{QStringLiteral("-d")}
                                 << QByteArray("requires an argument");
    }
    void badOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, diagnostic);
        QProcess arkive;
        arkive.setProcessEnvironment(displayEnvironment());
        arkive.start(Program, arguments);
        QVERIFY(arkive.waitForFinished(StartTimeout));
        QCOMPARE(arkive.exitStatus(), QProcess::NormalExit);
        QCOMPARE(arkive.exitCode(), 0);
        QVERIFY2(arkive.readAllStandardError().contains(diagnostic), "getopt's diagnostic");
    }

    void cancelGivesZero()
    {
        if (!haveDisplayTools())
            QSKIP("needs an X server and xdotool (run through xvfb-run)");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString archive = dir.filePath(QStringLiteral("a.tar"));
        QFile file(archive);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        QProcess arkive;
        const QByteArray window = startDialog(arkive, archive, archive);
        QVERIFY2(!window.isEmpty(), "the extract dialog did not appear");
        QVERIFY(answer(arkive, {QStringLiteral("windowfocus"), QString::fromLatin1(window),
                                QStringLiteral("key"), QStringLiteral("Escape")}));
        QCOMPARE(arkive.exitStatus(), QProcess::NormalExit);
        QCOMPARE(arkive.exitCode(), 0);
    }

    // Started through a symbolic link (as PREFIX/bin/arkive is installed),
    // the program finds the folder of the real executable: a relative -d
    // path is looked up there, so the dialog opens for a file that only the
    // program folder holds, and Escape ends it (the main window would stay).
    void startsThroughLink()
    {
        if (!haveDisplayTools())
            QSKIP("needs an X server and xdotool (run through xvfb-run)");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString link = dir.filePath(QStringLiteral("arkive"));
        QVERIFY(QFile::link(Program, link));

        QProcess arkive;
        const QByteArray window
            = startDialog(arkive, QStringLiteral("res/arkive.png"), link, link);
        QVERIFY2(!window.isEmpty(), "the extract dialog did not appear");
        QVERIFY2(answer(arkive, {QStringLiteral("windowfocus"), QString::fromLatin1(window),
                                 QStringLiteral("key"), QStringLiteral("Escape")}),
                 "not the extract dialog: the program folder was not found");
        QCOMPARE(arkive.exitCode(), 0);
    }

    // Started without options, the main window appears with its soft keys.
    void mainWindowAppears()
    {
        if (!haveDisplayTools())
            QSKIP("needs an X server and xdotool (run through xvfb-run)");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QProcess arkive;
        arkive.setProcessEnvironment(displayEnvironment());
        arkive.setStandardOutputFile(dir.filePath(QStringLiteral("out")));
        arkive.setStandardErrorFile(dir.filePath(QStringLiteral("err")));
        arkive.start(Program, QStringList());
        QVERIFY(arkive.waitForStarted(StartTimeout));
        int status = 0;
        const QByteArray window
            = run(QStringLiteral("timeout"),
                  {QStringLiteral("20"), QStringLiteral("xdotool"), QStringLiteral("search"),
                   QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--pid"), QString::number(arkive.processId())},
                  &status)
                  .split('\n')
                  .first();
        QVERIFY2(status == 0 && !window.isEmpty(), "the main window did not appear");
        QCOMPARE(windowSize(window), QSize(240, 300));

        // The soft-key strip along the bottom shows its keys: the strip holds
        // drawn text and pictures, not one plain colour.
        const QString shot = dir.filePath(QStringLiteral("main.png"));
        QImage picture;
        QTRY_VERIFY_WITH_TIMEOUT(
            (run(QStringLiteral(XSHOT), {QString::fromLatin1(window), shot}, &status), status == 0)
                && picture.load(shot) && colours(picture, QRect(0, 270, 240, 30)) > 8,
            StartTimeout);
        QVERIFY(colours(picture, QRect(0, 24, 240, 240)) > 8);
        arkive.kill();
        arkive.waitForFinished();
    }

    // OK gives 1 and unpacks the archive into its own folder.
    void okGivesOneAndUnpacks()
    {
        if (!haveDisplayTools())
            QSKIP("needs an X server and xdotool (run through xvfb-run)");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("src")));
        QFile payload(dir.filePath(QStringLiteral("src/hello.txt")));
        QVERIFY(payload.open(QIODevice::WriteOnly));
        payload.write("hello, phone\n");
        payload.close();
        int status = -1;
        run(QStringLiteral("tar"),
            {QStringLiteral("-C"), dir.filePath(QStringLiteral("src")), QStringLiteral("-czf"),
             dir.filePath(QStringLiteral("a.tar.gz")), QStringLiteral("hello.txt")},
            &status);
        QCOMPARE(status, 0);

        QProcess arkive;
        const QString archive = dir.filePath(QStringLiteral("a.tar.gz"));
        const QByteArray window = startDialog(arkive, archive, archive);
        QVERIFY2(!window.isEmpty(), "the extract dialog did not appear");
        const QSize size = windowSize(window);
        QVERIFY(size.isValid());
        // "Ok" is the right one of the two buttons along the bottom edge.
        QVERIFY(answer(arkive, {QStringLiteral("mousemove"), QStringLiteral("--window"),
                                QString::fromLatin1(window), QString::number(size.width() * 3 / 4),
                                QString::number(size.height() - 12), QStringLiteral("click"),
                                QStringLiteral("1")}));
        QCOMPARE(arkive.exitStatus(), QProcess::NormalExit);
        QCOMPARE(arkive.exitCode(), 1);

        const QString unpacked = dir.filePath(QStringLiteral("hello.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(unpacked), StartTimeout);
        const auto contents = [&unpacked] {
            QFile file(unpacked);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_COMPARE_WITH_TIMEOUT(contents(), QByteArray("hello, phone\n"), StartTimeout);
    }
};

QTEST_GUILESS_MAIN(TestArkiveBinary)
#include "tst_arkivebinary.moc"
