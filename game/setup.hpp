#pragma once
#include "game/state.hpp"

// The values set once when the process starts: key 0, resumeKey 32, the menu shown, the
// default colours, blockTimer 20 and the palette. Nothing else is touched.
void startProcess(Game& g);

// Starts a game: the per-game counters and tuning, all nine layers emptied, the generator
// seeded from the clock, the ship placed at (25, 23), the screen cleared with the cursor
// at (1, 1). blockTimer, blockColumn, the colours and the palette carry over.
// Returns the seed it gave the generator.
unsigned setUpGame(Game& g);
