// Tones through the page's Web Audio: each tone is handed to the page with the moment it
// starts on the shared timeline, and the page schedules it on the AudioContext clock, so
// the rhythm holds however late the browser wakes the program between tones.
#include <chrono>

#include "conio/platform/tone_synth.hpp"
#include "conio/platform/tones.hpp"
#include "conio/platform/web/host.hpp"

namespace platform {

namespace {

// A browser wakes a waiting page later than a terminal's poll returns, by tens of
// milliseconds while it lays out or draws: a call this late still joins the previous wait,
// so a tune keeps its rhythm. The page plays the audio this far behind the timeline, so
// even a late tone is scheduled ahead of the audio clock.
constexpr auto kLateJoin = std::chrono::milliseconds(40);

}  // namespace

struct TonePlayer::Impl {
    ToneTimeline timeline;
};

// Muting is the page's: the player can switch sound on and off there at any time, so a
// muted start only sets the page's switch.
TonePlayer::TonePlayer(bool muted) : impl_(std::make_unique<Impl>()) {
    if (muted) vexamor_host_start_muted();
}

TonePlayer::~TonePlayer() = default;

ToneClock::time_point TonePlayer::schedule(unsigned frequencyHz, unsigned durationMs) {
    const auto now = ToneClock::now();
    const auto length = std::chrono::milliseconds(durationMs);
    const auto end = scheduleWait(impl_->timeline, now, length, kLateJoin);
    if (frequencyHz != 0) {
        const double delayMs = std::chrono::duration<double, std::milli>(end - length - now).count();
        vexamor_host_tone(frequencyHz, durationMs, delayMs, toneAudible(frequencyHz, toneSampleRate) ? 1 : 0);
    }
    return end;
}

bool TonePlayer::audible() const {
    return true;
}

bool tonesBuiltWithSound() {
    return true;
}

}  // namespace platform
