#pragma once
// Helpers for tests of the game on the headless console: a started game, and the screen
// read back at 1-based (column, row) positions as the game writes them.
#include <cstdint>
#include <string>

#include "conio/platform/headless_platform.hpp"
#include "conio/platform/screen_buffer.hpp"
#include "game/setup.hpp"
#include "game/state.hpp"

// A game as set-up leaves it, after the process-start values.
inline Game gameAfterSetUp() {
    Game g;
    startProcess(g);
    setUpGame(g);
    return g;
}

// `count` code page 437 bytes from (x, y) along the row.
inline std::string bytesAt(platform::HeadlessPlatform& p, int x, int y, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += static_cast<char>(platform::cellAt(p.screen(), x - 1 + i, y - 1).ch);
    return out;
}

inline int glyphAt(platform::HeadlessPlatform& p, int x, int y) {
    return platform::cellAt(p.screen(), x - 1, y - 1).ch;
}

inline std::uint16_t attrAt(const platform::HeadlessPlatform& p, int x, int y) {
    return p.attributeAt(x - 1, y - 1);
}

// Attribute of foreground fg on background bg, as the console layer forms it.
constexpr std::uint16_t attr(int fg, int bg = 0) { return static_cast<std::uint16_t>(fg + 16 * bg); }
