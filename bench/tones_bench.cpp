// The tone player against the real clock, muted so that no device is involved: how late the
// machine wakes the game after a tone's deadline, and how long runs of tones really take
// next to the length their timeline gives them. The tests check the timeline itself on a
// clock they move; these are the figures a loaded machine changes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "conio/platform/tones.hpp"

namespace {

using platform::ToneClock;

double msBetween(ToneClock::time_point from, ToneClock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// One tone of 2 ms, waited for as play() does: the counter is how long after its deadline
// the wait returned. The synthesiser's 20 ms lead-in hides lateness below that; more is
// heard as a longer pause.
void BM_ToneWakeUpLateness(benchmark::State& state) {
    platform::TonePlayer player(true);
    double lateMs = 0;
    double worstMs = 0;
    for (auto _ : state) {
        const ToneClock::time_point deadline = player.schedule(3000, 2);
        std::this_thread::sleep_until(deadline);
        const double late = msBetween(deadline, ToneClock::now());
        lateMs += late;
        worstMs = std::max(worstMs, late);
    }
    state.counters["lateMs"] = benchmark::Counter(lateMs / static_cast<double>(state.iterations()));
    state.counters["worstLateMs"] = benchmark::Counter(worstMs);
}

// A run of tones and rests played through: the counter is how much longer it took than the
// sum of its lengths (the timeline keeps that to the last wake-up's lateness).
void playRun(benchmark::State& state, int count, unsigned toneMs, unsigned restMs) {
    const double lengthMs = count * static_cast<double>(toneMs + restMs);
    double overMs = 0;
    for (auto _ : state) {
        platform::TonePlayer player(true);
        const ToneClock::time_point start = ToneClock::now();
        for (int i = 0; i < count; ++i) {
            player.play(i % 2 == 0 ? 3000 : 5000, toneMs);
            if (restMs > 0) player.rest(restMs);
        }
        const double tookMs = msBetween(start, ToneClock::now());
        overMs += tookMs - lengthMs;
        state.SetIterationTime(tookMs / 1000);
    }
    state.counters["overMs"] = benchmark::Counter(overMs / static_cast<double>(state.iterations()));
}

// The bomb's flash: 150 tones of 2 ms, 300 ms in all.
void BM_ShortToneRun(benchmark::State& state) { playRun(state, 150, 2, 0); }
// The intro's pattern, shortened: ten tones of 25 ms, each followed by 10 ms of rest.
void BM_ToneAndRestPattern(benchmark::State& state) { playRun(state, 10, 25, 10); }

}  // namespace

BENCHMARK(BM_ToneWakeUpLateness)->Iterations(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShortToneRun)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToneAndRestPattern)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
