// The compress command lines: every row of the table, the archive path, the
// zip pieces, and the quoting of names the shell would otherwise take apart.
#include "compresscommand.h"

#include <QTest>

namespace {

CompressRequest photos(const QString& format)
{
    CompressRequest request;
    request.outDir = QStringLiteral("/mmc/mmca1/");
    request.name = QStringLiteral("photos");
    request.format = format;
    request.files = QStringList{QStringLiteral("/mmc/mmca1/photos")};
    return request;
}

} // namespace

class TestCompressCommand : public QObject
{
    Q_OBJECT
private slots:
    void tableRows_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("line");
        const QString tail = QStringLiteral(" /mmc/mmca1/photos |tally -T 600 -t tar &");
        const auto row = [&](const char* format, const char* head, const char* suffix) {
            QTest::newRow(format) << QString::fromLatin1(format)
                                  << QLatin1String(head) + QLatin1String("/mmc/mmca1/photos")
                                         + QLatin1String(suffix) + tail;
        };
        row(".tar", "tar cvvf ", ".tar");
        row(".tar.gz", "tar zcvvf ", ".tar.gz");
        row(".mtf", "tar zcvvf ", ".mtf");
        row(".pkg", "tar zcvvf ", ".pkg");
        row(".mpkg", "tar zcvvf ", ".mpkg");
        row(".tar.bz2", "tar jcvvf ", ".tar.bz2");
        row(".tar.xz", "tar --use=xz -cvvf ", ".tar.xz");
        row(".tar.lz", "tar --use=lzip -cvvf ", ".tar.lz");
        row(".tar.lzo", "tar --use=lzop -cvvf ", ".tar.lzo");
        row(".tar.lzma", "tar --use=lzma -cvvf ", ".tar.lzma");
        QTest::newRow(".zip") << QStringLiteral(".zip")
                              << QStringLiteral("zip -ryv -FS  -6  /mmc/mmca1/photos.zip "
                                                "/mmc/mmca1/photos |tally -T 600 -t zip &");
    }
    void tableRows()
    {
        QFETCH(QString, format);
        QFETCH(QString, line);
        const CompressRequest request = photos(format);
        QCOMPARE(compressCommand(request, 600), line);
        // Without a password the trace is the line itself.
        QCOMPARE(compressTrace(request, 600), line);
    }

    // Nothing is run for an empty selection, an empty format box or a
    // format without a row.
    void nothingToRun()
    {
        CompressRequest request = photos(QStringLiteral(".tar"));
        request.files.clear();
        QVERIFY(compressCommand(request, 0).isEmpty());
        QVERIFY(compressCommand(photos(QString()), 0).isEmpty());
        QVERIFY(compressCommand(photos(QStringLiteral(".rar")), 0).isEmpty());
        QVERIFY(compressCommand(photos(QStringLiteral(".tar.gz.x")), 0).isEmpty());
        QVERIFY(!hasCompressCommand(QString()));
        QVERIFY(hasCompressCommand(QStringLiteral("tar.lzma")));
    }

    void archivePathRule()
    {
        CompressRequest request = photos(QStringLiteral(".tar.gz"));
        request.name = QStringLiteral("backup.tar.gz");
        QCOMPARE(archivePath(request), QStringLiteral("/mmc/mmca1/backup.tar.gz"));
        request.name = QStringLiteral("backup.tar.gzip");
        QCOMPARE(archivePath(request), QStringLiteral("/mmc/mmca1/backup.tar.gzip"));
        request.name = QStringLiteral("backup.TAR.GZ"); // the test is case-sensitive
        QCOMPARE(archivePath(request), QStringLiteral("/mmc/mmca1/backup.TAR.GZ.tar.gz"));

        request = photos(QStringLiteral(".zip"));
        request.outDir = QStringLiteral("/mmc/a.zip/");
        QCOMPARE(archivePath(request), QStringLiteral("/mmc/a.zip/photos"));

        request = photos(QStringLiteral(".tar.gz"));
        request.name.clear();
        QCOMPARE(archivePath(request), QStringLiteral("/mmc/mmca1/.tar.gz"));
        QCOMPARE(formatKey(QStringLiteral(".tar.gz")), QStringLiteral("tar.gz"));
    }

    void zipPieces()
    {
        CompressRequest request = photos(QStringLiteral(".zip"));
        request.ratio = 0;
        QVERIFY(compressCommand(request, 1).startsWith(QLatin1String("zip -ryv -FS  -0  /mmc/")));

        // The password stands between the ratio and the archive, quoted for
        // the shell; the trace masks it.
        request.ratio = 6;
        request.password = QStringLiteral("s3cret");
        QCOMPARE(compressCommand(request, 1),
                 QStringLiteral("zip -ryv -FS  -6  -P s3cret /mmc/mmca1/photos.zip /mmc/mmca1/photos "
                                "|tally -T 1 -t zip &"));
        QCOMPARE(compressTrace(request, 1),
                 QStringLiteral("zip -ryv -FS  -6  -P *** /mmc/mmca1/photos.zip /mmc/mmca1/photos "
                                "|tally -T 1 -t zip &"));
        request.password = QStringLiteral("it's $x");
        QVERIFY(compressCommand(request, 1).contains(QLatin1String(" -P 'it'\\''s $x' /mmc/")));
        QVERIFY(!compressTrace(request, 1).contains(QLatin1String("it")));
    }

    // Ultra is level 9 whatever the ratio; Split with a size adds -s; the
    // tar rows ignore every zip option.
    void ultraAndSplit()
    {
        CompressRequest request = photos(QStringLiteral(".zip"));
        request.ratio = 2;
        request.ultra = true;
        QVERIFY(compressCommand(request, 1).startsWith(QLatin1String("zip -ryv -FS  -9  /mmc/")));

        request.ultra = false;
        request.split = true;
        request.splitSize = 10;
        QVERIFY(compressCommand(request, 1)
                    .startsWith(QLatin1String("zip -ryv -FS  -2 -s 10m  /mmc/mmca1/photos.zip ")));
        request.password = QStringLiteral("pw");
        QVERIFY(compressCommand(request, 1)
                    .startsWith(QLatin1String("zip -ryv -FS  -2 -s 10m  -P pw /mmc/")));
        request.splitSize = 0; // no size: one volume
        QVERIFY(compressCommand(request, 1).startsWith(QLatin1String("zip -ryv -FS  -2  -P pw /mmc/")));
        request.split = false;
        request.splitSize = 10;
        QVERIFY(!compressCommand(request, 1).contains(QLatin1String("-s ")));

        CompressRequest tar = request;
        tar.format = QStringLiteral(".tar.gz");
        tar.ultra = tar.split = true;
        QCOMPARE(compressCommand(tar, 600), compressCommand(photos(QStringLiteral(".tar.gz")), 600));
    }

    // Totals above 4 GiB are handed on whole.
    void wideTotal()
    {
        QVERIFY(compressCommand(photos(QStringLiteral(".tar")), 5000000000ULL)
                    .endsWith(QLatin1String(" |tally -T 5000000000 -t tar &")));
        QVERIFY(compressCommand(photos(QStringLiteral(".zip")), 18446744073709551615ULL)
                    .endsWith(QLatin1String(" |tally -T 18446744073709551615 -t zip &")));
    }

    void quoting()
    {
        CompressRequest request = photos(QStringLiteral(".tar"));
        request.outDir = QStringLiteral("/mmc/my files/");
        request.name = QStringLiteral("a;b");
        request.files = QStringList{QStringLiteral("/mmc/it's"), QStringLiteral("-rf"),
                                    QStringLiteral("/mmc/plain")};
        QCOMPARE(compressCommand(request, 3),
                 QStringLiteral("tar cvvf '/mmc/my files/a;b.tar' '/mmc/it'\\''s' ./-rf /mmc/plain "
                                "|tally -T 3 -t tar &"));
        // tar would read \ escapes in the names; zip takes them as they are.
        request.files << QStringLiteral("/mmc/a\\b");
        QVERIFY(compressCommand(request, 3).startsWith(
            QLatin1String("tar cvvf '/mmc/my files/a;b.tar' --no-unquote '/mmc/it'\\''s' ./-rf ")));
        request.format = QStringLiteral(".tar.xz");
        QVERIFY(compressCommand(request, 3).contains(QLatin1String(".tar.xz' --no-unquote '/mmc/it")));
        request.format = QStringLiteral(".zip");
        QVERIFY(!compressCommand(request, 3).contains(QLatin1String("unquote")));
        request.format = QStringLiteral(".tar");
        request.files.removeLast();
        request.outDir = QStringLiteral("/mmc/back\\slash/");
        QVERIFY(!compressCommand(request, 3).contains(QLatin1String("unquote")));

        request.outDir.clear();
        request.name = QStringLiteral("-x");
        QVERIFY(compressCommand(request, 3).startsWith(QLatin1String("tar cvvf ./-x.tar ")));
    }
};

QTEST_GUILESS_MAIN(TestCompressCommand)
#include "tst_compresscommand.moc"
