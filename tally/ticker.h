// The repaint rhythm: a fixed interval that snaps forward when late, so that
// a slow repaint or a long read never causes a burst of catch-up repaints.
#pragma once

#include <chrono>

namespace tally {

// At most ten repaints a second.
constexpr std::chrono::milliseconds kRepaintInterval{100};

template <class ClockT = std::chrono::steady_clock>
class Ticker {
public:
    using time_point = typename ClockT::time_point;
    using duration = typename ClockT::duration;

    Ticker(time_point start, duration interval) : next_(start + interval), interval_(interval) {}

    // True when a repaint is due at `now`; the next one is then one interval
    // later, or one interval after now if that moment has passed already.
    bool due(time_point now)
    {
        if (now < next_)
            return false;
        next_ += interval_;
        if (next_ <= now)
            next_ = now + interval_;
        return true;
    }

    time_point next() const { return next_; }
    duration interval() const { return interval_; }

private:
    time_point next_;
    duration interval_;
};

} // namespace tally
