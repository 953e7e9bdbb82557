// The size of the tar stream that packing writes before it is compressed,
// known before packing starts: what tally measures a tar line's progress
// against. Plain C++ over the system calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace arkive {

// Bytes in a tar block, and in a record of 20 blocks (tar's default -b20).
constexpr std::uint64_t kTarBlock = 512;
constexpr std::uint64_t kTarRecord = 20 * kTarBlock;
// Longest name (and link target) a GNU tar header holds; longer ones get a
// header and blocks of their own before the member's.
constexpr std::size_t kTarNameField = 100;

// The bytes GNU tar 1.34 writes for `tar -cf - -C BASE -- NAMES` in its
// default format: a header for each member, links stored as links (a file
// met again through a hard link as a link to the first), the data of
// regular files in whole blocks, long names and link targets in blocks of
// their own, two zero blocks, all in whole records. Sockets are left out,
// as tar leaves them; what cannot be read counts nothing. `base` empty:
// the names are paths from the current folder.
std::uint64_t tarStreamBytes(const std::string& base, const std::vector<std::string>& names);

} // namespace arkive
