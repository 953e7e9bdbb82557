// What an archive holds, read with libarchive from archives the real tools
// make in the test: every name as stored (spaces, pattern characters, a
// leading "-", a newline, bytes that are no UTF-8), folders, links, sizes;
// encrypted members, a missing file and a listing stopped.
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "bytefiles.h"
#include "members.h"
#include "processes.h"

using arkive::ListingEnd;
using arkive::Member;

namespace {

const QByteArrayList kFiles{"a b", "star*", "q?", "br[1]", "-lead", "new\nline", "dir/inner"};

// The line described() gives for one of kFiles.
QByteArray fileLine(const QByteArray& name)
{
    return name + " F " + QByteArray::number(11 + name.size());
}

// "path type size" for each member, sorted: F file, D folder, L link.
QByteArrayList described(const std::vector<Member>& members)
{
    QByteArrayList lines;
    for (const Member& m : members) {
        const char type = m.type == Member::Type::Folder ? 'D' : m.type == Member::Type::Link ? 'L' : m.type == Member::Type::File ? 'F' : '?';
        QByteArray line = QByteArray::fromStdString(m.path) + ' ' + type;
        if (m.type == Member::Type::File)
            line += ' ' + (m.size ? QByteArray::number(qulonglong(*m.size)) : QByteArray("-"));
        if (m.type == Member::Type::Link)
            line += " -> " + QByteArray::fromStdString(m.target);
        lines << line;
    }
    return sorted(lines);
}

arkive::ListingResult list(const QByteArray& archive, std::vector<Member>& members, arkive::ListingControl* control = nullptr)
{
    return arkive::listMembers(archive.toStdString(), [&members](Member&& m) { members.push_back(std::move(m)); }, control);
}

} // namespace

class TestMembers : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    QByteArray m_root, m_tree;

private slots:
    void initTestCase()
    {
        m_root = QFile::encodeName(m_tmp.path());
        m_tree = m_root + "/t";
        QVERIFY(::mkdir(m_tree, 0755) == 0 && ::mkdir(m_tree + "/dir", 0755) == 0);
        for (const QByteArray& name : kFiles)
            QVERIFY(writeBytes(m_tree + '/' + name, "content of " + name));
        QVERIFY(::symlink("a b", m_tree + "/link") == 0);
    }

    // Each format lists every member with its type, size and link target; a
    // compressed tar stands for the others (one reader takes every filter,
    // and tst_browser opens a tar.zst). 7-Zip and zip store names as text:
    // bytes that are no UTF-8 are left to the tar rows.
    void formats_data()
    {
        QTest::addColumn<QByteArray>("ending");
        QTest::addColumn<QByteArrayList>("pack");   // run in the tree; ARCHIVE stands for the archive
        QTest::addColumn<bool>("raw");              // the name of bytes that are no UTF-8 is in the tree
        QTest::newRow("tar (GNU)") << QByteArray(".tar") << QByteArrayList{"tar", "-cf", "ARCHIVE", "."} << true;
        QTest::newRow("tar.gz") << QByteArray(".tar.gz") << QByteArrayList{"tar", "-czf", "ARCHIVE", "."} << true;
        QTest::newRow("pax (bsdtar)") << QByteArray(".tar") << QByteArrayList{"bsdtar", "--format=pax", "-cf", "ARCHIVE", "."} << true;
        QTest::newRow("zip") << QByteArray(".zip") << QByteArrayList{"zip", "-qry", "--symlinks", "ARCHIVE", "."} << false;
        QTest::newRow("7z") << QByteArray(".7z") << QByteArrayList{"7zz", "a", "-bso0", "-snl", "ARCHIVE", "*"} << false;
    }
    void formats()
    {
        QFETCH(QByteArray, ending);
        QFETCH(QByteArrayList, pack);
        QFETCH(bool, raw);
        const QByteArray odd = m_tree + "/odd \xff\xfe";
        if (raw)
            QVERIFY(writeBytes(odd, "raw"));
        const QByteArray archive = m_root + "/a" + QByteArray::number(qHash(QTest::currentDataTag())) + ending;
        for (QByteArray& word : pack)
            if (word == "ARCHIVE")
                word = archive;
        QCOMPARE(runProgram(pack, nullptr, m_tree), 0);
        if (raw)
            QCOMPARE(::unlink(odd), 0);
        std::vector<Member> members;
        const arkive::ListingResult r = list(archive, members);
        QCOMPARE(int(r.end), int(ListingEnd::Complete));
        QCOMPARE(r.members, std::uint64_t(members.size()));
        QByteArrayList expected{"dir D", "link L -> a b"};
        for (const QByteArray& name : kFiles)
            expected << fileLine(name);
        if (raw)
            expected << "odd \xff\xfe F 3";
        QCOMPARE(described(members), sorted(expected));
        QVERIFY(!r.someEncrypted);
    }

    // A zip with a password lists its names, its members marked; a file
    // that is not there ends the listing as broken; a listing stops when
    // asked to. (Cut archives, hidden names and bytes that are no archive
    // are told through the file list, in tst_browser.)
    void troubles()
    {
        std::vector<Member> members;
        const QByteArray locked = m_root + "/locked.zip";
        QCOMPARE(runProgram({"zip", "-qj", "-P", "secret", locked, m_tree + "/a b", m_tree + "/q?"}), 0);
        arkive::ListingResult r = list(locked, members);
        QCOMPARE(int(r.end), int(ListingEnd::Complete));
        QVERIFY(r.someEncrypted);
        QCOMPARE(described(members), QByteArrayList({fileLine("a b"), fileLine("q?")}));
        QVERIFY(members.front().encrypted && members.back().encrypted);
        QCOMPARE(int(list(m_root + "/missing.tar", members).end), int(ListingEnd::Broken));

        arkive::ListingControl control;
        const QByteArray tar = m_root + "/stop.tar";
        QCOMPARE(runProgram({"tar", "-cf", tar, "-C", m_root, "t"}), 0);
        r = arkive::listMembers(tar.toStdString(), [&control](Member&&) { control.cancel = true; }, &control);
        QCOMPARE(int(r.end), int(ListingEnd::Cancelled));
        QCOMPARE(r.members, std::uint64_t(1));
        QVERIFY(control.bytesRead > 0);
    }
};

QTEST_GUILESS_MAIN(TestMembers)
#include "tst_members.moc"
