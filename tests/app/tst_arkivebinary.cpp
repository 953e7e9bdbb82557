// The real arkive binary: a bad option, and an archive that is nowhere.
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

const QString Program = ARKIVE_PROGRAM_DIR "/arkive";
constexpr int Patience = 30000;     // milliseconds that any step may take
constexpr int AnswerInterval = 500; // milliseconds between looks at its output

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
    // starts as without -d. (-d with a dialog to answer: tst_screen.)
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
};

QTEST_GUILESS_MAIN(TestArkiveBinary)
#include "tst_arkivebinary.moc"
