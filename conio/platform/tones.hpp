#pragma once
// Tones on the sound device (SDL2's audio on a terminal, waveOut on Windows, Web Audio in
// the page). With no device, when muted, or when built without sound, each tone is a
// silent wait of the same length. Either way play() returns when the tone has ended on one
// timeline, so a run of short tones keeps its exact total length.
#include <functional>
#include <memory>

#include "conio/platform/tone_synth.hpp"

namespace platform {

// Where the player reads the moment a tone or rest is scheduled at. The game uses the
// steady clock; a test hands in a clock it moves itself and checks the deadlines exactly.
using ToneClockSource = std::function<ToneClock::time_point()>;
ToneClockSource steadyToneClock();

class TonePlayer {
public:
    explicit TonePlayer(bool muted, ToneClockSource now = steadyToneClock());
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    void play(unsigned frequencyHz, unsigned durationMs);
    // Silent waits are joined to the same timeline (so a sleep between tones is exact).
    void rest(unsigned durationMs);
    // Queues a tone (frequency 0: a rest, heard as silence between tones) on the timeline
    // at the clock source's present moment without waiting, and returns the moment to wait
    // for: where it ends there (the web's runs ahead of its sound through a tune). play()
    // and rest() are this followed by a wait on the steady clock; a caller that must keep
    // reading input waits on its own.
    ToneClock::time_point schedule(unsigned frequencyHz, unsigned durationMs);
    bool audible() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    ToneClockSource now_;
};

// True when this build sounds tones through SDL2, false when it was built silent.
bool tonesBuiltWithSound();

}  // namespace platform
