#pragma once
#include "game/state.hpp"

// Resolves every overlap of x 1..49, y 1..24, column by column: hits, scores, pickups,
// the loss of a life and GAME OVER (which sets state.key to 27).
void resolveCollisions(PlayField& field, GameState& state, const ColorScheme& colors);
