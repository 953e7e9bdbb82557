// The archiving and unpacking command lines: the exact text of every form,
// the type an archive's name gives, and what the real /bin/sh makes of the
// quoted values: with recording stand-ins on PATH, every program must get
// exactly the intended words, and no word may run as a command.
#include "compresscommand.h"
#include "extractcommand.h"
#include "localbytes.h"

#include "bytefiles.h"
#include "hostilenames.h"
#include "processes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

CompressRequest pack(const QString& format, const QString& password = {}, int ratio = 6, bool ultra = false,
                     int split = 0, const QString& outDir = "/m/", const QString& name = "photos",
                     const QStringList& files = {"/m/photos"})
{
    return {outDir, name, format, files, ratio, ultra, split > 0, split, password};
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

// Whether one of the recorded programs got `words`: its name, then these
// words one after another among its own (see recorder.sh).
bool ran(const QByteArrayList& records, const QByteArrayList& words)
{
    const QByteArray run = '\0' + words.mid(1).join('\0') + '\0';
    return std::any_of(records.cbegin(), records.cend(), [&](const QByteArray& record) {
        return record.startsWith(words.first() + '\0') && record.mid(words.first().size()).contains(run);
    });
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    QByteArray m_root;

    // What the programs that the line started recorded, one entry each.
    QByteArrayList runLine(const QString& line)
    {
        const QByteArray dir = m_root + "/records";
        removeTree(dir);
        qputenv("ARKIVE_RECORD_DIR", dir);
        QByteArrayList records;
        if (::mkdir(dir, 0755) != 0 || runProgram({"/bin/sh", "-c", toLocalBytes(line)}) != 0 || !reapAll())
            return records;
        for (const QString& file : QDir(QFile::decodeName(dir)).entryList(QDir::Files))
            records << readBytes(dir + '/' + file.toLatin1());
        return records;
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
            QCOMPARE(symlink(ARKIVE_TEST_SOURCE_DIR "/recorder.sh", m_root + "/stubs/" + tool), 0);
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
        //   | tally --relay >&3; } 3>&1 | tally -T 5000000000 -t tar --archive=/m/photos.tar
        //   --partial=/m/.arkive-T.part --stages=1 &
        // One of each kind of tar row (that each format packs and unpacks is
        // proven with the real archivers end to end), with a total above 4 GiB.
        const QString part = "/m/.arkive-T.part";
        for (const auto& [format, head] : Table<const char*, const char*>{
                 {".tar", "tar cvvf "}, {".mtf", "tar zcvvf "}, {".tar.bz2", "tar jcvvf "}, {".tar.lzo", "tar --use=lzop -cvvf "}})
            row(format, compressCommand(pack(format), 5000000000ULL, part),
                line({head + part + " /m/photos"},
                     "-T 5000000000 -t tar --archive=/m/photos" + QString(format) + " --partial=" + part + " --stages=1"));
        const QString zipPart = "/m/.arkive-T.zip";
        const QString zipTally = "-T 1 -t zip --archive=/m/photos.zip --partial=" + zipPart + " --stages=1";
        row(".zip", compressCommand(pack(".zip"), 1, zipPart), line({"zip -ryv -FS  -6  " + zipPart + " /m/photos"}, zipTally));
        row("zip ultra, split", compressCommand(pack(".zip", "pw", 2, true, 10), 1, zipPart),
            line({"zip -ryv -FS  -9 -s 10m  -P pw " + zipPart + " /m/photos"}, zipTally));
        // The partial archive lies in a folder being packed: tar must leave it out.
        const CompressRequest names = pack(".tar", {}, 6, false, 0, "/m/my files/", "-a;b", {"/m/it's", "-rf", "a\\b", "/m/my files"});
        row("quoted names, unquoting off, partial left out", compressCommand(names, 3, "/m/my files/.p"),
            line({"tar cvvf '/m/my files/.p' --no-unquote --no-wildcards --exclude='/m/my files/.p'"
                  " '/m/it'\\''s' ./-rf 'a\\b' '/m/my files'"},
                 "-T 3 -t tar '--archive=/m/my files/-a;b.tar' '--partial=/m/my files/.p' --stages=1"));
        row("format without a row", compressCommand(pack(".rar"), 0, part), QString());
        row("suffix not doubled", archivePath(pack(".tar.gz", {}, 6, false, 0, "/m/", "backup.tar.gz")), "/m/backup.tar.gz");
        row("suffix in the folder only", archivePath(pack(".tar.gz", {}, 6, false, 0, "/m/a.tar.gz/", "x")), "/m/a.tar.gz/x.tar.gz");
        row("another type's suffix", archivePath(pack(".tar", {}, 6, false, 0, "/m/", "notes.tar.gz")), "/m/notes.tar.gz.tar");

        const QString mk = "mkdir -m 700 /o/.arkive-T";
        const auto words = [](const char* kind, const QString& archive, const char* more = "") {
            return "-t " + QString(kind) + " --archive=" + archive + " --folder=/o --staging=/o/.arkive-T" + more;
        };
        row("tar", extractCommand({"/m/a.tar", "/o", "pw", false}, "T"),
            line({"tar xvvf /m/a.tar -C /o/.arkive-T"}, words("tar", "/m/a.tar", " --keep --stages=1"), mk));
        for (const auto& [name, tool] : Table<const char*, const char*>{
                 {"a.tgz", "gzip"}, {"a.txz", "xz"}, {"a.tar.lz", "lzip"}, {"a.tlzma", "lzma"}}) {
            const QString archive = "/m/" + QString(name);
            row(name, extractCommand({archive, "/o", ""}, "T"),
                line({tool + (" -d <" + archive), "tar xvvf - -C /o/.arkive-T"}, words("tar", archive, " --stages=2"), mk));
        }
        row("zip name as a pattern", extractCommand({"/m/a[1]*?.zip", "/o", ""}, "T"),
            line({"unzip -o  -P- /dev/fd/4 -d /o/.arkive-T 4<'/m/a[1]*?.zip'"},
                 "-T \"$(unzip -Z -t /dev/fd/4 4<'/m/a[1]*?.zip' 2>&1 |sed 's/\\(.*\\) files.*/\\1/')\" -t unzip"
                 " '--archive=/m/a[1]*?.zip' --folder=/o --staging=/o/.arkive-T --stages=1", mk));
        row("tar, name like a host's file", extractCommand({"h:a.tar", "/o", ""}, "T"),
            line({"tar xvvf ./h:a.tar -C /o/.arkive-T"}, words("tar", "h:a.tar", " --stages=1"), mk));
        row("rar, name like an option", extractCommand({"-a.rar", "/o", ""}, "T"),
            line({"unrar x -o+ -p- -y ./-a.rar /o/.arkive-T"}, words("unrar", "-a.rar", " --stages=1"), mk));
        row("rar trace masks, escapes", extractTrace({"/m/\x1b[2J\n.rar", "/o", "pw"}, "T"),
            line({"unrar x -o+ -p*** -y '/m/\\e[2J\\n.rar' /o/.arkive-T"},
                 "-t unrar '--archive=/m/\\e[2J\\n.rar' --folder=/o --staging=/o/.arkive-T --stages=1", mk));
        row("empty folder", extractCommand({"a.tar", "", ""}, "T"),
            line({"tar xvvf a.tar -C "}, "-t tar --archive=a.tar --folder= --staging= --stages=1", "mkdir -m 700 "));
        row("no type", extractCommand({"/m/a.gz", "/o", ""}, "T"), QString());
        // unrar and 7-Zip would open every archive the name matches, 7-Zip
        // would put a * of the folder's path in the archive's name.
        row("rar, ? in the name", extractCommand({"/m/a?.rar", "/o", ""}, "T"), QString());
        row("split zip, * in the name", extractCommand({"/m/a*.zip", "/o", "", true, true}, "T"), QString());
        row("split zip, * in the folder", extractCommand({"/m/a.zip", "/o*", "", true, true}, "T"), QString());
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

    // Each name stands for an archive (with an ending), a folder, a packed
    // file and a password; every word must reach its program whole.
    void hostileWordsThroughTheShell()
    {
        QFETCH(QByteArray, name);
        const QString value = fromLocalBytes(name);
        const QByteArray arg = name.startsWith('-') ? "./" + name : name, staging = arg + "/.arkive-T";
        const QByteArray base = m_root + "/in/" + name.left(200);
        const auto tally = [&](const char* kind, const char* ext) {
            return QByteArrayList{"tally", "-t", kind, "--archive=" + base + ext, "--folder=" + name,
                                  "--staging=" + name + "/.arkive-T", "--keep"};
        };
        for (const auto& [ext, expected] : Table<const char*, QList<QByteArrayList>>{
                 {".tar", {{"tar", "xvvf", base + ".tar", "-C", staging}, tally("tar", ".tar")}},
                 {".tar.xz", {{"xz", "-d", "<" + base + ".tar.xz"}, {"tar", "xvvf", "-", "-C", staging}, tally("tar", ".tar.xz")}},
                 {".zip", {{"unzip", "-n", "-P", name, base + ".zip", "-d", staging}, {"unzip", "-Z", "-t", base + ".zip"},
                           QByteArrayList{"tally", "-T", "7"} + tally("unzip", ".zip").mid(1)}},   // the recorder's 7 files
                 {".rar", {{"unrar", "x", "-o-", "-p" + name, "-y", base + ".rar", staging}, tally("unrar", ".rar")}}}) {
            QVERIFY(writeBytes(base + ext, QByteArray()));
            const QString line = extractCommand({fromLocalBytes(base + ext), value, value, false}, "T");
            if (qstrcmp(ext, ".rar") == 0 && (name.contains('*') || name.contains('?'))) {
                QCOMPARE(line, QString());   // refused
                continue;
            }
            const QByteArrayList got = runLine(line);
            for (const QByteArrayList& words : expected + QList<QByteArrayList>{{"mkdir", "-m", "700", staging}})
                QVERIFY2(ran(got, words), words.join(' ').constData());
        }
        const QByteArray part = arg + "/.arkive-T";
        for (const auto& [format, expected] : Table<const char*, QList<QByteArrayList>>{
                 {".tar", {{"tar", "cvvf", part + ".part"}, {"tar", "--no-wildcards", "--exclude=" + part + ".part", arg, "/x"},
                           {"tally", "-t", "tar", "--archive=" + name + '/' + name + ".tar", "--partial=" + name + "/.arkive-T.part"}}},
                 {".zip", {{"zip", "-6", "-P", name, part + ".zip", arg, "/x"},
                           {"tally", "-t", "zip", "--archive=" + name + '/' + name + ".zip", "--partial=" + name + "/.arkive-T.zip"}}}}) {
            const CompressRequest request = pack(format, value, 6, false, 0, value + '/', value, {value, "/x"});
            const QByteArrayList got = runLine(compressCommand(request, 1, partialPath(request, "T")));
            for (const QByteArrayList& words : expected)
                QVERIFY2(ran(got, words), words.join(' ').constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
