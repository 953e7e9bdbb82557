// Round trips with the real archivers and the real tally: a tree of hostile
// names packed through the compress dialog's OK into a folder with a
// hostile name, unpacked through the extract dialog's OK into another, must
// come back byte for byte, and every tally must say done. The archive holds
// each entry under its name in the folder shown; tar archives unpack byte
// for byte with the single-threaded tools too, whichever tool packed them.
#include "compressformats.h"
#include "format.h"
#include "members.h"

#include "e2e.h"

#include <QDir>
#include <QScopeGuard>

Q_DECLARE_METATYPE(CompressRequest)

namespace {

// Links in `folder` to every program of the system's but `without`, for a
// PATH on which they are not installed; lzip is lzip's own (Debian's lzip
// may be plzip).
QByteArray programsWithout(const QByteArray& folder, const QByteArrayList& without)
{
    for (const QByteArray& name : namesIn("/usr/bin"))
        if (!without.contains(name) && ::symlink("/usr/bin/" + name, folder + '/' + name) != 0)
            return {};
    if (QFile::exists("/usr/bin/lzip.lzip") && (::unlink(folder + "/lzip") != 0 || ::symlink("/usr/bin/lzip.lzip", folder + "/lzip") != 0))
        return {};
    return folder;
}

} // namespace

class TestRoundTrip : public QObject
{
    Q_OBJECT
    e2e::World m_world;

private slots:
    void initTestCase() { QVERIFY(m_world.setUp()); }
    void cleanupTestCase() { QCOMPARE(describeTree(m_world.work), Tree()); }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<CompressRequest>("options");
        QTest::addColumn<QByteArray>("method");        // a method that unzip -v shows
        QTest::addColumn<QByteArrayList>("without");   // programs not installed while packing
        // The test command installs every tool: every format is offered.
        for (const arkive::Format& format : arkive::formats())
            for (const arkive::Tool& tool : format.packTools)
                QVERIFY2(isOnPath(tool.program), tool.program);
        for (const QString& format : compressFormats())
            QTest::newRow(qPrintable(format)) << format << CompressRequest() << QByteArray() << QByteArrayList();
        // Without the parallel tools: the single-threaded ones, as before.
        const QByteArrayList parallel{"pigz", "unpigz", "lbzip2", "pbzip2", "plzip"};
        for (const char* format : {".tar.gz", ".tar.bz2", ".tar.lz"})
            QTest::addRow("%s single-threaded", format) << format << CompressRequest() << QByteArray() << parallel;
        QTest::newRow(".tar.bz2 by pbzip2") << ".tar.bz2" << CompressRequest() << QByteArray() << QByteArrayList{"lbzip2"};
        CompressRequest zip;
        zip.password = "p w'\"$`\\;&|x -P";
        QTest::newRow("zip password is AES") << ".zip" << zip << QByteArray("Unk:099") << QByteArrayList();
        QTest::newRow("7z password hides the names") << ".7z" << zip << QByteArray() << QByteArrayList();
        zip = CompressRequest();
        zip.ratio = 0;
        QTest::newRow("zip ratio 0 stores") << ".zip" << zip << QByteArray("Stored") << QByteArrayList();
        zip.ultra = true;
        QTest::newRow("zip ultra beats the ratio") << ".zip" << zip << QByteArray("Defl:X") << QByteArrayList();
    }
    void roundTrip()
    {
        QFETCH(QString, format);
        QFETCH(CompressRequest, options);
        QFETCH(QByteArray, method);
        QFETCH(QByteArrayList, without);
        // A folder and a file beside it whose name begins with "-".
        const QByteArray tree = m_world.tree(format == ".zip"), shown = tree.left(tree.lastIndexOf('/'));
        QVERIFY(writeBytes(shown + "/-lead", "lead\n"));
        const QByteArray path = qgetenv("PATH");
        if (!without.isEmpty())
            qputenv("PATH", ARKIVE_TEST_SOURCE_DIR "/stubs:" + programsWithout(m_world.folder("programs"), without));
        const QByteArray archive =
            m_world.pack({tree, shown + "/-lead"}, m_world.folder("out 'q' \"d\" $x `y`;&|<> *?[a]"), format, options);
        qputenv("PATH", path);
        QVERIFY(!archive.isEmpty());
        COMPARE_TALLIES(m_world, 1, 0);
        QByteArray listing;
        QVERIFY(method.isEmpty() || runProgram({"unzip", "-v", archive}, &listing) >= 0);
        QVERIFY(listing.contains(method) && (method != "Stored" || !listing.contains("Defl")));
        // Each entry under its name in the folder shown, nothing above it.
        QSet<QByteArray> top;
        arkive::listMembers(archive.toStdString(), [&top](arkive::Member&& m) {
            top << QByteArray::fromStdString(m.path.substr(0, m.path.find('/')));
        });
        QVERIFY(options.password.isEmpty() || format == ".zip" || top.isEmpty());   // no names without the password
        QVERIFY2(top.isEmpty() || top == QSet<QByteArray>({"tree", "-lead"}), QByteArrayList(top.begin(), top.end()).join(' '));
        const QByteArray out = m_world.folder("unpacked `touch canary` $(touch canary) '\"\\;\n\xfd *?");
        QVERIFY(m_world.unpack({archive}, out, options.password.toUtf8()));
        COMPARE_TALLIES(m_world, 1, 0);
        COMPARE_TREES(out + "/tree", tree);
        QCOMPARE(readBytes(out + "/-lead"), QByteArray("lead\n"));
        const arkive::Format* f = formatOfEntry(format);
        if (f->family == arkive::Family::Tar && f->compressor) {   // the single-threaded tool reads it
            const QByteArray standard = m_world.folder("standard"), tool = f->compressor;
            const bool plzip = tool == "lzip" && QFile::exists("/usr/bin/lzip.lzip");   // Debian's lzip may be plzip
            const QByteArrayList words{"sh", "-c", "\"$0\" -dc <\"$1\" | tar -xf - -C \"$2\"", plzip ? "lzip.lzip" : tool};
            QCOMPARE(runProgram(words + QByteArrayList{archive, standard}), 0);
            COMPARE_TREES(standard + "/tree", tree);
        }
    }

    // A selection from two folders is stored below the deepest folder that
    // holds both.
    void selectionFromTwoFolders()
    {
        const QByteArray tree = m_world.tree(true), a = tree + "/sub $dir 'x'/-nested `x`", b = tree + "/big.bin";
        for (const char* format : {".tar.gz", ".zip", ".7z"}) {
            const QByteArray archive = m_world.pack({a, b}, m_world.folder("two"), format);
            COMPARE_TALLIES(m_world, 1, 0);
            QByteArrayList names;
            arkive::listMembers(archive.toStdString(), [&names](arkive::Member&& m) { names << QByteArray::fromStdString(m.path); });
            QCOMPARE(sorted(names), QByteArrayList({"big.bin", "sub $dir 'x'/-nested `x`"}));
        }
    }

    // Archives that other tools wrote unpack whole: rar 4 and 5 through
    // libarchive (unrar absent), zips that unzip cannot read through 7-Zip,
    // a tar.Z of compress, a .tbz of bsdtar.
    void otherTools_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArrayList>("command");   // run in the tree's folder, ARCHIVE for the archive
        QTest::addColumn<QByteArray>("password");
        const QByteArray rar = ARKIVE_TEST_SOURCE_DIR "/make-rar.py";
        QTest::newRow("rar 4") << QByteArray("a.rar") << QByteArrayList{rar, "4", "ARCHIVE", "."} << QByteArray();
        QTest::newRow("rar 5") << QByteArray("a.rar") << QByteArrayList{rar, "5", "ARCHIVE", "."} << QByteArray();
        QTest::newRow("LZMA zip") << QByteArray("a.zip") << QByteArrayList{"7zz", "a", "-tzip", "-mm=LZMA", "ARCHIVE", "tree"} << QByteArray();
        QTest::newRow("AES zip") << QByteArray("a.zip") << QByteArrayList{"7zz", "a", "-tzip", "-mem=AES256", "-pp w", "ARCHIVE", "tree"}
                                 << QByteArray("p w");
        QTest::newRow("tar.Z") << QByteArray("a.tar.Z") << QByteArrayList{"sh", "-c", "tar cf - tree | compress >\"$0\"", "ARCHIVE"} << QByteArray();
        QTest::newRow(".tbz of bsdtar") << QByteArray("a.tbz") << QByteArrayList{"bsdtar", "-cjf", "ARCHIVE", "tree"} << QByteArray();
    }
    void otherTools()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArrayList, command);
        QFETCH(QByteArray, password);
        // Files and folders only (the rar maker knows no more), names zip keeps.
        const QByteArray top = m_world.folder("others"), tree = top + "/tree", archive = m_world.folder("made") + '/' + name;
        QVERIFY(::mkdir(tree, 0755) == 0 && ::mkdir(tree + "/sub dir", 0755) == 0 && writeBytes(tree + "/sub dir/gr\xc3\xbc\xc3\x9f.txt", "hi\n")
                && writeBytes(tree + "/empty", {}) && writeBytes(tree + "/big.bin", QByteArray(300000, 'b') + "end"));
        command.replace(command.indexOf("ARCHIVE"), archive);
        QCOMPARE(runProgram(command, nullptr, top), 0);
        // A PATH without the unrar stand-in.
        const QByteArray path = qgetenv("PATH"), bin = m_world.folder("bin");
        QVERIFY(::symlink(ARKIVE_TEST_SOURCE_DIR "/stubs/tally", bin + "/tally") == 0);
        qputenv("PATH", bin + ":/usr/bin:/bin");
        const QByteArray out = m_world.folder("others out");
        const bool unpacked = m_world.unpack({archive}, out, password);
        qputenv("PATH", path);
        QVERIFY(unpacked);
        COMPARE_TALLIES(m_world, 1, 0);
        COMPARE_TREES(out + "/tree", tree);
    }

    // Split makes volumes of the given size that Extract unpacks from the
    // first (an entry spans four of them); a new set replaces an old set of
    // the same name whole, and a later archive without volumes leaves none
    // behind. That one holds a folder and a file in it: a complete archive
    // of both is done.
    void volumes_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("set");   // the new set's volumes in name order, then one more of the old set
        QTest::addColumn<QString>("first");     // the volume that Extract is given
        QTest::newRow("7z") << ".7z" << QStringList{".7z.001", ".7z.002", ".7z.003", ".7z.004", ".7z.005"} << ".7z.001";
        QTest::newRow("zip") << ".zip" << QStringList{".z01", ".z02", ".z03", ".zip", ".z04"} << ".zip";
    }
    void volumes()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, set);
        QFETCH(QString, first);
        const QByteArray dir = m_world.folder("volumes"), big = m_world.folder("big") + "/data";
        QByteArray data(3500 * 1024, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
        QVERIFY(mkdir(big, 0755) == 0 && writeBytes(big + "/spans volumes", data) && writeBytes(big + "/small", "small\n"));
        const QString base = "pack $n ;`x` -";
        for (const QString& old : set)
            QVERIFY(writeBytes(dir + '/' + (base + old).toUtf8(), "an older set\n"));
        CompressRequest options;
        options.split = true;
        options.splitSize = 1;
        options.password = "p w";
        const QByteArray archive = m_world.pack({big}, dir, format, options);
        COMPARE_TALLIES(m_world, 1, 0);
        const QDir folder(QFile::decodeName(dir));
        QStringList volumes;
        for (const QString& ending : set.mid(0, 4))
            volumes << base + ending;
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), volumes);
        const QByteArray out = m_world.folder("volumes out") + "/made by unpacking";   // a folder that does not exist yet
        QVERIFY(m_world.unpack({dir + '/' + (base + first).toUtf8()}, out, "p w"));
        COMPARE_TALLIES(m_world, 1, 0);
        COMPARE_TREES(out + "/data", big);
        QCOMPARE(m_world.pack({big, big + "/small"}, dir, format), archive);
        COMPARE_TALLIES(m_world, 1, 0);
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList({base + format}));
    }

    // An archive of the chosen name is replaced only when the user says so,
    // and only by an archive that was packed whole; packing the archive
    // itself into its successor keeps it, inside.
    void replacingAnArchive()
    {
        const QByteArray dir = m_world.folder("replace"), tree = m_world.tree(false);
        const QByteArray archive = dir + "/pack $n ;`x` -.tar.gz";
        QVERIFY(writeBytes(archive, "an older archive\n"));
        QCOMPARE(m_world.pack({tree}, dir, ".tar.gz", {}, "Cancel"), QByteArray("(not accepted)"));
        COMPARE_TALLIES(m_world, 0, 0);
        QVERIFY(!m_world.pack({tree, dir + "/gone"}, dir, ".tar.gz").isEmpty());   // a selected path vanished
        COMPARE_TALLY(m_world, 1, "Cannot stat: No such file or directory");
        QCOMPARE(readBytes(archive), QByteArray("an older archive\n"));
        QCOMPARE(m_world.pack({archive}, dir, ".tar.gz"), archive);
        COMPARE_TALLIES(m_world, 1, 0);
        QByteArray inside;
        QCOMPARE(runProgram({"tar", "-xzOf", archive, archive.mid(dir.size() + 1)}, &inside), 0);
        QCOMPARE(inside, QByteArray("an older archive\n"));
        QCOMPARE(describeTree(dir).size(), 1);   // no partial archive left
        // A zip packed into the folder it packs holds neither itself nor the line's private folder.
        const QByteArray zip = m_world.pack({dir}, dir, ".zip");
        COMPARE_TALLIES(m_world, 1, 0);
        QByteArray names;
        QCOMPARE(runProgram({"unzip", "-Z1", zip}, &names), 0);
        QVERIFY2(names.contains(".tar.gz") && !names.contains(".arkive-"), names.constData());
    }

    // A file that exists already is kept with the box cleared and replaced
    // with it checked, for every type; the rest of the tree is unpacked
    // either way, and tally tells how many it kept.
    void overwriteChoice_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("overwrite");
        for (const char* format : {".tar", ".tar.gz", ".zip"}) {
            QTest::addRow("%s keeps", format) << format << false;
            QTest::addRow("%s replaces", format) << format << true;
        }
    }
    void overwriteChoice()
    {
        QFETCH(QString, format);
        QFETCH(bool, overwrite);
        const QByteArray tree = m_world.tree(true), out = m_world.folder("ow out");
        const QByteArray archive = m_world.pack({tree}, m_world.folder("ow"), format);
        COMPARE_TALLIES(m_world, 1, 0);
        QVERIFY(::mkdir(out + "/tree", 0755) == 0 && writeBytes(out + "/tree/two words", "older\n"));
        QVERIFY(m_world.unpack({archive}, out, {}, overwrite));
        const QList<e2e::TallyEnd> ends = m_world.tallyEnds();
        QCOMPARE(ends.size(), 1);
        QVERIFY2(ends.first().status == 0, ends.first().summary.constData());
        QCOMPARE(ends.first().summary.contains("1 file was already there and was kept; the rest was unpacked."), !overwrite);
        if (!overwrite)   // kept: the rest must be as packed
            QVERIFY(writeBytes(tree + "/two words", "older\n"));
        COMPARE_TREES(out + "/tree", tree);
    }

    // Unpacked whole into a folder that holds other entries, an archive of
    // several entries at its top goes into a folder named after it ("NAME
    // (2)" where a file has that name); one of a single folder does not.
    // Into an empty folder, nothing is offered.
    void folderOfItsOwn()
    {
        const QByteArray dir = m_world.folder("own"), tree = dir + "/t", out = dir + "/out", empty = dir + "/empty";
        QVERIFY(::mkdir(tree, 0755) == 0 && ::mkdir(tree + "/top", 0755) == 0 && ::mkdir(out, 0755) == 0
                && ::mkdir(empty, 0755) == 0);
        for (const QByteArray& name : QByteArrayList{"a", "b", "top/x"})
            QVERIFY(writeBytes(tree + '/' + name, name));
        QVERIFY(writeBytes(out + "/taken", "mine"));
        QCOMPARE(runProgram({"tar", "-czf", dir + "/loose.tar.gz", "a", "b"}, nullptr, tree), 0);
        QCOMPARE(runProgram({"zip", "-qr", dir + "/one.zip", "top"}, nullptr, tree), 0);
        QCOMPARE(runProgram({"7zz", "a", "-bso0", dir + "/taken.7z", "a", "b"}, nullptr, tree), 0);
        QVERIFY(m_world.unpack({dir + "/loose.tar.gz", dir + "/one.zip", dir + "/taken.7z"}, out));
        COMPARE_TALLIES(m_world, 3, 0);
        QCOMPARE(sorted(namesIn(out)), QByteArrayList({"loose", "taken", "taken (2)", "top"}));
        QCOMPARE(sorted(namesIn(out + "/loose")), QByteArrayList({"a", "b"}));
        QCOMPARE(sorted(namesIn(out + "/taken (2)")), QByteArrayList({"a", "b"}));
        QCOMPARE(readBytes(out + "/taken"), "mine");
        QCOMPARE(readBytes(out + "/top/x"), "top/x");
        QVERIFY(m_world.unpack({dir + "/loose.tar.gz"}, empty));
        COMPARE_TALLIES(m_world, 1, 0);
        QCOMPARE(sorted(namesIn(empty)), QByteArrayList({"a", "b"}));
    }

    // Chosen members alone, through the extract dialog's OK, each name
    // taken literally by its tool: a name that would match others as a
    // pattern unpacks itself only, byte for byte; a folder brings what is
    // below it and nothing beside it.
    void chosenMembers_data()
    {
        QTest::addColumn<QByteArray>("ending");
        QTest::addColumn<QByteArrayList>("pack");   // run in the tree; ARCHIVE stands for the archive
        QTest::addColumn<bool>("bytes");            // names with a backslash and bytes that are no UTF-8
        QTest::newRow("tar.gz") << QByteArray(".tar.gz") << QByteArrayList{"tar", "--no-unquote", "-czf", "ARCHIVE", "--", "."} << true;
        QTest::newRow("zip") << QByteArray(".zip") << QByteArrayList{"zip", "-qry", "ARCHIVE", "."} << false;
        QTest::newRow("7z") << QByteArray(".7z") << QByteArrayList{"7zz", "a", "-bso0", "ARCHIVE", "--", "*"} << false;
    }
    void chosenMembers()
    {
        QFETCH(QByteArray, ending);
        QFETCH(QByteArrayList, pack);
        QFETCH(bool, bytes);
        const QByteArray dir = m_world.folder("chosen"), tree = dir + "/tree", archive = dir + "/a" + ending;
        QByteArrayList names{"a*b", "aXb", "q?", "qq", "br[1]", "b1", "-lead", "sp ace"};
        if (bytes)   // (unzip drops a newline from a name, and takes a backslash for a slash)
            names << "x\\y" << "odd \xff" << "new\nline";
        QVERIFY(::mkdir(tree, 0755) == 0 && ::mkdir(tree + "/dir", 0755) == 0 && ::mkdir(tree + "/dir/sub", 0755) == 0
                && ::mkdir(tree + "/dir2", 0755) == 0);
        for (const QByteArray& name : names + QByteArrayList{"dir/inner", "dir/sub/deep", "dir2/beside", "dirx"})
            QVERIFY(writeBytes(tree + '/' + name, "content of " + name));
        pack.replace(pack.indexOf("ARCHIVE"), archive);
        QCOMPARE(runProgram(pack, nullptr, tree), 0);
        // Each member is named as the listing has it stored.
        QMap<QByteArray, std::string> stored;
        arkive::listMembers(archive.toStdString(), [&stored](arkive::Member&& m) {
            stored[QByteArray::fromStdString(m.path)] = m.stored;
        });
        int n = 0;
        const auto unpackOnly = [&](const std::vector<arkive::MemberPick>& picks) {
            const QByteArray out = dir + "/out" + QByteArray::number(++n);
            return m_world.unpack({archive}, out, {}, true, {}, picks) ? out : QByteArray();
        };
        for (const QByteArray& name : std::as_const(names)) {
            QVERIFY2(stored.contains(name), name.constData());
            const QByteArray out = unpackOnly({{stored[name], false}});
            COMPARE_TALLIES(m_world, 1, 0);
            QCOMPARE(namesIn(out), QByteArrayList{name});
            QCOMPARE(readBytes(out + '/' + name), "content of " + name);
        }
        const QByteArray out = unpackOnly({{stored["dir"], true}});
        COMPARE_TALLIES(m_world, 1, 0);
        QCOMPARE(namesIn(out), QByteArrayList{"dir"});
        COMPARE_TREES(out + "/dir", tree + "/dir");
    }

    // One dialog, several archives into one folder, a rar first, through the
    // stand-in (it unpacks a tar under a rar name). The rar runs in the
    // background like the rest: while unrar waits, the zips after it in the
    // list unpack. Beside each zip lies one its name would match as a pattern.
    void severalArchivesAndDecoys()
    {
        const QByteArray in = m_world.folder("several"), out = m_world.folder("several out");
        const QByteArray decoy = m_world.tree(true), gate = m_world.root + "/unrar gate";
        QByteArrayList trees{m_world.tree(false)}, archives{in + "/r.rar"};
        QCOMPARE(runProgram({"tar", "-cf", archives.first(), "-C", "/", trees.first().mid(1)}), 0);
        for (const auto& [name, decoyName] : {std::pair{"w[1].zip", "w1.zip"}, {"a*.zip", "ab.zip"}, {"q?.zip", "qq.zip"}}) {
            trees << m_world.tree(true);
            archives << in + '/' + name;
            QCOMPARE(runProgram({"zip", "-qry", archives.last(), trees.last().mid(1)}, nullptr, "/"), 0);
            QCOMPARE(runProgram({"zip", "-qry", in + '/' + decoyName, decoy.mid(1)}, nullptr, "/"), 0);
        }
        qputenv("ARKIVE_UNRAR_GATE", gate);
        const auto closeGate = qScopeGuard([] { qunsetenv("ARKIVE_UNRAR_GATE"); });
        QList<e2e::TallyEnd> ends;   // QTRY_ looks once more at the end: gather, do not consume
        QVERIFY(m_world.unpack(archives, out, {}, true, [&] {
            QTRY_VERIFY_WITH_TIMEOUT((ends += m_world.tallyEnds()).size() == 3, 30000);   // the zips; unrar waits
            QVERIFY(writeBytes(gate, {}));
        }));
        ends += m_world.tallyEnds();
        QCOMPARE(ends.size(), 4);
        for (const e2e::TallyEnd& end : std::as_const(ends))
            QVERIFY2(end.status == 0, end.summary.constData());
        for (const QByteArray& tree : std::as_const(trees))
            COMPARE_TREES(out + tree, tree);
        QVERIFY(!describeTree(out).contains(decoy));
    }
};

QTEST_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
