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
        if (record.first() == "p:" + program && record.value(1) != "a:-Z" && record.value(1) != "a:--relay")
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
    for (const char* tool : {"tar", "gzip", "bzip2", "xz", "lzip", "lzop", "lzma", "zip", "unzip", "unrar", "tally",
                             "mkdir"})
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

// Every line as it is built around its stages: each stage reports how its
// program ended, error output goes through the relay, `prepare` first.
QString line(const QStringList& stages, const QString& tally, const QString& prepare = QString())
{
    QStringList groups;
    for (const QString& stage : stages)
        groups << "{ " + stage + "; printf '\\0S" + stage.section(' ', 0, 0) + " %d\\0' $? >&3; }";
    QString work = groups.join(" | ");
    if (!prepare.isEmpty())
        work = "if " + prepare + "; then " + work + "; else printf '\\0S" + prepare.section(' ', 0, 0)
               + " %d\\0' $? >&3; fi";
    return "{ { " + work + "; } 2>&1 >&3 | tally --relay >&3; } 3>&1 | tally " + tally + " &";
}

void TestCommands::exactLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* tag, const QString& line, const QString& expected) {
        QTest::newRow(tag) << line << expected;
    };
    const QString part = QStringLiteral("/m/.arkive-T.part");
    row("the whole line", compressCommand(photos(".tar"), 600, part),
        "{ { { tar cvvf /m/.arkive-T.part /m/photos; printf '\\0Star %d\\0' $? >&3; }; } 2>&1 >&3"
        " | tally --relay >&3; } 3>&1 | tally -T 600 -t tar --archive=/m/photos.tar --partial=/m/.arkive-T.part"
        " --stages=1 &");
    for (const auto& [format, head] : {std::pair{".tar.gz", "tar zcvvf "}, {".mtf", "tar zcvvf "},
                                       {".tar.bz2", "tar jcvvf "}, {".tar.xz", "tar --use=xz -cvvf "},
                                       {".tar.lz", "tar --use=lzip -cvvf "}, {".tar.lzo", "tar --use=lzop -cvvf "},
                                       {".tar.lzma", "tar --use=lzma -cvvf "}})
        row(format, compressCommand(photos(format), 600, part),
            line({head + part + " /m/photos"},
                 "-T 600 -t tar --archive=/m/photos" + QString(format) + " --partial=" + part + " --stages=1"));
    const QString zipPart = QStringLiteral("/m/.arkive-T.zip");
    const QString zipTally = "-T 1 -t zip --archive=/m/photos.zip --partial=" + zipPart + " --stages=1";
    row("partial of a zip", partialPath(zip(6, false, 0, {}), "T"), zipPart);
    row("partial of a tar", partialPath(photos(".tar.xz"), "T"), part);
    row(".zip", compressCommand(zip(6, false, 0, {}), 1, zipPart), line({"zip -ryv -FS  -6  " + zipPart + " /m/photos"}, zipTally));
    row("zip password", compressCommand(zip(0, false, 0, "it's"), 1, zipPart),
        line({"zip -ryv -FS  -0  -P 'it'\\''s' " + zipPart + " /m/photos"}, zipTally));
    row("zip trace masks", compressTrace(zip(6, false, 0, "s3cret"), 1, zipPart),
        line({"zip -ryv -FS  -6  -P *** " + zipPart + " /m/photos"}, zipTally));
    row("zip ultra, split", compressCommand(zip(2, true, 10, "pw"), 1, zipPart),
        line({"zip -ryv -FS  -9 -s 10m  -P pw " + zipPart + " /m/photos"}, zipTally));
    row("total above 4 GiB", compressCommand(photos(".tar"), 5000000000ULL, part),
        line({"tar cvvf " + part + " /m/photos"},
             "-T 5000000000 -t tar --archive=/m/photos.tar --partial=" + part + " --stages=1"));
    CompressRequest names = photos(QStringLiteral(".tar"));
    names.outDir = QStringLiteral("/m/my files/");
    names.name = QStringLiteral("-a;b");
    names.files = QStringList{QStringLiteral("/m/it's"), QStringLiteral("-rf"), QStringLiteral("a\\b"),
                              QStringLiteral("/m/my files")};
    // The partial archive lies in a folder being packed: tar must leave it out.
    row("quoted names, unquoting off, partial left out", compressCommand(names, 3, "/m/my files/.p"),
        line({"tar cvvf '/m/my files/.p' --no-unquote --no-wildcards --exclude='/m/my files/.p'"
              " '/m/it'\\''s' ./-rf 'a\\b' '/m/my files'"},
             "-T 3 -t tar '--archive=/m/my files/-a;b.tar' '--partial=/m/my files/.p' --stages=1"));
    CompressRequest empty = photos(QStringLiteral(".tar"));
    empty.files.clear();
    row("no files", compressCommand(empty, 0, part), QString());
    row("format without a row", compressCommand(photos(".rar"), 0, part), QString());
    CompressRequest named = photos(QStringLiteral(".tar.gz"));
    named.name = QStringLiteral("backup.tar.gz");
    row("suffix not doubled", archivePath(named), "/m/backup.tar.gz");
    named.outDir = QStringLiteral("/m/a.tar.gz/");
    named.name = QStringLiteral("x");
    row("suffix found in the folder", archivePath(named), "/m/a.tar.gz/x");

    const auto x = [](const char* archive, const char* outDir, const char* password, bool overwrite) {
        return ExtractRequest{QString::fromUtf8(archive), QString::fromUtf8(outDir), QString::fromUtf8(password),
                              overwrite};
    };
    const QString mk = QStringLiteral("mkdir -m 700 /o/.arkive-T");
    const auto words = [](const char* kind, const char* archive, const char* more = "") {
        return QString("-t ") + kind + " --archive=" + archive + " --folder=/o --staging=/o/.arkive-T" + more;
    };
    row("staging", stagingPath("/o/", "T"), "/o/.arkive-T");
    row("tar", extractCommand(x("/m/a.tar", "/o", "pw", false), "T"),
        line({"tar xvvf /m/a.tar -C /o/.arkive-T"}, words("tar", "/m/a.tar", " --keep --stages=1"), mk));
    for (const auto& [name, tool] : {std::pair{"a.tgz", "gzip"}, {"a.tar.bz2", "bzip2"}, {"a.tar.lzo", "lzop"},
                                     {"a.txz", "xz"}, {"a.tar.lz", "lzip"}, {"a.tlzma", "lzma"}}) {
        const QByteArray archive = QByteArray("/m/") + name;
        row(name, extractCommand(x(archive, "/o", "", true), "T"),
            line({tool + QString(" -d <") + archive, "tar xvvf - -C /o/.arkive-T"},
                 words("tar", archive, " --stages=2"), mk));
    }
    const QString count = QStringLiteral("-T \"$(unzip -Z -t /m/a.zip 2>&1 |sed 's/\\(.*\\) files.*/\\1/')\" ");
    row("zip replace", extractCommand(x("/m/a.zip", "/o", "", true), "T"),
        line({"unzip -o  -P- /m/a.zip -d /o/.arkive-T"}, count + words("unzip", "/m/a.zip", " --stages=1"), mk));
    row("zip keep, password", extractCommand(x("/m/a.zip", "/o", "p w", false), "T"),
        line({"unzip -n -P 'p w' /m/a.zip -d /o/.arkive-T"},
             count + words("unzip", "/m/a.zip", " --keep --stages=1"), mk));
    row("zip trace masks", extractTrace(x("/m/a.zip", "/o", "pw", true), "T"),
        line({"unzip -o  -P *** /m/a.zip -d /o/.arkive-T"}, count + words("unzip", "/m/a.zip", " --stages=1"), mk));
    row("zip name as a pattern", extractCommand(x("/m/a[1]*?.zip", "/o", "", true), "T"),
        line({"unzip -o  -P- /dev/fd/4 -d /o/.arkive-T 4<'/m/a[1]*?.zip'"},
             "-T \"$(unzip -Z -t /dev/fd/4 4<'/m/a[1]*?.zip' 2>&1 |sed 's/\\(.*\\) files.*/\\1/')\" -t unzip"
             " '--archive=/m/a[1]*?.zip' --folder=/o --staging=/o/.arkive-T --stages=1", mk));
    row("split zip", extractCommand({"/m/a.zip", "/o", "p w", true, true}, "T"),
        line({"7zz x -bb1 -y -p'p w' -o/o/.arkive-T /m/a.zip"}, words("7z", "/m/a.zip", " --stages=1"), mk));
    row("rar", extractCommand(x("/m/a.rar", "/o", "", true), "T"),
        line({"unrar x -o+ -p- -y /m/a.rar /o/.arkive-T"}, words("unrar", "/m/a.rar", " --stages=1"), mk));
    row("rar keep, password, dashes", extractCommand(x("-a.rar", "-d", "my pw", false), "T"),
        line({"unrar x -o- -p'my pw' -y ./-a.rar ./-d/.arkive-T"},
             "-t unrar --archive=-a.rar --folder=-d --staging=-d/.arkive-T --keep --stages=1",
             "mkdir -m 700 ./-d/.arkive-T"));
    row("rar trace masks, escapes", extractTrace(x("/m/\x1b[2J\n.rar", "/o", "pw", true), "T"),
        line({"unrar x -o+ -p*** -y '/m/\\e[2J\\n.rar' /o/.arkive-T"},
             "-t unrar '--archive=/m/\\e[2J\\n.rar' --folder=/o --staging=/o/.arkive-T --stages=1", mk));
    row("empty folder", extractCommand(x("a.tar", "", "", true), "T"),
        line({"tar xvvf a.tar -C "}, "-t tar --archive=a.tar --folder= --staging= --stages=1", "mkdir -m 700 "));
    row("no type", extractCommand(x("/m/a.gz", "/o", "", true), "T"), QString());
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
    const QByteArray staging = arg + "/.arkive-T";
    const QByteArray in = m_root + "/in/";
    for (const char* ext : {".tar", ".tar.xz", ".zip", ".rar"}) {
        const QByteArray archive = in + name.left(200) + ext;
        QVERIFY(writeBytes(archive, QByteArray()));
        const QList<QByteArrayList> got =
            runLine(extractCommand({fromLocalBytes(archive), value, value, false}, QStringLiteral("T")));
        QCOMPARE(wordsOf(got, "mkdir").mid(0, 3), (QByteArrayList{"a:-m", "a:700", "a:" + staging}));
        const QByteArrayList tally = wordsOf(got, "tally");
        QVERIFY(tally.contains("a:--archive=" + archive) && tally.contains("a:--folder=" + name));
        if (qstrcmp(ext, ".tar") == 0)
            QCOMPARE(wordsOf(got, "tar").mid(0, 4), (QByteArrayList{"a:xvvf", "a:" + archive, "a:-C", "a:" + staging}));
        if (qstrcmp(ext, ".tar.xz") == 0)
            QCOMPARE(wordsOf(got, "xz"), (QByteArrayList{"a:-d", "i:" + archive}));
        if (qstrcmp(ext, ".zip") == 0) {
            const QByteArrayList words = wordsOf(got, "unzip");
            QCOMPARE(words.mid(0, 3), (QByteArrayList{"a:-n", "a:-P", "a:" + name}));
            QVERIFY(words.contains("a:" + archive) || words.contains("4:" + archive));
            QVERIFY(words.contains("a:" + staging));
            QVERIFY(tally.startsWith("a:-T") && tally.at(1) == "a:7");   // the recorder's zipinfo says 7 files
        }
        if (qstrcmp(ext, ".rar") == 0)
            QCOMPARE(wordsOf(got, "unrar").mid(0, 6),
                     (QByteArrayList{"a:x", "a:-o-", "a:-p" + name, "a:-y", "a:" + archive, "a:" + staging}));
    }
    for (const char* format : {".tar", ".zip"}) {
        CompressRequest request = zip(6, false, 0, value);
        request.format = QString::fromLatin1(format);
        request.outDir = value + '/';
        request.name = value;
        request.files = QStringList{value, QStringLiteral("/x")};
        const QList<QByteArrayList> got = runLine(compressCommand(request, 1, partialPath(request, "T")));
        const QByteArrayList words = wordsOf(got, format + 1);
        QVERIFY(words.contains("a:" + arg + "/.arkive-T" + (qstrcmp(format, ".zip") == 0 ? ".zip" : ".part")));
        QVERIFY(words.contains("a:" + arg));
        QVERIFY(wordsOf(got, "tally").contains("a:--archive=" + name + '/' + name + format));
        if (qstrcmp(format, ".zip") == 0)
            QVERIFY(words.contains("a:" + name));   // the password
    }
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
