#pragma once
// A game as fast and crowded as level 21 makes it, with blocks and pickups on nearly every
// chance, so that every phase meets every other. Shared by the long random-play tests and
// the soak, which each add the lives and charges they need.
#include "game/setup.hpp"
#include "game/state.hpp"

// What turns a game just set up into the crowded one.
inline void crowdGame(Game& g) {
    g.state.level = 21;
    g.state.volleyCharges = 40;
    g.tuning.frameDelay = 0;
    g.tuning.enemySpawnOdds = 1;
    g.tuning.enemyMoveOdds = 1;
    g.tuning.enemyFireOdds = 1;
    g.tuning.blockSpawnOdds = 1;
    g.tuning.pickupOdds = 100;
    g.tuning.maxEnemies = 374;
}

inline void setUpCrowdedGame(Game& g) {
    setUpGame(g);
    crowdGame(g);
}
