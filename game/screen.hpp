#pragma once
#include "game/state.hpp"

void drawFrame(const ColorScheme& colors);
void drawHud(const GameState& state, const ColorScheme& colors);
// Draws every Live cell, blanks every Erase cell and sets it Empty.
void renderPlayField(PlayField& field, const ColorScheme& colors);

// A blank at every play-field position (x 2..49, y 2..24), column by column, in the
// current colours; the frame and the side panel are left alone.
void blankPlayField();
// The play field blanked, then `message` at (20, 12) and "<score> PONTOS" at (20, 14) in
// messageColor: what GAME OVER and the farewell show.
void showFieldMessage(const char* message, std::int32_t score, const ColorScheme& colors);
