// What both sound backends share: a tone or a rest is scheduled on the timeline, then
// waited out.
#include "conio/platform/tones.hpp"

#include <thread>

namespace platform {

ToneClockSource steadyToneClock() {
    return [] { return ToneClock::now(); };
}

void TonePlayer::play(unsigned frequencyHz, unsigned durationMs) {
    std::this_thread::sleep_until(schedule(frequencyHz, durationMs));
}

void TonePlayer::rest(unsigned durationMs) {
    std::this_thread::sleep_until(schedule(0, durationMs));
}

}  // namespace platform
