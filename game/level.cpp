#include "game/level.hpp"

#include <cstdint>

#include "game/score.hpp"

namespace {

// A tenth less, truncated: (9n - 1) / 10 matches the fractional rule exactly, including
// the one-lower result for multiples of ten (50 gives 44).
std::int32_t lessATenth(std::int32_t value) {
    return saturate((9 * std::int64_t{value} - 1) / 10);
}

}  // namespace

void checkLevel(GameState& state, Tuning& tuning) {
    if (state.score <= tuning.levelThreshold) return;
    // The next threshold follows the score at the crossing, so a jump sets it higher and
    // at most one level is gained per tick. Computed wide: 9 x score overflows 32 bits
    // long before the score does, and a saturated threshold simply ends the climb.
    tuning.levelThreshold = saturate(9 * std::int64_t{state.score} / 5);
    if (tuning.frameDelay >= 1) tuning.frameDelay = lessATenth(tuning.frameDelay);
    state.level = saturate(std::int64_t{state.level} + 1);
    tuning.maxEnemies = saturate(6 * std::int64_t{tuning.maxEnemies} / 5);
    if (tuning.enemySpawnOdds >= 2) tuning.enemySpawnOdds = lessATenth(tuning.enemySpawnOdds);
    if (tuning.enemyMoveOdds >= 2) tuning.enemyMoveOdds = lessATenth(tuning.enemyMoveOdds);
}
