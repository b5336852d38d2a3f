#pragma once
#include "game/state.hpp"

// Step 1: key 0 and resumeKey 32, then the waiting key byte, if any, into key; with no key
// waiting, a focus loss reads as a space. Returns true when that key is a space: the tick
// ends there and play pauses.
bool readTickKey(GameState& state);

// The tick's phases after its key read, in their fixed order, then the frame delay.
void runTickPhases(Game& g);

// One tick: the key read, then every phase in its fixed order, then the frame delay.
// Returns false when a space ended it at the key read (nothing after the read ran).
// ESC is no phase's business: a tick that reads it runs to its end.
bool runTick(Game& g);
