// Bytes per second that busy play sends to an 80 x 25 terminal in each colour mode: the
// game headless on its virtual clock, shown by the presenter wherever the terminal
// platform shows it (before every sleep and tone, and when a key read finds none waiting).
#include <benchmark/benchmark.h>

#include <random>

#include "bench/busy_game.hpp"
#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/platform/presenter.hpp"
#include "conio/services.hpp"
#include "game/tick.hpp"

namespace {

using platform::ColorMode;

// The headless platform, presenting where the terminal platform would.
class PresentingPlatform final : public platform::Platform {
public:
    explicit PresentingPlatform(ColorMode colors) : options_{colors, platform::Layout{true, 0, 0, 25}} {}

    platform::ScreenBuffer& screen() override { return headless.screen(); }
    bool keyWaiting() override {
        if (!headless.keyWaiting()) present();
        return headless.keyWaiting();
    }
    std::uint8_t readKey() override {
        if (!headless.keyWaiting()) present();
        return headless.readKey();
    }
    bool takeFocusLoss() override { return headless.takeFocusLoss(); }
    void beep(unsigned frequencyHz, unsigned durationMs) override {
        present();
        headless.beep(frequencyHz, durationMs);
    }
    void sleep(unsigned durationMs) override {
        present();
        headless.sleep(durationMs);
    }
    std::int64_t clockSeconds() override { return headless.clockSeconds(); }

    platform::HeadlessPlatform headless;
    std::int64_t bytes = 0;

private:
    void present() { bytes += static_cast<std::int64_t>(platform::present(shown_, headless.screen(), options_).size()); }

    platform::PresenterOptions options_;
    platform::ShownFrame shown_;
};

// A player's key stream on a game of level one, or on a field crowded with wandering,
// firing enemies; a game that ends starts again. Only ticks count: the first full repaint
// is left out.
void playBytes(benchmark::State& state, ColorMode colors, void (*newGame)(Game&)) {
    PresentingPlatform terminal(colors);
    conio::resetConioState();
    conio::installPlatform(terminal);
    Game g;
    newGame(g);
    terminal.sleep(0);
    const std::int64_t startBytes = terminal.bytes;
    const std::int64_t startMs = terminal.headless.nowMs();
    std::mt19937 keys(7);
    for (auto _ : state) {
        const int key = kPlayKeys[keys() % kPlayKeys.size()];
        if (key >= 0) terminal.headless.pushKey(static_cast<std::uint8_t>(key));
        runTick(g);
        if (g.state.key == kKeyEsc || g.state.lives < 1) newGame(g);
        terminal.headless.clearRecords();
    }
    const double seconds = static_cast<double>(terminal.headless.nowMs() - startMs) / 1000.0;
    const double bytes = static_cast<double>(terminal.bytes - startBytes);
    state.counters["bytesPerSecond"] = benchmark::Counter(seconds > 0 ? bytes / seconds : 0.0);
    state.counters["bytesPerTick"] = benchmark::Counter(bytes, benchmark::Counter::kAvgIterations);
    conio::uninstallPlatform();
}

void levelOneBytes(benchmark::State& state, ColorMode colors) { playBytes(state, colors, levelOneGame); }
void busyFieldBytes(benchmark::State& state, ColorMode colors) { playBytes(state, colors, busyGame); }

BENCHMARK_CAPTURE(levelOneBytes, ansi16, ColorMode::Ansi16)->Iterations(20000);
BENCHMARK_CAPTURE(levelOneBytes, palette256, ColorMode::Palette256)->Iterations(20000);
BENCHMARK_CAPTURE(levelOneBytes, truecolor, ColorMode::TrueColor)->Iterations(20000);
BENCHMARK_CAPTURE(levelOneBytes, linuxConsole, ColorMode::LinuxConsole)->Iterations(20000);
BENCHMARK_CAPTURE(busyFieldBytes, ansi16, ColorMode::Ansi16)->Iterations(20000);
BENCHMARK_CAPTURE(busyFieldBytes, palette256, ColorMode::Palette256)->Iterations(20000);
BENCHMARK_CAPTURE(busyFieldBytes, truecolor, ColorMode::TrueColor)->Iterations(20000);
BENCHMARK_CAPTURE(busyFieldBytes, linuxConsole, ColorMode::LinuxConsole)->Iterations(20000);

}  // namespace
