// Bytes the presenter writes and what a present costs: a full redraw of the game's screen,
// a one-cell change, a typical play frame, and a present with nothing to do.
#include <benchmark/benchmark.h>

#include <string>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/platform/presenter.hpp"
#include "conio/services.hpp"
#include "game/screen.hpp"

namespace {

using platform::Cell;
using platform::ScreenBuffer;

// The game's frame and side panel, drawn by the game's own code.
ScreenBuffer gameScreen() {
    static platform::HeadlessPlatform headless;
    conio::installPlatform(headless);
    conio::resetConioState();
    conio::clrscr();
    drawFrame(ColorScheme{});
    drawHud(GameState{}, ColorScheme{});
    return headless.screen();
}

void put(ScreenBuffer& b, int x, int y, std::uint8_t ch, std::uint16_t attr) {
    b.cells[static_cast<std::size_t>(y * b.width + x)] = Cell{ch, attr};
}

const platform::PresenterOptions kOptions{platform::ColorMode::Ansi16, platform::Layout{true, 0, 0, 25}};

void reportBytes(benchmark::State& state, std::size_t total) {
    state.counters["bytes_per_present"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kAvgIterations);
}

void BM_PresentFullRedraw(benchmark::State& state) {
    const ScreenBuffer screen = gameScreen();
    std::size_t total = 0;
    for (auto _ : state) {
        platform::ShownFrame shown;
        const std::string out = platform::present(shown, screen, kOptions);
        total += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    reportBytes(state, total);
}
BENCHMARK(BM_PresentFullRedraw);

void BM_PresentOneCellChange(benchmark::State& state) {
    ScreenBuffer screen = gameScreen();
    platform::ShownFrame shown;
    platform::present(shown, screen, kOptions);
    std::size_t total = 0;
    bool ship = false;
    for (auto _ : state) {
        ship = !ship;
        put(screen, 24, 20, ship ? 241 : ' ', ship ? 14 : 7);
        const std::string out = platform::present(shown, screen, kOptions);
        total += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    reportBytes(state, total);
}
BENCHMARK(BM_PresentOneCellChange);

// One tick of play: the ship steps, six shots climb, eight enemies wander, two enemy
// shots fall and the score changes on the panel.
void BM_PresentTypicalPlayFrame(benchmark::State& state) {
    ScreenBuffer screen = gameScreen();
    platform::ShownFrame shown;
    platform::present(shown, screen, kOptions);
    std::size_t total = 0;
    int tick = 0;
    for (auto _ : state) {
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
        ++tick;
        const std::string out = platform::present(shown, screen, kOptions);
        total += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    reportBytes(state, total);
}
BENCHMARK(BM_PresentTypicalPlayFrame);

void BM_PresentNothingChanged(benchmark::State& state) {
    const ScreenBuffer screen = gameScreen();
    platform::ShownFrame shown;
    platform::present(shown, screen, kOptions);
    for (auto _ : state) benchmark::DoNotOptimize(platform::present(shown, screen, kOptions));
}
BENCHMARK(BM_PresentNothingChanged);

}  // namespace
