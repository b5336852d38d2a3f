#include "game/specials.hpp"

void fireVolley(PlayField&, GameState&) {}
void dropBomb(PlayField&, GameState&, const ColorScheme&) {}
