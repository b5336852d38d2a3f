#pragma once
#include "game/state.hpp"

void drawFrame(const ColorScheme& colors);
void drawHud(const GameState& state, const ColorScheme& colors);
// Draws every Live cell, blanks every Erase cell and sets it Empty.
void renderPlayField(PlayField& field, const ColorScheme& colors);
