#include "game/tick.hpp"

#include <array>

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

struct TickStep {
    TickPhase phase;
    void (*run)(Game&);
};

// Every phase after the key read, one line each. Phases never call one another; they meet
// only in the cells and the fields of the game.
constexpr std::array<TickStep, 16> kSteps{{
    {TickPhase::MoveShip, [](Game& g) { moveShip(g.field, g.state); }},
    {TickPhase::AdvanceShots, [](Game& g) { advanceShots(g.field); }},
    {TickPhase::FireNormalShot, [](Game& g) { fireNormalShot(g.field, g.state); }},
    {TickPhase::SpawnEnemy, [](Game& g) { spawnEnemy(g.field, g.state, g.tuning); }},
    {TickPhase::WanderEnemies, [](Game& g) { wanderEnemies(g.field, g.tuning); settleEnemies(g.field); }},
    {TickPhase::AdvanceEnemyShots, [](Game& g) { advanceEnemyShots(g.field); settleEnemyShots(g.field); }},
    {TickPhase::FireEnemyShots, [](Game& g) { fireEnemyShots(g.field, g.tuning); }},
    {TickPhase::FireVolley, [](Game& g) { fireVolley(g.field, g.state); }},
    {TickPhase::DropBomb, [](Game& g) { dropBomb(g.field, g.state, g.colors); }},
    {TickPhase::UpdateBlock, [](Game& g) { updateBlock(g.field, g.state, g.tuning); }},
    {TickPhase::ResolveCollisions, [](Game& g) { resolveCollisions(g.field, g.state, g.colors); }},
    {TickPhase::DrawHud, [](Game& g) { drawHud(g.state, g.colors); }},
    {TickPhase::CheckLevel, [](Game& g) { checkLevel(g.state, g.tuning); }},
    {TickPhase::RollPickups, [](Game& g) { rollPickups(g.field, g.tuning); }},
    {TickPhase::RenderPlayField, [](Game& g) { renderPlayField(g.field, g.colors); }},
    {TickPhase::FrameDelay, [](Game& g) { conio::_sleep(frameDelayMs(g.tuning)); }},
}};

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

bool runTick(Game& g, const PhaseObserver& observe) {
    if (observe) observe(TickPhase::KeyRead);
    if (readTickKey(g.state)) return false;
    for (const TickStep& step : kSteps) {
        if (observe) observe(step.phase);
        step.run(g);
    }
    return true;
}
