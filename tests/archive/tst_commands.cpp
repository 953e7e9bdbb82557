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

namespace {

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

CompressRequest pack(const QString& format, const QString& password = {}, int ratio = 6, bool ultra = false,
                     int split = 0, const QString& outDir = "/m/", const QString& name = "photos",
                     const QStringList& files = {"/m/photos"})
{
    return {outDir, name, format, files, ratio, ultra, split > 0, split, password};
}

ExtractRequest unpack(const QString& archive, const QString& outDir, const QString& password = {},
                      bool overwrite = true, bool split = false)
{
    return {archive, outDir, password, overwrite, split};
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

// The words that the recorder logged for `program` (see recorder.cpp), but
// those of zipinfo's count and of the relay.
QByteArrayList wordsOf(const QByteArray& log, const QByteArray& program)
{
    QByteArrayList record;
    for (const QByteArray& field : log.split('\0')) {
        if (!field.isEmpty()) {
            record << field;
            continue;
        }
        if (record.value(0) == "p:" + program && record.value(1) != "a:-Z" && record.value(1) != "a:--relay")
            return record.mid(1);
        record.clear();
    }
    return {};
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    QByteArray m_root;

    // The recorder's log of the programs that the line started.
    QByteArray runLine(const QString& line)
    {
        const QByteArray log = m_root + "/record.log";
        ::unlink(log.constData());
        qputenv("ARKIVE_RECORD_LOG", log);
        return runProgram({"/bin/sh", "-c", toLocalBytes(line)}) == 0 && reapAll() ? readBytes(log) : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(becomeSubreaper());
        m_root = QFile::encodeName(m_tmp.path());
        // The recorder stands in for every program of the lines but sed.
        for (const char* folder : {"/stubs", "/work", "/in"})
            QCOMPARE(mkdir(m_root + folder, 0755), 0);
        for (const char* tool : {"tar", "gzip", "bzip2", "xz", "lzip", "lzop", "lzma", "zip", "unzip", "unrar", "tally",
                                 "mkdir"})
            QCOMPARE(symlink(ARKIVE_RECORDER, m_root + "/stubs/" + tool), 0);
        qputenv("PATH", m_root + "/stubs:/usr/bin:/bin");
        QCOMPARE(chdir(m_root + "/work"), 0);   // where an injected command would leave its file
    }

    void cleanupTestCase()
    {
        QCOMPARE(describeTree(m_root + "/work"), Tree());
        removeTree(m_root);
    }

    void exactLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const QString& line, const QString& expected) {
            QTest::newRow(tag) << line << expected;
        };
        // The whole line of a tar, as line() builds it:
        // { { { tar cvvf /m/.arkive-T.part /m/photos; printf '\0Star %d\0' $? >&3; }; } 2>&1 >&3
        //   | tally --relay >&3; } 3>&1 | tally -T 600 -t tar --archive=/m/photos.tar --partial=/m/.arkive-T.part
        //   --stages=1 &
        const QString part = "/m/.arkive-T.part";
        for (const auto& [format, head] : Table<const char*, const char*>{
                 {".tar.gz", "tar zcvvf "}, {".mtf", "tar zcvvf "}, {".tar.bz2", "tar jcvvf "},
                 {".tar.xz", "tar --use=xz -cvvf "}, {".tar.lz", "tar --use=lzip -cvvf "},
                 {".tar.lzo", "tar --use=lzop -cvvf "}, {".tar.lzma", "tar --use=lzma -cvvf "}})
            row(format, compressCommand(pack(format), 600, part),
                line({head + part + " /m/photos"},
                     "-T 600 -t tar --archive=/m/photos" + QString(format) + " --partial=" + part + " --stages=1"));
        const QString zipPart = "/m/.arkive-T.zip";
        const QString zipTally = "-T 1 -t zip --archive=/m/photos.zip --partial=" + zipPart + " --stages=1";
        row("partial of a zip", partialPath(pack(".zip"), "T"), zipPart);
        row(".zip", compressCommand(pack(".zip"), 1, zipPart), line({"zip -ryv -FS  -6  " + zipPart + " /m/photos"}, zipTally));
        row("zip password", compressCommand(pack(".zip", "it's", 0), 1, zipPart),
            line({"zip -ryv -FS  -0  -P 'it'\\''s' " + zipPart + " /m/photos"}, zipTally));
        row("zip ultra, split", compressCommand(pack(".zip", "pw", 2, true, 10), 1, zipPart),
            line({"zip -ryv -FS  -9 -s 10m  -P pw " + zipPart + " /m/photos"}, zipTally));
        row("total above 4 GiB", compressCommand(pack(".tar"), 5000000000ULL, part),
            line({"tar cvvf " + part + " /m/photos"},
                 "-T 5000000000 -t tar --archive=/m/photos.tar --partial=" + part + " --stages=1"));
        // The partial archive lies in a folder being packed: tar must leave it out.
        const CompressRequest names = pack(".tar", {}, 6, false, 0, "/m/my files/", "-a;b", {"/m/it's", "-rf", "a\\b", "/m/my files"});
        row("quoted names, unquoting off, partial left out", compressCommand(names, 3, "/m/my files/.p"),
            line({"tar cvvf '/m/my files/.p' --no-unquote --no-wildcards --exclude='/m/my files/.p'"
                  " '/m/it'\\''s' ./-rf 'a\\b' '/m/my files'"},
                 "-T 3 -t tar '--archive=/m/my files/-a;b.tar' '--partial=/m/my files/.p' --stages=1"));
        row("no files", compressCommand(pack(".tar", {}, 6, false, 0, "/m/", "photos", {}), 0, part), QString());
        row("format without a row", compressCommand(pack(".rar"), 0, part), QString());
        row("suffix not doubled", archivePath(pack(".tar.gz", {}, 6, false, 0, "/m/", "backup.tar.gz")), "/m/backup.tar.gz");
        row("suffix found in the folder", archivePath(pack(".tar.gz", {}, 6, false, 0, "/m/a.tar.gz/", "x")), "/m/a.tar.gz/x");

        const QString mk = "mkdir -m 700 /o/.arkive-T";
        const auto words = [](const char* kind, const QString& archive, const char* more = "") {
            return "-t " + QString(kind) + " --archive=" + archive + " --folder=/o --staging=/o/.arkive-T" + more;
        };
        row("staging", stagingPath("/o/", "T"), "/o/.arkive-T");
        row("tar", extractCommand(unpack("/m/a.tar", "/o", "pw", false), "T"),
            line({"tar xvvf /m/a.tar -C /o/.arkive-T"}, words("tar", "/m/a.tar", " --keep --stages=1"), mk));
        for (const auto& [name, tool] : Table<const char*, const char*>{
                 {"a.tgz", "gzip"}, {"a.tar.bz2", "bzip2"}, {"a.tar.lzo", "lzop"}, {"a.txz", "xz"},
                 {"a.tar.lz", "lzip"}, {"a.tlzma", "lzma"}}) {
            const QString archive = "/m/" + QString(name);
            row(name, extractCommand(unpack(archive, "/o"), "T"),
                line({tool + (" -d <" + archive), "tar xvvf - -C /o/.arkive-T"}, words("tar", archive, " --stages=2"), mk));
        }
        const QString count = "-T \"$(unzip -Z -t /m/a.zip 2>&1 |sed 's/\\(.*\\) files.*/\\1/')\" ";
        row("zip replace", extractCommand(unpack("/m/a.zip", "/o"), "T"),
            line({"unzip -o  -P- /m/a.zip -d /o/.arkive-T"}, count + words("unzip", "/m/a.zip", " --stages=1"), mk));
        row("zip keep, password", extractCommand(unpack("/m/a.zip", "/o", "p w", false), "T"),
            line({"unzip -n -P 'p w' /m/a.zip -d /o/.arkive-T"},
                 count + words("unzip", "/m/a.zip", " --keep --stages=1"), mk));
        row("zip trace masks", extractTrace(unpack("/m/a.zip", "/o", "pw"), "T"),
            line({"unzip -o  -P *** /m/a.zip -d /o/.arkive-T"}, count + words("unzip", "/m/a.zip", " --stages=1"), mk));
        row("zip name as a pattern", extractCommand(unpack("/m/a[1]*?.zip", "/o"), "T"),
            line({"unzip -o  -P- /dev/fd/4 -d /o/.arkive-T 4<'/m/a[1]*?.zip'"},
                 "-T \"$(unzip -Z -t /dev/fd/4 4<'/m/a[1]*?.zip' 2>&1 |sed 's/\\(.*\\) files.*/\\1/')\" -t unzip"
                 " '--archive=/m/a[1]*?.zip' --folder=/o --staging=/o/.arkive-T --stages=1", mk));
        row("split zip", extractCommand(unpack("/m/a.zip", "/o", "p w", true, true), "T"),
            line({"7zz x -bb1 -y -p'p w' -o/o/.arkive-T /m/a.zip"}, words("7z", "/m/a.zip", " --stages=1"), mk));
        row("rar", extractCommand(unpack("/m/a.rar", "/o"), "T"),
            line({"unrar x -o+ -p- -y /m/a.rar /o/.arkive-T"}, words("unrar", "/m/a.rar", " --stages=1"), mk));
        row("rar keep, password, dashes", extractCommand(unpack("-a.rar", "-d", "my pw", false), "T"),
            line({"unrar x -o- -p'my pw' -y ./-a.rar ./-d/.arkive-T"},
                 "-t unrar --archive=-a.rar --folder=-d --staging=-d/.arkive-T --keep --stages=1",
                 "mkdir -m 700 ./-d/.arkive-T"));
        row("rar trace masks, escapes", extractTrace(unpack("/m/\x1b[2J\n.rar", "/o", "pw"), "T"),
            line({"unrar x -o+ -p*** -y '/m/\\e[2J\\n.rar' /o/.arkive-T"},
                 "-t unrar '--archive=/m/\\e[2J\\n.rar' --folder=/o --staging=/o/.arkive-T --stages=1", mk));
        row("empty folder", extractCommand(unpack("a.tar", ""), "T"),
            line({"tar xvvf a.tar -C "}, "-t tar --archive=a.tar --folder= --staging= --stages=1", "mkdir -m 700 "));
        row("no type", extractCommand(unpack("/m/a.gz", "/o"), "T"), QString());
    }
    void exactLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(line, expected);
    }

    // The type comes from everything after the first dot of the name.
    void typeFromName()
    {
        for (const auto& [path, type] : Table<const char*, ArchiveType>{
                 {"a.star", ArchiveType::Tar}, {"/x/A.TAR.GZ", ArchiveType::Gzip},
                 {"backup-1.2.tar.bz2", ArchiveType::Bzip2}, {"a.zip.tar", ArchiveType::Tar},
                 {"a.tar.lzma", ArchiveType::Lzma}, {"a.gz", ArchiveType::None}, {"/a.tar/archive", ArchiveType::None},
                 {"/a/.tar", ArchiveType::Tar}})
            QVERIFY2(archiveTypeOf(path) == type, path);
    }

    void hostileWordsThroughTheShell_data()
    {
        QTest::addColumn<QByteArray>("name");
        for (const QByteArray& name : hostileNames())
            QTest::newRow(name.toPercentEncoding().constData()) << name;
    }

    // Each name stands for an archive, a folder, a packed file and a password.
    void hostileWordsThroughTheShell()
    {
        QFETCH(QByteArray, name);
        const QString value = fromLocalBytes(name);
        const QByteArray arg = name.startsWith('-') ? "./" + name : name, staging = arg + "/.arkive-T";
        const QByteArray base = m_root + "/in/" + name.left(200);
        // The first words of each program (unzip's archive may come as /dev/fd/4, below).
        for (const auto& [ext, program, head] : Table<const char*, QByteArray, QByteArrayList>{
                 {".tar", "tar", {"a:xvvf", "a:" + base + ".tar", "a:-C", "a:" + staging}},
                 {".tar.xz", "xz", {"a:-d", "i:" + base + ".tar.xz"}},
                 {".zip", "unzip", {"a:-n", "a:-P", "a:" + name}},
                 {".rar", "unrar", {"a:x", "a:-o-", "a:-p" + name, "a:-y", "a:" + base + ".rar", "a:" + staging}}}) {
            const QByteArray archive = base + ext;
            QVERIFY(writeBytes(archive, QByteArray()));
            const QByteArray got = runLine(extractCommand(unpack(fromLocalBytes(archive), value, value, false), "T"));
            QCOMPARE(wordsOf(got, "mkdir").mid(0, 3), (QByteArrayList{"a:-m", "a:700", "a:" + staging}));
            const QByteArrayList words = wordsOf(got, program), tally = wordsOf(got, "tally");
            QCOMPARE(words.mid(0, head.size()), head);
            QVERIFY(tally.contains("a:--archive=" + archive) && tally.contains("a:--folder=" + name));
            if (program == "unzip") {
                QVERIFY((words.contains("a:" + archive) || words.contains("4:" + archive)) && words.contains("a:" + staging));
                QCOMPARE(tally.mid(0, 2), (QByteArrayList{"a:-T", "a:7"}));   // the recorder's zipinfo says 7 files
            }
        }
        for (const char* format : {".tar", ".zip"}) {
            const CompressRequest request = pack(format, value, 6, false, 0, value + '/', value, {value, "/x"});
            const QByteArray got = runLine(compressCommand(request, 1, partialPath(request, "T")));
            const QByteArrayList words = wordsOf(got, format + 1);
            QVERIFY(words.contains("a:" + arg + "/.arkive-T" + (qstrcmp(format, ".zip") == 0 ? ".zip" : ".part")));
            QVERIFY(words.contains("a:" + arg));
            QVERIFY(wordsOf(got, "tally").contains("a:--archive=" + name + '/' + name + format));
            QVERIFY(qstrcmp(format, ".tar") == 0 || words.contains("a:" + name));   // the password
        }
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
