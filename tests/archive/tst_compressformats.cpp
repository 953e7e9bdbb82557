// Which formats are offered for which PATH, and how the archive name follows
// the chosen format.
#include "compressformats.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes folder/name an empty file (a stand-in: nothing is run).
void touch(const QString& folder, const QString& name)
{
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestCompressFormats : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_savedPath = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_savedPath); }

    void isOnPathReadsEveryFolder()
    {
        QTemporaryDir tmp;
        const QString one = tmp.path() + QStringLiteral("/one");
        const QString two = tmp.path() + QStringLiteral("/two");
        touch(one, QStringLiteral("gzip"));
        touch(two, QStringLiteral("zip"));
        QDir().mkpath(two + QStringLiteral("/lzop")); // a folder counts too
        touch(two, QStringLiteral(".xz"));            // hidden: not listed
        touch(two, QStringLiteral("ZIPX"));
        QVERIFY(symlink("/nonexistent/tar", QFile::encodeName(two + QStringLiteral("/tar"))) == 0);
        QVERIFY(mkfifo(QFile::encodeName(two + QStringLiteral("/bzip2")), 0600) == 0);

        qputenv("PATH", (one + QStringLiteral("::") + two).toUtf8());
        QVERIFY(isOnPath("gzip"));
        QVERIFY(isOnPath("zip"));
        QVERIFY(isOnPath("lzop"));
        QVERIFY(!isOnPath("xz"));
        QVERIFY(!isOnPath("tar"));   // a dangling link is no file
        QVERIFY(!isOnPath("bzip2")); // nor is a fifo
        QVERIFY(!isOnPath("zipx"));  // names compare case-sensitively
        QVERIFY(!isOnPath("zi"));

        // Empty parts are dropped, not read as the current folder.
        QVERIFY(QDir::setCurrent(two));
        qputenv("PATH", QByteArray("::") + one.toUtf8() + "::");
        QVERIFY(!isOnPath("zip"));
        QVERIFY(QDir::setCurrent(QDir::tempPath()));

        qunsetenv("PATH");
        QVERIFY(!isOnPath("gzip"));
        QVERIFY(compressFormats().isEmpty());
    }

    void formatListOrder()
    {
        QTemporaryDir tmp;
        const QString bin = tmp.path() + QStringLiteral("/bin");
        for (const char* program : {"zip", "xz", "lzma", "lzop", "lzip", "bzip2", "gzip", "tar"})
            touch(bin, QString::fromLatin1(program));
        qputenv("PATH", QByteArray("/nonexistent:") + bin.toUtf8());
        QCOMPARE(compressFormats(),
                 QStringList({".mpkg", ".mtf", ".pkg", ".tar", ".tar.bz2", ".tar.gz", ".tar.lz",
                              ".tar.lzma", ".tar.lzo", ".tar.xz", ".zip"}));

        // Each row asks only for its own program.
        const QString gzipOnly = tmp.path() + QStringLiteral("/gzip-only");
        touch(gzipOnly, QStringLiteral("gzip"));
        qputenv("PATH", gzipOnly.toUtf8());
        QCOMPARE(compressFormats(), QStringList({".mpkg", ".mtf", ".pkg", ".tar.gz"}));

        const QString zipOnly = tmp.path() + QStringLiteral("/zip-only");
        touch(zipOnly, QStringLiteral("zip"));
        qputenv("PATH", zipOnly.toUtf8());
        QCOMPARE(compressFormats(), QStringList({".zip"}));
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("renamed");
        QTest::newRow("plain") << "photos" << ".tar.gz" << "photos" << "photos";
        QTest::newRow("one dot") << "notes.txt" << ".tar.gz" << "notes.txt.tar.gz" << "notes.tar.gz";
        QTest::newRow("a.b") << "a.b" << ".tar.gz" << "a.b.tar.gz" << "a.tar.gz";
        QTest::newRow("chosen") << "a.b.tar.gz" << ".tar.bz2" << "a.b.tar.gz.tar.bz2" << "a.tar.bz2";
        QTest::newRow("to zip") << "notes.txt.tar.gz" << ".zip" << "notes.txt.tar.gz.zip" << "notes.zip";
        QTest::newRow("report") << "report.txt" << ".zip" << "report.txt.zip" << "report.zip";
        QTest::newRow("hidden") << ".profile" << ".tar.gz" << ".profile" << ".tar.gz";
        QTest::newRow("hidden two dots") << ".config.old" << ".zip" << ".config.old" << ".zip";
        QTest::newRow("newline") << "a.b\nc" << ".zip" << "a.b\nc.zip" << "a.zip";
        QTest::newRow("backreference") << "a.b" << ".\\1$1" << "a.b.\\1$1" << "a.\\1$1";
        QTest::newRow("empty") << "" << ".tar" << "" << "";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, entry);
        QFETCH(QString, proposed);
        QFETCH(QString, renamed);
        QCOMPARE(proposedName(name, entry), proposed);
        QCOMPARE(renamedForFormat(name, entry), renamed);
    }

private:
    QByteArray m_savedPath;
};

QTEST_GUILESS_MAIN(TestCompressFormats)
#include "tst_compressformats.moc"
