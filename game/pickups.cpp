#include "game/pickups.hpp"

void rollPickups(PlayField&, const Tuning&) {}
