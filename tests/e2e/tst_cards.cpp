// Unpacking onto a memory card, with the real archivers and the real tally
// on FAT images mounted through FUSE (fusefat: it folds case and refuses
// "x:y", as cards do; it keeps "x." and has no chown or chmod, so tar is
// told through TAR_OPTIONS not to restore owners and modes). Each row must
// end in tally's words for what the card could not take, with nothing lost
// silently and nothing cut placed under its own name.
#include "e2e.h"

#include <sys/statfs.h>

#include <chrono>
#include <thread>

using e2e::World;

namespace {

constexpr auto kMountWait = std::chrono::seconds(30);   // fusefat starts in the background
constexpr long kFuseMagic = 0x65735546;

// A FAT image of `megabytes` mounted at `mount`; false when it cannot be.
bool mountFat(const QByteArray& image, const QByteArray& mount, int megabytes)
{
    if (runProgram({"truncate", "-s", QByteArray::number(megabytes) + "M", image}) != 0
        || runProgram({"mkfs.vfat", image}) != 0 || ::mkdir(mount, 0755) != 0
        || runProgram({"fusefat", "-o", "rw+", image, mount}) != 0)
        return false;
    const auto until = std::chrono::steady_clock::now() + kMountWait;
    struct statfs fs;
    while (!(::statfs(mount, &fs) == 0 && fs.f_type == kFuseMagic)) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// An archive made in `dir` by tar, zip or 7-Zip of the files that `files`
// gives as "name=content", separated by "|".
QByteArray archiveOf(const QByteArray& dir, const QByteArray& ending, const QByteArray& files)
{
    const QByteArray src = dir + "/src", archive = dir + "/a" + ending;
    QByteArrayList names;
    bool ok = ::mkdir(src, 0755) == 0;
    for (const QByteArray& file : files.split('|')) {
        names << file.left(file.indexOf('='));
        ok = ok && writeBytes(src + '/' + names.last(), file.mid(file.indexOf('=') + 1));
    }
    const QByteArrayList words = ending == ".7z"    ? QByteArrayList{"7zz", "a", "-bso0", archive}
                                 : ending == ".zip" ? QByteArrayList{"zip", "-q", archive}
                                                    : QByteArrayList{"tar", "-cf", archive};
    return ok && runProgram(words + names, nullptr, src) == 0 ? archive : QByteArray();
}

} // namespace

class TestCards : public QObject
{
    Q_OBJECT
    World m_world;
    QTemporaryDir m_images;
    QByteArray m_card, m_tiny;   // 16 MiB and 2 MiB, or "" when they cannot be mounted
    int m_outs = 0;

private slots:
    // The images are mounted before the tests become the subreaper that
    // waits for every process they start: fusefat goes on in the background.
    void initTestCase()
    {
        const QByteArray images = QFile::encodeName(m_images.path());
        if (mountFat(images + "/card.img", images + "/card", 16))
            m_card = images + "/card";
        if (mountFat(images + "/tiny.img", images + "/tiny", 2))
            m_tiny = images + "/tiny";
        QVERIFY(m_world.setUp());
        qputenv("TAR_OPTIONS", "--no-same-owner --no-same-permissions");
    }
    void cleanupTestCase()
    {
        for (const QByteArray& mount : {m_card, m_tiny})
            if (!mount.isEmpty())
                runProgram({"fusermount", "-u", mount});
    }

    void cards_data()
    {
        QTest::addColumn<QByteArray>("ending");
        QTest::addColumn<QByteArray>("names");     // name=content, separated by "|"
        QTest::addColumn<int>("megabytes");        // the image
        QTest::addColumn<QByteArray>("limit");     // tally's file size limit, or ""
        QTest::addColumn<QByteArray>("words");     // what tally's last line must say
        QTest::addColumn<QByteArrayList>("placed");   // name=content on the card afterwards
        const auto row = [](const char* tag, const char* ending, const QByteArray& names, int megabytes, const char* limit,
                            const char* words, const QByteArrayList& placed) {
            QTest::newRow(tag) << QByteArray(ending) << names << megabytes << QByteArray(limit) << QByteArray(words) << placed;
        };
        const char* taken = "a.txt: not unpacked: A.txt has that name on this card";
        row("tar: A.txt then a.txt", ".tar", "A.txt=upper|a.txt=lower", 16, "", taken, {"A.txt=upper"});
        row("tar: x:y", ".tar", "x:y=colon|b=b", 16, "", "x:y: not unpacked: a name on this card cannot hold : * ? \" < > |",
            {"b=b"});
        row("tar: over the limit", ".tar", "big=" + QByteArray(5000, 'b') + "|s=s", 16, "1000",
            "big: not unpacked: it is 4.9 KiB; a file in this folder can hold at most 1000 bytes",
            {"big.part=" + QByteArray(5000, 'b'), "s=s"});
        row("tar: full card", ".tar", "a=a|big=" + QByteArray(3 << 20, 'x'), 2, "", "big: not unpacked: the storage is full", {});
        // unzip passes over the second without a word; the zip's directory names it.
        row("zip: A.txt then a.txt", ".zip", "A.txt=upper|a.txt=lower", 16, "", taken, {"A.txt=upper"});
        // 7-Zip puts the second under a name of its own; both are kept.
        row("7z: A.txt then a.txt", ".7z", "A.txt=upper|a.txt=lower", 16, "", "", {"A.txt=upper", "a_1.txt=lower"});
    }
    void cards()
    {
        QFETCH(QByteArray, ending);
        QFETCH(QByteArray, names);
        QFETCH(int, megabytes);
        QFETCH(QByteArray, limit);
        QFETCH(QByteArray, words);
        QFETCH(QByteArrayList, placed);
        const QByteArray card = megabytes == 2 ? m_tiny : m_card;
        if (card.isEmpty())
            QSKIP("no FAT image can be mounted through FUSE here (fusefat, mkfs.vfat of dosfstools, /dev/fuse)");
        const QByteArray out = card + "/out" + QByteArray::number(++m_outs);
        const QByteArray archive = archiveOf(m_world.folder("card"), ending, names);
        QVERIFY(!archive.isEmpty());
        if (!limit.isEmpty())
            qputenv("ARKIVE_TALLY_FILE_LIMIT", limit);
        const bool ran = m_world.unpack({archive}, out);
        const QList<e2e::TallyEnd> ends = m_world.tallyEnds();
        QByteArrayList found;
        for (const QByteArray& name : namesIn(out))
            found << name + '=' + readBytes(out + '/' + name);
        qunsetenv("ARKIVE_TALLY_FILE_LIMIT");
        QVERIFY(ran);
        QCOMPARE(ends.size(), 1);
        if (!words.isEmpty())
            QVERIFY2(ends.first().status == 1 && ends.first().summary.contains(words), ends.first().summary.constData());
        // On a full card what fitted of "big" may be kept as big.part.
        if (megabytes == 2)
            found.removeIf([](const QByteArray& f) { return f.startsWith("big.part=") || f == "a=a"; });
        QCOMPARE(sorted(found), placed);
    }
};

QTEST_MAIN(TestCards)
#include "tst_cards.moc"
