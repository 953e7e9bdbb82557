// What a zip's central directory says before anything is unpacked: how many
// entries it holds and whether unzip can read all of them. Plain C++.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace arkive {

struct ZipDirectory {
    bool found = false;            // an end-of-directory record was found
    std::uint64_t entries = 0;     // as the record counts them (what zipinfo -t reports)
    bool unzipCannotRead = false;  // an entry's method or encryption is beyond unzip 6.0
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
};
DirectorySpan findDirectory(std::string_view tail, std::uint64_t fileSize);

// Whether the directory's entries use anything unzip cannot read: methods
// other than store, shrink, reduce, implode, deflate, deflate64 and bzip2
// (AES is method 99), or strong encryption.
bool beyondUnzip(std::string_view directory);

// Both, read from the file (the directory up to 64 MiB).
ZipDirectory readZipDirectory(const std::string& path);

} // namespace arkive
