// The progress model and the result, the repaint rhythm, the line reader and
// the text helpers.
#include <QTest>

#include "linereader.h"
#include "session.h"
#include "tallytest.h"
#include "textutil.h"
#include "ticker.h"

using namespace tally;
using tallytest::str;

namespace {

Options opts(Kind kind, std::optional<std::uint64_t> total = std::nullopt)
{
    Options o;
    o.kind = kind;
    o.kindGiven = true;
    o.total = total;
    return o;
}

Session feed(const Options& o, const QByteArray& text, Clock::time_point t0)
{
    Session s(o, t0);
    s.feed(text.constData(), static_cast<std::size_t>(text.size()));
    return s;
}

const QByteArray kTwoMembers = "-rw-r--r-- a/b 300 2026-12-06 22:34 /m/one\n"
                               "-rw-r--r-- a/b 100 2026-12-06 22:34 /m/two\n";

} // namespace

class TestTallyModel : public QObject {
    Q_OBJECT
private slots:
    void outcomes()
    {
        Counts c;
        c.entries = 3;
        c.bytes = 600;
        const Options tarc = opts(Kind::Tar, 600);
        QVERIFY(decideOutcome(tarc, c, false, false) == Outcome::Running);
        QVERIFY(decideOutcome(tarc, c, true, false) == Outcome::Done);
        QVERIFY(decideOutcome(tarc, c, true, true) == Outcome::Stopped);
        c.bytes = 599;   // the total not reached
        QVERIFY(decideOutcome(tarc, c, true, false) == Outcome::EndedEarly);
        c.bytes = 6000;  // more than the total (hidden files): still done
        QVERIFY(decideOutcome(tarc, c, true, false) == Outcome::Done);
        c.errors = 1;
        QVERIFY(decideOutcome(tarc, c, true, false) == Outcome::Errors);
        QVERIFY(decideOutcome(tarc, c, true, true) == Outcome::Stopped);
        c.errors = 0;
        // Nothing listed is never done.
        Counts none;
        QVERIFY(decideOutcome(opts(Kind::Tar), none, true, false) == Outcome::EndedEarly);
        // zip and unrar need their closing line.
        QVERIFY(decideOutcome(opts(Kind::Zip, 600), c, true, false) == Outcome::EndedEarly);
        QVERIFY(decideOutcome(opts(Kind::Unrar), c, true, false) == Outcome::EndedEarly);
        c.endMarker = true;
        QVERIFY(decideOutcome(opts(Kind::Zip, 600), c, true, false) == Outcome::Done);
        QVERIFY(decideOutcome(opts(Kind::Unrar), c, true, false) == Outcome::Done);
        // unzip counts entries against the total.
        QVERIFY(decideOutcome(opts(Kind::Unzip, 3), c, true, false) == Outcome::Done);
        QVERIFY(decideOutcome(opts(Kind::Unzip, 4), c, true, false) == Outcome::EndedEarly);
        c.impliedEntries = 1;
        QVERIFY(decideOutcome(opts(Kind::Unzip, 4), c, true, false) == Outcome::Done);

        QCOMPARE(exitCode(Outcome::Done), 0);
        QCOMPARE(exitCode(Outcome::Errors), 1);
        QCOMPARE(exitCode(Outcome::EndedEarly), 2);
        QCOMPARE(exitCode(Outcome::Stopped), 3);
    }

    void fractionAndClamp()
    {
        const auto t0 = Clock::now();
        Session s = feed(opts(Kind::Tar, 800), kTwoMembers, t0);
        Snapshot snap = s.snapshot(t0 + std::chrono::seconds(10));
        QCOMPARE(snap.fraction, 0.5);
        QVERIFY(snap.outcome == Outcome::Running);
        QCOMPARE(snap.op, Operation::Packing);
        // Half done in ten seconds: ten more to go.
        QCOMPARE(snap.remainingSeconds, 10.0);
        QCOMPARE(str(percentText(snap)), QStringLiteral("50 %"));
        QCOMPARE(str(sizesText(snap)), QStringLiteral("400 B of 800 B"));

        // A total that leaves out hidden files: clamped at 100 %.
        Session over = feed(opts(Kind::Tar, 100), kTwoMembers, t0);
        snap = over.snapshot(t0 + std::chrono::seconds(1));
        QCOMPARE(snap.fraction, 1.0);
        QCOMPARE(str(percentText(snap)), QStringLiteral("100 %"));
        QCOMPARE(snap.remainingSeconds, -1.0);
    }

    void busyWithoutTotal()
    {
        const auto t0 = Clock::now();
        Session s = feed(opts(Kind::Tar), kTwoMembers, t0);
        Snapshot snap = s.snapshot(t0 + std::chrono::seconds(3));
        QCOMPARE(snap.op, Operation::Unpacking);
        QCOMPARE(snap.fraction, -1.0);
        QCOMPARE(snap.remainingSeconds, -1.0);
        QCOMPARE(str(countsText(snap)), QStringLiteral("2 entries"));
        QCOMPARE(str(sizesText(snap)), QStringLiteral("400 B"));
        QCOMPARE(str(timesText(snap)), QStringLiteral("Elapsed 0:03"));
        s.finish(t0 + std::chrono::seconds(4));
        snap = s.snapshot(t0 + std::chrono::seconds(9));
        QVERIFY(snap.outcome == Outcome::Done);
        QCOMPARE(snap.fraction, 1.0);
        QCOMPARE(snap.elapsedSeconds, 4.0);   // stops counting at the end of input
    }

    void noEstimateTooEarly()
    {
        const auto t0 = Clock::now();
        Session s = feed(opts(Kind::Tar, 800), kTwoMembers, t0);
        QCOMPARE(s.snapshot(t0 + std::chrono::milliseconds(500)).remainingSeconds, -1.0);
        Session tiny = feed(opts(Kind::Tar, 400000), kTwoMembers, t0);   // 0.1 %
        QCOMPARE(tiny.snapshot(t0 + std::chrono::seconds(5)).remainingSeconds, -1.0);
    }

    void zeroTotal()
    {
        const auto t0 = Clock::now();
        Session s = feed(opts(Kind::Tar, 0), kTwoMembers, t0);
        QCOMPARE(s.snapshot(t0).fraction, -1.0);
        s.finish(t0);
        QCOMPARE(s.snapshot(t0).fraction, 1.0);
        QVERIFY(s.snapshot(t0).outcome == Outcome::Done);
    }

    void summaryLines()
    {
        const auto t0 = Clock::now();
        Session done = feed(opts(Kind::Tar, 400), kTwoMembers, t0);
        done.finish(t0 + std::chrono::seconds(65));
        QCOMPARE(str(summaryLine(done.snapshot(t0))), QStringLiteral("tally: packing done: 2 entries, 400 B in 1:05"));

        Session early = feed(opts(Kind::Tar, 4000), kTwoMembers, t0);
        early.finish(t0);
        QCOMPARE(str(summaryLine(early.snapshot(t0))),
                 QStringLiteral("tally: packing ended early: 2 entries, 400 B in 0:00; the archiver ended before "
                                "everything was packed: the archive is incomplete."));

        Session stopped = feed(opts(Kind::Tar), kTwoMembers, t0);
        stopped.setStopRequested();
        QVERIFY(stopped.snapshot(t0).stopping);
        QCOMPARE(str(resultTitle(stopped.snapshot(t0))), QStringLiteral("Unpacking: stopping"));
        stopped.finish(t0);
        QCOMPARE(str(summaryLine(stopped.snapshot(t0))),
                 QStringLiteral("tally: unpacking stopped: 2 entries, 400 B in 0:00; stopped by you: what was "
                                "unpacked so far (2 entries, the last perhaps in part) was left in place."));

        Session packStop = feed(opts(Kind::Zip, 4000), "  adding: x\t(in=5) (out=5) (stored 0%)\n", t0);
        packStop.setStopRequested();
        packStop.finish(t0);
        QVERIFY(str(summaryLine(packStop.snapshot(t0))).endsWith(QStringLiteral("a partial archive was left behind.")));

        Session unzip = feed(opts(Kind::Unzip, 4), "Archive:  /m/a.zip\n extracting: /o/a  \n", t0);
        unzip.finish(t0);
        QCOMPARE(str(summaryLine(unzip.snapshot(t0))),
                 QStringLiteral("tally: unpacking ended early: 1 of 4 entries in 0:00; the archiver ended after 1 "
                                "of 4 entries (entries that exist already may have been skipped)."));

        Session zipErr = feed(opts(Kind::Zip, 5), "  adding: x\t(in=5) (out=5) (stored 0%)\n\tzip warning: oops\n"
                                                  "total bytes=5, compressed=5 -> 0% savings\n", t0);
        zipErr.finish(t0);
        QCOMPARE(str(summaryLine(zipErr.snapshot(t0))),
                 QStringLiteral("tally: packing reported errors: 1 entry, 5 B in 0:00; 1 error listed, the first: "
                                "zip warning: oops. The archive may be incomplete."));
    }

    void statusLineFitsTheTerminal()
    {
        const auto t0 = Clock::now();
        QByteArray text = "-rw-r--r-- a/b 300 2026-12-06 22:34 /mmc/mmca1/";
        text += QByteArray(300, 'n') + "/Gr\xc3\xbc\xc3\x9f" "e \xe6\x97\xa5\xe6\x9c\xac.txt\n";
        Session s = feed(opts(Kind::Tar, 600), text, t0);
        const Snapshot snap = s.snapshot(t0 + std::chrono::seconds(2));
        for (const std::size_t cols : {std::size_t(0), std::size_t(10), std::size_t(40), std::size_t(79),
                                       std::size_t(200)}) {
            const std::string line = statusLine(snap, cols);
            QVERIFY2(displayWidth(line) <= cols, line.c_str());
        }
        const std::string wide = statusLine(snap, 100);
        QVERIFY(wide.find("Packing 50 %") == 0);
        QVERIFY(wide.find("\u2026") != std::string::npos);        // the name elided in the middle
        QVERIFY(endsWith(wide, "e \xe6\x97\xa5\xe6\x9c\xac.txt"));  // ... keeping its end
    }

    void tickerSnapsForward()
    {
        using namespace std::chrono;
        const Clock::time_point t0{};
        Ticker<Clock> t(t0, kRepaintInterval);
        QVERIFY(!t.due(t0));
        QVERIFY(!t.due(t0 + milliseconds(99)));
        QVERIFY(t.due(t0 + milliseconds(100)));
        QVERIFY(!t.due(t0 + milliseconds(150)));
        QVERIFY(t.due(t0 + milliseconds(210)));   // a little late: keeps the rhythm
        QCOMPARE(duration_cast<milliseconds>(t.next() - t0).count(), 300);
        // Very late (a long read): one repaint, then an interval from now, no burst.
        QVERIFY(t.due(t0 + milliseconds(1234)));
        QVERIFY(!t.due(t0 + milliseconds(1235)));
        QCOMPARE(duration_cast<milliseconds>(t.next() - t0).count(), 1334);
        // At most ten a second when asked all the time.
        int repaints = 0;
        for (int ms = 1235; ms < 2235; ++ms)
            repaints += t.due(t0 + milliseconds(ms)) ? 1 : 0;
        QCOMPARE(repaints, 10);
    }

    void lineReader()
    {
        LineReader r;
        std::vector<std::string> got;
        auto take = [&got](const Line& l) { got.emplace_back(l.text); };
        r.feed("ab", 2, take);
        QVERIFY(r.hasOpen());
        QCOMPARE(str(std::string(r.open().text)), QStringLiteral("ab"));
        r.feed("c\r\nde\nf", 7, take);
        QCOMPARE(got.size(), std::size_t(2));
        QCOMPARE(str(got[0]), QStringLiteral("abc"));   // the \r before \n dropped
        QCOMPARE(str(got[1]), QStringLiteral("de"));
        r.feed("\n\n", 2, take);
        QCOMPARE(got.size(), std::size_t(4));
        QCOMPARE(str(got[2]), QStringLiteral("f"));
        QVERIFY(got[3].empty());
        QVERIFY(!r.hasOpen());
        r.feed("g\0h", 3, take);
        std::string last;
        std::uint64_t dropped = 1;
        QVERIFY(r.takeOpen(last, dropped));
        QCOMPARE(last, std::string("g\0h", 3));
        QCOMPARE(dropped, std::uint64_t(0));
        QVERIFY(!r.takeOpen(last, dropped));
        QCOMPARE(r.lines(), std::uint64_t(5));
    }

    void lineReaderKeepsHeadAndTailOfLongLines()
    {
        for (const std::size_t piece : {std::size_t(1000), std::size_t(70000), std::size_t(3 * 1024 * 1024)}) {
            LineReader r;
            std::string head = "HEAD:";
            std::string fill(piece, '.');
            std::string tail = "\t(in=5)";
            std::size_t seen = 0;
            std::string text;
            std::uint64_t dropped = 0;
            auto take = [&](const Line& l) {
                ++seen;
                text.assign(l.text);
                dropped = l.dropped;
                QVERIFY(l.text.size() <= kLineHeadBytes + kLineTailBytes);
            };
            r.feed(head.data(), head.size(), take);
            for (int i = 0; i < 5; ++i) {
                r.feed(fill.data(), fill.size(), take);
                QVERIFY(r.open().text.size() <= kLineHeadBytes + kLineTailBytes);
            }
            const std::string end = tail + "\nnext\n";
            r.feed(end.data(), end.size(), take);
            QCOMPARE(seen, std::size_t(2));
            QCOMPARE(str(text), QStringLiteral("next"));
            // The long line itself: kept its start and its end, counted the rest.
            LineReader one;
            std::string kept;
            std::uint64_t drop = 0;
            one.feed(head.data(), head.size(), take);
            for (int i = 0; i < 5; ++i)
                one.feed(fill.data(), fill.size(), take);
            one.feed(tail.data(), tail.size(), take);
            QVERIFY(one.takeOpen(kept, drop));
            QVERIFY(startsWith(kept, "HEAD:"));
            QVERIFY(endsWith(kept, "\t(in=5)"));
            QCOMPARE(kept.size() + drop, head.size() + 5 * fill.size() + tail.size());
        }
        // A long line inside one chunk is bounded as well.
        LineReader r;
        std::string chunk = "X" + std::string(100000, 'y') + "Z\nshort\n";
        std::vector<std::string> got;
        r.feed(chunk.data(), chunk.size(), [&](const Line& l) { got.emplace_back(l.text); });
        QCOMPARE(got.size(), std::size_t(2));
        QCOMPARE(got[0].size(), kLineHeadBytes + kLineTailBytes);
        QVERIFY(startsWith(got[0], "X") && endsWith(got[0], "yZ"));
        QCOMPARE(str(got[1]), QStringLiteral("short"));
    }

    void textHelpers()
    {
        QCOMPARE(str(sanitize("a\xff" "b\x1b[0m\x7f\xc2\x9b" "c\xc3\xbc")), QStringLiteral("a?b?[0m??c\u00fc"));
        QCOMPARE(str(sanitize(std::string("n\0l", 3))), QStringLiteral("n?l"));
        QCOMPARE(str(sanitize("\xe2\x80\xae" "evil")), QStringLiteral("?evil"));   // no bidi override
        QCOMPARE(str(sanitize("\xed\xa0\x80")), QStringLiteral("???"));          // a surrogate
        QCOMPARE(str(sanitize("\xc0\xaf")), QStringLiteral("??"));               // overlong
        QCOMPARE(displayWidth("ab\xe6\x97\xa5"), std::size_t(4));
        QCOMPARE(str(elideMiddle("abcdefghij", 7)), QStringLiteral("abc\u2026hij"));
        QCOMPARE(str(elideMiddle("abc", 7)), QStringLiteral("abc"));
        QCOMPARE(str(elideMiddle("abcdef", 1)), QStringLiteral("\u2026"));
        QCOMPARE(str(elideMiddle("abcdef", 0)), QString());
        QCOMPARE(str(cutToWidth("a\xe6\x97\xa5" "b", 2)), QStringLiteral("a"));
        QCOMPARE(str(humanSize(0)), QStringLiteral("0 B"));
        QCOMPARE(str(humanSize(1023)), QStringLiteral("1023 B"));
        QCOMPARE(str(humanSize(1024)), QStringLiteral("1.0 KiB"));
        QCOMPARE(str(humanSize(153033)), QStringLiteral("149.4 KiB"));
        QCOMPARE(str(humanSize(1225000005)), QStringLiteral("1.1 GiB"));
        QCOMPARE(str(humanSize(1048575)), QStringLiteral("1.0 MiB"));
        QCOMPARE(str(humanSize(~0ull)), QStringLiteral("16.0 EiB"));
        QCOMPARE(str(humanDuration(5)), QStringLiteral("0:05"));
        QCOMPARE(str(humanDuration(754)), QStringLiteral("12:34"));
        QCOMPARE(str(humanDuration(3723)), QStringLiteral("1:02:03"));
        QCOMPARE(str(humanDuration(-3)), QStringLiteral("0:00"));
        QCOMPARE(tarUnquote("a\\tb\\\\c\\nd\\303\\274\\q\\"), std::string("a\tb\\c\nd\xc3\xbc\\q\\"));
        QCOMPARE(leadingNumber("13").value(), std::uint64_t(13));
        QCOMPARE(leadingNumber("12abc").value(), std::uint64_t(12));
        QVERIFY(!leadingNumber("x1"));
        QVERIFY(!leadingNumber(""));
        QVERIFY(!leadingNumber("-1"));
        QVERIFY(!leadingNumber("99999999999999999999"));
    }
};

QTEST_APPLESS_MAIN(TestTallyModel)
#include "tst_tally_model.moc"
