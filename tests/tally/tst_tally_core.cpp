// tally's plain core. Its reading side on every file of data/ (one row each)
// and on the edge cases of lines: what it counts, how it judges the end and
// what it shows, whatever sizes the reads have. Then its words, its face,
// progress on a simulated clock, and the stop's steps.
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

#include "bytefiles.h"
#include "finisher.h"
#include "inputpacer.h"
#include "progressmodel.h"
#include "session.h"
#include "stopper.h"
#include "tallytest.h"
#include "textutil.h"
#include "ticker.h"

using namespace tally;
using namespace std::chrono;
using tallytest::recording;
using tallytest::tarLine;

namespace {

// The link of the recorded tree (data/README.md) as the byte total counted
// it: what it leads to. tar and zip list the links themselves. Every
// member listed exists. Counts how often it is asked.
class RecordedTree : public FileProbe {
public:
    std::uint64_t asked = 0;
    std::optional<std::uint64_t> fileSize(const std::string& path) override
    {
        ++asked;
        return path == "/mmc/mmca1/photos/a.txt" ? std::optional<std::uint64_t>(6) : std::nullopt;
    }
    std::optional<std::uint64_t> symlinkTargetSize(const std::string& path) override
    {
        ++asked;
        return path == "/mmc/mmca1/photos/link_to_a" ? std::optional<std::uint64_t>(6) : std::nullopt;
    }
};

const char* const kDelayed = "bsdtar: Error exit delayed from previous errors.\n";

// "P|U ENTRIES BYTES ERRORS OUTCOME LAST[ | FIRST ERROR, or else FIRST WARNING]"
QString describe(const Snapshot& s)
{
    static const char* const outcomes[] = {"running", "done", "errors", "early", "stopped", "warnings"};
    return QStringLiteral("%1 %2 %3 %4 %5 %6%7")
        .arg(s.op == Operation::Packing ? "P" : "U").arg(s.entries).arg(s.bytes).arg(s.errors)
        .arg(outcomes[static_cast<int>(s.outcome)], QString::fromStdString(s.current),
             s.firstError.empty() && s.firstWarning.empty()
                 ? QString()
                 : " | " + QString::fromStdString(s.firstError.empty() ? s.firstWarning : s.firstError));
}

void row(const char* name, const QByteArray& input, const char* args, const QString& want)
{
    QTest::newRow(name) << input << QByteArray(args) << want;
}

void rec(const char* file, const char* args, const char* want)   // a file of data/, the row named after it
{
    row(file, recording(file), args, want);
}

// A session given input, looked at after `ms` of a simulated clock (ended there when `end`).
Snapshot look(const char* args, const QByteArray& input, int ms, bool end = false)
{
    Session s(tallytest::options(args), Clock::time_point{});
    s.feed(input.constData(), static_cast<std::size_t>(input.size()));
    if (end)
        s.finish(Clock::time_point{} + milliseconds(ms));
    return s.snapshot(Clock::time_point{} + milliseconds(ms));
}

} // namespace

class TestTallyCore : public QObject {
    Q_OBJECT
private slots:
    void listings_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("args");   // tally's words
        QTest::addColumn<QString>("want");      // as describe() puts it
        // Packing counts what the total counts: links add what they lead to in the recorded tree.
        rec("tar-1.34-create-all.txt", "-T 1225153038 -t tar", "P 20 1225153045 0 done /mmc/mmca1/docs/big.bin");
        rec("tar-1.34-extract-all.txt", "-t tar", "U 20 1225153033 0 done mmc/mmca1/docs/big.bin");
        rec("zip-3.0-create-photos.txt", "-T 153033 -t zip --base=/", "P 13 153040 4 errors mmc/mmca1/photos/link_to_a | "
            "zip warning: ignoring FIFO (Named Pipe) - use -FI to read: /mmc/mmca1/photos/fifo");
        rec("zip-3.0-create-docs.txt", "-T 1225000005 -t zip", "P 4 1225000005 0 done mmc/mmca1/docs/big.bin");
        rec("zip-3.0-create-cannotwrite.txt", "-T 1000 -t zip", "P 0 0 2 errors  | zip I/O error: No such file or "
            "directory");
        rec("zip-3.0-create-missing.txt", "-T 10 -t zip", "P 0 0 2 errors  | zip warning: name not matched: "
            "/mmc/mmca1/missing");
        rec("unzip-6.0-extract-photos.txt", "-T @zipinfo-6.0-count-photos.txt -t unzip",
            "U 13 0 0 done /tmp/rec/ux/mmc/mmca1/photos/link_to_a");
        // Folders that exist already are not listed: 6 of 8 is all.
        rec("unzip-6.0-extract-music-again.txt", "-T 8 -t unzip", "U 6 0 0 done /tmp/rec/x/mmc/mmca1/music/album_link");
        // The listing alone: unzip tells of the bad member on its error output.
        rec("unzip-6.0-extract-corrupt.txt", "-T 13 -t unzip", "U 13 0 0 done /tmp/rec/ux4/mmc/mmca1/photos/link_to_a");
        rec("unzip-6.0-extract-wrongpassword.txt", "-T 4 -t unzip", "U 1 0 0 early /tmp/rec/ux2/photos/holiday 2024/");
        rec("unzip-6.0-extract-missing.txt", "-T @zipinfo-6.0-count-missing.txt -t unzip", "U 0 0 0 early ");
        rec("unrar-6.24-described-extract-music.txt", "-t unrar", "U 4 0 0 done /o/music/track02.ogg");
        rec("unrar-6.24-described-extract-crc.txt", "-t unrar",
            "U 4 0 1 errors /o/music/track02.ogg | /o/music/track02.ogg - CRC failed");
        // 7-Zip both ways: neither folders nor empty files listed when packing; after a
        // wrong password only tested ("T"), nothing written.
        rec("7zz-26.02-create-photos.txt", "-T 153033 -t 7z --pack", "P 8 0 0 done photos/tab?and\\back");
        rec("7zz-26.02-create-big.txt", "-T 200000003 -t 7z --pack", "P 2 0 0 done src/big.bin");
        rec("7zz-26.02-create-volumes.txt", "-t 7z --pack", "P 8 0 0 done photos/tab?and\\back");
        rec("7zz-26.02-extract-photos.txt", "-t 7z", "U 12 0 0 done photos/tab?and\\back");
        rec("7zz-26.02-extract-big.txt", "-t 7z", "U 3 0 0 done src/big.bin");
        rec("7zz-26.02-extract-wrongpassword.txt", "-t 7z", "U 4 0 0 early photos/tab?and\\back");
        // bsdtar: its error output merged, messages glued to the member line.
        rec("bsdtar-3.6.2-extract-photos.txt", "-t bsdtar", "U 12 0 0 done photos/link_to_a");
        rec("bsdtar-3.6.2-extract-truncated.txt", "-t bsdtar", "U 4 0 1 errors photos/holiday 2024/img_0002.jpg | "
            "photos/holiday 2024/img_0002.jpg: Truncated tar archive: Unknown error -1");
        rec("bsdtar-3.6.2-extract-badcrc.txt", "-t bsdtar", "U 11 0 1 errors photos/link_to_a | photos/holiday "
            "2024/img_0002.jpg: ZIP bad CRC: 0xedba1324 should be 0x1b00019e: Unknown error -1");
        rec("bsdtar-3.6.2-extract-missing.txt", "-t bsdtar",
            "U 0 0 1 errors  | bsdtar: Error opening archive: Failed to open '/tmp/rec7/missing.rar'");
        // ": " in names is no message, unless the run failed there.
        rec("bsdtar-3.6.2-extract-colons.txt", "-t bsdtar", "U 5 0 0 done colon/notes: 2024/a.txt");
        rec("bsdtar-3.6.2-extract-colons-truncated.txt", "-t bsdtar",
            "U 3 0 1 errors colon/Re: big.bin | colon/Re: big.bin: Truncated tar archive: Unknown error -1");
        // Encrypted members, in tally's words (bsdtar unpacks only rar for arkive): a zip's
        // 10,000 passphrase prompts on one line, rar's cipher text cut to size.
        rec("bsdtar-3.6.2-extract-zipaes.txt", "-t bsdtar", "U 11 0 8 errors photos/tab?and\\back | "
            "photos/.hidden: encrypted, needs unrar (RARLAB's unrar unpacks it)");
        rec("bsdtar-3.6.2-extract-rar5-encrypted.txt", "-t bsdtar", "U 6 0 2 errors top/nested/grüße.txt | "
            "top/a file with spaces.txt: encrypted, needs unrar (RARLAB's unrar unpacks it)");
        // Whole lines: the listing with each program's status and error output between.
        rec("line-gzip-1.12-tar-1.34-extract-truncated.txt", "-t tar --stages=2",
            "U 2 300000 4 errors src/f.bin | gzip: stdin: unexpected end of file");
        rec("line-unzip-6.0-extract-wrongpassword.txt", "-T 1 -t unzip --stages=1",
            "U 0 0 1 errors p.zip | skipping: src/a.txt               incorrect password");
        // 7-Zip says what an ERROR is about on the lines after it.
        rec("line-7zz-26.02-extract-wrongpassword.txt", "-t 7z --stages=1", "U 4 0 8 errors photos/tab?and\\back | "
            "ERROR: Data Error in encrypted file. Wrong password? : photos/.hidden");
        rec("line-7zz-26.02-extract-encryptedheaders.txt", "-t 7z --stages=1",
            "U 0 0 1 errors  | ERROR: /tmp/rec7/ench.7z Cannot open encrypted archive. Wrong password?");
        rec("line-7zz-26.02-create-vanished.txt", "-T 3 -t 7z --pack --stages=1",
            "P 1 0 1 errors a*b.txt | WARNING: errno=2 : No such file or directory /tmp/rec7/gone");
        // Notices and warning statuses of archives other programs wrote leave a complete tree
        // done with warnings (tests/e2e's odd archives have the others).
        const char* const tar = "-t tar --stages=1";
        const char* const tar2 = "-t tar --stages=2";
        const char* const unzip = "-t unzip --stages=1";
        rec("line-tar-1.34-extract-empty-name.txt", tar,
            "U 4 12 0 warnings top/b.txt | tar: Substituting `.' for empty member name");
        rec("line-gzip-1.12-tar-1.34-extract-trailing.txt", tar2,
            "U 3 12 0 warnings top/b.txt | gzip: stdin: decompression OK, trailing garbage ignored");
        rec("line-bzip2-1.0.8-tar-1.34-extract-trailing.txt", tar2,
            "U 3 12 0 warnings top/b.txt | bzip2: (stdin): trailing garbage after EOF ignored");
        rec("line-unzip-6.0-extract-deferred-symlink.txt", unzip,
            "U 3 0 0 warnings st/top/link | warning:  deferred symlink (st/top/link) failed: invalid placeholder file");
        rec("line-unzip-6.0-extract-unicode-bad.txt", unzip,
            "U 2 0 0 warnings st/top/b.txt | warning:  Unicode Path checksum invalid");
        // The parallel tools' own words, the cause ahead of what tar says after it; the
        // stream the pass counted. pbzip2's threads each say they quit.
        const char* const unpass = "-t tar --stages=3";
        rec("line-pbzip2-1.1.13-tar-1.34-create-full.txt", "--bytes=307200 -t tar --pack --stages=3",
            "P 3 300003 4 errors src/a.txt | pbzip2: *ERROR: Could not write 302034 bytes to file [ret=-1]!  Aborting...");
        rec("line-pbzip2-1.1.13-tar-1.34-extract-trailing.txt", unpass,
            "U 2 300000 5 errors src/f.bin | pbzip2: *ERROR during BZ2_bzDecompress - trailing garbage: ret=4; block=0; "
            "seq=0; isLastInSeq=1; avail_in=22");
        rec("line-pigz-2.6-tar-1.34-extract-corrupt.txt", unpass,
            "U 3 300003 1 errors src/a.txt | pigz: skipping: <stdin>: corrupted -- crc32 mismatch");
        rec("line-lbzip2-2.5-tar-1.34-extract-truncated.txt", unpass,
            "U 0 0 2 errors  | lbzip2: stdin: compressed data error: bad block header magic");
        rec("line-plzip-1.10-tar-1.34-extract-truncated.txt", unpass, "U 0 0 2 errors  | (stdin): Unexpected EOF in worker 0");
        rec("line-xz-5.4.1-tar-1.34-extract-truncated.txt", unpass, "U 2 300000 4 errors src/f.bin | xz: (stdin): Unexpected end of input");
        row("every program ended well", recording("line-zip-3.0-create-vanished.txt").mid(46), "-T 300003 -t zip --stages=1",
            "P 3 300003 0 done tmp/tt/src/a.txt");
        row("indented messages count, their continuations go on with them",
            QByteArrayLiteral("\0E   skipping: a   incorrect password\0\0E  and its continuation\0"
                              "\0E   skipping: b   incorrect password\0\0E  and its own\0\0Sunzip 82\0"),
            "-t unzip --stages=1", "U 0 0 2 errors  | skipping: a   incorrect password and its continuation");
        row("a program that never told its end", QByteArrayLiteral("\0Sgzip 0\0"), "-t tar --stages=2", "U 0 0 0 early ");
        row("a program that failed without a word", QByteArrayLiteral("\0Sxz 1\0\0Star 2\0"), "-t tar --stages=2",
            "U 0 0 1 errors  | xz ended with status 1");
        row("a failed program named with bytes that are no text", QByteArrayLiteral("\0Sx\xff\x1b 1\0"),
            "-t tar --stages=1", "U 0 0 1 errors  | x?? ended with status 1");
        row("words not understood", "", "-t tar --bogus --stages=1", "U 0 0 1 errors  | tally: words not understood: --bogus");

        // Edge cases of lines.
        const QByteArray rar = recording("unrar-6.24-described-extract-music.txt");
        row("unrar without its closing line", rar.chopped(7), "-t unrar", "U 4 0 0 early /o/music/track02.ogg");
        row("zip without its closing line", "  adding: x\t(in=5)\n", "-T 5 -t zip", "P 1 5 0 early x");
        row("unzip ended inside a member", "Archive:  /m/a.zip\n  inflating: /o/last.bin ", "-T 1 -t unzip",
            "U 1 0 1 errors /o/last.bin | unzip did not finish /o/last.bin");
        row("above 4 GiB", tarLine("3000000000", "b1") + tarLine("2000000000", "b2"), "-T 6000000000 -t tar",
            "P 2 5000000000 0 early b2");
        row("beyond 64 bits", tarLine("99999999999999999999999", "x") + tarLine("5", "y"), "-t tar",
            "U 2 18446744073709551615 0 done y");
        row("tar's quoting undone, then made safe", tarLine("5", R"(tab\tand\\back Gr\303\274\303\237e \033[J\351)"),
            "-t tar", "U 1 5 0 done tab?and\\back Grüße ?[J?");
        row("control bytes, bidi and bad UTF-8",
            QByteArray("  adding: \x1b]0;x\x07 \xe2\x80\xae" "fdp n")
                + "l \xff\t(in=5)\n\tzip warning: \x1b[Jx\ntotal bytes=5\n",
            "-T 5 -t zip", "P 1 5 1 errors ?]0;x? ?fdp nl ? | zip warning: ?[Jx");
        row("7-Zip packing only folders and empty files", "  0%\b\b\b\b    \b\b\b\b\nEverything is Ok\n", "-t 7z --pack",
            "P 0 0 0 done ");
        row("7-Zip's closing words merged after its updates, unlisted",
            "- a\n 50% 1\b\b\b\b\b\b      \b\b\b\b\b\bEverything is Ok", "-t 7z", "U 1 0 0 done a");
        row("a doubtful bsdtar message: an error when the run failed", "x a: b\n" + QByteArray(kDelayed), "-t bsdtar",
            "U 1 0 1 errors a: b | a: b");
        row("a doubtful bsdtar message: a name when another error explains the failure",
            "x Re: x\nx big: Truncated tar archive: Unknown error -1\n" + QByteArray(kDelayed), "-t bsdtar",
            "U 2 0 1 errors big | big: Truncated tar archive: Unknown error -1");
        row("bsdtar's own message that tells of encryption names no member",
            "x a\nbsdtar: Encryption is not supported\n" + QByteArray(kDelayed), "-t bsdtar",
            "U 1 0 1 errors a | encrypted archive, needs unrar (RARLAB's unrar unpacks it)");
        row("encryption told ahead of an earlier error, its name unquoted",
            "x a: Truncated tar archive: Unknown error -1\nx b\\tc: Passphrase required for this entry\n", "-t bsdtar",
            "U 2 0 2 errors b?c | b?c: encrypted, needs unrar (RARLAB's unrar unpacks it)");
        // Longer than the reader keeps: its head (the name) and its tail (the size) still count.
        row("a line of 20 KB", "  adding: d/" + QByteArray(20000, 'x') + "\t(in=7)\ntotal bytes=7\n", "-T 7 -t zip",
            "P 1 7 0 done d/" + QString(kMaxNameBytes - 2, QLatin1Char('x')));
    }

    void listings()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, args);
        QFETCH(QString, want);
        // Whatever sizes the reads have, with a look (the open line handed over) after each.
        for (const qsizetype chunk : {qsizetype(1), qsizetype(7), qsizetype(4096), input.size() + 1}) {
            if (chunk * 10000 < input.size())
                continue;   // byte by byte only for the short ones: a look after each read costs
            RecordedTree tree;
            Session s(tallytest::options(args), Clock::time_point{}, &tree);
            for (qsizetype off = 0; off < input.size(); off += chunk) {
                s.feed(input.constData() + off, static_cast<std::size_t>(qMin(chunk, input.size() - off)));
                (void)s.snapshot(Clock::time_point{});
            }
            s.finish(Clock::time_point{});
            const Snapshot end = s.snapshot(Clock::time_point{});
            QCOMPARE(QStringLiteral("reads of %1: ").arg(chunk) + describe(end),
                     QStringLiteral("reads of %1: ").arg(chunk) + want);
            QVERIFY2(tree.asked <= end.entries, "the file probe is asked at most once per member");
        }
    }

    // The words: kind, total or "-", the operation, and --text.
    void words()
    {
        for (const auto& [words, want] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"-T 18446744073709551615 -t tar", "tar 18446744073709551615 P"},
                 {"-T 18446744073709551616 -t tar", "tar - U"},   // beyond 64 bits: no total, no wrap
                 {"-T -t unzip", "unzip - U"},   // the count came out empty
                 {"-T @zipinfo-6.0-count-empty.txt -t unzip", "unzip - U"}, {"-T 12abc -t zip", "zip 12 P"},
                 {"--total=42 -x --type=zip word", "zip 42 P"}, {"-t --text", "tar - U text"},
                 // Said in so many words, or inferred (a listing piped in by hand).
                 {"--unpack -T 5 -t tar", "tar 5 U"}, {"--partial=/m/.p -t tar", "tar - P"},
                 {"--pack --unpack -t zip", "zip - U"}, {"-tbsdtar", "bsdtar - U"}, {"-t rar --pack", "tar - P"}}) {
            const Options o = tallytest::options(words);
            QCOMPARE(QByteArray(kindName(o.kind)) + " " + (o.total ? QByteArray::number(*o.total) : "-")
                         + (operationOf(o) == Operation::Packing ? " P" : " U") + (o.forceText ? " text" : ""),
                     QByteArray(want));
        }
        for (int k = 0; k < kKindCount; ++k)
            QCOMPARE(kindFromName(kindName(Kind(k))), std::optional<Kind>(Kind(k)));
    }

    // The stretches between backspaces as a terminal leaves them, and the
    // updates that begin one.
    void backspaces()
    {
        for (const auto& [raw, limit, visible, percent] :
             std::initializer_list<std::tuple<const char*, std::size_t, const char*, int>>{
                 {" 98% 1\b\b\b\b\b\b      \b\b\b\b\b\b+ src/a*b.txt", 64, "+ src/a*b.txt", 98},
                 {" 40% 1\b\b\b\b\b\b 12% 1", 64, " 12% 1", 40},   // the highest
                 {"+ 50% off.txt", 64, "+ 50% off.txt", -1},         // in a name: no update
                 {"100%\b\b\b\b101%\b\b\b\b 7 %", 64, " 7 %", 100},
                 {"\b\bab\b\b\bc", 64, "c", -1},                     // more taken back than written
                 {"abcdef\b\b\bX", 4, "abcX", -1},                     // beyond the limit: taken back first
                 {"Extracting  x      \b\b\b\b 47%\b\b\b\b\b  OK ", 64, "Extracting  x   OK ", 47}}) {
            std::string shown = "junk";
            QCOMPARE(eraseBackspaces(raw, shown, limit), percent);
            QCOMPARE(QByteArray::fromStdString(shown), QByteArray(visible));
        }
    }

    // QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY (null: unset, empty counts
    // as unset) and --text give the face, and the platforms Qt is given for
    // the window.
    void face()
    {
        for (const auto& [qpa, display, wayland, text, want] :
             std::initializer_list<std::tuple<const char*, const char*, const char*, bool, const char*>>{
                 {nullptr, nullptr, "w-0", false, "window wayland;xcb;offscreen"},
                 {"", ":0", "", false, "window xcb;offscreen"}, {nullptr, "", "", false, "text xcb;offscreen"},
                 {nullptr, ":0", nullptr, true, "text xcb;offscreen"}, {"offscreen", ":0", nullptr, false, "text offscreen"},
                 {"minimal:x", ":0", nullptr, false, "text minimal:x"},
                 {"linuxfb", nullptr, nullptr, false, "window linuxfb;offscreen"}})   // the phone's frame buffer
            QCOMPARE(QByteArray(chooseFace(text, qpa, display, wayland) == Face::Window ? "window " : "text ")
                         + platformWithFallback(qpa, wayland).c_str(), QByteArray(want));
    }

    void progressAndTimeLeft()
    {
        const QByteArray two = tarLine("300", "one") + tarLine("100", "two");
        const Snapshot listed = look("-T 800 -t tar", two, 10000);
        QVERIFY(listed.fraction == 0.5 && listed.remainingSeconds == 10.0);
        QCOMPARE(look("-T 0 -t tar", two, 5000).fraction, -1.0);   // no measure: busy
        QCOMPARE(look("-T 0 -t tar", two, 5000, true).fraction, 1.0);
        // The bytes the pass counted, not the members listed: a member is
        // listed when it is begun.
        const QByteArray passed = QByteArrayLiteral("\0B250\0") + tarLine("1000", "big") + QByteArrayLiteral("\0B500\0");
        const Snapshot half = look("--bytes=1000 -t tar --pack --stages=3", passed, 10000);
        QVERIFY(half.fraction == 0.5 && half.remainingSeconds == 10.0 && half.moved == 500 && sizesText(half) == "500 B of 1000 B");
        QCOMPARE(look("--bytes=1000 -t tar --stages=3", tarLine("1000", "big"), 10000).fraction, 0.0);   // nothing counted yet
        // unzip: the files it wrote, the one it writes as far as it has got.
        RecordedTree tree;
        Session unzip(tallytest::options("--bytes=24 -T 3 -t unzip"), Clock::time_point{}, &tree);
        const QByteArray written = "  inflating: /mmc/mmca1/photos/a.txt  \n  inflating: /mmc/mmca1/photos/a.txt";
        unzip.feed(written.constData(), std::size_t(written.size()));
        QCOMPARE(unzip.snapshot(Clock::time_point{} + seconds(1)).moved, std::uint64_t(12));
        unzip.feed("  \n", 3);   // its line ended: counted as written, no longer as being written too
        QCOMPARE(unzip.snapshot(Clock::time_point{} + seconds(2)).moved, std::uint64_t(12));
        // 7-Zip's own percentage, from the line still open; its byte total
        // measures nothing (no sizes listed) and is not shown.
        const QByteArray big = recording("7zz-26.02-create-big.txt");
        const Snapshot seven = look("-T 200000003 -t 7z --pack", big.left(big.indexOf(" 50% 1") + 6), 10000);
        QVERIFY(seven.fraction == 0.5 && seven.remainingSeconds == 10.0 && seven.current == "src/big.bin");
        QVERIFY(!seven.showBytes && !seven.totalBytes && !seven.totalEntries && sizesText(seven).empty());
        QCOMPARE(look("-t 7z", " 60% 3\b\b\b\b\b\b      \b\b\b\b\b\b- b\n 10% 4", 5000).percent, 60);
        QCOMPARE(look("-t 7z", "- a\n", 5000).fraction, -1.0);   // no update yet
        const QByteArray rar = recording("unrar-6.24-described-extract-music.txt");
        QCOMPARE(look("-t unrar", rar.left(rar.indexOf(" 47%") + 4), 5000).fraction, 0.47);
        // The member that bsdtar is unpacking, before its line ends.
        QCOMPARE(look("-t bsdtar", "x a\nx b/c.bin", 5000).current, std::string("b/c.bin"));
        QCOMPARE(look("-t bsdtar", "x a\nx d\\te.txtEnter passphrase:Enter pass", 5000).current, std::string("d?e.txt"));
        QCOMPARE(humanSize(1023) + ", " + humanSize(153033) + ", " + humanSize(~0ull), std::string("1023 B, 149.4 KiB, 16.0 EiB"));
    }

    // The progress shown, on a simulated clock, after measures at seconds:
    // never back, below 100 % until the work is done, the time left at the
    // rate of the last 30 s (-2: not looked at).
    void progressModel_data()
    {
        QTest::addColumn<QList<QPointF>>("measures");   // (seconds, measure)
        QTest::addColumn<int>("end");                   // 0 running, 1 done, 2 ended otherwise
        QTest::addColumn<double>("fraction");
        QTest::addColumn<double>("remaining");
        QList<QPointF> steady;
        for (int t = 1; t <= 50; ++t)
            steady << QPointF(t, t / 100.0);
        QTest::newRow("steady: the rest at its rate") << steady << 0 << 0.5 << 50.0;
        QTest::newRow("a burst moves it as far as it moves the window's rate")
            << steady.mid(0, 40) + QList<QPointF>{{41, 0.6}} << 0 << 0.6 << 0.4 / (0.49 / 30);
        QTest::newRow("standing still for the window: not known") << steady.mid(0, 20) + QList<QPointF>{{60, 0.2}} << 0 << 0.2 << -1.0;
        QTest::newRow("never back") << QList<QPointF>{{2, 0.5}, {3, 0.3}} << 0 << 0.5 << -2.0;
        QTest::newRow("beyond its measure: 99 %, no estimate") << QList<QPointF>{{5, 1.4}} << 0 << kMaxRunningFraction << -1.0;
        QTest::newRow("done: 100 %") << QList<QPointF>{{5, 0.4}} << 1 << 1.0 << -1.0;
        QTest::newRow("ended otherwise: as it was") << QList<QPointF>{{5, 0.4}} << 2 << 0.4 << -1.0;
        QTest::newRow("known, then not: stays") << QList<QPointF>{{5, 0.3}, {6, -1}} << 0 << 0.3 << -1.0;
        QTest::newRow("below 1 %: no estimate") << QList<QPointF>{{5, 0.005}} << 0 << 0.005 << -1.0;
        QTest::newRow("the first second: no estimate") << QList<QPointF>{{0.9, 0.5}} << 0 << 0.5 << -1.0;
    }
    void progressModel()
    {
        QFETCH(QList<QPointF>, measures);
        QFETCH(int, end);
        QFETCH(double, fraction);
        QFETCH(double, remaining);
        const Clock::time_point t0{};
        ProgressModel model(t0);
        for (const QPointF& m : std::as_const(measures))
            model.update(t0 + duration_cast<Clock::duration>(duration<double>(m.x())), m.y());
        if (end > 0)
            model.finish(end == 1);
        QCOMPARE(model.fraction(), fraction);
        if (remaining > -2)
            QVERIFY2(std::abs(model.remainingSeconds() - remaining) < 1e-6, qPrintable(QString::number(model.remainingSeconds())));
    }

    void tickerSnapsForward()
    {
        const Clock::time_point t0{};
        Ticker<Clock> t(t0, kRepaintInterval);
        QVERIFY(!t.due(t0 + milliseconds(99)) && t.due(t0 + milliseconds(100)) && !t.due(t0 + milliseconds(150)));
        QVERIFY(t.due(t0 + milliseconds(210)));   // a little late: keeps the rhythm
        QCOMPARE(duration_cast<milliseconds>(t.next() - t0).count(), 300);
        QVERIFY(t.due(t0 + milliseconds(1234)) && !t.due(t0 + milliseconds(1235)));   // very late: one repaint, no burst
    }

    // The next round: one interval on, sooner when the last round's rate
    // fills half the pipe before. A real pipe: enlarged as far as the system
    // says; waiting ends at the hang-up, not when data comes.
    void readsInRoundsOnTheInterval()
    {
        const Clock::time_point t0{};
        for (const auto& [capacity, bytes, more, wantMs] :   // bytes read by a round 100 ms after the last
             std::initializer_list<std::tuple<std::size_t, std::uint64_t, bool, int>>{
                 {1 << 20, 10000, false, 100}, {1 << 20, 1 << 20, false, 50}, {1 << 20, 1u << 31, false, 2},
                 {1 << 20, 0, false, 100}, {1 << 20, 5000, true, 0}, {0, 1u << 31, false, 100}}) {
            InputPacer pacer(t0, kRepaintInterval, capacity);
            pacer.readAt(t0 + milliseconds(100), bytes, more);
            QCOMPARE(duration_cast<milliseconds>(pacer.next() - t0).count(), 100 + wantMs);
        }
        QTemporaryDir dir;
        QFile max(dir.filePath("max"));
        QVERIFY(max.open(QIODevice::WriteOnly) && max.write("262144\n") > 0);
        max.close();
        int p[2];
        QCOMPARE(::pipe(p), 0);
        QCOMPARE(enlargePipe(p[0], QFile::encodeName(max.fileName()).constData()), std::size_t(262144));
        QVERIFY(max.open(QIODevice::ReadOnly) && enlargePipe(max.handle()) == 0);   // no pipe
        const QByteArray line = tarLine("5", "x");
        QCOMPARE(::write(p[1], line.constData(), line.size()), line.size());
        QVERIFY(!waitForHangup(p[0], milliseconds(20)));
        Session session(tallytest::options("-t tar"), t0);
        char buffer[64];
        const Drained got = drainInput(p[0], session, buffer, sizeof buffer);
        QVERIFY(got.end == Drain::Empty && got.bytes == std::uint64_t(line.size()));
        ::close(p[1]);
        QVERIFY(waitForHangup(p[0], seconds(30)) && drainInput(p[0], session, buffer, sizeof buffer).end == Drain::Ended);
        QCOMPARE(session.parser().counts().entries, std::uint64_t(1));
        ::close(p[0]);
    }

    // The stop's two steps on a real writer that ends on SIGTERM: it may
    // clean up after itself (a half-written archive), no SIGKILL for it.
    // The whole stop, with writers that ignore SIGTERM, is in tst_tally_window.
    void aHeededSigtermIsEnough()
    {
        int p[2];
        QCOMPARE(::pipe(p), 0);
        // The child dies of SIGTERM from its first instant: with the test
        // framework's handler it would print a stack and hang.
        struct sigaction plain = {}, framework;
        plain.sa_handler = SIG_DFL;
        ::sigaction(SIGTERM, &plain, &framework);
        tallytest::Child writer{::fork()};
        if (writer.pid == 0)
            ::pause();
        ::sigaction(SIGTERM, &framework, nullptr);
        ::close(p[1]);
        PipeStopper stopper(p[0]);
        QCOMPARE(stopper.begin(), std::size_t(1));
        QTRY_VERIFY_WITH_TIMEOUT(stopper.remaining().empty(), 30000);
        QCOMPARE(stopper.finish(), std::size_t(0));
        QCOMPARE(WTERMSIG(writer.wait()), SIGTERM);
        ::close(p[0]);
    }

    // How far a program of the line has read a file, as pv -d sees it: a
    // writer of tally's input that holds the file open.
    void aReadersPosition()
    {
        QTemporaryDir tmp;
        const QByteArray file = QFile::encodeName(tmp.filePath("archive"));
        QVERIFY(writeBytes(file, QByteArray(5000, 'a')));
        int p[2];
        QCOMPARE(::pipe(p), 0);
        tallytest::Child reader{::fork()};
        if (reader.pid == 0) {   // reads 1000 bytes, holding the write end
            char buffer[1000];
            const int fd = ::open(file.constData(), O_RDONLY);
            if (fd < 0 || ::read(fd, buffer, sizeof buffer) != sizeof buffer)
                ::_exit(1);
            ::pause();
        }
        ::close(p[1]);
        StatFileProbe probe(p[0]);
        QTRY_COMPARE_WITH_TIMEOUT(probe.readPosition(file.toStdString()), std::optional<std::uint64_t>(1000), 30000);
        QCOMPARE(StatFileProbe(p[0]).readPosition(QFile::encodeName(tmp.filePath("other")).toStdString()), std::nullopt);
        ::close(p[0]);
    }

    // What an archive made of volumes leaves beside it, in tallytest::makeFiles'
    // words. The new ones are .p.EXT*, the archive a.EXT, which then is
    // `volumes` files.
    void commitVolumes_data()
    {
        QTest::addColumn<QByteArray>("ext");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("made");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("volumes");
        const auto row = [](const char* name, const char* ext, const QByteArray& before, const QByteArray& made, bool ok,
                            const QByteArray& after, int volumes, int errors = 0) {
            QTest::newRow(name) << QByteArray(ext) << QByteArray(before) << QByteArray(made) << ok << QByteArray(after)
                                << errors << volumes;
        };
        row("7-Zip's volumes replace a single archive and a longer set", "7z",
            "a.7z=old a.7z.001=o1 a.7z.002=o2 a.7z.003=o3", ".p.7z.001=n1 .p.7z.002=n2", true, "a.7z.001=n1 a.7z.002=n2", 2);
        row("volumes that failed go, the earlier ones stay", "7z", "a.7z=old a.7z.001=o1",
            ".p.7z.001=n1 .p.7z.002=n2", false, "a.7z.001=o1 a.7z=old", 1);
        row("a single archive that failed", "7z", "a.7z.001=o1 a.7z.002=o2", ".p.7z=new", false, "a.7z.001=o1 a.7z.002=o2", 2);
        row("numbered volumes of a zip replace a split one", "zip", "a.zip=old a.z01=o1 a.z02=o2", ".p.zip.001=n1",
            true, "a.zip.001=n1", 1);
        row("a split zip replaces a longer split one and a numbered set", "zip", "a.zip=old a.z01=o1 a.z02=o2 a.zip.001=o3",
            ".p.zip=new .p.z01=n1", true, "a.z01=n1 a.zip=new", 2);
        row("names that only look alike stay", "7z", "a.7z.0001=x a.7z.old=y b.7z.001=z", ".p.7z.001=n", true,
            "a.7z.0001=x a.7z.001=n a.7z.old=y b.7z.001=z", 1);
        row("a folder where the first volume goes", "7z", "a.7z=old a.7z.001/", ".p.7z.001=n1 .p.7z.002=n2", true,
            "a.7z.001/ a.7z=old", 1, 1);
        // A split set that cannot be put in place leaves the earlier set as it was.
        row("a folder where a split zip goes", "zip", "a.zip/ a.z01=1 a.z02=2", ".p.zip=new .p.z01=new", true,
            "a.z01=1 a.z02=2 a.zip/", 3, 1);
        QByteArrayList old, made, after;   // 7-Zip numbers on past 999: NAME.1000, NAME.1001 ...
        for (int i = 1; i <= 1002; ++i) {
            const QByteArray number = QByteArray::number(i).rightJustified(3, '0');
            old << "a.7z." + number + "=o";
            made << ".p.7z." + number + '=' + number;
            after << "a.7z." + number + '=' + number;
        }
        row("a thousand volumes replace more", "7z", old.join(' '), made.mid(0, 1001).join(' '), true,
            sorted(after.mid(0, 1001)).join(' '), 1001);
    }

    void commitVolumes()
    {
        QFETCH(QByteArray, ext);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, made);
        QFETCH(bool, success);
        QFETCH(QByteArray, after);
        QFETCH(int, errors);
        QFETCH(int, volumes);
        QTemporaryDir tmp;
        const QByteArray d = QFile::encodeName(tmp.path()) + '/';
        QVERIFY(tallytest::makeFiles(d, before + ' ' + made));
        const FinishReport report = commitArchive((d + ".p." + ext).toStdString(), (d + "a." + ext).toStdString(), success);
        QCOMPARE(tallytest::filesIn(d).join(' '), after);
        QCOMPARE(int(report.errors.size()), errors);
        QCOMPARE(int(volumeCount((d + "a." + ext).toStdString())), volumes);
        if (!QFile::exists(d + "a." + ext))   // the set, named by its first volume
            QCOMPARE(int(volumeCount((d + "a." + ext + ".001").toStdString())), volumes);
    }

    // An unpacking that went wrong: what the folder holds afterwards
    // (tallytest::filesIn) and what tally says. The private folder held
    // top/a.txt (3 bytes, complete) and top/big.bin, 4 bytes of the 300
    // that the listing gave it when the line ended.
    void endOfAFailedUnpacking_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("detail");
        const auto row = [](const char* name, const QByteArray& input, bool stop, const char* after, const QString& detail) {
            QTest::newRow(name) << input << stop << QByteArray(after) << detail;
        };
        const QByteArray cut = tarLine("3", "top/a.txt") + tarLine("300", "top/big.bin");
        const QByteArray whole = tarLine("3", "top/a.txt") + tarLine("4", "top/big.bin");
        const QString added = "What was unpacked was added to the folder; no file that existed was replaced.";
        const QString placedAsPart = "top/big.bin was cut short: it was placed as top/big.bin.part. ";
        row("stopped: the cut file as NAME.part", cut, true, "top/ top/a.txt=abc top/big.bin.part=part",
            "Stopped by you. " + placedAsPart + added);
        row("a truncated archive", cut + QByteArrayLiteral("\0Egzip: stdin: unexpected end of file\0\0Sgzip 1\0"), false,
            "top/ top/a.txt=abc top/big.bin.part=part", "gzip: stdin: unexpected end of file. " + placedAsPart + added);
        row("the last file complete stays as it is", whole + QByteArrayLiteral("\0Sgzip 1\0"), false,
            "top/ top/a.txt=abc top/big.bin=part", "gzip ended with status 1. " + added);
        row("a name that leaves the folder is left alone", tarLine("3", "top/a.txt") + tarLine("300", "top/../../big.bin"),
            true, "top/ top/a.txt=abc top/big.bin=part", "Stopped by you. " + added);
        row("a wrong password: nothing placed",
            cut + QByteArrayLiteral("\0E   skipping: top/c.txt   incorrect password\0\0Star 2\0"), false, "",
            "skipping: top/c.txt   incorrect password. The password is wrong: nothing was placed.");
        row("done with warnings: all placed, the notice explained",
            whole + QByteArrayLiteral("\0Etar: Removing leading `/' from member names\0\0Sgzip 0\0\0Star 0\0"), false,
            "top/ top/a.txt=abc top/big.bin=part",
            "All entries were unpacked. tar: Removing leading `/' from member names: names were made relative to the folder.");
    }
    void endOfAFailedUnpacking()
    {
        QFETCH(QByteArray, input);
        QFETCH(bool, stop);
        QFETCH(QByteArray, after);
        QFETCH(QString, detail);
        QTemporaryDir tmp;
        const QByteArray d = QFile::encodeName(tmp.path()), staging = d + "/out/.arkive-T";
        QVERIFY(tallytest::makeFiles(d, "out/ out/.arkive-T/ out/.arkive-T/top/ out/.arkive-T/top/a.txt=abc "
                                        "out/.arkive-T/top/big.bin=part"));
        Session s(tallytest::options("-t tar --stages=2 --unpack --archive=" + d + "/a.tgz --folder=" + d
                                     + "/out --staging=" + staging),
                  Clock::time_point{});
        s.feed(input.constData(), static_cast<std::size_t>(input.size()));
        if (stop)
            s.setStopRequested();
        s.finish(Clock::time_point{});
        QCOMPARE(QString::fromStdString(resultDetail(s.snapshot(Clock::time_point{}))), detail);
        QCOMPARE(tallytest::filesIn(d + "/out").join(' '), after);
    }
};

QTEST_APPLESS_MAIN(TestTallyCore)
#include "tst_tally_core.moc"
