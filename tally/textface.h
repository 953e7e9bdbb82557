// The text face: a live status line on standard error when that is a
// terminal, and one summary line at the end in any case. No Qt.
#pragma once

#include <cstddef>

#include "options.h"

namespace tally {

// Columns assumed when the terminal does not tell its width.
constexpr std::size_t kDefaultColumns = 80;

// Reads inFd to its end, reports on errFd; returns the exit status.
int runTextFace(const Options& options, int inFd, int errFd);

} // namespace tally
