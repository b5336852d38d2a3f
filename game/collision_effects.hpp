#pragma once
// What the collision pass plays and draws itself: its tones, the death animation and
// the GAME OVER screen. Everything else of the pass only changes cells and counters.
#include "game/state.hpp"

// Lengths of the pickup chime and of the loss-of-life tones, in ms.
inline constexpr unsigned kPickupToneMs = 60;
inline constexpr unsigned kPickupHighToneMs = 140;
inline constexpr unsigned kLossToneMs = 150;
inline constexpr unsigned kLossLowToneMs = 400;

// 3000, 900, 3000 Hz, 2 ms each: a shot or the block destroying something.
void playHitTones();
// 800, 800, 3500 Hz: a pickup collected.
void playPickupTones();
// 3000, 3000, 800 Hz: the ship lost.
void playLossTones();
// Eight frames of 30, 31, 16, 17 (twice) at (x, y), 120 ms each, in the current colour.
void playDeathAnimation(int x, int y);
// Blanks the play field, shows "GAME OVER" and the score in messageColor, sets key to
// 27 and holds the picture for 3000 ms.
void showGameOver(GameState& state, const ColorScheme& colors);
