#include "game/ship.hpp"

void moveShip(PlayField&, GameState&) {}
void advanceShots(PlayField&) {}
void fireNormalShot(PlayField&, GameState&) {}
