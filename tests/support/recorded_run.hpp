#pragma once
// A run of the whole program on the headless platform with every game recorded: a first game
// with a bomb, pauses (one held over another key), a focus-loss pause, arrows as two bytes and
// ESC in a pause; then a second game of the same run left alone until its lives are lost.
#include <cstdint>
#include <vector>

#include "conio/platform/headless_platform.hpp"
#include "game/flow.hpp"
#include "game/recorder.hpp"

// When the second game is surely over; the keys that leave its farewell and quit come then.
inline constexpr std::int64_t kSecondGameOverByMs = 200'000;

inline std::vector<Recording> playRecordedRun(platform::HeadlessPlatform& platform) {
    platform.setEpochSeconds(1'796'911'387);
    platform.scheduleKeys(0, "2");
    platform.scheduleKeys(1000, "a");
    platform.scheduleKeys(1100, "\xE0H");  // the up arrow, prefix and code in two ticks
    platform.scheduleKeys(1300, "aw");
    platform.scheduleKeys(1500, "e");      // the bomb, whose flash takes a while
    platform.scheduleKeys(5000, " ");      // pause,
    platform.scheduleKeys(5500, "x");      // still paused,
    platform.scheduleKeys(6000, " ");      // resumed
    platform.scheduleFocusLoss(8000);      // paused by looking away,
    platform.scheduleKeys(9000, " ");      // resumed
    platform.scheduleKeys(10000, "a\xE0K");
    platform.scheduleKeys(11000, " ");
    platform.scheduleKeys(11500, "\x1b");  // ESC in the pause: the farewell
    platform.scheduleKeys(12000, "k2");    // leaves it; the second game
    platform.scheduleKeys(kSecondGameOverByMs, "k\x1b");  // leaves its farewell; quits in the menu
    std::vector<Recording> recordings;
    Game g;
    runProgram(g, recorderObserver("1.0.0", [&](const Recording& r) { recordings.push_back(r); }));
    return recordings;
}
