// tally's command line and the choice of its face: pure functions.
#include <QTest>

#include <string>
#include <vector>

#include "options.h"
#include "tallytest.h"

using namespace tally;

namespace {

// Splits a command line into words as the shell does for an unquoted
// back-quoted substitution (blanks and newlines separate words).
std::vector<std::string> words(const QByteArray& line)
{
    std::vector<std::string> out;
    for (const QByteArray& w : line.simplified().split(' '))
        if (!w.isEmpty())
            out.push_back(w.toStdString());
    return out;
}

Options parse(const std::vector<std::string>& w)
{
    std::vector<std::string_view> v(w.begin(), w.end());
    return parseOptions(v);
}

// The words tally gets from the zip form: -T `unzip -Z -t A | sed ...` -t unzip.
Options parseZipForm(const char* recordedCount)
{
    std::vector<std::string> w = {"-T"};
    for (auto& x : words(tallytest::recording(recordedCount)))
        w.push_back(x);
    w.push_back("-t");
    w.push_back("unzip");
    return parse(w);
}

} // namespace

class TestTallyOptions : public QObject {
    Q_OBJECT
private slots:
    void createForms()
    {
        // tar zcvvf A J |tally -T N -t tar &
        Options o = parse({"-T", "153033", "-t", "tar"});
        QVERIFY(o.kind == Kind::Tar);
        QVERIFY(o.kindGiven);
        QCOMPARE(o.total.value(), std::uint64_t(153033));
        QVERIFY(operationOf(o) == Operation::Packing);
        QVERIFY(!o.forceText);
        QVERIFY(o.ignored.empty());
        // zip -ryv ... |tally -T N -t zip &
        o = parse({"-T", "1225000005", "-t", "zip"});
        QVERIFY(o.kind == Kind::Zip);
        QVERIFY(operationOf(o) == Operation::Packing);
    }

    void totalsBeyond32Bits()
    {
        const Options o = parse({"-T", "18446744073709551615", "-t", "tar"});
        QCOMPARE(o.total.value(), std::uint64_t(18446744073709551615ull));
        // One more does not fit: no total (a busy bar), and no wrap-around.
        const Options over = parse({"-T", "18446744073709551616", "-t", "tar"});
        QVERIFY(!over.total);
        QVERIFY(over.kind == Kind::Tar);
    }

    void extractForms()
    {
        // gzip -d <A |tar xvvf - -C D |tally -t tar &
        Options o = parse({"-t", "tar"});
        QVERIFY(!o.total);
        QVERIFY(operationOf(o) == Operation::Unpacking);
        o = parse({"-t", "unrar"});
        QVERIFY(o.kind == Kind::Unrar);
        QVERIFY(operationOf(o) == Operation::Unpacking);
        o = parse({"-T", "7", "-t", "unzip"});
        QVERIFY(o.kind == Kind::Unzip);
        QCOMPARE(o.total.value(), std::uint64_t(7));
        QVERIFY(operationOf(o) == Operation::Unpacking);
    }

    void zipFormCountRecorded()
    {
        // unzip -Z -t of a 13-entry archive, through the sed expression: "13".
        const Options o = parseZipForm("zipinfo-6.0-count-photos.txt");
        QCOMPARE(o.total.value(), std::uint64_t(13));
        QVERIFY(o.kind == Kind::Unzip);
        QVERIFY(o.ignored.empty());
    }

    void zipFormOneEntryRecorded()
    {
        // One entry: sed leaves "1 file, 3 bytes uncompressed, 3 bytes
        // compressed:  0.0%" whole. The leading number is the total; the
        // later numbers are no totals.
        const Options o = parseZipForm("zipinfo-6.0-count-one.txt");
        QCOMPARE(o.total.value(), std::uint64_t(1));
        QVERIFY(o.kind == Kind::Unzip);
        QVERIFY(!o.ignored.empty());
    }

    void zipFormMissingArchiveRecorded()
    {
        // "zipinfo:  cannot find or open A, A.zip or A.ZIP.": no total.
        const Options o = parseZipForm("zipinfo-6.0-count-missing.txt");
        QVERIFY(!o.total);
        QVERIFY(o.kind == Kind::Unzip);
        const Options e = parseZipForm("zipinfo-6.0-count-empty.txt");   // "Empty zipfile."
        QVERIFY(!e.total);
        QVERIFY(e.kind == Kind::Unzip);
    }

    void totalFollowedDirectlyByKind()
    {
        // The count came out empty: -T is followed by -t, which is no total.
        const Options o = parse({"-T", "-t", "unzip"});
        QVERIFY(!o.total);
        QVERIFY(o.kind == Kind::Unzip);
        QVERIFY(o.kindGiven);
        // -T last, with nothing after it.
        const Options last = parse({"-t", "unzip", "-T"});
        QVERIFY(!last.total);
        QVERIFY(last.kind == Kind::Unzip);
    }

    void negativeRatioWordIsNoOption()
    {
        // "1 file, 3 bytes uncompressed, 4 bytes compressed:  -33.3%"
        const Options o = parse({"-T", "1", "file,", "3", "bytes", "uncompressed,", "4", "bytes", "compressed:",
                                 "-33.3%", "-t", "unzip"});
        QCOMPARE(o.total.value(), std::uint64_t(1));
        QVERIFY(o.kind == Kind::Unzip);
    }

    void leadingNumberOfAWord()
    {
        QCOMPARE(parse({"-T", "12abc", "-t", "zip"}).total.value(), std::uint64_t(12));
        QCOMPARE(parse({"-T600", "-ttar"}).total.value(), std::uint64_t(600));
        QVERIFY(parse({"-ttar"}).kind == Kind::Tar);
        QCOMPARE(parse({"--total=42", "--type=zip"}).total.value(), std::uint64_t(42));
        QVERIFY(parse({"--total=42", "--type=zip"}).kind == Kind::Zip);
    }

    void unknownWordsAreIgnored()
    {
        const Options o = parse({"--frobnicate", "-x", "word", "-t", "bogus", "-T", "5"});
        QVERIFY(o.kind == Kind::Tar);   // the default kind
        QVERIFY(!o.kindGiven);
        QCOMPARE(o.total.value(), std::uint64_t(5));
        QCOMPARE(o.ignored.size(), std::size_t(4));
        // -t followed by an option takes nothing.
        const Options p = parse({"-t", "--text"});
        QVERIFY(p.forceText);
        QVERIFY(!p.kindGiven);
        // Nothing at all.
        const Options n = parse({});
        QVERIFY(n.kind == Kind::Tar);
        QVERIFY(!n.total);
    }

    void textAndHelp()
    {
        QVERIFY(parse({"-t", "tar", "--text"}).forceText);
        QVERIFY(parse({"--help"}).help);
        QVERIFY(parse({"-h"}).help);
        QVERIFY(!usageText().empty());
    }

    void argvForm()
    {
        const char* argv[] = {"tally", "-T", "9", "-t", "zip", nullptr};
        const Options o = parseOptions(5, argv);
        QVERIFY(o.kind == Kind::Zip);
        QCOMPARE(o.total.value(), std::uint64_t(9));
    }

    void faceChoice()
    {
        QVERIFY(chooseFace(false, nullptr, ":0", nullptr) == Face::Window);
        QVERIFY(chooseFace(false, nullptr, nullptr, "wayland-0") == Face::Window);
        QVERIFY(chooseFace(false, "", ":0", "") == Face::Window);
        QVERIFY(chooseFace(false, nullptr, nullptr, nullptr) == Face::Text);
        QVERIFY(chooseFace(false, nullptr, "", "") == Face::Text);
        QVERIFY(chooseFace(true, nullptr, ":0", nullptr) == Face::Text);
        QVERIFY(chooseFace(false, "offscreen", ":0", nullptr) == Face::Text);
        QVERIFY(chooseFace(false, "minimal", ":0", nullptr) == Face::Text);
        QVERIFY(chooseFace(false, "offscreen:fontconfig", ":0", nullptr) == Face::Text);
        // A platform of its own (the phone's frame buffer) needs no DISPLAY.
        QVERIFY(chooseFace(false, "linuxfb", nullptr, nullptr) == Face::Window);
        QVERIFY(chooseFace(false, "xcb", ":0", nullptr) == Face::Window);
    }

    void platformFallback()
    {
        QCOMPARE(QString::fromStdString(platformWithFallback(nullptr, nullptr)), QStringLiteral("xcb;offscreen"));
        QCOMPARE(QString::fromStdString(platformWithFallback(nullptr, "wayland-0")),
                 QStringLiteral("wayland;xcb;offscreen"));
        QCOMPARE(QString::fromStdString(platformWithFallback("linuxfb", nullptr)), QStringLiteral("linuxfb;offscreen"));
        QCOMPARE(QString::fromStdString(platformWithFallback("xcb;offscreen", nullptr)),
                 QStringLiteral("xcb;offscreen"));
        QVERIFY(isHeadlessPlatform("offscreen"));
        QVERIFY(isHeadlessPlatform("minimal"));
        QVERIFY(!isHeadlessPlatform("xcb"));
    }
};

QTEST_APPLESS_MAIN(TestTallyOptions)
#include "tst_tally_options.moc"
