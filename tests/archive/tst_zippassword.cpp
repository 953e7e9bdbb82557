// Whether a password opens a zip, told before anything is unpacked, with
// archives that zip and 7-Zip make here: traditional encryption (checked
// against the CRC, or the time when the CRC follows the data) and AES of
// each strength (whose verifier only the right key derivation matches).
#include "zippassword.h"

#include "bytefiles.h"
#include "processes.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

template <typename... Columns>
using Table = std::initializer_list<std::tuple<Columns...>>;

using arkive::PasswordCheck;

// How the first encrypted entry is checked: "time", "crc", "aes1" to "aes3".
QByteArray checkedBy(const std::vector<arkive::EncryptedStart>& entries)
{
    if (entries.empty())
        return "none";
    const arkive::ZipEntryHeader& h = entries.front().header;
    return h.aesStrength ? "aes" + QByteArray::number(h.aesStrength) : QByteArray((h.flags & 8) ? "time" : "crc");
}

} // namespace

class TestZipPassword : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    QByteArray m_dir;

private slots:
    void initTestCase()
    {
        m_dir = QFile::encodeName(m_tmp.path());
        QVERIFY(runProgram({"/bin/mkdir", "-p", m_dir + "/t/d"}) == 0 && writeBytes(m_dir + "/t/a.txt", "a\n")
                && writeBytes(m_dir + "/t/b.bin", QByteArray(3000, 'b')) && writeBytes(m_dir + "/t/c.txt", "c\n")
                && writeBytes(m_dir + "/t/d/e.txt", QByteArray(100, 'e')));
        // zip writes to a pipe without seeking back: the CRC follows the data.
        QByteArray streamed, fromStdin;
        for (const auto& [command, output] : Table<QByteArrayList, QByteArray*>{
                 {{"/usr/bin/zip", "-qr", "plain.zip", "t"}, nullptr},
                 {{"/usr/bin/zip", "-qr", "-P", "pw", "zip.zip", "t"}, nullptr},
                 {{"/usr/bin/zip", "-qr", "-P", "pw", "-", "t"}, &streamed},
                 {{"/bin/sh", "-c", "printf x | /usr/bin/zip -q -P pw - -"}, &fromStdin},
                 {{"/usr/bin/zip", "-q", "mixed.zip", "t/a.txt"}, nullptr},
                 {{"/usr/bin/zip", "-q", "-P", "pw", "mixed.zip", "t/b.bin", "t/c.txt", "t/d/e.txt"}, nullptr},
                 {{"/usr/bin/7zz", "a", "-tzip", "-mem=ZipCrypto", "-ppw", "crc.zip", "t"}, nullptr},
                 {{"/usr/bin/7zz", "a", "-tzip", "-mem=AES128", "-ppw", "aes128.zip", "t"}, nullptr},
                 {{"/usr/bin/7zz", "a", "-tzip", "-mem=AES192", "-ppw", "aes192.zip", "t"}, nullptr},
                 {{"/usr/bin/7zz", "a", "-tzip", "-mem=AES256", "-ppw", "aes256.zip", "t"}, nullptr},
                 {{"/usr/bin/7zz", "a", "-t7z", "-ppw", "a.7z", "t"}, nullptr}}) {
            QByteArray discarded;
            QVERIFY2(runProgram(command, output ? output : &discarded, m_dir) == 0, command.join(' ').constData());
        }
        // A self-extractor whose offsets leave out the program before the archive.
        QVERIFY(writeBytes(m_dir + "/streamed.zip", streamed) && writeBytes(m_dir + "/stdin.zip", fromStdin)
                && writeBytes(m_dir + "/sfx-aes.zip", QByteArray(3000, '\x7f') + readBytes(m_dir + "/aes256.zip")));
    }

    // Each archive against its password "pw", "wrong" and the others of
    // its row. The archives with wrong passwords in their row have several
    // encrypted entries: one entry's check byte lets one wrong password in
    // 256 through. Without an encrypted zip entry there is nothing to check.
    void archives()
    {
        for (const auto& [name, by, wrong] : Table<const char*, const char*, QByteArrayList>{
                 {"zip.zip", "time", {"pW", ""}}, {"streamed.zip", "time", {}}, {"stdin.zip", "time", {""}},
                 {"mixed.zip", "time", {"pww"}}, {"crc.zip", "crc", {"p", ""}}, {"aes128.zip", "aes1", {}},
                 {"aes192.zip", "aes2", {}}, {"aes256.zip", "aes3", {"pw ", ""}}, {"sfx-aes.zip", "aes3", {}},
                 {"plain.zip", "none", {""}}, {"a.7z", "none", {}}, {"missing.zip", "none", {}}}) {
            const std::string path = (m_dir + '/' + name).toStdString();
            const bool encrypted = qstrcmp(by, "none") != 0;
            QVERIFY2(checkedBy(arkive::readEncryptedStarts(path, 1)) == by, name);
            QVERIFY2(arkive::checkZipPassword(path, "pw") == (encrypted ? PasswordCheck::Matches : PasswordCheck::NothingToCheck), name);
            for (const QByteArray& password : wrong + QByteArrayList{"wrong"})
                QVERIFY2(arkive::checkZipPassword(path, password.constData())
                             == (encrypted ? PasswordCheck::DoesNotMatch : PasswordCheck::NothingToCheck),
                         (name + (" \"" + password + '"')).constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestZipPassword)
#include "tst_zippassword.moc"
