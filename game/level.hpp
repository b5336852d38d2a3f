#pragma once
#include "game/state.hpp"

// A score above the threshold gains one level and speeds the game up.
void checkLevel(GameState& state, Tuning& tuning);
