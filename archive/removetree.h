// Removing what a line left behind, without following a symbolic link.
// Plain C++ over the system calls; arkive and tally both use it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace arkive {

// The entries of an open folder (without "." and "..").
std::vector<std::string> entriesOf(int dirFd);

// Removes the entry `name` of the open folder `dirFd`, a folder with all it
// holds (opened up first: an archive may have made it unreadable). Returns
// the bytes of the files it removed.
std::uint64_t removeTree(int dirFd, const std::string& name);

} // namespace arkive
