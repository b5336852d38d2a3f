#pragma once
#include "game/state.hpp"

void spawnEnemy(PlayField& field, GameState& state, const Tuning& tuning);
void wanderEnemies(PlayField& field, const Tuning& tuning);
void settleEnemies(PlayField& field);
void advanceEnemyShots(PlayField& field);
void settleEnemyShots(PlayField& field);
void fireEnemyShots(PlayField& field, const Tuning& tuning);

// An enemy destroyed at (x, y), by whatever rule: its cell Erase, its glyph gone, one
// enemy fewer on the field.
void destroyEnemy(PlayField& field, GameState& state, int x, int y);
