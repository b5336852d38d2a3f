#pragma once
// The run-time services the game relies on: keyboard, tones, delays, the clock, random
// numbers and formatted output at the console cursor. All go through the installed platform.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "conio/platform/platform.hpp"

namespace conio {

// The platform every service and console operation uses; installed before the first call.
void installPlatform(platform::Platform& platform);
// Back to the built-in headless platform (tests call it when their platform goes away).
void uninstallPlatform();
platform::Platform& activePlatform();

int _kbhit();                                        // nonzero when a key is waiting; consumes nothing
int _getch();                                        // waits, consumes and returns one byte (0..255)
// True once for a focus loss that no key has followed since (see Platform::takeFocusLoss).
bool takeFocusLoss();
void _beep(unsigned frequencyHz, unsigned durationMs);  // returns when the tone has ended
void _sleep(unsigned durationMs);
std::int64_t time(std::int64_t* out);                // seconds of the clock; out may be null

// The classic 15-bit linear congruential generator: state 1 before any srand;
// rand() sets state = state * 214013 + 2531011 (mod 2^32) and returns (state >> 16) & 0x7FFF.
int rand();
void srand(unsigned seed);

// Tests script the random numbers a rule draws: while scripted values remain, rand()
// returns them in order instead of stepping the generator.
void scriptRand(std::initializer_list<int> values);
void scriptRand(std::span<const int> values);
std::size_t scriptedRandLeft();
void clearRandScript();
std::uint64_t randDraws();  // how many times rand() has been called since the last srand or reset
void resetRandForTests();   // state 1, no script, draw count 0

// Formatted output at the cursor in the current attribute. Only "%c", "%C", "%i", "%%"
// and plain text: "%c" and "%C" write the low 8 bits of their argument as one byte
// (never a locale conversion), "%i" a signed decimal. Every byte but '\n' is a glyph.
void formatOutput(const char* format, std::span<const int> arguments);
template <typename... Args>
void printf(const char* format, Args... arguments) {
    const int values[sizeof...(Args) + 1] = {static_cast<int>(arguments)..., 0};
    formatOutput(format, std::span<const int>(values, sizeof...(Args)));
}

// Direct console writes at the cursor in the current attribute.
void _cputs(const char* text);
void _putch(int ch);

}  // namespace conio
