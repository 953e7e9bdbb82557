#include "progressmodel.h"

#include <algorithm>

namespace tally {

ProgressModel::ProgressModel(Clock::time_point start) : start_(start)
{
    // Nothing was done at the start: the first rate is the average since.
    samples_.emplace_back(start, 0.0);
}

void ProgressModel::update(Clock::time_point now, double measured)
{
    if (ended_)
        return;
    remaining_ = -1;
    if (measured < 0)
        return;   // what was shown stays shown
    measured = std::min(measured, 1.0);
    shown_ = std::max(shown_, std::min(measured, kMaxRunningFraction));
    if (now - samples_.back().first >= kRateSampleGap)
        samples_.emplace_back(now, measured);
    // The oldest sample kept is the last one at or before the window's start.
    while (samples_.size() > 2 && samples_[1].first <= now - kRateWindow)
        samples_.pop_front();
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    const auto& [then, before] = samples_.front();
    const double seconds = std::chrono::duration<double>(now - then).count();
    const double rate = seconds > 0 ? (measured - before) / seconds : 0;
    // Past the measure's end the rest is not known; nor is it while the
    // measure stands still.
    if (elapsed >= kEtaMinElapsedSeconds && measured >= kEtaMinFraction && measured < 1.0 && rate > 0)
        remaining_ = (1.0 - measured) / rate;
}

void ProgressModel::finish(bool done)
{
    ended_ = true;
    remaining_ = -1;
    if (done)
        shown_ = 1.0;
}

} // namespace tally
