// What goes wrong, with the real tools and the real tally: each failure row
// must end in tally's verdict for it, in the tool's own words, with no
// partial archive or private folder left behind; each hostile archive row
// must leave everything outside the output folder as it was.
#include "extractcommand.h"

#include "e2e.h"

#include <sys/mount.h>

#include <functional>

namespace {

using e2e::World;

// A small tree packed by the archivers themselves into dir/a + format.
QByteArray archiveOf(World& w, const QByteArray& dir, const char* format, const QByteArray& password = {})
{
    const QByteArray tree = w.tree(true);
    const QByteArray archive = dir + "/a" + format;
    QByteArrayList words = qstrcmp(format, ".zip") == 0 ? QByteArrayList{"zip", "-qry"}
                                                        : QByteArrayList{"tar", "-caf"};
    if (!password.isEmpty())
        words << "-P" << password;
    return runProgram(words << archive << tree.mid(1), nullptr, "/") == 0 ? archive : QByteArray();
}

QByteArray truncated(const QByteArray& archive)
{
    const QByteArray data = readBytes(archive);
    return writeBytes(archive, data.left(data.size() / 2)) ? archive : QByteArray();
}

// A file system of 256 KiB at dir/full while it lives (root only).
struct SmallDisk
{
    explicit SmallDisk(const QByteArray& dir) : path(dir + "/full")
    {
        mounted = ::mkdir(path.constData(), 0755) == 0
                  && ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=256k,mode=0755") == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(path.constData(), MNT_DETACH);
    }
    QByteArray path;
    bool mounted = false;
};

struct Failure
{
    const char* tag;
    // Runs the failing job in a fresh folder; false when it could not.
    std::function<bool(World&, const QByteArray& dir)> run;
    QByteArray words;   // what tally's last line must say
};

bool unpack(World& w, const QByteArray& archive, const QByteArray& out, const QByteArray& password = {})
{
    return !archive.isEmpty() && w.unpack({archive}, out, password);
}

bool unpackAsNobody(World& w, const QByteArray& archive, const QByteArray& out)
{
    const ExtractRequest request{fromLocalBytes(archive), fromLocalBytes(out), QString(), true};
    return !archive.isEmpty() && w.runAsNobody(extractCommand(request, QStringLiteral("T")));
}

const QList<Failure>& failureRows()
{
    static const QList<Failure> rows = {
        {"missing archive", [](World& w, const QByteArray& d) { return unpack(w, d + "/gone.tar", d); },
         "Cannot open: No such file or directory"},
        {"truncated tar",
         [](World& w, const QByteArray& d) { return unpack(w, truncated(archiveOf(w, d, ".tar")), d); },
         "tar: Unexpected EOF in archive"},
        {"truncated tar.gz",
         [](World& w, const QByteArray& d) { return unpack(w, truncated(archiveOf(w, d, ".tar.gz")), d); },
         "gzip: stdin: unexpected end of file"},
        {"truncated tar.xz",
         [](World& w, const QByteArray& d) { return unpack(w, truncated(archiveOf(w, d, ".tar.xz")), d); },
         "xz: (stdin): Unexpected end of input"},
        {"truncated zip",
         [](World& w, const QByteArray& d) { return unpack(w, truncated(archiveOf(w, d, ".zip")), d); },
         "End-of-central-directory signature not found"},
        {"not an archive",
         [](World& w, const QByteArray& d) { return writeBytes(d + "/notes.tar.gz", "notes\n") && unpack(w, d + "/notes.tar.gz", d); },
         "gzip: stdin: not in gzip format"},
        {"wrong zip password",
         [](World& w, const QByteArray& d) { return unpack(w, archiveOf(w, d, ".zip", "right"), d, "wrong"); },
         "incorrect password"},
        {"decompressor missing",
         [](World& w, const QByteArray& d) {
             const QByteArray archive = archiveOf(w, d, ".tar.xz");
             const QByteArray path = qgetenv("PATH");
             // Everything the line needs but xz.
             if (mkdir(d + "/bin", 0755) != 0)
                 return false;
             for (const char* tool : {"tar", "mkdir", "sed", "tail"})
                 symlink(("/usr/bin/" + QByteArray(tool)).constData(), d + "/bin/" + tool);
             qputenv("PATH", ARKIVE_TEST_SOURCE_DIR "/stubs:" + d + "/bin");
             const bool ok = unpack(w, archive, d);
             qputenv("PATH", path);
             return ok;
         },
         "xz: not found"},
        {"missing output folder",
         [](World& w, const QByteArray& d) { return unpack(w, archiveOf(w, d, ".tar"), d + "/missing"); },
         "No such file or directory"},
        {"output folder not writable",
         [](World& w, const QByteArray& d) {
             return mkdir(d + "/locked", 0555) == 0 && unpackAsNobody(w, archiveOf(w, d, ".tar.gz"), d + "/locked");
         },
         "Permission denied"},
        {"full file system",
         [](World& w, const QByteArray& d) {
             SmallDisk disk(d);
             return disk.mounted && unpack(w, archiveOf(w, d, ".tar.gz"), disk.path);
         },
         "Wrote only"},
        {"packing into a missing folder",
         [](World& w, const QByteArray& d) { return !w.pack({w.tree(false)}, d + "/missing", ".tar.gz").isEmpty(); },
         "Cannot open: No such file or directory"},
        {"packing into a folder not writable",
         [](World& w, const QByteArray& d) {
             CompressRequest request;
             request.outDir = fromLocalBytes(d + "/locked/");
             request.name = QStringLiteral("a");
             request.format = QStringLiteral(".zip");
             request.files = QStringList{fromLocalBytes(w.tree(true))};
             return mkdir(d + "/locked", 0555) == 0
                    && w.runAsNobody(compressCommand(request, 1, partialPath(request, QStringLiteral("T"))));
         },
         "Permission denied"},
        {"packing onto a full file system",
         [](World& w, const QByteArray& d) {
             SmallDisk disk(d);
             return disk.mounted && !w.pack({w.tree(false)}, disk.path, ".tar").isEmpty();
         },
         "Wrote only"},
        {"a selected path vanished",
         [](World& w, const QByteArray& d) { return !w.pack({w.tree(false), d + "/gone"}, d, ".tar.gz").isEmpty(); },
         "Cannot stat: No such file or directory"},
        {"zip: a selected path vanished",
         [](World& w, const QByteArray& d) { return !w.pack({w.tree(true), d + "/gone"}, d, ".zip").isEmpty(); },
         "zip warning: name not matched: "},   // zip packs the rest and ends well: the archive is written
    };
    return rows;
}

} // namespace

class TestFailures : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_world.setUp()); }
    void cleanupTestCase() { QCOMPARE(describeTree(m_world.work), Tree()); }

    void failures_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < failureRows().size(); ++i)
            QTest::newRow(failureRows().at(i).tag) << i;
    }
    void failures()
    {
        QFETCH(int, row);
        const Failure& failure = failureRows().at(row);
        const QByteArray dir = m_world.folder("failure");
        if (QByteArray(failure.tag).contains("full") && !SmallDisk(m_world.folder("probe")).mounted)
            QSKIP("no small file system can be mounted here (the tests do not run as root)");
        QVERIFY(failure.run(m_world, dir));
        const QList<e2e::TallyEnd> ends = m_world.tallyEnds();
        QCOMPARE(ends.size(), 1);
        QVERIFY2(ends.first().status == 1, ends.first().summary.constData());
        QVERIFY2(ends.first().summary.contains(failure.words), ends.first().summary.constData());
        // Nothing half done is left: no partial archive, no private folder.
        for (const QByteArray& path : describeTree(dir).keys())
            QVERIFY2(!path.contains("/.arkive-"), path.constData());
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
        for (const char* format : {".tar", ".tar.gz", ".tar.xz", ".zip"}) {
            for (const QByteArrayList& scenarios : rows)
                if (qstrcmp(format, ".zip") != 0 || scenarios.first() != "hard link outside")   // zip has none
                    QTest::newRow((scenarios.join(", ") + ' ' + format).constData()) << QByteArray(format) << scenarios;
        }
    }
    void hostileArchives()
    {
        QFETCH(QByteArray, format);
        QFETCH(QByteArrayList, scenarios);
        const QByteArray dir = m_world.folder("hostile");
        const QByteArray outside = dir + "/outside";
        const QByteArray out = dir + "/out";
        QVERIFY(mkdir(outside, 0755) == 0 && mkdir(out, 0755) == 0);
        QVERIFY(writeBytes(outside + "/target", "kept\n"));
        const Tree before = describeTree(dir);
        QList<e2e::TallyEnd> ends;
        for (const QByteArray& scenario : scenarios) {
            if (scenario == "user link") {
                QCOMPARE(symlink(outside, out + "/link"), 0);
                continue;
            }
            const QByteArray archive = dir + '/' + scenario + format;
            QCOMPARE(runProgram({ARKIVE_TEST_SOURCE_DIR "/hostile.py", archive, scenario, outside}), 0);
            QVERIFY(m_world.unpack({archive}, out));
            ends += m_world.tallyEnds();
        }
        Tree after = describeTree(dir);
        for (const QByteArray& key : after.keys())
            if (key.startsWith("/out/"))
                after.remove(key);   // what was unpacked
        for (const QByteArray& scenario : scenarios)
            after.remove('/' + scenario + format);
        QCOMPARE(after, before);
        // The refusal was told.
        QVERIFY(std::any_of(ends.cbegin(), ends.cend(), [](const e2e::TallyEnd& end) { return end.status == 1; }));
    }

private:
    World m_world;
};

QTEST_MAIN(TestFailures)
#include "tst_failures.moc"
