#pragma once
// One line of the replay trace: a JSON object with the tick's counters, its tones and
// sleeps, and every non-zero cell of the nine layers. Other tools read this format.
#include <string>
#include <vector>

#include "conio/platform/headless_platform.hpp"
#include "game/state.hpp"

std::string traceLine(long long tick, const Game& g, const std::vector<platform::ToneRecord>& tones,
                      const std::vector<platform::SleepRecord>& sleeps);
