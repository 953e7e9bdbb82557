// The records of the jobs arkive started: what tells, after a crash, a
// killed tally or a power cut, whose the hidden .arkive-TOKEN files are and
// whether their job still runs. Plain C++ over the system calls.
//
// Every file and folder a line works in before its result is in place is
// named .arkive-TOKEN (the private folder) or .arkive-TOKEN.SOMETHING (the
// partial archive, its volumes). Before the line starts, arkive writes the
// record TOKEN into the jobs folder, naming the folder those lie in and the
// archive, and locks it; the line inherits the open record, so the lock is
// held as long as any program of the line runs, and goes with the last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace arkive {

// $XDG_STATE_HOME/arkive/jobs, or ~/.local/state/arkive/jobs; "" without
// either variable.
std::string jobsFolder();

// Makes and locks the record of the job `token` working in `folder` on
// `archive` (made or read). Returns its descriptor, to be left open while
// the line is started and closed after; -1 when no record could be made
// (the job runs all the same, without one).
int openJobRecord(const std::string& jobs, const std::string& token, const std::string& folder,
                  const std::string& archive);

struct Leftover {
    std::string path;
    std::uint64_t bytes = 0;
};

// Removes what each job whose line no longer runs left in its folder, and
// its record; returns what was removed (nothing for a job that ended well).
std::vector<Leftover> removeLeftovers(const std::string& jobs);

// Whether a job whose line still runs works on `archive`.
bool jobWorksOn(const std::string& jobs, const std::string& archive);

} // namespace arkive
