#include "game/tick.hpp"

#include "conio/services.hpp"
#include "game/block.hpp"
#include "game/collisions.hpp"
#include "game/enemies.hpp"
#include "game/level.hpp"
#include "game/pickups.hpp"
#include "game/screen.hpp"
#include "game/ship.hpp"
#include "game/weapons.hpp"

namespace {

// A delay below zero cannot be waited; it is taken as no delay rather than as a huge one.
unsigned frameDelayMs(const Tuning& tuning) {
    return tuning.frameDelay > 0 ? static_cast<unsigned>(tuning.frameDelay) : 0u;
}

}  // namespace

bool readTickKey(GameState& state) {
    state.key = 0;
    state.resumeKey = kKeySpace;
    // A player who looked away finds the game paused, exactly as if space had been pressed.
    // Keys typed before looking away are read first, one per tick.
    if (conio::_kbhit()) {
        state.key = static_cast<std::int8_t>(conio::_getch());
    } else if (conio::takeFocusLoss()) {
        state.key = static_cast<std::int8_t>(kKeySpace);
    }
    return state.key == kKeySpace;
}

// Phases never call one another; they meet only in the cells and the fields of the game.
void runTickPhases(Game& g) {
    moveShip(g.field, g.state);
    advanceShots(g.field);
    fireNormalShot(g.field, g.state);
    spawnEnemy(g.field, g.state, g.tuning);
    wanderEnemies(g.field, g.tuning);
    settleEnemies(g.field);
    advanceEnemyShots(g.field);
    settleEnemyShots(g.field);
    fireEnemyShots(g.field, g.tuning);
    fireVolley(g.field, g.state);
    dropBomb(g.field, g.state, g.colors);
    updateBlock(g.field, g.state, g.tuning);
    resolveCollisions(g.field, g.state, g.colors);
    drawHud(g.state, g.colors);
    checkLevel(g.state, g.tuning);
    rollPickups(g.field, g.tuning);
    renderPlayField(g.field, g.colors);
    conio::_sleep(frameDelayMs(g.tuning));
}

bool runTick(Game& g) {
    if (readTickKey(g.state)) return false;
    runTickPhases(g);
    return true;
}
