// The four parsers, fed with listings RECORDED from the real tools (see
// data/README.md) line by line, and with unrar inputs built from the
// description of its output (RARLAB's unrar is not installable here).
#include <QTest>

#include "parsers.h"
#include "session.h"
#include "tallytest.h"
#include "textutil.h"

using namespace tally;
using tallytest::feedLines;
using tallytest::recording;
using tallytest::str;

namespace {

// An unrar run as described: every message starts with a newline instead of
// ending with one; "Extracting  NAME" padded, updates written as four
// backspaces and "%3d%%", then "  OK".
QByteArray unrarRun(bool errors)
{
    QByteArray r;
    r += "\nUNRAR 6.24 freeware      Copyright (c) 1993-2023 Alexander Roshal\n";
    r += "\n\nExtracting from /mmc/mmca1/music.rar\n";
    r += "\nCreating    /o/music                                                  OK";
    r += "\nExtracting  /o/music/list.m3u                                         OK ";
    r += "\nExtracting  /o/music/track01.ogg                                      ";
    r += "\b\b\b\b 12%\b\b\b\b 47%\b\b\b\b 81%\b\b\b\b\b  OK ";
    if (errors) {
        r += "\nExtracting  /o/music/track02.ogg                                      \b\b\b\b 90%";
        r += "\n/o/music/track02.ogg - CRC failed";
        r += "\nTotal errors: 1\n";
    } else {
        r += "\nExtracting  /o/music/track02.ogg                                      \b\b\b\b 99%\b\b\b\b\b  OK ";
        r += "\nAll OK\n";
    }
    return r;
}

} // namespace

class TestTallyParsers : public QObject {
    Q_OBJECT
private slots:
    // --- tar -vv ---------------------------------------------------------------

    void tarCreatePhotos()
    {
        TarParser p(Operation::Packing);
        feedLines(p, recording("tar-1.34-create-photos.txt"));
        const Counts& c = p.counts();
        // 16 members: folders, files, a FIFO, devices ("7,200", "1,3"), a hard
        // link ("link to") and a symbolic link ("->").
        QCOMPARE(c.entries, std::uint64_t(16));
        // 12 + 150000 + 3000 + 1 + 6 + 6 + 3: devices, links and folders add nothing.
        QCOMPARE(c.bytes, std::uint64_t(153028));
        QCOMPARE(c.errors, std::uint64_t(0));
        // The last member, without its " -> a.txt".
        QCOMPARE(str(p.displayName()), QStringLiteral("/mmc/mmca1/photos/link_to_a"));
    }

    void tarCreateLinksCountWhatTheTotalCounted()
    {
        // The total (153033) follows links and counts both names of a hard
        // link; tar lists them with size 0. The probe stands for the files.
        tallytest::FakeProbe probe;
        probe.files["/mmc/mmca1/photos/a.txt"] = 6;              // the "link to" member
        probe.links["/mmc/mmca1/photos/link_to_a"] = 6;          // -> a.txt
        TarParser p(Operation::Packing);
        p.setProbe(&probe);
        feedLines(p, recording("tar-1.34-create-photos.txt"));
        QCOMPARE(p.counts().bytes, std::uint64_t(153040));   // 153033 + the 7 hidden bytes
        Options o;
        o.kind = Kind::Tar;
        o.total = 153033;
        QVERIFY(decideOutcome(o, p.counts(), true, false) == Outcome::Done);
    }

    void tarCreateMusicLinkedFolder()
    {
        tallytest::FakeProbe probe;
        probe.links["/mmc/mmca1/music/favourite.ogg"] = 40000;
        probe.links["/mmc/mmca1/music/album_link"] = 92000;   // -> album, walked by the total
        TarParser p(Operation::Packing);
        p.setProbe(&probe);
        feedLines(p, recording("tar-1.34-create-music.txt"));
        QCOMPARE(p.counts().entries, std::uint64_t(8));
        QCOMPARE(p.counts().bytes, std::uint64_t(92010 + 40000 + 92000));
    }

    void tarProbeOnlyWhenPacking()
    {
        tallytest::FakeProbe probe;
        probe.files["mmc/mmca1/photos/a.txt"] = 6;
        TarParser p(Operation::Unpacking);
        p.setProbe(&probe);
        feedLines(p, recording("tar-1.34-extract-photos.txt"));
        QCOMPARE(p.counts().bytes, std::uint64_t(153028));
    }

    void tarExtractSkipsCreatingDirectory()
    {
        // 18 lines, two of them "Creating directory:" (no members).
        TarParser p(Operation::Unpacking);
        const QByteArray data = recording("tar-1.34-extract-photos.txt");
        QCOMPARE(data.count('\n'), 18);
        feedLines(p, data);
        QCOMPARE(p.counts().entries, std::uint64_t(16));
        QCOMPARE(p.counts().bytes, std::uint64_t(153028));
    }

    void tarLineByLine()
    {
        TarParser p(Operation::Unpacking);
        p.line("drwxr-xr-x root/root         0 2026-12-06 22:34 mmc/mmca1/photos/", 0);
        QCOMPARE(p.counts().entries, std::uint64_t(1));
        p.line("drwxr-xr-x                  Creating directory: mmc", 0);
        QCOMPARE(p.counts().entries, std::uint64_t(1));
        QCOMPARE(str(p.displayName()), QStringLiteral("mmc/mmca1/photos/"));
        p.line("brw-r--r-- root/root     7,200 2026-12-06 22:34 mmc/mmca1/photos/blockdev", 0);
        QCOMPARE(p.counts().bytes, std::uint64_t(0));
        p.line("-rw-r--r-- root/root         3 2026-12-06 22:34 mmc/mmca1/photos/tab\\tand\\\\back", 0);
        QCOMPARE(p.counts().bytes, std::uint64_t(3));
        // tar's quoting undone for display.
        QCOMPARE(str(p.displayName()), QStringLiteral("mmc/mmca1/photos/tab\tand\\back"));
        // Blanks in names, a name starting with a blank.
        p.line("-rw-r--r-- root/root         5 2026-12-06 22:34  lead and  inner", 0);
        QCOMPARE(str(p.displayName()), QStringLiteral(" lead and  inner"));
        QCOMPARE(p.counts().entries, std::uint64_t(4));
    }

    void tarColumnsThatGrow()
    {
        // The size column widens after the 1.2 GB member and stays wide.
        TarParser p(Operation::Packing);
        feedLines(p, recording("tar-1.34-create-all.txt"));
        QCOMPARE(p.counts().entries, std::uint64_t(20));
        QCOMPARE(p.counts().bytes, std::uint64_t(153028 + 1200000000 + 5 + 25000000));
        QCOMPARE(str(p.displayName()), QStringLiteral("/mmc/mmca1/docs/big.bin"));
        TarParser x(Operation::Unpacking);
        feedLines(x, recording("tar-1.34-extract-all.txt"));
        QCOMPARE(x.counts().entries, std::uint64_t(20));
        QCOMPARE(x.counts().bytes, p.counts().bytes);
    }

    void tarIgnoresOtherLines()
    {
        TarParser p(Operation::Unpacking);
        for (const char* l : {"", "garbage", "-rw-r--r--", "-rw-r--r-- root/root", "-rw-r--r-- root/root x 2026-12-06",
                              "xxxxxxxxxx root/root 1 2026-12-06 22:34 n", "-rw-r--r-- root/root 12 2026-12-06 22:34",
                              "tar: Removing leading `/' from member names"})
            p.line(l, 0);
        QCOMPARE(p.counts().entries, std::uint64_t(0));
        QCOMPARE(p.counts().errors, std::uint64_t(0));
        // tar's own complaints, should they come on standard output.
        p.line("tar: /mmc/x: Cannot open: Permission denied", 0);
        QCOMPARE(p.counts().errors, std::uint64_t(1));
    }

    void tarHugeSizeSaturates()
    {
        TarParser p(Operation::Unpacking);
        p.line("-rw-r--r-- a/b 99999999999999999999999 2026-12-06 22:34 x", 0);
        p.line("-rw-r--r-- a/b 5 2026-12-06 22:34 y", 0);
        QCOMPARE(p.counts().bytes, ~std::uint64_t(0));
    }

    // --- zip -v ----------------------------------------------------------------

    void zipPhotosWithWarnings()
    {
        ZipParser p;
        feedLines(p, recording("zip-3.0-create-photos.txt"));
        const Counts& c = p.counts();
        // 14 "adding:" lines, one of them without a result (the block device).
        QCOMPARE(c.entries, std::uint64_t(13));
        QCOMPARE(c.bytes, std::uint64_t(153039));   // zip's own "total bytes=153039"
        QCOMPARE(c.errors, std::uint64_t(4));
        QVERIFY(c.endMarker);
        QVERIFY(startsWith(c.firstError, "zip warning: ignoring FIFO"));
        // A tab inside a name: the result starts at the last "\t(in=".
        ZipParser q;
        q.line("  adding: mmc/mmca1/photos/tab\tand\\back\t(in=3) (out=3) (stored 0%)", 0);
        QCOMPARE(str(q.displayName()), QStringLiteral("mmc/mmca1/photos/tab\tand\\back"));
        QCOMPARE(q.counts().bytes, std::uint64_t(3));
    }

    void zipDocsDots()
    {
        ZipParser p;
        feedLines(p, recording("zip-3.0-create-docs.txt"));
        const Counts& c = p.counts();
        QCOMPARE(c.entries, std::uint64_t(4));
        QCOMPARE(c.bytes, std::uint64_t(1225000005));
        QCOMPARE(c.errors, std::uint64_t(0));
        QVERIFY(c.endMarker);
        QCOMPARE(str(p.displayName()), QStringLiteral("mmc/mmca1/docs/big.bin"));   // no " .." after it
    }

    void zipOpenLineWithDots()
    {
        // The line of a big member stays open while zip reads it: the name is
        // there at once, and every dot is 10 MiB more.
        ZipParser p;
        p.openLine("  adding: mmc/mmca1/docs/sparse.img", 0);
        QCOMPARE(str(p.displayName()), QStringLiteral("mmc/mmca1/docs/sparse.img"));
        QCOMPARE(p.counts().openBytes, std::uint64_t(0));
        p.openLine("  adding: mmc/mmca1/docs/sparse.img .....", 0);
        QCOMPARE(str(p.displayName()), QStringLiteral("mmc/mmca1/docs/sparse.img"));
        QCOMPARE(p.counts().openBytes, 5 * kZipDotBytes);
        QCOMPARE(p.counts().entries, std::uint64_t(0));
        p.line("  adding: mmc/mmca1/docs/sparse.img ......\t(in=1200000000) (out=1164570) (deflated 100%)", 0);
        QCOMPARE(p.counts().openBytes, std::uint64_t(0));
        QCOMPARE(p.counts().bytes, std::uint64_t(1200000000));
        QCOMPARE(p.counts().entries, std::uint64_t(1));
    }

    void zipSessionSeesTheOpenLine()
    {
        // The recording cut in the middle of sparse.img's dots, as a pipe
        // would deliver it.
        const QByteArray data = recording("zip-3.0-create-docs.txt");
        const qsizetype cut = data.indexOf("sparse.img ") + 11 + 50;
        Options o;
        o.kind = Kind::Zip;
        o.total = 1225000005;
        Session s(o, Clock::now());
        s.feed(data.constData(), static_cast<std::size_t>(cut));
        Snapshot snap = s.snapshot(Clock::now());
        QCOMPARE(snap.current, std::string("mmc/mmca1/docs/sparse.img"));
        QCOMPARE(snap.bytes, 50 * kZipDotBytes);
        QVERIFY(snap.fraction > 0.4 && snap.fraction < 0.45);
        s.feed(data.constData() + cut, static_cast<std::size_t>(data.size() - cut));
        s.finish(Clock::now());
        snap = s.snapshot(Clock::now());
        QVERIFY(snap.outcome == Outcome::Done);
        QCOMPARE(snap.bytes, std::uint64_t(1225000005));
    }

    void zipSymlinksCountTheirTargets()
    {
        tallytest::FakeProbe probe;
        probe.links["/mmc/mmca1/music/favourite.ogg"] = 40000;
        probe.links["/mmc/mmca1/music/album_link"] = 92000;
        ZipParser p;
        p.setProbe(&probe);
        feedLines(p, recording("zip-3.0-create-music.txt"));
        // zip -y stores links as links: in=17 and in=5, where the total counted
        // what they lead to.
        QCOMPARE(p.counts().bytes, std::uint64_t(92032 - 17 - 5 + 40000 + 92000));
        QCOMPARE(p.counts().entries, std::uint64_t(8));
    }

    void zipErrors()
    {
        ZipParser w;
        feedLines(w, recording("zip-3.0-create-cannotwrite.txt"));
        QCOMPARE(w.counts().entries, std::uint64_t(0));
        QCOMPARE(w.counts().errors, std::uint64_t(2));
        QCOMPARE(str(w.counts().firstError), QStringLiteral("zip I/O error: No such file or directory"));
        QVERIFY(!w.counts().endMarker);
        ZipParser m;
        feedLines(m, recording("zip-3.0-create-missing.txt"));
        QCOMPARE(m.counts().errors, std::uint64_t(2));
        QCOMPARE(str(m.counts().firstError), QStringLiteral("zip warning: name not matched: /mmc/mmca1/missing"));
    }

    // --- unzip -----------------------------------------------------------------

    void unzipPhotos()
    {
        UnzipParser p;
        feedLines(p, recording("unzip-6.0-extract-photos.txt"));
        const Counts& c = p.counts();
        // creating/extracting/inflating/linking: 13 entries; the "finishing
        // deferred symbolic links:" list and "Archive:" are no entries.
        QCOMPARE(c.entries, std::uint64_t(13));
        QCOMPARE(c.impliedEntries, std::uint64_t(0));
        QCOMPARE(c.errors, std::uint64_t(0));
        QCOMPARE(str(p.displayName()), QStringLiteral("/tmp/rec/ux/mmc/mmca1/photos/link_to_a"));
    }

    void unzipArchiveLineShowsTheArchive()
    {
        UnzipParser p;
        p.line("Archive:  /mmc/mmca1/photos.zip", 0);
        QCOMPARE(str(p.displayName()), QStringLiteral("/mmc/mmca1/photos.zip"));
        QCOMPARE(p.counts().entries, std::uint64_t(0));
        p.openLine("  inflating: /o/big.bin", 0);
        QCOMPARE(str(p.displayName()), QStringLiteral("/o/big.bin"));
        QCOMPARE(p.counts().entries, std::uint64_t(0));
        p.line("  inflating: /o/big.bin  ", 0);
        QCOMPARE(p.counts().entries, std::uint64_t(1));
    }

    void unzipExistingFoldersAreNotListed()
    {
        // The same archive unpacked twice: the second time unzip lists no
        // "creating:" lines, the folders exist. They count as implied entries.
        UnzipParser first;
        feedLines(first, recording("unzip-6.0-extract-music.txt"));
        QCOMPARE(first.counts().entries, std::uint64_t(8));
        QCOMPARE(first.counts().impliedEntries, std::uint64_t(0));
        UnzipParser again;
        feedLines(again, recording("unzip-6.0-extract-music-again.txt"));
        QCOMPARE(again.counts().entries, std::uint64_t(6));
        QCOMPARE(again.counts().impliedEntries, std::uint64_t(2));
        Options o;
        o.kind = Kind::Unzip;
        o.total = 8;
        QVERIFY(decideOutcome(o, again.counts(), true, false) == Outcome::Done);
        Session s(o, Clock::now());
        const Snapshot snap = tallytest::feedSession(s, recording("unzip-6.0-extract-music-again.txt"), 100);
        QVERIFY(snap.outcome == Outcome::Done);
        QCOMPARE(str(countsText(snap)), QStringLiteral("6 of 8 entries"));
        QCOMPARE(str(resultDetail(snap)),
                 QStringLiteral("All entries were unpacked (the folders that existed already are not listed)."));
    }

    void unzipCorruptMemberIsAnError()
    {
        // "bad CRC" goes to standard error, and the member's line is never
        // finished: the next record is glued to it.
        UnzipParser p;
        feedLines(p, recording("unzip-6.0-extract-corrupt.txt"));
        QCOMPARE(p.counts().entries, std::uint64_t(13));
        QCOMPARE(p.counts().errors, std::uint64_t(1));
        QVERIFY(str(p.counts().firstError).endsWith(QStringLiteral("holiday 2024/img_0002.jpg")));
    }

    void unzipWrongPasswordListsLess()
    {
        UnzipParser p;
        feedLines(p, recording("unzip-6.0-extract-wrongpassword.txt"));
        QCOMPARE(p.counts().entries, std::uint64_t(1));
        Options o;
        o.kind = Kind::Unzip;
        o.total = 4;
        QVERIFY(decideOutcome(o, p.counts(), true, false) == Outcome::EndedEarly);
    }

    void unzipMissingArchive()
    {
        UnzipParser p;
        feedLines(p, recording("unzip-6.0-extract-missing.txt"));
        QCOMPARE(p.counts().entries, std::uint64_t(0));
        Options o;
        o.kind = Kind::Unzip;
        QVERIFY(decideOutcome(o, p.counts(), true, false) == Outcome::EndedEarly);
    }

    void unzipUnfinishedLastLine()
    {
        UnzipParser p;
        p.line("Archive:  /m/a.zip", 0);
        p.endOfInput("  inflating: /o/last.bin ", true, 0);
        QCOMPARE(p.counts().entries, std::uint64_t(1));
        QCOMPARE(p.counts().errors, std::uint64_t(1));
        UnzipParser q;
        q.line("error:  cannot create /o/x", 0);
        QCOMPARE(q.counts().errors, std::uint64_t(1));
    }

    // --- unrar (built from the description) --------------------------------------

    void unrarAllOk()
    {
        UnrarParser p;
        feedLines(p, unrarRun(false));
        const Counts& c = p.counts();
        QCOMPARE(c.entries, std::uint64_t(4));   // Creating + three Extracting
        QCOMPARE(c.percent, 99);
        QVERIFY(c.endMarker);
        QCOMPARE(c.errors, std::uint64_t(0));
        QCOMPARE(str(p.displayName()), QStringLiteral("/o/music/track02.ogg"));
    }

    void unrarErrors()
    {
        UnrarParser p;
        feedLines(p, unrarRun(true));
        QVERIFY(p.counts().endMarker);
        QCOMPARE(p.counts().errors, std::uint64_t(1));
        QCOMPARE(str(p.counts().firstError), QStringLiteral("/o/music/track02.ogg - CRC failed"));
        Options o;
        o.kind = Kind::Unrar;
        QVERIFY(decideOutcome(o, p.counts(), true, false) == Outcome::Errors);
    }

    void unrarOpenMessage()
    {
        // The message of the member being unpacked is open until the next
        // one starts: its name and its latest percentage show meanwhile.
        const QByteArray data = unrarRun(false);
        const qsizetype cut = data.indexOf(" 47%") + 4;
        Options o;
        o.kind = Kind::Unrar;
        Session s(o, Clock::now());
        s.feed(data.constData(), static_cast<std::size_t>(cut));
        const Snapshot snap = s.snapshot(Clock::now());
        QCOMPARE(snap.current, std::string("/o/music/track01.ogg"));
        QCOMPARE(snap.percent, 47);
        QCOMPARE(snap.fraction, 0.47);
        QCOMPARE(snap.entries, std::uint64_t(2));
    }

    void unrarWithoutClosingLine()
    {
        QByteArray data = unrarRun(false);
        data.truncate(data.indexOf("\nAll OK"));
        UnrarParser p;
        feedLines(p, data);
        Options o;
        o.kind = Kind::Unrar;
        QVERIFY(decideOutcome(o, p.counts(), true, false) == Outcome::EndedEarly);
    }

    // --- every kind ----------------------------------------------------------------

    void chunkingDoesNotMatter_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kind");
        QTest::newRow("tar create") << "tar-1.34-create-all.txt" << int(Kind::Tar);
        QTest::newRow("tar extract") << "tar-1.34-extract-photos.txt" << int(Kind::Tar);
        QTest::newRow("zip") << "zip-3.0-create-photos.txt" << int(Kind::Zip);
        QTest::newRow("zip dots") << "zip-3.0-create-docs.txt" << int(Kind::Zip);
        QTest::newRow("unzip") << "unzip-6.0-extract-corrupt.txt" << int(Kind::Unzip);
        QTest::newRow("unzip again") << "unzip-6.0-extract-music-again.txt" << int(Kind::Unzip);
    }

    void chunkingDoesNotMatter()
    {
        // Whatever sizes the reads have, the counts come out the same as line
        // by line (the open line seen after every chunk changes nothing).
        QFETCH(QString, file);
        QFETCH(int, kind);
        const QByteArray data = recording(file.toLatin1().constData());
        Options o;
        o.kind = static_cast<Kind>(kind);
        auto whole = makeParser(o.kind, operationOf(o));
        feedLines(*whole, data);
        for (const qsizetype chunk : {qsizetype(1), qsizetype(3), qsizetype(64), qsizetype(4096)}) {
            Session s(o, Clock::now());
            tallytest::feedSession(s, data, chunk);
            const Counts& c = s.parser().counts();
            QCOMPARE(c.entries, whole->counts().entries);
            QCOMPARE(c.bytes, whole->counts().bytes);
            QCOMPARE(c.errors, whole->counts().errors);
            QCOMPARE(c.impliedEntries, whole->counts().impliedEntries);
            QCOMPARE(c.current, whole->counts().current);
        }
    }

    void hostileBytes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("tar") << int(Kind::Tar);
        QTest::newRow("zip") << int(Kind::Zip);
        QTest::newRow("unzip") << int(Kind::Unzip);
        QTest::newRow("unrar") << int(Kind::Unrar);
    }

    void hostileBytes()
    {
        // NULs, carriage returns, backspaces, invalid UTF-8 and a line of 8 MB:
        // nothing crashes and what is kept stays bounded.
        QFETCH(int, kind);
        Options o;
        o.kind = static_cast<Kind>(kind);
        Session s(o, Clock::now());
        QByteArray junk;
        junk += QByteArray("-rw-r--r-- a/b 5 2026-12-06 22:34 na\0me\r\n", 41);
        junk += "  adding: \xff\xfe\x80 bad utf8\t(in=5) (out=5)\n";
        junk += "  inflating: \b\b\b\b\r\r\x1b[31mred\x1b[0m  \n";
        junk += "\nExtracting  \xc3\x28\x00zz \b\b\b\b 50%";
        const QByteArray big(8 * 1024 * 1024, 'x');
        s.feed(junk.constData(), static_cast<std::size_t>(junk.size()));
        s.feed("  adding: ", 10);
        for (int i = 0; i < 4; ++i) {
            s.feed(big.constData(), static_cast<std::size_t>(big.size()));
            const Snapshot snap = s.snapshot(Clock::now());
            QVERIFY(snap.current.size() <= 4 * kMaxNameBytes);
        }
        s.feed("\n", 1);
        s.finish(Clock::now());
        const Snapshot snap = s.snapshot(Clock::now());
        QVERIFY(countsBounded(s.parser().counts()));
        QVERIFY(snap.current.find('\x1b') == std::string::npos);
        QVERIFY(snap.current.find('\0') == std::string::npos);
        QVERIFY(snap.outcome != Outcome::Running);
    }
};

QTEST_APPLESS_MAIN(TestTallyParsers)
#include "tst_tally_parsers.moc"
