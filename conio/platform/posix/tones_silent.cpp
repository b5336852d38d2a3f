#include <utility>

#include "conio/platform/tone_synth.hpp"
#include "conio/platform/tones.hpp"

namespace platform {

struct TonePlayer::Impl {
    ToneTimeline timeline;
};

TonePlayer::TonePlayer(bool, ToneClockSource now) : impl_(std::make_unique<Impl>()), now_(std::move(now)) {}

TonePlayer::~TonePlayer() = default;

ToneClock::time_point TonePlayer::schedule(unsigned, unsigned durationMs) {
    return scheduleWait(impl_->timeline, now_(), std::chrono::milliseconds(durationMs));
}

bool TonePlayer::audible() const {
    return false;
}

bool tonesBuiltWithSound() {
    return false;
}

}  // namespace platform
