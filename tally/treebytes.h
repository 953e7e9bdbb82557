// The bytes that packing a folder reads, counted the way arkive's total
// counts them, so that tally's measure meets that total: files add their
// size, folders (symbolic links followed) what they hold; hidden entries and
// entries that are neither files nor folders add nothing. Plain C++.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

namespace tally {

using FolderIds = std::set<std::pair<dev_t, ino_t>>;

// The bytes below `folder`. A folder whose device and inode are in `seen`
// already is not walked again (nor is `folder` itself), so loops through
// links end and a folder reached by many links is counted once; the folders
// walked are added to `seen`.
std::uint64_t folderBytes(const std::string& folder, FolderIds& seen);

} // namespace tally
