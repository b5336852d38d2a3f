#pragma once
#include "game/state.hpp"

// The falling block's clear check, fall, growth, timer advance and spawn roll, in that order.
void updateBlock(PlayField& field, GameState& state, const Tuning& tuning);
