#pragma once
// Tones on the sound device through SDL2's audio subsystem. With no device, when muted,
// or when built without SDL2, each tone is a silent wait of the same length. Either way
// play() returns when the tone has ended on one wall-clock timeline, so a run of short
// tones keeps its exact total length.
#include <chrono>
#include <memory>

namespace platform {

class TonePlayer {
public:
    explicit TonePlayer(bool muted);
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    void play(unsigned frequencyHz, unsigned durationMs);
    // Silent waits are joined to the same timeline (so a sleep between tones is exact).
    void rest(unsigned durationMs);
    // Queues a tone (frequency 0: a rest, heard as silence between tones) on the timeline
    // without waiting, and returns the moment to wait for: where it ends there (the web's
    // runs ahead of its sound through a tune). play() and rest() are this followed by a
    // wait; a caller that must keep reading input waits on its own.
    std::chrono::steady_clock::time_point schedule(unsigned frequencyHz, unsigned durationMs);
    bool audible() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// True when this build sounds tones through SDL2, false when it was built silent.
bool tonesBuiltWithSound();

}  // namespace platform
