#pragma once
// Timing on Windows as the game needs it: the 1 ms timer resolution kept even while the
// window is occluded or minimised, and waits that end on their deadline rather than on the
// next millisecond tick.
#include <chrono>

namespace platform {

// While it lives: timer resolution of 1 ms, and the process opted out of the power
// throttling that would otherwise ignore that request for a hidden window (Windows 11).
struct TimerResolution {
    TimerResolution();
    ~TimerResolution();
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;
};

// A high-resolution waitable timer where the system has one (Windows 10 1803 and later);
// elsewhere waits fall back to whole milliseconds.
class PreciseTimer {
public:
    PreciseTimer();
    ~PreciseTimer();
    PreciseTimer(const PreciseTimer&) = delete;
    PreciseTimer& operator=(const PreciseTimer&) = delete;

    // Waits for `handle` to be signalled until `end` at the latest; true when it was.
    bool waitUntil(void* handle, std::chrono::steady_clock::time_point end);

private:
    void* timer_;
};

}  // namespace platform
