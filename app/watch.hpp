#pragma once
// Watching a recording: the recorded game played again through the program flow on the
// installed platform, at its own pace, with its tones, animations and farewell. Between
// ticks the viewer's space pauses and resumes the playback and ESC stops it.
#include <string>

#include "game/recording.hpp"

enum class WatchEnd {
    Matched,  // the game ended as recorded: same seed, score, level, ticks and ending
    Differs,  // it did not: the file does not hold the game it claims
    Stopped,  // the viewer stopped it
};

struct Watched {
    WatchEnd end = WatchEnd::Stopped;
    std::string differences;  // with Differs, what differs ("score 1200 (recorded 1234)")
};

// Plays the recording on the installed platform, which is installed again afterwards. After
// the farewell it waits for the viewer's key, as the game does; a stopped playback returns
// at once.
Watched watchRecording(const Recording& recording);
