// How far a job has got as the user is shown it, from a measure that may
// jump, pause or overshoot. Plain C++, driven by the caller's clock.
//
// The fraction shown never goes back, stays below 1 (99 %) while the work
// goes on however far the measure gets, and is 1 once the work is done.
// The time left is the rest of the measure at the rate of the last
// kRateWindow, as pv estimates it: a burst or a pause moves it only as far
// as it moves that rate.
#pragma once

#include <chrono>
#include <deque>
#include <utility>

namespace tally {

using Clock = std::chrono::steady_clock;

// Tunables of the progress shown.
constexpr double kMaxRunningFraction = 0.99;               // what the work shows before it is done
constexpr double kEtaMinFraction = 0.01;                   // no estimate of the time left below 1 %
constexpr double kEtaMinElapsedSeconds = 1.0;              // nor in the first second
constexpr std::chrono::seconds kRateWindow{30};            // the rate of the time left: over the last 30 s
constexpr std::chrono::milliseconds kRateSampleGap{250};   // at most one measure kept per 250 ms

class ProgressModel {
public:
    explicit ProgressModel(Clock::time_point start);

    // The measure at `now`, 0 to 1 (more is taken as 1); below 0 when it is
    // not known (yet).
    void update(Clock::time_point now, double measured);
    // The work has ended: done, or not (then the fraction stays as it was).
    void finish(bool done);

    double fraction() const { return shown_; }             // -1: not known
    double remainingSeconds() const { return remaining_; }  // -1: not known

private:
    Clock::time_point start_;
    std::deque<std::pair<Clock::time_point, double>> samples_;   // the measure over the window
    double shown_ = -1;
    double remaining_ = -1;
    bool ended_ = false;
};

} // namespace tally
