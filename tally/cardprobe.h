// Looking at the file system of the output folder: what it does to names
// and sizes, and which entry of the private folder holds a member's place.
// Plain C++ over the system calls; the decisions are cardnames.h's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cardnames.h"

namespace tally {

// Set to a number of bytes, the largest file the output folder is taken to
// hold, whatever its file system (for tests on small file systems).
constexpr const char* kFileLimitVariable = "ARKIVE_TALLY_FILE_LIMIT";
std::optional<std::uint64_t> givenFileLimit();

// What the file system that holds `staging` (the private folder, which
// must exist) does. It folds case when the private folder's name in
// capitals finds the private folder; only then are names with ":" and a
// trailing "." tried, as files beside the private folder, removed again.
CardRules probeCard(const std::string& staging);

// The entry of the private folder that holds the place of `member` (a
// path relative to it) where the file system folds case, relative to the
// private folder, when it is named otherwise; "" when there is none or it
// has the member's own name.
std::string holderOf(const std::string& staging, const std::string& member);

} // namespace tally
