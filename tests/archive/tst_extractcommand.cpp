#include "extractcommand.h"

#include <QTest>

Q_DECLARE_METATYPE(ArchiveType)

class TestExtractCommand : public QObject
{
    Q_OBJECT
private slots:
    void typeFromName_data();
    void typeFromName();
    void ordinaryLines_data();
    void ordinaryLines();
    void untypedNameGivesNoLine();
    void emptyOutDirStaysEmpty();
    void tarTypesIgnorePasswordAndOverwrite();
    void zipPieces();
    void rarPieces();
    void hostileWordsQuoted();
    void traceMasksPassword();
};

void TestExtractCommand::typeFromName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<ArchiveType>("type");
    QTest::newRow("tar") << "/a/b.tar" << ArchiveType::Tar;
    QTest::newRow("star ends with tar") << "a.star" << ArchiveType::Tar;
    QTest::newRow("tar.gz") << "a.tar.gz" << ArchiveType::Gzip;
    QTest::newRow("tgz") << "a.tgz" << ArchiveType::Gzip;
    QTest::newRow("mpkg") << "a.mpkg" << ArchiveType::Gzip;
    QTest::newRow("pkg") << "a.pkg" << ArchiveType::Gzip;
    QTest::newRow("mtf") << "a.mtf" << ArchiveType::Gzip;
    QTest::newRow("upper case") << "/x/A.TAR.GZ" << ArchiveType::Gzip;
    QTest::newRow("tar.bz2") << "a.tar.bz2" << ArchiveType::Bzip2;
    QTest::newRow("tbz2") << "a.tbz2" << ArchiveType::Bzip2;
    QTest::newRow("dotted base") << "backup-1.2.tar.bz2" << ArchiveType::Bzip2;
    QTest::newRow("zip") << "a.zip" << ArchiveType::Zip;
    QTest::newRow("mixed case zip") << "a.Zip" << ArchiveType::Zip;
    QTest::newRow("tar.lzo") << "a.tar.lzo" << ArchiveType::Lzop;
    QTest::newRow("tlzo") << "a.tlzo" << ArchiveType::Lzop;
    QTest::newRow("tar.xz") << "a.tar.xz" << ArchiveType::Xz;
    QTest::newRow("txz") << "a.txz" << ArchiveType::Xz;
    QTest::newRow("tar.lz") << "a.tar.lz" << ArchiveType::Lzip;
    QTest::newRow("tlz") << "a.tlz" << ArchiveType::Lzip;
    QTest::newRow("tar.lzma") << "a.tar.lzma" << ArchiveType::Lzma;
    QTest::newRow("tlzma") << "a.tlzma" << ArchiveType::Lzma;
    QTest::newRow("rar") << "a.rar" << ArchiveType::Rar;
    QTest::newRow("gz alone") << "a.gz" << ArchiveType::None;
    QTest::newRow("bz2 alone") << "a.bz2" << ArchiveType::None;
    QTest::newRow("xz alone") << "a.xz" << ArchiveType::None;
    QTest::newRow("no dot") << "/a/tar" << ArchiveType::None;
    QTest::newRow("dot only in folder") << "/a.tar/archive" << ArchiveType::None;
    QTest::newRow("trailing slash") << "/a/b.tar/" << ArchiveType::None;
    QTest::newRow("empty") << "" << ArchiveType::None;
    QTest::newRow("hidden name") << "/a/.tar" << ArchiveType::Tar;
    QTest::newRow("tar after other") << "a.zip.tar" << ArchiveType::Tar;
    QTest::newRow("first dot decides") << "a.tar.gz.rar" << ArchiveType::Rar;
}

void TestExtractCommand::typeFromName()
{
    QFETCH(QString, path);
    QFETCH(ArchiveType, type);
    QCOMPARE(archiveTypeOf(path), type);
}

void TestExtractCommand::ordinaryLines_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("line");
    QTest::newRow("tar") << "/m/a.tar" << true << ""
                         << "tar xvvf /m/a.tar -C /o |tally -t tar &";
    QTest::newRow("gzip") << "/m/a.tgz" << true << ""
                          << "gzip -d </m/a.tgz |tar xvvf - -C /o |tally -t tar &";
    QTest::newRow("bzip2") << "/m/a.tar.bz2" << true << ""
                           << "bzip2 -d </m/a.tar.bz2 |tar xvvf - -C /o |tally -t tar &";
    QTest::newRow("lzop") << "/m/a.tar.lzo" << true << ""
                          << "lzop -d </m/a.tar.lzo |tar xvvf - -C /o |tally -t tar &";
    QTest::newRow("xz") << "/m/a.txz" << true << ""
                        << "xz -d </m/a.txz |tar xvvf - -C /o |tally -t tar &";
    QTest::newRow("lzip") << "/m/a.tar.lz" << true << ""
                          << "lzip -d </m/a.tar.lz |tar xvvf - -C /o |tally -t tar &";
    QTest::newRow("lzma") << "/m/a.tlzma" << true << ""
                          << "lzma -d </m/a.tlzma |tar xvvf - -C /o |tally -t tar &";
    QTest::newRow("zip overwrite") << "/m/a.zip" << true << ""
                                   << "unzip -o  -P- /m/a.zip -d /o |tally -T `unzip -Z -t /m/a.zip"
                                      " |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &";
    QTest::newRow("zip keep") << "/m/a.zip" << false << ""
                              << "unzip -n -P- /m/a.zip -d /o |tally -T `unzip -Z -t /m/a.zip"
                                 " |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &";
    QTest::newRow("zip password") << "/m/a.zip" << false << "pw"
                                  << "unzip -n -P pw /m/a.zip -d /o |tally -T `unzip -Z -t /m/a.zip"
                                     " |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &";
    QTest::newRow("rar") << "/m/a.rar" << true << ""
                         << "unrar x -o+ -p- -y /m/a.rar /o |tally -t unrar";
    QTest::newRow("rar keep, password") << "/m/a.rar" << false << "pw"
                                        << "unrar x -o- -ppw -y /m/a.rar /o |tally -t unrar";
}

void TestExtractCommand::ordinaryLines()
{
    QFETCH(QString, archive);
    QFETCH(bool, overwrite);
    QFETCH(QString, password);
    QFETCH(QString, line);
    QCOMPARE(extractCommand(archive, QStringLiteral("/o"), password, overwrite), line);
}

void TestExtractCommand::untypedNameGivesNoLine()
{
    QVERIFY(extractCommand("/m/a.gz", "/o", "pw", true).isEmpty());
    QVERIFY(extractCommand("/m/photos", "/o", "", false).isEmpty());
    QVERIFY(extractTrace("/m/photos", "/o", "pw", true).isEmpty());
}

void TestExtractCommand::emptyOutDirStaysEmpty()
{
    QCOMPARE(extractCommand("a.tar", "", "", true), QStringLiteral("tar xvvf a.tar -C  |tally -t tar &"));
    QCOMPARE(extractCommand("a.rar", "", "", true), QStringLiteral("unrar x -o+ -p- -y a.rar  |tally -t unrar"));
    QVERIFY(extractCommand("a.zip", "", "", true).startsWith("unzip -o  -P- a.zip -d  |tally"));
}

void TestExtractCommand::tarTypesIgnorePasswordAndOverwrite()
{
    for (const char* name : {"a.tar", "a.tar.gz", "a.tbz2", "a.tlzo", "a.tar.xz", "a.tlz", "a.tar.lzma"}) {
        const QString plain = extractCommand(name, "/o", "", true);
        QVERIFY(!plain.isEmpty());
        QCOMPARE(extractCommand(name, "/o", "secret pw", false), plain);
        QCOMPARE(extractTrace(name, "/o", "secret pw", false), plain);
    }
}

void TestExtractCommand::zipPieces()
{
    const QString keep = extractCommand("/m/a.zip", "/o", "", false);
    QVERIFY(keep.startsWith("unzip -n -P- /m/a.zip "));
    const QString over = extractCommand("/m/a.zip", "/o", "", true);
    QVERIFY(over.startsWith("unzip -o  -P- /m/a.zip "));
    QVERIFY(over.endsWith(" &"));
}

void TestExtractCommand::rarPieces()
{
    const QString line = extractCommand("/m/a.rar", "/o", "", false);
    QVERIFY(line.contains(" -o- -p- -y "));
    QVERIFY(!line.endsWith("&"));
    QVERIFY(line.endsWith("|tally -t unrar"));
    QCOMPARE(extractCommand("/m/a.rar", "/o", "my pw", true),
             QStringLiteral("unrar x -o+ -p'my pw' -y /m/a.rar /o |tally -t unrar"));
}

void TestExtractCommand::hostileWordsQuoted()
{
    QCOMPARE(extractCommand("-x y.tar", "-o", "", true),
             QStringLiteral("tar xvvf './-x y.tar' -C ./-o |tally -t tar &"));
    QCOMPARE(extractCommand("/m/a b.tgz", "/o u't", "", true),
             QStringLiteral("gzip -d <'/m/a b.tgz' |tar xvvf - -C '/o u'\\''t' |tally -t tar &"));
    // The name stands twice in the zip line; inside the back quotes its
    // back quote and dollar are escaped once more.
    QCOMPARE(extractCommand("/m/`x`$y.zip", "/o", "p w", false),
             QStringLiteral("unzip -n -P 'p w' '/m/`x`$y.zip' -d /o |tally -T `unzip -Z -t '/m/\\`x\\`\\$y.zip'"
                            " |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &"));
    // A name that unzip would take as a pattern is opened by the shell.
    QCOMPARE(extractCommand("/m/a[1]*?.zip", "/o", "", true),
             QStringLiteral("unzip -o  -P- /dev/fd/3 -d /o 3<'/m/a[1]*?.zip' |tally -T `unzip -Z -t /dev/fd/3"
                            " 3<'/m/a[1]*?.zip' |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &"));
    QCOMPARE(extractCommand("-a.rar", "-d", "", false),
             QStringLiteral("unrar x -o- -p- -y ./-a.rar ./-d |tally -t unrar"));
}

void TestExtractCommand::traceMasksPassword()
{
    const QString zip = extractTrace("/m/a.zip", "/o", "top secret", true);
    QVERIFY(zip.startsWith("unzip -o  -P *** /m/a.zip -d /o "));
    QVERIFY(!zip.contains("secret"));
    QCOMPARE(extractTrace("/m/a.rar", "/o", "s'cret", false),
             QStringLiteral("unrar x -o- -p*** -y /m/a.rar /o |tally -t unrar"));
    // Without a password the trace is the command itself.
    QCOMPARE(extractTrace("/m/a.rar", "/o", "", false), extractCommand("/m/a.rar", "/o", "", false));
    QCOMPARE(extractTrace("/m/a.zip", "/o", "", true), extractCommand("/m/a.zip", "/o", "", true));
}

QTEST_APPLESS_MAIN(TestExtractCommand)
#include "tst_extractcommand.moc"
