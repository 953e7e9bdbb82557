#include "startup.h"

#include "endsignals.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tally {

StartUp startUp(int argc, const char* const* argv)
{
    // Writing to a closed standard error must never end tally: a tally that
    // dies early kills the archiver with SIGPIPE and truncates the archive.
    ::signal(SIGPIPE, SIG_IGN);
    StartUp s;
    s.options = parseOptions(argc, argv);
    // The counting stage ends on a signal as the archivers beside it do.
    if (s.options.pass)
        return s;
    catchEndSignals();
    // Inside a pipeline a usage text would cut the listing short: there a
    // request for help is a word not understood, reported at the end.
    if (s.options.help && ::isatty(STDIN_FILENO) != 1) {
        s.options.help = false;
        s.options.ignored.emplace_back("--help");
    }
    if (s.options.help) {
        std::fputs(usageText().c_str(), stdout);
        s.helpShown = true;
        return s;
    }
    s.face = chooseFace(s.options.forceText, std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                        std::getenv("WAYLAND_DISPLAY"));
    return s;
}

} // namespace tally
