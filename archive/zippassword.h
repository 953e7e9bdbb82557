// Whether a password opens a zip's encrypted entries, told from the first
// bytes of their data before anything is unpacked. Values in, values out;
// only the HMAC comes from QtCore.
#pragma once

#include "zipdirectory.h"

#include <string>
#include <string_view>

namespace arkive {

// PBKDF2 with HMAC-SHA1 (RFC 2898): `length` bytes of key.
std::string pbkdf2HmacSha1(std::string_view password, std::string_view salt, int iterations, std::size_t length);

// Traditional PKWARE encryption: the 12-byte encryption header decrypted
// with the keys of the password ends in the high byte of the CRC-32 (of
// the DOS time when the CRC follows the data). One wrong password in 256
// passes.
bool zipPasswordMatches(const ZipEntryHeader& header, std::string_view encryptedHeader12, std::string_view password);

// WinZip AES: the key derived from the password and the salt ends in the
// 2 bytes that follow the salt. One wrong password in 65536 passes.
bool aesPasswordMatches(int strength, std::string_view saltAndVerifier, std::string_view password);

// Either, as the entry's header says.
bool entryPasswordMatches(const EncryptedStart& entry, std::string_view password);

enum class PasswordCheck {
    NothingToCheck,   // no entry is encrypted in a way that can be checked
    Matches,
    DoesNotMatch,
};

// The password against every one of the first encrypted entries (so that a
// wrong password seldom passes by chance); an empty one never matches.
PasswordCheck checkPassword(const std::vector<EncryptedStart>& entries, std::string_view password);

// The same for the zip file at `path`.
PasswordCheck checkZipPassword(const std::string& path, std::string_view password);

} // namespace arkive
