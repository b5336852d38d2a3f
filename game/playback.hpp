#pragma once
// Playing a recording again through the program flow: its set-up values into the game, its
// keys one per tick, and what the replayed game did compared with what the file says.
#include <cstdint>
#include <functional>
#include <string>

#include "game/observer.hpp"
#include "game/recording.hpp"

struct ReplayedGame {
    std::uint32_t seed = 0;       // what set-up gave srand this time
    std::int32_t score = 0;
    std::int32_t level = 0;
    std::int64_t ticks = 0;
    GameEnd ended = GameEnd::Stopped;
};

// After startProcess, before playGame: what the recorded game took over and its colours. The
// caller also sets the platform's clock to the recording's seed.
void prepareReplay(Game& g, const Recording& recording);

// Plays the recorded keys: before each tick its key through pushKey (none when the tick read
// none); a pause ends at once with a space, or with ESC after the last tick of a game that
// ESC ended in a pause. Stops the game when the keys are used up. `replayed` follows the game
// and must outlive the play.
GameObserver playbackObserver(const Recording& recording, std::function<void(std::uint8_t)> pushKey,
                              ReplayedGame& replayed);

// Empty when the replay gave the recording's seed, score, level, ticks and ending; otherwise
// each that differs, as "score 1200 (recorded 1234)".
std::string replayDifferences(const Recording& recording, const ReplayedGame& replayed);
