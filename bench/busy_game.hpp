#pragma once
// The games the tick benchmarks play: what a player types, and a field crowded with enemies.
#include <array>

#include "game/screen.hpp"
#include "game/setup.hpp"
#include "game/state.hpp"

// Keys a player sends while playing: arrows (two bytes), fire, and nothing most ticks.
constexpr std::array<int, 8> kPlayKeys{-1, -1, -1, 'a', 'A', 224, 'K', 'M'};

inline void levelOneGame(Game& g) {
    startProcess(g);
    setUpGame(g);
    drawFrame(g.colors);
}

inline void busyGame(Game& g) {
    levelOneGame(g);
    g.tuning.maxEnemies = 40;
    g.tuning.enemySpawnOdds = 1;
    g.tuning.enemyMoveOdds = 5;
}
