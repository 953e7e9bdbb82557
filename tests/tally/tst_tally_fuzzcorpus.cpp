// The fuzz target's checks run over the recordings and over seeded random
// inputs, so that the plain test run catches what the fuzzer would.
#include <QDir>
#include <QTest>

#include <cstdint>

#include "tallytest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

class TestTallyFuzzCorpus : public QObject {
    Q_OBJECT
private slots:
    void recordingsUnderEveryHeader()
    {
        const QDir dir(QStringLiteral(ARKIVE_TEST_SOURCE_DIR "/data"));
        const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files);
        QVERIFY(files.size() >= 15);
        for (const QString& name : files) {
            const QByteArray body = tallytest::recording(name.toLatin1().constData());
            for (int flags = 0; flags < 256; flags += 5) {
                QByteArray input;
                input.append(static_cast<char>(flags));
                input.append(static_cast<char>(flags * 7));   // chunk size
                input.append(static_cast<char>(flags % 120)); // columns
                input.append("\x10\x27\x00\x00", 4);          // total
                input.append(body);
                LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                       static_cast<std::size_t>(input.size()));
            }
        }
    }

    void seededRandomInputs()
    {
        static const char alphabet[] = "\n\n\n\t\b\r\0 -/.,%:>()=drwxlhcbp0123456789adding: in=inflating: "
                                       "creating: linking: Extracting  Creating    OK All Total errors: zip "
                                       "warning: \xc3\xbc\xff";
        quint32 x = 2024;
        for (int round = 0; round < 3000; ++round) {
            QByteArray input;
            x = x * 1664525u + 1013904223u;
            const int len = 7 + static_cast<int>(x % 700);
            for (int i = 0; i < len; ++i) {
                x = x * 1664525u + 1013904223u;
                input.append(i < 7 ? static_cast<char>(x >> 24) : alphabet[(x >> 16) % (sizeof alphabet - 1)]);
            }
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                   static_cast<std::size_t>(input.size()));
        }
    }
};

QTEST_APPLESS_MAIN(TestTallyFuzzCorpus)
#include "tst_tally_fuzzcorpus.moc"
