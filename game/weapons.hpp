#pragma once
#include "game/state.hpp"

// Key w or W with a charge: four rows of rising shots across the field.
void fireVolley(PlayField& field, GameState& state);
// Key e or E with a charge: sweeps the field for points, then flashes and blanks it.
void dropBomb(PlayField& field, GameState& state, const ColorScheme& colors);
