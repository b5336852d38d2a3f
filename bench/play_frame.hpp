#pragma once
// The screens the present benchmarks draw: the game's frame and side panel, and one tick of
// play on it (the ship steps, six shots climb, eight enemies wander, two enemy shots fall
// and the score changes on the panel).
#include <string>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "game/screen.hpp"

inline platform::ScreenBuffer gameScreen() {
    static platform::HeadlessPlatform headless;
    conio::installPlatform(headless);
    conio::resetConioState();
    conio::clrscr();
    drawFrame(ColorScheme{});
    drawHud(GameState{}, ColorScheme{});
    return headless.screen();
}

inline void put(platform::ScreenBuffer& b, int x, int y, std::uint8_t ch, std::uint16_t attr) {
    b.cells[static_cast<std::size_t>(y * b.width + x)] = platform::Cell{ch, attr};
}

inline void drawPlayTick(platform::ScreenBuffer& screen, int tick) {
    const int step = tick % 2;
    put(screen, 20 + step, 22, 241, 14);
    put(screen, 21 - step, 22, ' ', 7);
    for (int s = 0; s < 6; ++s) {
        const int x = 5 + s * 7;
        const int y = 20 - (tick + s) % 18;
        put(screen, x, y, 179, 8);
        put(screen, x, y + 1, ' ', 7);
    }
    for (int e = 0; e < 8; ++e) {
        const int x = 4 + e * 5 + (tick + e) % 2;
        put(screen, x, 3 + e, 2, 2);
        put(screen, x + ((tick + e) % 2 ? -1 : 1), 3 + e, ' ', 7);
    }
    for (int s = 0; s < 2; ++s) {
        put(screen, 12 + s * 20, 5 + tick % 15, 25, 5);
        put(screen, 12 + s * 20, 4 + tick % 15, ' ', 7);
    }
    const std::string score = std::to_string(1000 + tick);
    for (std::size_t i = 0; i < score.size(); ++i) {
        put(screen, 60 + static_cast<int>(i), 20, static_cast<std::uint8_t>(score[i]), 8);
    }
}
