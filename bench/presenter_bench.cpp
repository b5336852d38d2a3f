// Bytes the presenter writes and what a present costs: a full redraw of the game's screen,
// a one-cell change, a typical play frame, and a present with nothing to do.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/play_frame.hpp"
#include "conio/platform/presenter.hpp"

namespace {

using platform::Cell;
using platform::ScreenBuffer;

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

// One tick of play (see play_frame.hpp).
void BM_PresentTypicalPlayFrame(benchmark::State& state) {
    ScreenBuffer screen = gameScreen();
    platform::ShownFrame shown;
    platform::present(shown, screen, kOptions);
    std::size_t total = 0;
    int tick = 0;
    for (auto _ : state) {
        drawPlayTick(screen, tick);
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
