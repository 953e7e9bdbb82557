// Unpacking onto a memory card, with the real archivers and the real tally
// on FAT images mounted through FUSE (fusefat: it folds case and refuses
// "x:y", as cards do; it keeps "x." and has no chown or chmod, so tar is
// told through TAR_OPTIONS not to restore owners and modes). Each row must
// end in tally's words for what the card could not take, with nothing lost
// silently and nothing cut placed under its own name.
#include "e2e.h"

#include <sys/statfs.h>

#include <algorithm>
#include <chrono>
#include <thread>

using e2e::World;

namespace {

constexpr auto kMountWait = std::chrono::seconds(30);   // fusefat starts in the background
constexpr long kFuseMagic = 0x65735546;

bool onPath(const char* program)
{
    return runProgram({"sh", "-c", QByteArray("command -v ") + program + " >/dev/null"}) == 0;
}

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

// An archive of `files` (name, content) made in `dir` by tar or 7-Zip.
QByteArray archiveOf(const QByteArray& dir, const char* ending, const QList<QPair<QByteArray, QByteArray>>& files)
{
    const QByteArray src = dir + "/src", archive = dir + "/a" + ending;
    QByteArrayList names;
    bool ok = ::mkdir(src, 0755) == 0;
    for (const auto& [name, content] : files) {
        ok = ok && writeBytes(src + '/' + name, content);
        names << name;
    }
    const QByteArrayList words = qstrcmp(ending, ".7z") == 0    ? QByteArrayList{"7zz", "a", "-bso0", archive}
                                 : qstrcmp(ending, ".zip") == 0 ? QByteArrayList{"zip", "-q", archive}
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
        if (onPath("fusefat") && onPath("mkfs.vfat") && ::access("/dev/fuse", R_OK | W_OK) == 0) {
            if (mountFat(images + "/card.img", images + "/card", 16))
                m_card = images + "/card";
            if (mountFat(images + "/tiny.img", images + "/tiny", 2))
                m_tiny = images + "/tiny";
        }
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
        QTest::newRow("tar: A.txt then a.txt") << QByteArray(".tar") << QByteArray("A.txt=upper|a.txt=lower") << 16
                                               << QByteArray() << QByteArray("a.txt: not unpacked: A.txt has that name on this card")
                                               << QByteArrayList{"A.txt=upper"};
        QTest::newRow("tar: x:y") << QByteArray(".tar") << QByteArray("x:y=colon|b=b") << 16 << QByteArray()
                                  << QByteArray("x:y: not unpacked: a name on this card cannot hold : * ? \" < > |")
                                  << QByteArrayList{"b=b"};
        QTest::newRow("tar: over the limit") << QByteArray(".tar") << QByteArray("big=" + QByteArray(5000, 'b') + "|s=s")
                                             << 16 << QByteArray("1000")
                                             << QByteArray("big: not unpacked: it is 4.9 KiB; a file in this folder can hold at most 1000 bytes")
                                             << QByteArrayList{"big.part=" + QByteArray(5000, 'b'), "s=s"};
        QTest::newRow("tar: full card") << QByteArray(".tar") << QByteArray("a=a|big=" + QByteArray(3 << 20, 'x')) << 2
                                        << QByteArray() << QByteArray("big: not unpacked: the storage is full") << QByteArrayList{};
        // unzip passes over the second without a word; the zip's directory names it.
        QTest::newRow("zip: A.txt then a.txt") << QByteArray(".zip") << QByteArray("A.txt=upper|a.txt=lower") << 16
                                               << QByteArray() << QByteArray("a.txt: not unpacked: A.txt has that name on this card")
                                               << QByteArrayList{"A.txt=upper"};
        // 7-Zip puts the second under a name of its own; both are kept.
        QTest::newRow("7z: A.txt then a.txt") << QByteArray(".7z") << QByteArray("A.txt=upper|a.txt=lower") << 16
                                              << QByteArray() << QByteArray()
                                              << QByteArrayList{"A.txt=upper", "a_1.txt=lower"};
    }
    void cards()
    {
        QFETCH(QByteArray, ending);
        QFETCH(QByteArray, names);
        QFETCH(int, megabytes);
        QFETCH(QByteArray, limit);
        QFETCH(QByteArray, words);
        QFETCH(QByteArrayList, placed);
        if (!onPath("fusefat") || !onPath("mkfs.vfat") || ::access("/dev/fuse", R_OK | W_OK) != 0)
            QSKIP("fusefat, mkfs.vfat or /dev/fuse is missing (packages fusefat and dosfstools)");
        const QByteArray card = megabytes == 2 ? m_tiny : m_card;
        if (card.isEmpty())
            QSKIP("a FAT image cannot be mounted through FUSE here");
        const QByteArray dir = m_world.folder("card"), out = card + "/out" + QByteArray::number(++m_outs);
        QList<QPair<QByteArray, QByteArray>> files;
        for (const QByteArray& pair : names.split('|'))
            files << qMakePair(pair.left(pair.indexOf('=')), pair.mid(pair.indexOf('=') + 1));
        const QByteArray archive = archiveOf(dir, ending, files);
        QVERIFY(!archive.isEmpty());
        if (limit.isEmpty())
            qunsetenv("ARKIVE_TALLY_FILE_LIMIT");
        else
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
        std::sort(found.begin(), found.end());
        // On a full card what fitted of "big" may be kept as big.part.
        if (QByteArray(QTest::currentDataTag()).contains("full"))
            found.removeIf([](const QByteArray& f) { return f.startsWith("big.part=") || f == "a=a"; });
        QCOMPARE(found, placed);
    }
};

QTEST_MAIN(TestCards)
#include "tst_cards.moc"
