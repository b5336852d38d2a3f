// Tones through the page's Web Audio: each tone is handed to the page with the moment it
// starts on the shared timeline, and the page schedules it on the AudioContext clock.
// While a tune plays, the program runs ahead of its sound, so that the page has queued
// each tone long before it is due and a stalled page cannot make one late.
#include <chrono>
#include <utility>

#include "conio/platform/tone_synth.hpp"
#include "conio/platform/tones.hpp"
#include "conio/platform/web/host.hpp"

namespace platform {

namespace {

// How far ahead of the sound the program may run through a tune: longer than the page's
// main thread stalls on a slow phone or a busy page, short enough that the picture drawn
// between tones stays near the sound it goes with.
constexpr auto kRunAhead = std::chrono::milliseconds(250);

// A browser wakes a waiting page later than a terminal's poll returns, by tens of
// milliseconds while it lays out or draws: a wait this late still joins the timeline.
constexpr auto kLateJoin = std::chrono::milliseconds(40);
// Within a tune the program was ahead of its sound, so coming late means the page stalled
// (a cold start draws its first frames for hundreds of milliseconds): the tune keeps its
// timeline through a stall this long, and the page plays on from where it can.
constexpr auto kLateJoinInTune = std::chrono::milliseconds(1000);

double clockMs(ToneClock::time_point moment) {
    return std::chrono::duration<double, std::milli>(moment.time_since_epoch()).count();
}

}  // namespace

struct TonePlayer::Impl {
    ToneTimeline timeline;
    bool afterTone = false;  // the last wait scheduled was a tone
    bool inTune = false;     // the last wait ran ahead of its end
};

// Muting is the page's: the player can switch sound on and off there at any time, so a
// muted start only sets the page's switch.
TonePlayer::TonePlayer(bool muted, ToneClockSource now) : impl_(std::make_unique<Impl>()), now_(std::move(now)) {
    if (muted) vexamor_host_start_muted();
}

TonePlayer::~TonePlayer() = default;

// Returns the moment the program may go on: the end of the wait, or, for a tone and for the
// rest right after one, kRunAhead before it (a rest after a rest waits to its end, so a
// game's frames keep their pace once the tune is over).
ToneClock::time_point TonePlayer::schedule(unsigned frequencyHz, unsigned durationMs) {
    const auto length = std::chrono::milliseconds(durationMs);
    const auto slack = impl_->inTune ? kLateJoinInTune : kLateJoin;
    const auto end = scheduleWait(impl_->timeline, now_(), length, slack);
    const bool tone = frequencyHz != 0;
    if (tone) {
        vexamor_host_tone(frequencyHz, durationMs, clockMs(end - length),
                          toneAudible(frequencyHz, toneSampleRate) ? 1 : 0);
    }
    impl_->inTune = tone || impl_->afterTone;
    impl_->afterTone = tone;
    return impl_->inTune ? end - kRunAhead : end;
}

bool TonePlayer::audible() const {
    return true;
}

bool tonesBuiltWithSound() {
    return true;
}

}  // namespace platform
