// What goes wrong, with the real tools and the real tally: each failure row
// must end in tally's verdict for it, in the tool's own words, with no
// partial archive or private folder left behind; each hostile archive row
// must leave everything outside the output folder as it was.
#include "extractcommand.h"
#include "jobrecords.h"

#include "e2e.h"

#include <sys/mount.h>

#include <signal.h>

using e2e::World;

// A failing job, run in a fresh folder `d`; false when it could not be run.
using Job = std::function<bool(World& w, const QByteArray& d)>;
Q_DECLARE_METATYPE(Job)
#define JOB(...) Job([](World& w, const QByteArray& d) { return __VA_ARGS__; })

namespace {

// A small tree packed by the archivers themselves into dir/a + format.
QByteArray archiveOf(World& w, const QByteArray& dir, const char* format, const QByteArray& password = {})
{
    const QByteArray tree = w.tree(true), archive = dir + "/a" + format;
    QByteArrayList words = qstrcmp(format, ".zip") == 0  ? QByteArrayList{"zip", "-qry"}
                           : qstrcmp(format, ".7z") == 0 ? QByteArrayList{"7zz", "a", "-bso0", "-snl", "-mhe=on", "-p" + password}
                                                         : QByteArrayList{"tar", "-caf"};
    if (!password.isEmpty() && words.first() == "zip")
        words << "-P" << password;
    return runProgram(words << archive << tree.mid(1), nullptr, "/") == 0 ? archive : QByteArray();
}

QByteArray truncated(const QByteArray& archive)
{
    const QByteArray data = readBytes(archive);
    return writeBytes(archive, data.left(data.size() / 2)) ? archive : QByteArray();
}

bool unpack(World& w, const QByteArray& archive, const QByteArray& out, const QByteArray& password = {})
{
    return !archive.isEmpty() && w.unpack({archive}, out, password);
}

// The lines that the dialogs would start for unpacking `archive` into
// `out`, or for packing `file` into `out`/a.zip, run as the user "nobody".
bool asNobody(World& w, const QByteArray& archive, const QByteArray& file, const QByteArray& out)
{
    const CompressRequest zip{fromLocalBytes(out + '/'), "a", ".zip", {fromLocalBytes(file)}, 6, false, false, 0, {}};
    return w.runAsNobody(file.isEmpty() ? extractCommand({fromLocalBytes(archive), fromLocalBytes(out), {}, true, {}, {}}, "T")
                                        : compressCommand(zip, 1, partialPath(zip, "T")));
}

// Whether pid was started by this test, through any number of shells:
// other tests on the machine run the same programs.
bool startedHere(pid_t pid)
{
    while (pid > 1 && pid != ::getpid()) {
        const QByteArray stat = readBytes("/proc/" + QByteArray::number(pid) + "/stat");
        // "PID (NAME) STATE PPID ...", where NAME may hold anything.
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        pid = fields.size() > 1 ? fields[1].toInt() : 0;
    }
    return pid == ::getpid();
}

// The processes this test started whose program is `program` and whose
// words hold `word`.
QList<pid_t> running(const QString& program, const QByteArray& word)
{
    QList<pid_t> pids;
    const QString wanted = QFileInfo(program).canonicalFilePath();
    for (const QByteArray& name : namesIn("/proc")) {
        const QByteArray proc = "/proc/" + name;
        if (name.toInt() > 0 && QFileInfo(QString::fromLatin1(proc + "/exe")).canonicalFilePath() == wanted
            && readBytes(proc + "/cmdline").contains(word) && startedHere(name.toInt()))
            pids << name.toInt();
    }
    return pids;
}

// The hidden names of the jobs in a folder.
QByteArrayList jobNames(const QByteArray& folder)
{
    QByteArrayList names;
    for (const QByteArray& name : namesIn(folder))
        if (name.startsWith(".arkive-"))
            names << name;
    return names;
}

// Whether a file below `folder` whose name starts with `prefix` has more
// than `bytes`.
bool grown(const QByteArray& folder, const QByteArray& prefix, qint64 bytes)
{
    for (const QByteArray& name : namesIn(folder)) {
        struct stat st;
        const QByteArray path = folder + '/' + name;
        if (::lstat(path, &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode) ? grown(path, prefix, bytes) : name.startsWith(prefix) && st.st_size > bytes)
            return true;
    }
    return false;
}

} // namespace

class TestFailures : public QObject
{
    Q_OBJECT
    World m_world;

private slots:
    void initTestCase() { QVERIFY(m_world.setUp()); }
    void cleanupTestCase() { QCOMPARE(describeTree(m_world.work), Tree()); }

    void failures_data()
    {
        QTest::addColumn<Job>("job");
        QTest::addColumn<QByteArray>("words");   // what tally's last line must say
        const auto row = [](const char* tag, const Job& job, const char* words) { QTest::newRow(tag) << job << QByteArray(words); };
        row("missing archive", JOB(unpack(w, d + "/gone.tar", d)), "Cannot open: No such file or directory");
        row("truncated tar", JOB(unpack(w, truncated(archiveOf(w, d, ".tar")), d)), "tar: Unexpected EOF in archive");
        row("truncated tar.gz", JOB(unpack(w, truncated(archiveOf(w, d, ".tar.gz")), d)),
            "pigz: skipping: <stdin>: corrupted -- incomplete deflate data");
        row("truncated zip", JOB(unpack(w, truncated(archiveOf(w, d, ".zip")), d)), "End-of-central-directory signature not found");
        row("not an archive", JOB(writeBytes(d + "/notes.tar.gz", "notes\n") && unpack(w, d + "/notes.tar.gz", d)),
            "pigz: skipping: <stdin> unrecognized format");
        // The dialog checks a zip's password; a 7z's is found wrong by 7-Zip, and nothing is placed.
        row("wrong 7z password", JOB(unpack(w, archiveOf(w, d, ".7z", "right"), d, "wrong")), "Wrong password?");
        row("output folder under a file", JOB(writeBytes(d + "/file", "") && unpack(w, archiveOf(w, d, ".tar"), d + "/file/out")),
            "Not a directory");
        row("output folder not writable",
            JOB(mkdir(d + "/locked", 0555) == 0 && asNobody(w, archiveOf(w, d, ".tar.gz"), {}, d + "/locked")),
            "Permission denied");
        // The member that did not fit is named and is not placed cut under its name.
        row("full file system", JOB(unpack(w, archiveOf(w, d, ".tar.gz"), d + "/full")), "big.bin: not unpacked: the storage is full");
        row("packing into a missing folder", JOB(!w.pack({w.tree(false)}, d + "/missing", ".tar.gz").isEmpty()),
            "cannot create");
        row("packing into a folder not writable", JOB(mkdir(d + "/locked", 0555) == 0 && asNobody(w, {}, w.tree(true), d + "/locked")),
            "Permission denied");
        row("packing onto a full file system", JOB(!w.pack({w.tree(false)}, d + "/full", ".tar").isEmpty()),
            "Wrote only");
        row("packing .tar.gz onto a full file system", JOB(!w.pack({w.tree(false)}, d + "/full", ".tar.gz").isEmpty()),
            "pigz: abort: write error on <stdout> (No space left on device)");
        // zip packs the rest and ends well: the archive is written.
        row("zip: a selected path vanished", JOB(!w.pack({w.tree(true), d + "/gone"}, d, ".zip").isEmpty()),
            "zip warning: name not matched: ");
    }
    void failures()
    {
        QFETCH(Job, job);
        QFETCH(QByteArray, words);
        const QByteArray dir = m_world.folder("failure");
        // The rows named "full" get a file system of 256 KiB at dir/full (root only), unmounted once
        // the row has looked at what was left.
        if (QByteArray(QTest::currentDataTag()).contains("full")
            && !(::mkdir(dir + "/full", 0755) == 0 && ::mount("tmpfs", dir + "/full", "tmpfs", 0, "size=256k,mode=0755") == 0))
            QSKIP("no small file system can be mounted here (the tests do not run as root)");
        const bool ran = job(m_world, dir);
        // Nothing half done is left: no partial archive, no private folder.
        const QByteArrayList left = describeTree(dir).keys();
        ::umount2(dir + "/full", MNT_DETACH);
        QVERIFY(ran);
        COMPARE_TALLY(m_world, 1, words);
        for (const QByteArray& path : left) {
            QVERIFY2(!path.contains("/.arkive-"), path.constData());
            QVERIFY2(!path.endsWith("/tree/big.bin"), path.constData());   // cut short: never under its own name
        }
    }

    // Archives other programs write, with what their unpacking programs
    // warn about, unpacked through the dialog: tally's exit status (0 done,
    // 4 done with warnings, 1 errors), the words it shows first; top/a.txt
    // "alpha" is placed, and top/b.txt "bravo" where the row says so.
    void otherProgramsArchives_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<bool>("bravo");
        const auto row = [](const char* archive, int status, const char* words, bool bravo = true) {
            QTest::newRow(archive) << QByteArray(archive) << status << QByteArray(words) << bravo;
        };
        row("pax-xattr.tar", 4, "Ignoring unknown extended header keyword 'LIBARCHIVE.xattr.user.test'");
        row("pax-unknown.tar", 4, "Ignoring unknown extended header keyword");
        row("leading-slash.tar", 4, "Removing leading `/' from member names: names were made relative");
        row("lone-zero.tar", 4, "A lone zero block at");
        row("unknown-type.tar", 4, "extracted as normal file");
        // pigz and lbzip2 pass over what follows the end without a word.
        row("trailing.tar.gz", 0, "unpacking done (");
        row("trailing.tar.bz2", 0, "unpacking done (");
        row("trailing.tar.lzo", 4, "ignoring trailing garbage");
        row("selfextracting.zip", 0, "unpacking done (");
        row("padded.zip", 4, "extra bytes at beginning or within zipfile");
        row("backslash.zip", 4, "appears to use backslashes as path separators");
        // The cause, not the warning before it.
        row("dotdot.tar", 1, "tar: ../evil.txt: Member name contains '..' (and");
        row("overlap.zip", 1, "overlapped components (possible zip bomb)", false);
    }
    void otherProgramsArchives()
    {
        QFETCH(QByteArray, archive);
        QFETCH(int, status);
        QFETCH(QByteArray, words);
        QFETCH(bool, bravo);
        const QByteArray made = m_world.folder("odd"), out = m_world.folder("odd out");
        QCOMPARE(runProgram({ARKIVE_TEST_SOURCE_DIR "/make-odd.py", made}), 0);
        QVERIFY(m_world.unpack({made + '/' + archive}, out));
        COMPARE_TALLY(m_world, status, words);
        QCOMPARE(readBytes(out + "/top/a.txt"), QByteArray("alpha\n"));
        QCOMPARE(readBytes(out + "/top/b.txt") == "bravo\n", bravo);
    }

    // Archives made here try to write beside the output folder: through
    // "../", absolute names, links and hard links, also across several
    // archives unpacked into the same folder one after the other, and
    // through a link the user made there. The refusal is told.
    void hostileArchives_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QByteArrayList>("scenarios");
        const QList<QByteArrayList> rows = {
            {"dotdot"}, {"absolute"}, {"link then write"}, {"hard link outside"},
            {"planted link", "write through planted link"},
            {"planted relative link", "write through planted link"},
            {"user link", "write through planted link"},
            {"folder", "link over folder", "write into folder"},
        };
        for (const char* format : {".tar", ".tar.gz", ".zip"})
            for (const QByteArrayList& scenarios : rows)
                if (qstrcmp(format, ".zip") != 0 || scenarios.first() != "hard link outside")   // zip has none
                    QTest::newRow((scenarios.join(", ") + ' ' + format).constData()) << QByteArray(format) << scenarios;
    }
    void hostileArchives()
    {
        QFETCH(QByteArray, format);
        QFETCH(QByteArrayList, scenarios);
        const QByteArray dir = m_world.folder("hostile"), outside = dir + "/outside", out = dir + "/out";
        const QByteArray archives = m_world.folder("hostile archives");
        QVERIFY(mkdir(outside, 0755) == 0 && mkdir(out, 0755) == 0 && writeBytes(outside + "/target", "kept\n"));
        const Tree before = describeTree(dir);
        QList<e2e::TallyEnd> ends;
        for (const QByteArray& scenario : scenarios) {
            const QByteArray archive = archives + '/' + scenario + format;
            if (scenario == "user link") {
                QCOMPARE(symlink(outside, out + "/link"), 0);
                continue;
            }
            QCOMPARE(runProgram({ARKIVE_TEST_SOURCE_DIR "/hostile.py", archive, scenario, outside}), 0);
            QVERIFY(m_world.unpack({archive}, out));
            ends += m_world.tallyEnds();
        }
        Tree after = describeTree(dir);
        after.removeIf([](const auto& entry) { return entry.key().startsWith("/out/"); });   // what was unpacked
        QCOMPARE(after, before);
        // The refusal was told, or the names made relative (a warning).
        QVERIFY(std::any_of(ends.cbegin(), ends.cend(), [](const e2e::TallyEnd& end) { return end.status == 1 || end.status == 4; }));
    }

    // Folders that tar closes to their owner (its "./" and "docs" 0300 and
    // 0600, as nobody: root is not shut out) are still placed whole, also
    // into a "docs" that exists.
    void closedFolders()
    {
        const QByteArray dir = m_world.folder("closed"), out = dir + "/out", archive = dir + "/closed.tar";
        for (const QByteArray& folder : {out, out + "/docs"})
            QVERIFY(mkdir(folder, 0777) == 0 && chmod(folder, 0777) == 0);
        QCOMPARE(runProgram({ARKIVE_TEST_SOURCE_DIR "/hostile.py", archive, "closed folders", out}), 0);
        QVERIFY(asNobody(m_world, archive, {}, out));
        COMPARE_TALLIES(m_world, 1, 0);
        QCOMPARE(readBytes(out + "/docs/a"), QByteArray("x"));
    }

    // A job cut short: tally killed (SIGKILL) while zip packs or tar
    // unpacks leaves its hidden names and its record, which the next start
    // of arkive removes; ended by SIGTERM (as a session that ends ends every
    // program, and unpacking ones ignore it), tally stops the archiver and
    // removes them itself.
    void interruptions()
    {
        const QByteArray dir = m_world.folder("cut short"), big = dir + "/big.bin", out = dir + "/out";
        QByteArray data(48 << 20, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
        QVERIFY(writeBytes(big, data));
        QCOMPARE(::mkdir(out, 0755), 0);
        const QString tally = qEnvironmentVariable("ARKIVE_REAL_TALLY");
        const auto killWhen = [](const std::function<bool()>& ready, const QList<std::pair<QString, QByteArray>>& whom,
                                 int signal) {
            QTRY_VERIFY_WITH_TIMEOUT(ready(), 30000);
            for (const auto& [program, word] : whom)
                for (const pid_t pid : running(program, word))
                    QCOMPARE(::kill(pid, signal), 0);
        };
        const std::string jobs = arkive::jobsFolder();

        // zip's own temporary file is in the line's private folder.
        QCOMPARE(m_world.pack({big}, out, ".zip", {}, "Replace",
                              [&] { killWhen([&] { return grown(out, "zi", 1000000); }, {{tally, "--pack"}}, SIGKILL); }),
                 out + "/pack $n ;`x` -.zip");
        QVERIFY(!QFile::exists(QString::fromLocal8Bit(out + "/pack $n ;`x` -.zip")));
        QVERIFY(!jobNames(out).isEmpty());
        QCOMPARE(m_world.tallyEnds().size(), 1);   // killed
        std::vector<arkive::Leftover> removed = arkive::removeLeftovers(jobs);
        QVERIFY(!removed.empty());
        QCOMPARE(jobNames(out), QByteArrayList());

        const QByteArray archive = dir + "/big.tar.bz2";
        QCOMPARE(runProgram({"tar", "-cjf", archive, "-C", dir, "big.bin"}), 0);
        QVERIFY(m_world.unpack({archive}, out, {}, true, [&] {
            killWhen([&] { return grown(out, "big", 1000000); }, {{tally, "--unpack"}}, SIGKILL);
        }));
        QCOMPARE(m_world.tallyEnds().size(), 1);
        QCOMPARE(namesIn(out), jobNames(out));   // nothing placed
        QVERIFY(!jobNames(out).isEmpty());
        removed = arkive::removeLeftovers(jobs);
        QCOMPARE(removed.size(), std::size_t(1));
        QCOMPARE(namesIn(out), QByteArrayList());

        QVERIFY(m_world.unpack({archive}, out, {}, true, [&] {
            killWhen([&] { return grown(out, "big", 1000000); },
                     {{tally, "--unpack"}, {"/usr/bin/tar", "xvv"}, {"/usr/bin/bzip2", "-d"}}, SIGTERM);
        }));
        COMPARE_TALLIES(m_world, 1, 3);
        QCOMPARE(namesIn(out), QByteArrayList());
        QVERIFY(arkive::removeLeftovers(jobs).empty());
    }
};

QTEST_MAIN(TestFailures)
#include "tst_failures.moc"
