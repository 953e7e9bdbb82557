#include "startup.h"

#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

// getopt wants a writable argv, terminated by a null pointer.
StartOptions parse(QList<QByteArray> words)
{
    words.prepend("arkive");
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    return parseOptions(int(words.size()), argv.data());
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void options_data()
    {
        QTest::addColumn<QList<QByteArray>>("words");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("archive");
        QTest::newRow("none") << QList<QByteArray>{} << true << QByteArray();
        QTest::newRow("one") << QList<QByteArray>{"-d", "a.zip"} << true << QByteArray("a.zip");
        QTest::newRow("joined") << QList<QByteArray>{"-da.zip"} << true << QByteArray("a.zip");
        QTest::newRow("last counts")
            << QList<QByteArray>{"-d", "a.zip", "-d", "b.zip"} << true << QByteArray("b.zip");
        QTest::newRow("words ignored")
            << QList<QByteArray>{"x", "-d", "a.zip", "y"} << true << QByteArray("a.zip");
        QTest::newRow("bad option") << QList<QByteArray>{"-x"} << false << QByteArray();
        QTest::newRow("-d last") << QList<QByteArray>{"-d"} << false << QByteArray();
        QTest::newRow("toolkit option") << QList<QByteArray>{"-platform", "offscreen"} << false
                                        << QByteArray();
    }
    void options()
    {
        QFETCH(QList<QByteArray>, words);
        QFETCH(bool, ok);
        QFETCH(QByteArray, archive);
        // Twice: the parser must start afresh each time.
        for (int round = 0; round < 2; ++round) {
            const StartOptions options = parse(words);
            QCOMPARE(options.ok, ok);
            if (ok) {
                QCOMPARE(options.archive, archive);
                QCOMPARE(options.archive.isNull(), archive.isNull());
            }
        }
    }

    void folders()
    {
        QCOMPARE(folderOf("/mmc/mmca1/arkive/arkive"), QByteArray("/mmc/mmca1/arkive"));
        QCOMPARE(folderOf("/a/b"), QByteArray("/a"));
        QCOMPARE(folderOf("/arkive"), QByteArray("/"));
        QVERIFY(folderOf("arkive").isEmpty());
    }

    // A target longer than any fixed buffer is read whole, never cut.
    void longLinkTarget()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QByteArray target = "/";
        while (target.size() < 700)
            target += "very-long-folder-name/";
        target += "arkive";
        const QByteArray link = QFile::encodeName(dir.filePath("link"));
        QCOMPARE(::symlink(target.constData(), link.constData()), 0);
        QCOMPARE(readLinkTarget(link), target);
        QCOMPARE(folderOf(readLinkTarget(link)), target.left(target.size() - 7));
        QVERIFY(readLinkTarget(QFile::encodeName(dir.filePath("missing"))).isNull());
    }

    void ownFolder()
    {
        const QByteArray expected = QFile::encodeName(QCoreApplication::applicationDirPath());
        QCOMPARE(programFolder("whatever"), expected);
    }

    void argv0Fallback()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray folder = QFile::encodeName(dir.path());
        QFile tool(dir.filePath("arkive"));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.close();
        QVERIFY(tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner));

        QCOMPARE(absoluteProgramPath("/opt/arkive/arkive", "/home", ""),
                 QByteArray("/opt/arkive/arkive"));
        QCOMPARE(absoluteProgramPath("sub/arkive", "/home", ""), QByteArray("/home/sub/arkive"));
        QCOMPARE(absoluteProgramPath("arkive", "/home", "/nonexistent:" + folder),
                 folder + "/arkive");
        QVERIFY(absoluteProgramPath("arkive", "/home", "/nonexistent").isNull());
        QVERIFY(absoluteProgramPath("", "/home", folder).isNull());
    }

    void environment()
    {
        QCOMPARE(newPathValue("/usr/bin:/bin", "/mmc/mmca1/arkive"),
                 QByteArray("/usr/bin:/bin:/mmc/mmca1/arkive/bin"));
        QCOMPARE(newPathValue(nullptr, "/p"), QByteArray(":/p/bin"));
        QCOMPARE(newLibraryPathValue("/usr/lib", "/p"), QByteArray("/p/plugin:/p/lib:/usr/lib"));
        QCOMPARE(newLibraryPathValue(nullptr, "/p"), QByteArray("/p/plugin:/p/lib:"));
    }

    void archiveFolders()
    {
        QCOMPARE(archiveFolder("sub/a.zip", "/mmc/mmca1/arkive"),
                 QStringLiteral("/mmc/mmca1/arkive/sub"));
        QCOMPARE(archiveFolder("a.zip", "/p"), QStringLiteral("/p"));
        QCOMPARE(archiveFolder("/mmc/mmca1/a.zip", "/p"), QStringLiteral("/mmc/mmca1"));
        QCOMPARE(archiveFolder("../x/./a.zip", "/p/q"), QStringLiteral("/p/x"));
        QCOMPARE(archiveFolder("/a.zip", "/p"), QStringLiteral("/"));
        QCOMPARE(archiveFolder("/mmc/folder/", "/p"), QStringLiteral("/mmc"));
    }

    void translationNames()
    {
        QCOMPARE(translationName("arkiveui", "de_DE"), QStringLiteral("arkiveui_de_DE"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
