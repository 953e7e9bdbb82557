// The archiving and unpacking command lines: the exact text of every form,
// the type an archive's name gives, and what the real /bin/sh makes of the
// quoted values: with recording stand-ins on PATH, every program must get
// exactly the intended words, and no word may run as a command.
#include "compresscommand.h"
#include "extractcommand.h"
#include "localbytes.h"
#include "shellword.h"

#include "bytefiles.h"
#include "hostilenames.h"
#include "processes.h"

#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ArchiveType)

namespace {

CompressRequest photos(const QString& format)
{
    CompressRequest request;
    request.outDir = QStringLiteral("/m/");
    request.name = QStringLiteral("photos");
    request.format = format;
    request.files = QStringList{QStringLiteral("/m/photos")};
    return request;
}

CompressRequest zip(int ratio, bool ultra, int split, const QString& password)
{
    CompressRequest request = photos(QStringLiteral(".zip"));
    request.ratio = ratio;
    request.ultra = ultra;
    request.split = split > 0;
    request.splitSize = split;
    request.password = password;
    return request;
}

const char* const zipCount = " |tally -T `unzip -Z -t /m/a.zip |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &";

// The words the recorder logged, one record per started program: its name
// and then its words, all NUL-separated, records ended by an empty field.
QList<QByteArrayList> records(const QByteArray& log)
{
    QList<QByteArrayList> all;
    QByteArrayList fields;
    for (const QByteArray& field : readBytes(log).split('\0')) {
        if (!field.isEmpty()) {
            fields << field;
        } else if (!fields.isEmpty()) {
            all << fields;
            fields.clear();
        }
    }
    return all;
}

QByteArrayList wordsOf(const QList<QByteArrayList>& all, const QByteArray& program)
{
    for (const QByteArrayList& record : all)
        if (record.first() == "p:" + program && record.value(1) != "a:-Z")
            return record.mid(1);
    return {};
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void exactLines_data();
    void exactLines();
    void typeFromName_data();
    void typeFromName();
    void hostileWordsThroughTheShell_data();
    void hostileWordsThroughTheShell();
    void cleanupTestCase();

private:
    QList<QByteArrayList> runLine(const QString& line);
    QTemporaryDir m_tmp;
    QByteArray m_root;
};

void TestCommands::initTestCase()
{
    QVERIFY(becomeSubreaper());
    m_root = QFile::encodeName(m_tmp.path());
    // The recorder stands in for every program of the lines but sed.
    const QByteArray stubs = m_root + "/stubs";
    QCOMPARE(mkdir(stubs, 0755), 0);
    for (const char* tool : {"tar", "gzip", "bzip2", "xz", "lzip", "lzop", "lzma", "zip", "unzip", "unrar", "tally"})
        QCOMPARE(symlink(ARKIVE_RECORDER, stubs + '/' + tool), 0);
    qputenv("PATH", stubs + ":/usr/bin:/bin");
    QCOMPARE(mkdir(m_root + "/work", 0755), 0);
    QCOMPARE(mkdir(m_root + "/in", 0755), 0);
    QCOMPARE(chdir(m_root + "/work"), 0);   // where an injected command would leave its file
}

void TestCommands::cleanupTestCase()
{
    QCOMPARE(describeTree(m_root + "/work"), Tree());
    removeTree(m_root);
}

void TestCommands::exactLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* tag, const QString& line, const QString& expected) {
        QTest::newRow(tag) << line << expected;
    };
    const QString tail = QStringLiteral(" /m/photos |tally -T 600 -t tar &");
    for (const auto& [format, head] : {std::pair{".tar", "tar cvvf "}, {".tar.gz", "tar zcvvf "},
                                       {".mtf", "tar zcvvf "}, {".tar.bz2", "tar jcvvf "},
                                       {".tar.xz", "tar --use=xz -cvvf "}, {".tar.lz", "tar --use=lzip -cvvf "},
                                       {".tar.lzo", "tar --use=lzop -cvvf "}, {".tar.lzma", "tar --use=lzma -cvvf "}})
        row(format, compressCommand(photos(format), 600), head + QStringLiteral("/m/photos") + format + tail);
    row(".zip", compressCommand(zip(6, false, 0, {}), 600),
        "zip -ryv -FS  -6  /m/photos.zip /m/photos |tally -T 600 -t zip &");
    row("zip password", compressCommand(zip(0, false, 0, "it's"), 1),
        "zip -ryv -FS  -0  -P 'it'\\''s' /m/photos.zip /m/photos |tally -T 1 -t zip &");
    row("zip trace masks", compressTrace(zip(6, false, 0, "s3cret"), 1),
        "zip -ryv -FS  -6  -P *** /m/photos.zip /m/photos |tally -T 1 -t zip &");
    row("zip ultra, split", compressCommand(zip(2, true, 10, "pw"), 1),
        "zip -ryv -FS  -9 -s 10m  -P pw /m/photos.zip /m/photos |tally -T 1 -t zip &");
    row("total above 4 GiB", compressCommand(photos(".tar"), 5000000000ULL),
        "tar cvvf /m/photos.tar /m/photos |tally -T 5000000000 -t tar &");
    CompressRequest names = photos(QStringLiteral(".tar"));
    names.outDir = QStringLiteral("/m/my files/");
    names.name = QStringLiteral("-a;b");
    names.files = QStringList{QStringLiteral("/m/it's"), QStringLiteral("-rf"), QStringLiteral("a\\b")};
    row("quoted names, tar unquoting off", compressCommand(names, 3),
        "tar cvvf '/m/my files/-a;b.tar' --no-unquote '/m/it'\\''s' ./-rf 'a\\b' |tally -T 3 -t tar &");
    CompressRequest empty = photos(QStringLiteral(".tar"));
    empty.files.clear();
    row("no files", compressCommand(empty, 0), QString());
    row("format without a row", compressCommand(photos(".rar"), 0), QString());
    CompressRequest named = photos(QStringLiteral(".tar.gz"));
    named.name = QStringLiteral("backup.tar.gz");
    row("suffix not doubled", archivePath(named), "/m/backup.tar.gz");
    named.outDir = QStringLiteral("/m/a.tar.gz/");
    named.name = QStringLiteral("x");
    row("suffix found in the folder", archivePath(named), "/m/a.tar.gz/x");

    const QString o = QStringLiteral("/o");
    row("tar", extractCommand("/m/a.tar", o, "pw", false), "tar xvvf /m/a.tar -C /o |tally -t tar &");
    for (const auto& [name, tool] : {std::pair{"a.tgz", "gzip"}, {"a.tar.bz2", "bzip2"}, {"a.tar.lzo", "lzop"},
                                     {"a.txz", "xz"}, {"a.tar.lz", "lzip"}, {"a.tlzma", "lzma"}})
        row(name, extractCommand(QStringLiteral("/m/") + name, o, "", true),
            tool + QStringLiteral(" -d </m/") + name + " |tar xvvf - -C /o |tally -t tar &");
    row("zip replace", extractCommand("/m/a.zip", o, "", true), "unzip -o  -P- /m/a.zip -d /o" + QString(zipCount));
    row("zip keep", extractCommand("/m/a.zip", o, "", false), "unzip -n -P- /m/a.zip -d /o" + QString(zipCount));
    row("zip password", extractCommand("/m/a.zip", o, "p w", false),
        "unzip -n -P 'p w' /m/a.zip -d /o" + QString(zipCount));
    row("zip trace masks", extractTrace("/m/a.zip", o, "pw", false),
        "unzip -n -P *** /m/a.zip -d /o" + QString(zipCount));
    row("zip name as a pattern", extractCommand("/m/a[1]*?.zip", o, "", true),
        "unzip -o  -P- /dev/fd/3 -d /o 3<'/m/a[1]*?.zip' |tally -T `unzip -Z -t /dev/fd/3"
        " 3<'/m/a[1]*?.zip' |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &");
    row("zip name back-quoted twice", extractCommand("/m/`x`$y.zip", o, "", true),
        "unzip -o  -P- '/m/`x`$y.zip' -d /o |tally -T `unzip -Z -t '/m/\\`x\\`\\$y.zip'"
        " |sed 's/\\(.*\\) files.*/\\1/'` -t unzip &");
    row("rar", extractCommand("/m/a.rar", o, "", true), "unrar x -o+ -p- -y /m/a.rar /o |tally -t unrar");
    row("rar keep, password", extractCommand("-a.rar", "-d", "my pw", false),
        "unrar x -o- -p'my pw' -y ./-a.rar ./-d |tally -t unrar");
    row("rar trace masks", extractTrace("/m/a.rar", o, "pw", true), "unrar x -o+ -p*** -y /m/a.rar /o |tally -t unrar");
    row("empty folder", extractCommand("a.tar", "", "", true), "tar xvvf a.tar -C  |tally -t tar &");
    row("no type", extractCommand("/m/a.gz", o, "", true), QString());
}

void TestCommands::exactLines()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(line, expected);
}

void TestCommands::typeFromName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<ArchiveType>("type");
    QTest::newRow("ends with tar") << "a.star" << ArchiveType::Tar;
    QTest::newRow("case ignored") << "/x/A.TAR.GZ" << ArchiveType::Gzip;
    QTest::newRow("dotted base") << "backup-1.2.tar.bz2" << ArchiveType::Bzip2;
    QTest::newRow("tar before the rest") << "a.zip.tar" << ArchiveType::Tar;
    QTest::newRow("lz is not lzma") << "a.tar.lzma" << ArchiveType::Lzma;
    QTest::newRow("single compressed file") << "a.gz" << ArchiveType::None;
    QTest::newRow("dot only in the folder") << "/a.tar/archive" << ArchiveType::None;
    QTest::newRow("hidden name") << "/a/.tar" << ArchiveType::Tar;
}

void TestCommands::typeFromName()
{
    QFETCH(QString, path);
    QFETCH(ArchiveType, type);
    QCOMPARE(archiveTypeOf(path), type);
}

QList<QByteArrayList> TestCommands::runLine(const QString& line)
{
    const QByteArray log = m_root + "/record.log";
    ::unlink(log.constData());
    qputenv("ARKIVE_RECORD_LOG", log);
    if (!spawnShell(toLocalBytes(line)) || !reapAll())
        return {};
    return records(log);
}

void TestCommands::hostileWordsThroughTheShell_data()
{
    QTest::addColumn<QByteArray>("name");
    for (const QByteArray& name : hostileNames())
        QTest::newRow(name.toPercentEncoding().constData()) << name;
}

// Each name stands for an archive, a folder, a packed file and a password.
void TestCommands::hostileWordsThroughTheShell()
{
    QFETCH(QByteArray, name);
    const QString value = fromLocalBytes(name);
    const QByteArray arg = name.startsWith('-') ? "./" + name : name;
    const QByteArray in = m_root + "/in/";
    for (const char* ext : {".tar", ".tar.xz", ".zip", ".rar"}) {
        const QByteArray archive = in + name.left(200) + ext;
        QVERIFY(writeBytes(archive, QByteArray()));
        const QList<QByteArrayList> got = runLine(extractCommand(fromLocalBytes(archive), value, value, false));
        if (qstrcmp(ext, ".tar") == 0)
            QCOMPARE(wordsOf(got, "tar").mid(0, 4), (QByteArrayList{"a:xvvf", "a:" + archive, "a:-C", "a:" + arg}));
        if (qstrcmp(ext, ".tar.xz") == 0)
            QCOMPARE(wordsOf(got, "xz"), (QByteArrayList{"a:-d", "i:" + archive}));
        if (qstrcmp(ext, ".zip") == 0) {
            const QByteArrayList words = wordsOf(got, "unzip");
            QCOMPARE(words.mid(0, 3), (QByteArrayList{"a:-n", "a:-P", "a:" + name}));
            QVERIFY(words.contains("a:" + archive) || words.contains("3:" + archive));
            QVERIFY(words.contains("a:" + arg));
        }
        if (qstrcmp(ext, ".rar") == 0)
            QCOMPARE(wordsOf(got, "unrar").mid(0, 6),
                     (QByteArrayList{"a:x", "a:-o-", "a:-p" + name, "a:-y", "a:" + archive, "a:" + arg}));
    }
    for (const char* format : {".tar", ".zip"}) {
        CompressRequest request = zip(6, false, 0, value);
        request.format = QString::fromLatin1(format);
        request.outDir = value + '/';
        request.name = value;
        request.files = QStringList{value, QStringLiteral("/x")};
        const QByteArrayList words = wordsOf(runLine(compressCommand(request, 1)), format + 1);
        QVERIFY(words.contains("a:" + arg + '/' + name + format));
        QVERIFY(words.contains("a:" + arg));
        if (qstrcmp(format, ".zip") == 0)
            QVERIFY(words.contains("a:" + name));   // the password
    }
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
