#pragma once

#include <cstdint>
#include <string>

namespace arkive {

// Exactly `size` bytes of the open file at `offset` into `out`; false at
// the end of the file or on an error.
bool readAt(int fd, std::uint64_t offset, std::size_t size, std::string& out);

// Writes all of `data` to fd, again after a signal; false when the
// descriptor took no more (closed, broken or full).
bool writeAll(int fd, const std::string& data);

} // namespace arkive
