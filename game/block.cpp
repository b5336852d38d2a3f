#include "game/block.hpp"

void updateBlock(PlayField&, GameState&, const Tuning&) {}
