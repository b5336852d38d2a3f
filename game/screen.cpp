#include "game/screen.hpp"

void drawFrame(const ColorScheme&) {}
void drawHud(const GameState&, const ColorScheme&) {}
void renderPlayField(PlayField&, const ColorScheme&) {}
