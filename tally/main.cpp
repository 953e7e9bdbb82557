// tally: the last stage of every archiving pipeline that arkive starts. It
// reads the archiver's verbose listing from standard input to its end and
// shows how far the work has got: in a window when a display is there, on
// standard error otherwise.
//
// This program holds no Qt, so that the text face starts in a millisecond.
// For the window it replaces itself (exec, same process, same standard
// input) with its sibling tally-window; if that cannot be run, it reports
// on standard error after all.
#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "options.h"
#include "textface.h"

namespace {

constexpr const char* kWindowProgram = "tally-window";

std::string ownFolder()
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return std::string();
    std::string path(buf, static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

int main(int argc, char* argv[])
{
    // Writing to a closed standard error must never end tally: a tally that
    // dies early kills the archiver with SIGPIPE and truncates the archive.
    ::signal(SIGPIPE, SIG_IGN);

    const tally::Options options = tally::parseOptions(argc, argv);
    if (options.help) {
        std::fputs(tally::usageText().c_str(), stdout);
        return 0;
    }
    const tally::Face face = tally::chooseFace(options.forceText, std::getenv("QT_QPA_PLATFORM"),
                                               std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
    if (face == tally::Face::Window) {
        const std::string folder = ownFolder();
        if (!folder.empty()) {
            const std::string window = folder + kWindowProgram;
            ::execv(window.c_str(), argv);   // returns only when it could not be run
        }
    }
    return tally::runTextFace(options, STDIN_FILENO, STDERR_FILENO);
}
