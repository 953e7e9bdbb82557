// Whether a rar archive is encrypted, from its headers: libarchive reads
// rar 4 and 5 but decrypts neither, and writes an encrypted member's bytes
// out as they are, so such an archive is for RARLAB's unrar alone.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace arkive {

// Reads `size` bytes at `offset` into `out`; false at the end or on error.
using ReadAt = std::function<bool(std::uint64_t offset, std::size_t size, std::string& out)>;

struct RarHeaders {
    // The headers say so: rar 4 the archive's password flag or a member's
    // encrypted flag; rar 5 an archive encryption header or a member's
    // encryption record.
    bool encrypted = false;
    std::uint64_t bytes = 0;   // what the members before the first encrypted one unpack to
};

// Walks the headers only, at most `maxHeaders`.
RarHeaders rarHeaders(const ReadAt& read, unsigned maxHeaders = 100000);

RarHeaders rarFileHeaders(const std::string& path);

} // namespace arkive
