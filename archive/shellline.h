// Where argument lists become a /bin/sh command line: the one place that
// quotes. Plain C++ on bytes.
//
// Every archiving and unpacking line is put together so that tally learns
// how each program of the line ended, not only what it listed:
//
//   { { STAGE | STAGE ...; } 2>&1 >&3 | tally --relay >&3; } 3>&1 | tally WORDS &
//
// Each stage runs in a group that writes the program's exit status into the
// pipe to tally once the program has ended (a record "\0S<name> <status>\0"),
// the error output of all programs goes through `tally --relay`, which hands
// each line on as a record of its own ("\0E<line>\0"), and the listings of
// the last stage go to tally as they are. Records are written with one
// write() each and listings never hold a NUL byte, so tally tells them
// apart however they interleave. The pipe to tally ends only when every
// stage has ended, so tally has every status before it decides.
//
// A stage with other words for a folder that folds case runs as
// `if [ -e FOLDCHECK ]; then OTHER WORDS; else WORDS; fi`.
//
// Descriptor 3 leads to tally in every stage: `tally --pass` writes its
// count there ("\0B<bytes>\0"), and a stage whose standard output is a
// stream writes its listing there (kListingPath).
#pragma once

#include "plan.h"

#include <string>

namespace arkive {

// Where a stage writes a listing that cannot go to its standard output.
constexpr const char* kListingPath = "/dev/fd/3";

// A word made only of A-Z a-z 0-9 _ @ % + = : , . / - goes in as it is, and
// so does an empty word; any other word is single-quoted, with ' written as '\''.
std::string shellWord(const std::string& word);

// A relative path that begins with "-", or holds a colon before any "/",
// gets "./" in front, so that a tool takes it as a name, not as an option
// or (tar) as HOST:FILE.
std::string pathArgument(const std::string& path);

// The whole line of a plan; tally's words end with how many stages report.
// Empty for a plan without stages. When the plan prepares and that fails,
// the status is reported under the first preparing program's name, and the
// stages do not run.
std::string shellLine(const Plan& plan);

} // namespace arkive
