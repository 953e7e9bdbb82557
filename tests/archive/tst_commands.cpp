// The archiving and unpacking command lines: the exact text of every form,
// the type an archive's name gives, and what the real /bin/sh makes of the
// quoted values: with recording stand-ins on PATH, every program must get
// exactly the intended words, and no word may run as a command.
#include "compresscommand.h"
#include "extractcommand.h"
#include "rarheaders.h"
#include "zipdirectory.h"
#include "localbytes.h"

#include "bytefiles.h"
#include "hostilenames.h"
#include "processes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstring>

Q_DECLARE_METATYPE(CompressRequest)
Q_DECLARE_METATYPE(arkive::UnpackJob)

namespace {

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;
using Words = QList<QStringList>;

CompressRequest pack(const QString& format, const QString& password = {}, int ratio = 6, bool ultra = false,
                     int split = 0, const QString& outDir = "/m/", const QString& name = "photos",
                     const QStringList& files = {"/m/photos"})
{
    return {outDir, name, format, files, ratio, ultra, split > 0, split, password};
}

QStringList strings(const std::vector<std::string>& words)
{
    QStringList list;
    for (const std::string& word : words)
        list << QString::fromStdString(word);
    return list;
}

// A plan as lists of words: each stage's (with "<FILE", ">FILE", "4<FILE",
// "in FOLDER", "2>&1" and "</dev/null" after them), the prepare stage's,
// tally's.
Words wordsOf(const arkive::Plan& plan)
{
    Words words;
    for (const arkive::Stage& stage : plan.stages) {
        QStringList w = strings(stage.words);
        if (!stage.input.empty())
            w << "<" + QString::fromStdString(stage.input);
        if (!stage.output.empty())
            w << ">" + QString::fromStdString(stage.output);
        if (!stage.fd4.empty())
            w << "4<" + QString::fromStdString(stage.fd4);
        if (!stage.folder.empty())
            w << "in " + QString::fromStdString(stage.folder);
        if (stage.errorsInListing)
            w << "2>&1";
        if (stage.noInput)
            w << "</dev/null";
        words << w;
    }
    for (const arkive::Stage& stage : plan.prepare)
        words << strings(stage.words);
    return words << strings(plan.tally);
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
        for (const char* tool : {"tar", "gzip", "bzip2", "xz", "lzip", "lzop", "lzma", "zstd", "zip", "unzip", "unrar",
                                 "bsdtar", "7zz", "tally", "mkdir"})
            QCOMPARE(symlink(ARKIVE_TEST_SOURCE_DIR "/recorder.sh", m_root + "/stubs/" + tool), 0);
        qputenv("PATH", m_root + "/stubs:/usr/bin:/bin");
        QCOMPARE(chdir(m_root + "/work"), 0);   // where an injected command would leave its file
    }

    void cleanupTestCase()
    {
        QCOMPARE(describeTree(m_root + "/work"), Tree());
        removeTree(m_root);
    }

    // Every format's packing line as argument lists, with the tools a
    // machine may lack: `missing` lists what is not installed. Each entry
    // is stored under its name in the folder that holds them all.
    void packPlans_data()
    {
        QTest::addColumn<CompressRequest>("request");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<Words>("words");
        const QString p = "/m/.arkive-T.part", z = "/m/.arkive-T.zip", s = "/m/.arkive-T.7z";
        const auto tally = [](const char* kind, const char* ending, const QString& partial) {
            QStringList w{"-t", kind, "--pack", QString("--archive=/m/photos") + ending, "--partial=" + partial};
            return (kind == QString("tar") ? QStringList{"--bytes=9"} : QStringList{"-T", "9"}) + w;
        };
        const QStringList tar{"tar", "-cvvf", "-", "--index-file=/dev/fd/3", "-C", "/m", "--", "photos"}, pass{"tally", "--pass"};
        const QStringList sevenZip{"7zz", "a", "-bb1", "-bsp1", "-bso1", "-bse2", "-spd", "-y", "-snl"};
        const auto row = [](const char* tag, const CompressRequest& r, const QStringList& missing, const Words& w) {
            QTest::newRow(tag) << r << missing << w;
        };
        // tar's stream is counted on its way to the compressor: the first of its parallel tools that is installed,
        // else the compressor itself (the unpacking table below pins the choice for each format).
        row("tar.gz", pack(".tar.gz"), {}, {tar, pass, {"pigz", ">" + p}, tally("tar", ".tar.gz", p) << "--base=/m"});
        row("tar.gz without pigz", pack(".tar.gz"), {"pigz"}, {tar, pass, {"gzip", ">" + p}, tally("tar", ".tar.gz", p) << "--base=/m"});
        row("tar.xz", pack(".tar.xz"), {}, {tar, pass, {"xz", "-T0", ">" + p}, tally("tar", ".tar.xz", p) << "--base=/m"});
        // Uncompressed, tar writes the partial archive, whose size tally watches. When that lies in a folder
        // being packed, tar must leave it out. Names from two folders.
        row("tar: names as names, partial left out", pack(".tar", {}, 6, false, 0, "/m/my files/", "a", {"/m/it's", "/m/-rf", "/m/x/a\\b", "/m/my files"}),
            {}, {{"tar", "-cvvf", "/m/my files/.arkive-T.part", "--no-unquote", "--no-wildcards", "--exclude=my files/.arkive-T.part",
                  "-C", "/m", "--", "it's", "-rf", "x/a\\b", "my files"},
                 {"--bytes=9", "-t", "tar", "--pack", "--archive=/m/my files/a.tar", "--partial=/m/my files/.arkive-T.part", "--base=/m"}});
        row("tar: one file of the root", pack(".tar", {}, 6, false, 0, "/m/", "photos", {"/x"}), {},
            {{"tar", "-cvvf", p, "-C", "/", "--", "x"}, tally("tar", ".tar", p) << "--base=/"});
        // zip and 7-Zip run in that folder; zip's own temporary file goes into the line's private folder.
        const QString b = "/m/.arkive-T";
        const QStringList mkB{"mkdir", "-m", "700", b};
        row("zip", pack(".zip"), {}, {{"zip", "-ryv", "-FS", "-6", "-b", b, z, "photos", "in /m"}, mkB,
                                      tally("zip", ".zip", z) << "--base=/m" << "--scratch=" + b});
        row("zip into a folder it packs: its private folder left out", pack(".zip", {}, 6, false, 0, "/m/my [1]/", "a", {"/m/my [1]", "/m/-x"}), {},
            {{"zip", "-ryv", "-FS", "-6", "-b", "/m/my [1]/.arkive-T", "/m/my [1]/.arkive-T.zip", "my [1]", "./-x", "-nw", "-x", "my [1]/.arkive-T/", "in /m"},
             {"mkdir", "-m", "700", "/m/my [1]/.arkive-T"},
             {"-T", "9", "-t", "zip", "--pack", "--archive=/m/my [1]/a.zip", "--partial=/m/my [1]/.arkive-T.zip", "--base=/m",
              "--scratch=/m/my [1]/.arkive-T"}});
        row("zip password: AES through 7-Zip", pack(".zip", "p w", 2, true), {},
            {sevenZip + QStringList{"-tzip", "-mx=9", "-pp w", "-mem=AES256", z, "photos", "in /m"}, tally("7z", ".zip", z)});
        row("zip password without 7-Zip: zip's own", pack(".zip", "pw"), {"7zz"},
            {{"zip", "-ryv", "-FS", "-6", "-b", b, "-P", "pw", z, "photos", "in /m"}, mkB, tally("zip", ".zip", z) << "--base=/m" << "--scratch=" + b});
        row("split zip password: zip's own", pack(".zip", "pw", 6, false, 10), {},
            {{"zip", "-ryv", "-FS", "-6", "-b", b, "-s", "10m", "-P", "pw", z, "photos", "in /m"}, mkB,
             tally("zip", ".zip", z) << "--base=/m" << "--scratch=" + b});
        row("7z", pack(".7z", {}, 0), {}, {sevenZip + QStringList{"-t7z", "-mx=0", s, "photos", "in /m"}, tally("7z", ".7z", s)});
        row("7z: password hides the names, volumes, names 7-Zip would read", pack(".7z", "pw", 6, false, 5, "/m/", "photos", {"/m/@list", "/m/-x", "/m/a*"}),
            {}, {sevenZip + QStringList{"-t7z", "-mx=6", "-v5m", "-ppw", "-mhe=on", s, "./@list", "./-x", "a*", "in /m"}, tally("7z", ".7z", s)});
        row("rar is not packed", pack(".rar"), {}, {{}});
        row("no files", pack(".tar", {}, 6, false, 0, "/m/", "photos", {}), {}, {{}});
    }
    void packPlans()
    {
        QFETCH(CompressRequest, request);
        QFETCH(QStringList, missing);
        QFETCH(Words, words);
        const arkive::Format* format = formatOfEntry(request.format);
        QVERIFY(format);
        arkive::PackJob job;
        job.archive = toLocalBytes(archivePath(request)).toStdString();
        job.partial = toLocalBytes(partialPath(request, "T")).toStdString();
        for (const QString& file : std::as_const(request.files))
            job.files.push_back(file.toStdString());
        job.password = request.password.toStdString();
        job.level = request.ultra ? 9 : request.ratio;
        job.volumeMegabytes = request.split ? unsigned(request.splitSize) : 0;
        job.total = 9;
        const arkive::Plan plan = arkive::packPlan(*format, job, [&](const char* program) { return !missing.contains(program); });
        QCOMPARE(wordsOf(plan), words.first().isEmpty() ? Words{{}} : words);
    }

    // Every format's unpacking line, or why there is none.
    void unpackPlans_data()
    {
        QTest::addColumn<arkive::UnpackJob>("job");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<Words>("words");
        QTest::addColumn<QString>("refusal");   // the package that would unpack it
        const QString s = "/o/.arkive-T";
        const QStringList mk{"mkdir", "-m", "700", s};
        const QStringList out{"mkdir", "-p", "/o"};
        const auto job = [&s](const char* archive, const char* password = "", bool overwrite = true) {
            arkive::UnpackJob j;
            j.archive = archive;
            j.cwd = "/here";
            j.folder = "/o";
            j.staging = s.toStdString();
            j.password = password;
            j.overwrite = overwrite;
            return j;
        };
        const auto tally = [](const char* kind, const char* archive, const char* more = nullptr) {
            QStringList w{"-t", kind, "--unpack", QString("--archive=") + archive, "--folder=/o", "--staging=/o/.arkive-T"};
            return more ? w << more : w;
        };
        const QStringList sevenZip{"7zz", "x", "-bb1", "-bsp1", "-bso1", "-bse2", "-spd", "-y", "-snld"};
        const auto row = [](const char* tag, const arkive::UnpackJob& j, const char* format, const QStringList& missing,
                            const Words& w, const char* refusal = "") {
            QTest::newRow(tag) << j << QString(format) << missing << w << QString(refusal);
        };
        // tar reads a compressed archive through the pass, which counts its bytes, and the first parallel tool
        // installed (zstd has none that unpacks), else the compressor. tally watches tar read an uncompressed one.
        const QStringList pass{"tally", "--pass", "</m/a"}, untar{"tar", "xvvf", "-", "-C", s};
        arkive::UnpackJob sized = job("/m/a.tar", "pw", false);
        sized.archiveBytes = 5000;
        row("tar, kept files", sized, "tar", {},
            {{"tar", "xvvf", "/m/a.tar", "-C", s}, out, mk, QStringList{"--bytes=5000"} + tally("tar", "/m/a.tar", "--keep")});
        row("tar, name like a host's file", job("h:a.tar"), "tar", {}, {{"tar", "xvvf", "./h:a.tar", "-C", s}, out, mk, tally("tar", "h:a.tar")});
        for (const auto& [format, missing, tool] : Table<const char*, QStringList, QStringList>{
                 {"tar.gz", {}, {"pigz", "-d"}}, {"tar.gz", {"pigz"}, {"gzip", "-d"}}, {"tar.bz2", {"lbzip2"}, {"pbzip2", "-d"}},
                 {"tar.xz", {}, {"xz", "-T0", "-d"}}, {"tar.zst", {}, {"zstd", "-d"}}})
            row(qPrintable(format + (missing.isEmpty() ? "" : " without " + missing.join(", "))), job("/m/a"), format, missing,
                {pass, tool, untar, out, mk, tally("tar", "/m/a")});
        row("tar.xz without xz", job("/m/a"), "tar.xz", {"xz"}, {{}}, "xz-utils");
        // unzip is measured by what it writes, of what the members unpack to.
        arkive::UnpackJob zip = job("/m/a[1]*?.zip", "pw");
        zip.entries = 7;
        zip.memberBytes = 5000;
        row("zip name as a pattern", zip, "zip", {},
            {{"unzip", "-o", "-P", "pw", "/dev/fd/4", "-d", s, "4</m/a[1]*?.zip"}, out, mk,
             QStringList{"--bytes=5000", "-T", "7"} + tally("unzip", "/m/a[1]*?.zip")});
        zip = job("a.zip");
        zip.split = true;
        row("split zip: 7-Zip in the private folder", zip, "zip", {}, {sevenZip + QStringList{"-p", "/here/a.zip", "in " + s}, out, mk, tally("7z", "a.zip")});
        zip = job("/m/a.zip");
        zip.unzipCannotRead = true;
        row("AES zip without 7-Zip", zip, "zip", {"7zz"}, {{}}, "7zip");
        row("7z", job("/m/*.7z", "p w"), "7z", {}, {sevenZip + QStringList{"-pp w", "/m/*.7z", "in " + s}, out, mk, tally("7z", "/m/*.7z")});
        row("rar with unrar", job("-a.rar", "pw", false), "rar", {},
            {{"unrar", "x", "-o-", "-ppw", "-y", "./-a.rar", s}, out, mk, tally("unrar", "-a.rar", "--keep")});
        const Words bsdtar{{"bsdtar", "-xvf", "/m/a?.rar", "-C", s, "2>&1", "</dev/null"}, out, mk, tally("bsdtar", "/m/a?.rar")};
        row("rar whose name unrar reads as a pattern", job("/m/a?.rar"), "rar", {}, bsdtar);
        zip = job("/m/a?.rar");
        zip.memberBytes = 5000;
        row("rar without unrar", zip, "rar", {"unrar"},
            {bsdtar[0], out, mk, QStringList{"--bytes=5000"} + tally("bsdtar", "/m/a?.rar")});
        row("rar without a tool", job("/m/a.rar"), "rar", {"unrar", "bsdtar"}, {{}}, "libarchive-tools");
        zip = job("/m/a.rar");
        zip.encrypted = true;
        row("encrypted rar without unrar", zip, "rar", {"unrar"}, {{}}, "unrar");
        row("no format", job("/m/a.gz"), "", {}, {{}}, "-");
        // Chosen members, each taken literally by its tool; a folder brings what is below it.
        const auto picked = [&job](const char* archive) {
            arkive::UnpackJob j = job(archive);
            j.members = {{"a*b", false}, {"-d [1]", true}, {"x\\y?", false}};
            j.entries = 7;   // no total: only some entries are unpacked
            j.memberBytes = 5000;
            return j;
        };
        row("tar.gz members", picked("/m/a.tgz"), "tgz", {"pigz"},
            {{"tally", "--pass", "</m/a.tgz"}, {"gzip", "-d"},
             {"tar", "xvvf", "-", "-C", s, "--no-wildcards", "--no-unquote", "--", "a*b", "-d [1]", "x\\y?"}, out, mk, tally("tar", "/m/a.tgz")});
        zip = picked("/m/a.zip");
        zip.members.back().path = "y?";
        row("zip members", zip, "zip", {},
            {{"unzip", "-o", "-P-", "/m/a.zip", "a[*]b", "-d [[]1]/*", "y[?]", "-d", s}, out, mk, tally("unzip", "/m/a.zip")});
        // unzip would take them for other names.
        row("zip member with a backslash", picked("/m/a.zip"), "zip", {}, {{}}, "-");
        zip.members.back().path = "new\nline";
        row("zip member with a newline", zip, "zip", {}, {{}}, "-");
        row("7z members", picked("/m/a.7z"), "7z", {},
            {sevenZip + QStringList{"-p", "/m/a.7z", "--", "a*b", "-d [1]", "x\\y?", "in " + s}, out, mk, tally("7z", "/m/a.7z")});
        row("rar members: through libarchive", picked("/m/a.rar"), "rar", {},
            {{"bsdtar", "-xvf", "/m/a.rar", "-C", s, "--", "a\\*b", "-d \\[1]", "x\\\\y\\?", "2>&1", "</dev/null"}, out, mk,
             tally("bsdtar", "/m/a.rar")});
    }
    void unpackPlans()
    {
        QFETCH(arkive::UnpackJob, job);
        QFETCH(QString, format);
        QFETCH(QStringList, missing);
        QFETCH(Words, words);
        QFETCH(QString, refusal);
        const arkive::Format* f = format.isEmpty() ? nullptr : arkive::formatByEnding(format.toStdString());
        const arkive::Plan plan = arkive::unpackPlan(f, job, [&](const char* program) { return !missing.contains(program); });
        QCOMPARE(wordsOf(plan), words.first().isEmpty() ? Words{{}} : words);
        QCOMPARE(plan.missing ? QString(plan.missing->package) : plan.refusal == arkive::Refusal::None ? "" : "-", refusal);
    }

    // The one place that quotes: a whole line around its stages.
    void wholeLine()
    {
        QCOMPARE(extractCommand({"/m/a b.tar.gz", "/o", "", true, {}, {}}, "T"),
                 QString("{ { if mkdir -p /o && mkdir -m 700 /o/.arkive-T; then { tally --pass <'/m/a b.tar.gz'; printf '\\0Stally %d\\0' $? >&3; }"
                         " | { pigz -d; printf '\\0Spigz %d\\0' $? >&3; }"
                         // Where the folder folds case (a memory card), tar replaces nothing it unpacked.
                         " | { if [ -e /o/.ARKIVE-T ]; then tar xvvf - -C /o/.arkive-T --skip-old-files;"
                         " else tar xvvf - -C /o/.arkive-T; fi; printf '\\0Star %d\\0' $? >&3; }; else printf '\\0Smkdir %d\\0' $? >&3; fi; }"
                         " 2>&1 >&3 | tally --relay >&3; } 3>&1 | tally -t tar --unpack '--archive=/m/a b.tar.gz' --folder=/o"
                         " --staging=/o/.arkive-T --stages=3 &"));
        // The stream into the compressor, the partial archive from it.
        QVERIFY(compressCommand(pack(".tar.gz"), 10240, "/m/.p.part")
                    .startsWith("{ { { tar -cvvf - --index-file=/dev/fd/3 -C /m -- photos; printf '\\0Star %d\\0' $? >&3; }"
                                " | { tally --pass; printf '\\0Stally %d\\0' $? >&3; } | { pigz >/m/.p.part; printf '\\0Spigz %d\\0' $? >&3; }; }"));
    }

    // The format comes from everything after the first dot of the name, the
    // longest ending it ends with, in any case; ".tlz" from its bytes.
    void formatFromName()
    {
        for (const auto& [path, head, format] : Table<const char*, const char*, const char*>{
                 {"a.star", "", "tar"}, {"/x/A.TAR.GZ", "", "tar.gz"}, {"backup-1.2.tar.bz2", "", "tar.bz2"}, {"a.gz", "", nullptr},
                 {"a.zip.tar", "", "tar"}, {"/a.tar/archive", "", nullptr}, {"/a/.tar", "", "tar"}, {"a.TB2", "", "tar.bz2"},
                 {"a.tar.zstd", "", "tar.zst"}, {"a.7z.001", "", "7z"}, {"a.tlz", "", "tar.lz"}, {"a.tlz", "LZIP\x01", "tar.lz"},
                 {"a.tlz", "\x5d\x00\x00\x80", "tar.lzma"}, {"a.tar.lz", "\x5d\x00\x00\x80", "tar.lz"}}) {
            const arkive::Format* f = arkive::formatOfArchive(path, std::string_view(head, std::strlen(head) + (head[0] == 0x5d ? 3 : 0)));
            QVERIFY2(format ? f && QString(f->name) == format : !f, path);
        }
        // What the folder of an archive's own is named after.
        for (const auto& [path, stem] : Table<const char*, const char*>{
                 {"/x/backup-1.2.tar.bz2", "backup-1.2"}, {"A.TAR.GZ", "A"}, {"a.7z.001", "a"}, {"notes", "notes"},
                 {"a.gz", "a.gz"}, {".zip", ""}})
            QCOMPARE(QString::fromStdString(std::string(arkive::archiveStem(path))), QString(stem));
        QCOMPARE(ownFolderName("/d/.zip"), ".zip");   // nothing would be left
    }

    // The zip directory tells the entries, what they unpack to and what
    // unzip cannot read (an LZMA zip goes to 7-Zip in the round trip;
    // tst_zippassword finds the directory behind a self-extractor's bytes);
    // rar headers tell encryption and what the members unpack to.
    void archiveHeaders()
    {
        const QByteArray dir = m_root + "/headers", tree = dir + "/t";
        QVERIFY(runProgram({"/bin/mkdir", "-p", tree + "/sub"}) == 0 && writeBytes(tree + "/sub/a.txt", QByteArray(5000, 'a'))
                && writeBytes(tree + "/b.txt", "b\n"));
        for (const auto& [name, command, entries, beyond] : Table<const char*, QByteArrayList, int, bool>{
                 {"plain.zip", {"/usr/bin/zip", "-qr", "plain.zip", "t"}, 4, false},
                 {"aes.zip", {"/usr/bin/7zz", "a", "-tzip", "-mem=AES256", "-ppw", "aes.zip", "t"}, 4, true},
                 {"bzip2.zip", {"/usr/bin/7zz", "a", "-tzip", "-mm=BZip2", "bzip2.zip", "t"}, 4, false}}) {
            QCOMPARE(runProgram(command, nullptr, dir), 0);
            const arkive::ZipDirectory zip = arkive::readZipDirectory((dir + '/' + name).toStdString());
            QVERIFY2(zip.found && int(zip.entries) == entries && zip.unzipCannotRead == beyond && zip.bytes == 5002, name);
        }
        for (const auto& [version, encrypted] : Table<const char*, bool>{{"4", false}, {"5", false}, {"4", true}, {"5", true}}) {
            const QByteArray rar = dir + "/v" + version + (encrypted ? "e" : "") + ".rar";
            QByteArrayList words{ARKIVE_TEST_SOURCE_DIR "/../e2e/make-rar.py", version, rar, tree};
            if (encrypted)
                words.insert(2, "--encrypted");
            QCOMPARE(runProgram(words), 0);
            const arkive::RarHeaders headers = arkive::rarFileHeaders(rar.toStdString());
            QVERIFY2(headers.encrypted == encrypted && (encrypted || headers.bytes == 5002), rar.constData());
        }
    }

    void hostileWordsThroughTheShell_data()
    {
        QTest::addColumn<QByteArray>("name");
        for (const QByteArray& name : hostileNames())
            QTest::newRow(name.toPercentEncoding().constData()) << name;
    }

    // Each name stands for an archive (with an ending), a folder, a packed
    // file and a password; every word must reach its program whole, through
    // each way the line hands one over: a word, "<", "4<" (a zip whose name
    // is a pattern) and the folder a program runs in. Which program gets
    // which words (rar's too) the tables above pin.
    void hostileWordsThroughTheShell()
    {
        QFETCH(QByteArray, name);
        const QString value = fromLocalBytes(name);
        const QByteArray arg = name.startsWith('-') ? "./" + name : name, staging = arg + "/.arkive-T";
        const QByteArray base = m_root + "/in/" + name.left(200);
        const auto tally = [&](const char* kind, const char* ext) {
            return QByteArrayList{"tally", "-t", kind, "--unpack", "--archive=" + base + ext, "--folder=" + name,
                                  "--staging=" + name + "/.arkive-T", "--keep"};
        };
        for (const auto& [ext, expected] : Table<const char*, QList<QByteArrayList>>{
                 {".tar.xz", {{"tally", "--pass", "<" + base + ".tar.xz"}, {"xz", "-T0", "-d"}, {"tar", "xvvf", "-", "-C", staging},
                              tally("tar", ".tar.xz")}},
                 {".zip", {{"unzip", "-n", "-P", name, base + ".zip", "-d", staging}, tally("unzip", ".zip")}}}) {
            QVERIFY(writeBytes(base + ext, QByteArray()));
            const QByteArrayList got = runLine(extractCommand({fromLocalBytes(base + ext), value, value, false, {}, {}}, "T"));
            for (const QByteArrayList& words : expected + QList<QByteArrayList>{{"mkdir", "-p", arg}, {"mkdir", "-m", "700", staging}})
                QVERIFY2(ran(got, words), words.join(' ').constData());
        }
        const QByteArray part = arg + "/.arkive-T";
        for (const auto& [format, expected] : Table<const char*, QList<QByteArrayList>>{
                 // A relative name beside an absolute one: no folder in common, each stored as it is.
                 {".tar", {{"tar", "-cvvf", part + ".part"}, {"tar", "--no-wildcards", "--exclude=" + name + "/.arkive-T.part", "--", name, "/x"},
                           {"tally", "--bytes=1", "-t", "tar", "--pack", "--archive=" + name + '/' + name + ".tar", "--partial=" + name + "/.arkive-T.part"}}},
                 {".7z", {{"7zz", "-p" + name, "-mhe=on", part + ".7z", arg, "/x"},
                          {"tally", "-t", "7z", "--pack", "--archive=" + name + '/' + name + ".7z", "--partial=" + name + "/.arkive-T.7z"}}}}) {
            const CompressRequest request = pack(format, value, 6, false, 0, value + '/', value, {value, "/x"});
            const QByteArrayList got = runLine(compressCommand(request, 1, partialPath(request, "T")));
            for (const QByteArrayList& words : expected)
                QVERIFY2(ran(got, words), words.join(' ').constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
