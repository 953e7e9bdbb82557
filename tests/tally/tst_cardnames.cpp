// What tally makes of a memory card: the probe's decisions, the names a
// card cannot hold, the archivers' complaints about members, the clashes
// of a listing on a card that folds case, and the words.
#include <QTest>

#include "cardnames.h"

using namespace tally;

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

class TestCardNames : public QObject {
    Q_OBJECT

private slots:
    // A FAT card's rules from what the probe found (tests/e2e's cards give
    // a limit of their own); ext4 has none.
    void rules()
    {
        ProbeFacts fat;
        fat.variantIsSame = fat.markRefused = fat.dotDropped = true;
        fat.fileSizeBits = 32;
        const CardRules r = rulesFrom(fat);
        QVERIFY(r.foldsCase && r.refusesMarks && r.dropsTrailing);
        QCOMPARE(r.fileLimit.value_or(0), kFatFileLimit);
        QVERIFY(!rulesFrom(ProbeFacts{}).fileLimit);
    }

    // A card that refuses marks and drops trailing dots cannot hold these
    // names in any part of a path; ext4 holds them all.
    void unfit()
    {
        CardRules card;
        card.refusesMarks = card.dropsTrailing = true;
        for (const char* bad : {"x:y", "d/a*b", "q?", "say\"hi\"", "a<b", "a>b", "p|q", "x.", "dir./f", "y "})
            QVERIFY2(unfitName(bad, card) && !unfitName(bad, CardRules{}), bad);
        for (const char* good : {"a.txt", "./a/b/", ".hidden", "..x", "a b", "dir/"})
            QVERIFY2(!unfitName(good, card), good);
    }

    // As GNU tar 1.34, 7-Zip 26 and unzip 6.0 wrote them on fusefat and
    // tmpfs (LC_ALL=C.UTF-8): the trouble and the member, as stored.
    void complaints()
    {
        for (const auto& [line, trouble, member] : Table<const char*, Trouble, const char*>{
                 {"tar: a.txt: skipping existing file", Trouble::Taken, "a.txt"},
                 {"tar: x\\:y: Cannot open: Operation not permitted", Trouble::BadName, "x:y"},
                 {"tar: d\\\\e\\:f: Cannot open: Invalid argument", Trouble::BadName, "d\\e:f"},
                 {"tar: t/big.bin: Wrote only 4096 of 10240 bytes", Trouble::Full, "t/big.bin"},
                 {"tar: big: Cannot write: No space left on device", Trouble::Full, "big"},
                 {"tar: big: Cannot write: File too large", Trouble::TooLarge, "big"},
                 {"tar: a \\303\\251: skipping existing file", Trouble::Taken, "a \xc3\xa9"},
                 {"ERROR: Cannot open output file : errno=1 : Operation not permitted : ./x:y", Trouble::BadName, "x:y"},
                 {"ERROR: Cannot set file attribute : errno=38 : Function not implemented : ./Docs", Trouble::None, ""},
                 {"fchmod (file attributes) error: Function not implemented", Trouble::Modes, ""},
                 {"tar: Exiting with failure status due to previous errors", Trouble::None, ""},
                 {"tar: a.txt: Cannot open: File exists", Trouble::None, ""},
                 {"gzip: stdin: unexpected end of file", Trouble::None, ""}}) {
            const auto c = complaintIn(line);
            QVERIFY2((c ? c->trouble : Trouble::None) == trouble && (c ? c->member : "") == member, line);
        }
    }

    // The names a card that folds case puts on one: the second of each is
    // a clash with the first; folders are merged.
    void clashes()
    {
        std::unordered_map<std::string, std::string> seen;
        std::vector<Clash> clashes;
        for (const char* name : {"A.txt", "Docs/", "Docs/x", "a.txt", "docs/", "docs/x", "b", "./B", "b", "A.TXT"})
            noteListed(name, seen, clashes);
        QCOMPARE(int(clashes.size()), 5);
        QCOMPARE(clashes[0].member + ">" + clashes[0].earlier, std::string("a.txt>A.txt"));
        QVERIFY(clashes[1].folder && clashes[1].earlier == "Docs/");
        QCOMPARE(clashes[2].member + ">" + clashes[2].earlier, std::string("docs/x>Docs/x"));
        QVERIFY(!clashes[2].folder);
        QCOMPARE(clashes[3].member + ">" + clashes[3].earlier, std::string("./B>b"));
        QCOMPARE(clashes[4].member, std::string("A.TXT"));   // the same name twice is no clash
    }

    // The words tests/e2e's cards do not show (a name taken, a full card and
    // a file too large are told there).
    void words()
    {
        QCOMPARE(takenWords("x", "x", false), std::string("x: not unpacked: another member has that name on this card"));
        QCOMPARE(takenWords("a.txt", "A.txt", true),
                 std::string("a.txt: unpacked under another name: A.txt has that name on this card"));
        QCOMPARE(mergedWords("docs/", "Docs/"),
                 std::string("docs: put together with Docs: this card does not tell the case of letters apart"));
        QCOMPARE(fullWords("big", true), std::string("big: not unpacked: the storage is full (what fitted is big.part)"));
    }
};

QTEST_GUILESS_MAIN(TestCardNames)
#include "tst_cardnames.moc"
