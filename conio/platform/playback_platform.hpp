#pragma once
// A recorded game shown on a real platform: the screen, tones and sleeps are the shown
// platform's, but the game's keys are the ones pushed here (a recording's, tick by tick)
// and its clock stands still at the recording's seed. The viewer's own keys stay on the
// shown platform, for whoever watches to read between ticks.
#include <cstdint>
#include <deque>

#include "conio/platform/platform.hpp"

namespace platform {

class PlaybackPlatform final : public Platform {
public:
    PlaybackPlatform(Platform& shown, std::int64_t clockSeconds) : shown_(shown), clockSeconds_(clockSeconds) {}

    ScreenBuffer& screen() override { return shown_.screen(); }
    bool keyWaiting() override { return !keys_.empty(); }
    // A pushed key; with none, the viewer's own key from the shown platform (the farewell
    // waits for the viewer, as it waits for the player).
    std::uint8_t readKey() override;
    // Focus losses are in the recorded keys already: a loss the player had is a space there.
    bool takeFocusLoss() override { return false; }
    void beep(unsigned frequencyHz, unsigned durationMs) override { shown_.beep(frequencyHz, durationMs); }
    void sleep(unsigned durationMs) override { shown_.sleep(durationMs); }
    std::int64_t clockSeconds() override { return clockSeconds_; }

    void pushKey(std::uint8_t byte) { keys_.push_back(byte); }
    Platform& shown() { return shown_; }

private:
    Platform& shown_;
    std::int64_t clockSeconds_;
    std::deque<std::uint8_t> keys_;
};

}  // namespace platform
