#include "startup.h"

#include <signal.h>

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
