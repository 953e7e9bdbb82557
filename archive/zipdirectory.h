// What a zip's central directory says before anything is unpacked: how many
// entries it holds, whether unzip can read all of them, and where the
// encrypted ones begin. Plain C++.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace arkive {

struct ZipDirectory {
    bool found = false;            // an end-of-directory record was found
    std::uint64_t entries = 0;     // as the record counts them (what zipinfo -t reports)
    bool unzipCannotRead = false;  // an entry's method or encryption is beyond unzip 6.0
    std::uint64_t bytes = 0;       // what its entries unpack to, as the directory says
};

// Where the directory lies, from the last bytes of a file of `fileSize`
// bytes (`tail`, at most 64 KiB + 22 of them): its offset and size, and
// the entries. Knows ZIP64 when its locator is in `tail`; a self-extracting
// zip's directory is found before the end record, wherever the offsets say.
struct DirectorySpan {
    bool found = false;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t entries = 0;
    std::uint64_t bias = 0;        // bytes before the archive that its offsets leave out (an unadjusted self-extractor)
    bool lastVolume = false;       // the end record lies on a later volume than the first: a split set
};
DirectorySpan findDirectory(std::string_view tail, std::uint64_t fileSize);

// Whether the directory's entries use anything unzip cannot read: methods
// other than store, shrink, reduce, implode, deflate, deflate64 and bzip2
// (AES is method 99), or strong encryption.
bool beyondUnzip(std::string_view directory);

// The sum of the entries' uncompressed sizes (ZIP64 ones too).
std::uint64_t unpackedBytes(std::string_view directory);

// All three, read from the file (the directory up to 64 MiB).
ZipDirectory readZipDirectory(const std::string& path);

// The names of the directory's entries, in its order (as stored: bytes).
std::vector<std::string> entryNames(std::string_view directory);
// The same, read from the file; none for a file that is no zip.
std::vector<std::string> readZipNames(const std::string& path);

// What checking a password against an encrypted entry needs from its
// headers.
struct ZipEntryHeader {
    std::uint16_t flags = 0;         // general purpose bits: 1 encrypted, 8 CRC and sizes after the data
    std::uint16_t method = 0;        // 99: WinZip AES
    std::uint32_t crc = 0;
    std::uint16_t modTime = 0;       // the DOS time
    int aesStrength = 0;             // 1, 2, 3: AES-128, -192, -256 (extra field 0x9901); 0: not AES
    std::uint64_t localOffset = 0;   // of its local header, as the directory says (ZIP64 too)
};

// The first `most` entries of the directory that are encrypted in a way a
// password can be checked against: traditional PKWARE encryption or WinZip
// AES; strong encryption is left out.
std::vector<ZipEntryHeader> encryptedEntries(std::string_view directory, std::size_t most);

// An encrypted entry and the first bytes of its data: the 12 bytes of the
// traditional encryption header, or the AES salt and the 2 bytes that
// verify the password.
struct EncryptedStart {
    ZipEntryHeader header;
    std::string start;
};

// Bytes of the data an entry's check needs: 12, or the salt and 2.
std::size_t encryptionHeaderSize(const ZipEntryHeader& header);

// The first `most` encrypted entries of the zip with their first bytes,
// read through their local headers; an entry whose local header is not
// where the directory says is left out, and a split set has none.
std::vector<EncryptedStart> readEncryptedStarts(const std::string& path, std::size_t most);

} // namespace arkive
