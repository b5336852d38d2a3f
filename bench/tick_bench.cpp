// Cost of one tick of play on a busy field, headless, and the bytes the presenter would
// send for it: what a player's terminal receives per frame.
#include <benchmark/benchmark.h>

#include <array>
#include <random>

#include "bench/busy_game.hpp"
#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/platform/presenter.hpp"
#include "conio/services.hpp"
#include "game/screen.hpp"
#include "game/setup.hpp"
#include "game/tick.hpp"

namespace {

void runTicks(benchmark::State& state, bool present) {
    platform::HeadlessPlatform headless;
    conio::resetConioState();
    conio::installPlatform(headless);
    Game g;
    busyGame(g);
    std::mt19937 keys(7);
    platform::ShownFrame shown;
    platform::present(shown, headless.screen(), {});
    std::int64_t bytes = 0;
    std::int64_t ticks = 0;
    for (auto _ : state) {
        const int key = kPlayKeys[keys() % kPlayKeys.size()];
        if (key >= 0) headless.pushKey(static_cast<std::uint8_t>(key));
        runTick(g);
        if (present) bytes += static_cast<std::int64_t>(platform::present(shown, headless.screen(), {}).size());
        ++ticks;
        if (g.state.key == kKeyEsc || g.state.lives < 1) {
            state.PauseTiming();
            busyGame(g);
            state.ResumeTiming();
        }
        headless.clearRecords();
    }
    state.counters["bytesPerTick"] = benchmark::Counter(present ? static_cast<double>(bytes) / static_cast<double>(ticks) : 0.0);
    conio::uninstallPlatform();
}

void BM_TickBusyField(benchmark::State& state) { runTicks(state, false); }
void BM_TickBusyFieldPresented(benchmark::State& state) { runTicks(state, true); }

}  // namespace

BENCHMARK(BM_TickBusyField);
BENCHMARK(BM_TickBusyFieldPresented);
