#pragma once
#include "game/state.hpp"

// The ship moves one cell per arrow code in state.key, through the console cursor.
void moveShip(PlayField& field, GameState& state);
// Every player shot rises one row; a shot on row 2 leaves the field.
void advanceShots(PlayField& field);
// Key a or A places a shot above the ship (with the point-blank rule).
void fireNormalShot(PlayField& field, GameState& state);
