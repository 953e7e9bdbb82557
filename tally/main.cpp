// tally: the last stage of every archiving pipeline that arkive starts. It
// reads the archiver's verbose listing from standard input to its end and
// shows how far the work has got: in a window when a display is there, on
// standard error otherwise.
//
// This program holds no Qt, so that the text face starts in a millisecond.
// For the window it replaces itself (exec, same process, same standard
// input) with its sibling tally-window; if that cannot be run, it reports
// on standard error after all.
#include <unistd.h>

#include <climits>
#include <string>

#include "records.h"
#include "startup.h"
#include "textface.h"

namespace {

constexpr const char* kWindowProgram = "tally-window";
// Where the line leads the counting stage's records to tally.
constexpr int kRecordFd = 3;

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
    const tally::StartUp start = tally::startUp(argc, argv);
    if (start.helpShown)
        return 0;
    if (start.options.relay) {
        tally::relayErrors(STDIN_FILENO, STDOUT_FILENO);
        return 0;
    }
    if (start.options.pass)
        return tally::passCounting(STDIN_FILENO, STDOUT_FILENO, kRecordFd, STDERR_FILENO);
    if (start.face == tally::Face::Window) {
        const std::string folder = ownFolder();
        if (!folder.empty()) {
            const std::string window = folder + kWindowProgram;
            ::execv(window.c_str(), argv);   // returns only when it could not be run
        }
    }
    return tally::runTextFace(start.options, STDIN_FILENO, STDERR_FILENO);
}
