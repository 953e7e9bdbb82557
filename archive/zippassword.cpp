#include "zippassword.h"

#include <QMessageAuthenticationCode>

#include <algorithm>
#include <cstdint>

namespace arkive {

namespace {

constexpr std::size_t CheckedEntries = 4;   // with four entries, one wrong password in 2^32 passes
constexpr std::size_t EncryptionHeaderSize = 12;
constexpr std::uint16_t DataDescriptor = 0x08;
constexpr int AesIterations = 1000;
constexpr std::size_t VerifierSize = 2;

// The CRC-32 of one more byte, without the final inversion, as the keys use it.
std::uint32_t crcByte(std::uint32_t crc, unsigned char byte)
{
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1) ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    return crc;
}

struct Keys {
    std::uint32_t k0 = 0x12345678, k1 = 0x23456789, k2 = 0x34567890;

    void update(unsigned char byte)
    {
        k0 = crcByte(k0, byte);
        k1 = (k1 + (k0 & 0xff)) * 134775813u + 1;
        k2 = crcByte(k2, static_cast<unsigned char>(k1 >> 24));
    }
    unsigned char decrypt(unsigned char byte)
    {
        const std::uint32_t t = (k2 | 2) & 0xffff;
        const auto plain = static_cast<unsigned char>(byte ^ ((t * (t ^ 1)) >> 8));
        update(plain);
        return plain;
    }
};

QByteArray bytesOf(std::string_view s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

std::string pbkdf2HmacSha1(std::string_view password, std::string_view salt, int iterations, std::size_t length)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha1, bytesOf(password));
    std::string key;
    for (std::uint32_t block = 1; key.size() < length; ++block) {
        const char index[] = {char(block >> 24), char(block >> 16), char(block >> 8), char(block)};
        mac.reset();
        mac.addData(salt.data(), static_cast<qsizetype>(salt.size()));
        mac.addData(index, sizeof index);
        QByteArray u = mac.result(), sum = u;
        for (int i = 1; i < iterations; ++i) {
            mac.reset();
            mac.addData(u);
            u = mac.result();
            for (qsizetype b = 0; b < sum.size(); ++b)
                sum[b] = char(sum[b] ^ u[b]);
        }
        key.append(sum.constData(), std::min(static_cast<std::size_t>(sum.size()), length - key.size()));
    }
    return key;
}

bool zipPasswordMatches(const ZipEntryHeader& header, std::string_view encryptedHeader12, std::string_view password)
{
    if (encryptedHeader12.size() != EncryptionHeaderSize)
        return false;
    Keys keys;
    for (const char c : password)
        keys.update(static_cast<unsigned char>(c));
    unsigned char last = 0;
    for (const char c : encryptedHeader12)
        last = keys.decrypt(static_cast<unsigned char>(c));
    const unsigned check = (header.flags & DataDescriptor) ? header.modTime >> 8 : header.crc >> 24;
    return last == check;
}

bool aesPasswordMatches(int strength, std::string_view saltAndVerifier, std::string_view password)
{
    if (strength < 1 || strength > 3)
        return false;
    const std::size_t keySize = 8 + 8 * static_cast<std::size_t>(strength);   // 16, 24, 32
    const std::size_t saltSize = keySize / 2;
    if (saltAndVerifier.size() != saltSize + VerifierSize)
        return false;
    const std::string derived =
        pbkdf2HmacSha1(password, saltAndVerifier.substr(0, saltSize), AesIterations, 2 * keySize + VerifierSize);
    return derived.compare(2 * keySize, VerifierSize, saltAndVerifier.substr(saltSize)) == 0;
}

bool entryPasswordMatches(const EncryptedStart& entry, std::string_view password)
{
    return entry.header.aesStrength ? aesPasswordMatches(entry.header.aesStrength, entry.start, password)
                                    : zipPasswordMatches(entry.header, entry.start, password);
}

PasswordCheck checkPassword(const std::vector<EncryptedStart>& entries, std::string_view password)
{
    if (entries.empty())
        return PasswordCheck::NothingToCheck;
    const auto opens = [password](const EncryptedStart& entry) { return entryPasswordMatches(entry, password); };
    const bool all = !password.empty() && std::all_of(entries.begin(), entries.end(), opens);
    return all ? PasswordCheck::Matches : PasswordCheck::DoesNotMatch;
}

PasswordCheck checkZipPassword(const std::string& path, std::string_view password)
{
    return checkPassword(readEncryptedStarts(path, CheckedEntries), password);
}

} // namespace arkive
