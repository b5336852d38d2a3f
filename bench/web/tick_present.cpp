// Cost of a tick and its present in the browser: the game on the headless platform (its
// waits cost nothing), the presenter's truecolor bytes, and their hand-over to the page's
// terminal (a game that ends starts again). Prints one JSON line per field: a game at level 1, and a busy field.
#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "bench/busy_game.hpp"
#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/platform/presenter.hpp"
#include "conio/platform/web/host.hpp"
#include "conio/services.hpp"
#include "game/screen.hpp"
#include "game/setup.hpp"
#include "game/tick.hpp"

namespace {

constexpr int kTicks = 3000;

void measure(const char* name, void (*start)(Game&)) {
    platform::HeadlessPlatform headless;
    conio::resetConioState();
    conio::installPlatform(headless);
    Game g;
    start(g);
    std::mt19937 keys(7);
    platform::PresenterOptions options;
    options.colors = platform::ColorMode::TrueColor;
    platform::ShownFrame shown;
    long long bytes = 0;
    // The loop is timed whole: the browser's clock is too coarse for a single tick.
    const auto begin = std::chrono::steady_clock::now();
    for (int tick = 0; tick < kTicks; ++tick) {
        const int key = kPlayKeys[keys() % kPlayKeys.size()];
        if (key >= 0) headless.pushKey(static_cast<std::uint8_t>(key));
        runTick(g);
        const std::string frame = platform::present(shown, headless.screen(), options);
        vexamor_host_write(frame.data(), static_cast<int>(frame.size()));
        bytes += static_cast<long long>(frame.size());
        if (g.state.key == kKeyEsc || g.state.lives < 1) start(g);
        headless.clearRecords();
    }
    const auto spent = std::chrono::steady_clock::now() - begin;
    conio::uninstallPlatform();
    const double micros = std::chrono::duration<double, std::micro>(spent).count() / kTicks;
    std::printf("{\"field\":\"%s\",\"ticks\":%d,\"microsPerTick\":%.1f,\"bytesPerTick\":%.0f}\n", name,
                kTicks, micros, static_cast<double>(bytes) / kTicks);
}

}  // namespace

int main() {
    measure("level1", levelOneGame);
    measure("busy", busyGame);
    return 0;
}
