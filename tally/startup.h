// What tally and tally-window both do before anything else.
#pragma once

#include "options.h"

namespace tally {

struct StartUp {
    Options options;
    Face face = Face::Text;
    bool helpShown = false;   // --help was answered on standard output: exit 0
};

// Ignores SIGPIPE, reads the words, answers --help and chooses the face from
// the environment (before any application object exists: tally must never
// abort for want of a display). The signals that end a job are caught, but
// for the counting stage (--pass).
StartUp startUp(int argc, const char* const* argv);

} // namespace tally
