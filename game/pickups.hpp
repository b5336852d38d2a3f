#pragma once
#include "game/state.hpp"

// Four draws every tick: roll, column, row, sweep.
void rollPickups(PlayField& field, const Tuning& tuning);
