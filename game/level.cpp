#include "game/level.hpp"

void checkLevel(GameState&, Tuning&) {}
