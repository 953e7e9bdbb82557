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

// True when the headers (rar 4: the archive's password flag, a member's
// encrypted flag; rar 5: an archive encryption header, a member's
// encryption record) say so. Walks the headers only, at most `maxHeaders`.
bool rarEncrypted(const ReadAt& read, unsigned maxHeaders = 100000);

bool rarFileEncrypted(const std::string& path);

} // namespace arkive
