#pragma once
// A game seen from outside: the replay tool, the fuzzer, the soak and the recorder pass an
// observer to the program flow instead of running ticks themselves.
#include <cstdint>
#include <functional>

#include "game/state.hpp"

// What a game takes over from the one before it.
struct CarriedOver {
    std::int32_t blockTimer = GameState{}.blockTimer;
    std::int32_t blockColumn = GameState{}.blockColumn;
};

enum class GameEnd {
    GameOver,    // the last life was lost
    Esc,         // a tick read ESC
    EscInPause,  // ESC ended a pause: no tick ran after the one that paused
    Stopped,     // the observer ended it between ticks: no pause, no farewell
};

struct GameStart {
    unsigned seed = 0;   // what set-up gave srand
    CarriedOver carried;
    ColorScheme colors;
};

// Every callback may be empty.
struct GameObserver {
    // After set-up, before the frame is drawn; a tool may still change the game here.
    std::function<void(Game&, const GameStart&)> started;
    // Before each tick's key read: a tool queues that tick's key here. False ends the game
    // there instead, before the tick.
    std::function<bool(Game&)> tickStarts;
    // After each tick's key read, before its phases: state.key is the key the tick read (a
    // space for a focus loss). A recorder keeps it here, since GAME OVER later in the same
    // tick sets state.key to 27.
    std::function<void(const Game&)> keyRead;
    // After each tick, also one that a space ended at its key read. False ends the game at
    // once, before any pause or farewell.
    std::function<bool(const Game&)> tickEnded;
    // Once a game has ended: with the farewell on the screen, before it waits for its key
    // (at once when stopped).
    std::function<void(const Game&, GameEnd)> ended;
};

// Both observers see the game, first before second; a stop asked by either ends it (the
// second is not asked then).
GameObserver bothObservers(GameObserver first, GameObserver second);

// The carried-over values of a game as it stands.
inline CarriedOver carriedFrom(const GameState& state) { return {state.blockTimer, state.blockColumn}; }
