// What a present costs the Windows console platform, on a fake console that counts the
// console calls: a full redraw of the game's screen and a typical play frame, with the plan
// the platform chooses and with each of its two ways forced (runs of changed cells on each
// row; one rectangle around every change). Timed on the real console by the Windows build's
// vexamor-console-bench.exe.
#include <benchmark/benchmark.h>

#include "bench/play_frame.hpp"
#include "conio/platform/tones.hpp"
#include "conio/platform/windows/console_platform.hpp"
#include "tests/support/fake_console.hpp"

namespace {

using platform::WriteCost;

const WriteCost kRunsOnly{1.0, 1e9};      // a cell costs more than any call: changed cells only
const WriteCost kBoundingBox{1.0, 0.0};   // cells are free: always one rectangle

void report(benchmark::State& state, const FakeConsole& console, int callsBefore, long long cellsBefore) {
    state.counters["calls_per_present"] =
        benchmark::Counter(console.writeCalls - callsBefore, benchmark::Counter::kAvgIterations);
    state.counters["cells_per_present"] = benchmark::Counter(static_cast<double>(console.cellsWritten - cellsBefore),
                                                             benchmark::Counter::kAvgIterations);
}

void presentFullRedraw(benchmark::State& state) {
    FakeConsole console;
    platform::TonePlayer tones(true);
    platform::ConsolePlatform windows(console, 1, tones);
    windows.screen() = gameScreen();
    for (auto _ : state) {
        // Every cell changes: the whole screen between two colour schemes.
        for (auto& cell : windows.screen().cells) cell.attr = static_cast<std::uint16_t>(cell.attr ^ 0x10);
        windows.present();
    }
    report(state, console, 0, 0);
}
BENCHMARK(presentFullRedraw)->Name("BM_ConsolePresentFullRedraw");

void presentPlayFrame(benchmark::State& state, WriteCost cost) {
    FakeConsole console;
    platform::TonePlayer tones(true);
    platform::ConsolePlatform windows(console, 1, tones, cost);
    windows.screen() = gameScreen();
    windows.present();
    const int callsBefore = console.writeCalls;
    const long long cellsBefore = console.cellsWritten;
    int tick = 0;
    for (auto _ : state) {
        drawPlayTick(windows.screen(), tick++);
        windows.present();
    }
    report(state, console, callsBefore, cellsBefore);
}
BENCHMARK_CAPTURE(presentPlayFrame, chosen, platform::kConsoleWriteCost)->Name("BM_ConsolePresentPlayFrame/chosen");
BENCHMARK_CAPTURE(presentPlayFrame, runs, kRunsOnly)->Name("BM_ConsolePresentPlayFrame/runs");
BENCHMARK_CAPTURE(presentPlayFrame, box, kBoundingBox)->Name("BM_ConsolePresentPlayFrame/box");

}  // namespace
