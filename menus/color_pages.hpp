#pragma once
#include <cstdint>

#include "game/state.hpp"

// One pass of the colour page settingsPage (1..6): reads at most one key into `key`,
// draws the page, acts on 75, 77 and 13, sleeps 50 ms.
void colorPagePass(int& settingsPage, std::int8_t& key, ColorScheme& colors, const Palette& palette);
