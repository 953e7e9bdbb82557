#include "shellword.h"

#include <QRandomGenerator>
#include <QTest>

class TestShellWord : public QObject
{
    Q_OBJECT
private slots:
    void plainWordsUnchanged_data();
    void plainWordsUnchanged();
    void otherWordsQuoted_data();
    void otherWordsQuoted();
    void backquotedEscapes_data();
    void backquotedEscapes();
    void leadingDashGetsDotSlash();
    void invalidBytesKeptAsEscapes();
    void validUtf8DecodedNormally();
    void bytesRoundTrip_data();
    void bytesRoundTrip();
    void randomBytesRoundTrip();
    void loneSurrogatesDoNotBecomeBytes();
};

void TestShellWord::plainWordsUnchanged_data()
{
    QTest::addColumn<QString>("word");
    QTest::newRow("empty") << QString();
    QTest::newRow("path") << QStringLiteral("/mmc/mmca1/photos.tar.gz");
    QTest::newRow("all plain signs") << QStringLiteral("aZ09_@%+=:,./-");
    QTest::newRow("version") << QStringLiteral("backup-1.2.tar.bz2");
}

void TestShellWord::plainWordsUnchanged()
{
    QFETCH(QString, word);
    QCOMPARE(shellWord(word), word);
    QCOMPARE(backquotedShellWord(word), word);
}

void TestShellWord::otherWordsQuoted_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("blank") << QStringLiteral("my pw") << QStringLiteral("'my pw'");
    QTest::newRow("single quote") << QStringLiteral("it's") << QStringLiteral("'it'\\''s'");
    QTest::newRow("only quote") << QStringLiteral("'") << QStringLiteral("''\\'''");
    QTest::newRow("dollar") << QStringLiteral("$HOME") << QStringLiteral("'$HOME'");
    QTest::newRow("tilde") << QStringLiteral("~") << QStringLiteral("'~'");
    QTest::newRow("newline") << QStringLiteral("a\nb") << QStringLiteral("'a\nb'");
    QTest::newRow("non-ascii") << QStringLiteral("fé") << QStringLiteral("'fé'");
    QTest::newRow("escaped byte") << QString(QChar(0xDCFF)) << QStringLiteral("'") + QChar(0xDCFF) + "'";
}

void TestShellWord::otherWordsQuoted()
{
    QFETCH(QString, word);
    QFETCH(QString, quoted);
    QCOMPARE(shellWord(word), quoted);
}

void TestShellWord::backquotedEscapes_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("back quote") << QStringLiteral("a`b") << QStringLiteral("'a\\`b'");
    QTest::newRow("dollar") << QStringLiteral("$x") << QStringLiteral("'\\$x'");
    QTest::newRow("backslash") << QStringLiteral("a\\b") << QStringLiteral("'a\\\\b'");
    // The backslash of '\'' is doubled too, so the inner shell sees '\''.
    QTest::newRow("single quote") << QStringLiteral("a'b") << QStringLiteral("'a'\\\\''b'");
}

void TestShellWord::backquotedEscapes()
{
    QFETCH(QString, word);
    QFETCH(QString, escaped);
    QCOMPARE(backquotedShellWord(word), escaped);
}

void TestShellWord::leadingDashGetsDotSlash()
{
    QCOMPARE(pathArgument(QStringLiteral("-x.tar")), QStringLiteral("./-x.tar"));
    QCOMPARE(pathArgument(QStringLiteral("--")), QStringLiteral("./--"));
    QCOMPARE(pathArgument(QStringLiteral("a-x.tar")), QStringLiteral("a-x.tar"));
    QCOMPARE(pathArgument(QStringLiteral("/tmp/-x.tar")), QStringLiteral("/tmp/-x.tar"));
    QCOMPARE(pathArgument(QString()), QString());
}

void TestShellWord::invalidBytesKeptAsEscapes()
{
    // A Latin-1 name, a lone continuation byte, a truncated sequence, an
    // overlong "/", an encoded surrogate and a value above U+10FFFF.
    QCOMPARE(fromLocalBytes("caf\xe9"), QStringLiteral("caf") + QChar(0xDCE9));
    QCOMPARE(fromLocalBytes("\x80"), QString(QChar(0xDC80)));
    QCOMPARE(fromLocalBytes("\xe2\x82" "x"), QString(QChar(0xDCE2)) + QChar(0xDC82) + "x");
    QCOMPARE(fromLocalBytes("\xc0\xaf"), QString(QChar(0xDCC0)) + QChar(0xDCAF));
    QCOMPARE(fromLocalBytes("\xed\xa0\x80").size(), 3);
    QCOMPARE(fromLocalBytes("\xf4\x90\x80\x80").size(), 4);
    QVERIFY(!fromLocalBytes("\xff").contains(QChar::ReplacementCharacter));
}

void TestShellWord::validUtf8DecodedNormally()
{
    const QString text = QStringLiteral("a\u00e9\u20ac") + QString::fromUcs4(U"\U0001F600") + QChar(0);
    const QByteArray utf8 = text.toUtf8();
    QCOMPARE(fromLocalBytes(utf8), text);
    QCOMPARE(toLocalBytes(text), utf8);
    QCOMPARE(fromLocalBytes(QByteArray("\xef\xbf\xbd")), QString(QChar::ReplacementCharacter));
}

void TestShellWord::bytesRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("latin-1") << QByteArray("gr\xfc\xdf" "e.tar");
    QTest::newRow("mixed") << QByteArray("\xc3\xa9\xff\xc3\xa9\xfe");
    QTest::newRow("emoji then byte") << QByteArray("\xf0\x9f\x98\x80\x80");
    QTest::newRow("truncated at end") << QByteArray("abc\xf0\x9f\x98");
    QTest::newRow("all bytes") << [] {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        return all;
    }();
}

void TestShellWord::bytesRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(toLocalBytes(fromLocalBytes(bytes)), bytes);
}

void TestShellWord::randomBytesRoundTrip()
{
    QRandomGenerator rng(12345);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(rng.bounded(1, 24)), '\0');
        for (char& b : bytes) {
            // Lean to bytes that form or break multi-byte sequences.
            const quint32 r = rng.bounded(4);
            b = char(r == 0 ? rng.bounded(128) : 0x80 + rng.bounded(128));
        }
        const QString text = fromLocalBytes(bytes);
        QCOMPARE(toLocalBytes(text), bytes);
        QCOMPARE(fromLocalBytes(toLocalBytes(text)), text);
    }
}

void TestShellWord::loneSurrogatesDoNotBecomeBytes()
{
    // Only U+DC80..U+DCFF stand for bytes; other lone surrogates have no
    // byte form and become U+FFFD.
    QCOMPARE(toLocalBytes(QString(QChar(0xD800))), QByteArray("\xef\xbf\xbd"));
    QCOMPARE(toLocalBytes(QString(QChar(0xDC7F))), QByteArray("\xef\xbf\xbd"));
}

QTEST_APPLESS_MAIN(TestShellWord)
#include "tst_shellword.moc"
