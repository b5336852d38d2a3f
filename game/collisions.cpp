#include "game/collisions.hpp"

void resolveCollisions(PlayField&, GameState&, const ColorScheme&) {}
