// Times the frame sleep on the real console (run it in a console window, or under wine in a
// terminal): frames of 50 ms through the console platform's sleep, as the game's tick loop
// sleeps, each drawing a tick of play first. Reports how late each frame ended past its
// deadline on the timeline (mean, 99th percentile, worst), first on an idle machine, then
// with a spinning thread per processor. The figures go to the file named on the command
// line (standard output when none), after the console is given back.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench/play_frame.hpp"
#include "conio/platform/tone_synth.hpp"
#include "conio/platform/tones.hpp"
#include "conio/platform/windows/console_platform.hpp"
#include "conio/platform/windows/console_session.hpp"
#include "conio/platform/windows/win32_console.hpp"

namespace {

using Clock = std::chrono::steady_clock;

struct Lateness {
    double meanMs = 0;
    double p99Ms = 0;
    double worstMs = 0;
};

Lateness summary(std::vector<double> late) {
    std::sort(late.begin(), late.end());
    Lateness s;
    for (double ms : late) s.meanMs += ms / static_cast<double>(late.size());
    s.p99Ms = late[std::min(late.size() - 1, late.size() * 99 / 100)];
    s.worstMs = late.back();
    return s;
}

// The deadline each sleep waits for is the one the tone timeline gives it; the same timeline
// run beside it, fed the same moments, tells where that was.
Lateness timeFrames(platform::ConsolePort& port, platform::ConsoleBuffer buffer, int frames) {
    platform::TonePlayer tones(true);
    platform::ConsolePlatform windows(port, buffer, tones);
    windows.screen() = gameScreen();
    platform::ToneTimeline timeline;
    std::vector<double> late;
    for (int frame = 0; frame < frames; ++frame) {
        drawPlayTick(windows.screen(), frame);
        const auto deadline = platform::scheduleWait(timeline, Clock::now(), std::chrono::milliseconds(50));
        windows.sleep(50);
        late.push_back(std::chrono::duration<double, std::milli>(Clock::now() - deadline).count());
    }
    return summary(late);
}

Lateness timeFramesBusy(platform::ConsolePort& port, platform::ConsoleBuffer buffer, int frames) {
    std::atomic<bool> stop{false};
    std::vector<std::thread> spinners;
    for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i) {
        spinners.emplace_back([&stop] {
            while (!stop.load(std::memory_order_relaxed)) {
            }
        });
    }
    const Lateness busy = timeFrames(port, buffer, frames);
    stop.store(true);
    for (std::thread& t : spinners) t.join();
    return busy;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
    platform::Win32Console console;
    platform::ConsoleSession session;
    if (!platform::enterSession(console, session)) {
        std::fputs("vexamor-timing-bench: standard output is not a console\n", stderr);
        return 1;
    }
    Lateness idle;
    Lateness busy;
    {
        const platform::TimerResolution resolution;
        idle = timeFrames(console, session.own, frames);
        busy = timeFramesBusy(console, session.own, frames);
    }
    platform::leaveSession(console, session, true);

    FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
    if (out == nullptr) return 1;
    std::fprintf(out, "%d frames of 50 ms, lateness past the deadline:\n", frames);
    std::fprintf(out, "idle:  mean %6.3f ms   p99 %6.3f ms   worst %6.3f ms\n", idle.meanMs, idle.p99Ms, idle.worstMs);
    std::fprintf(out, "busy:  mean %6.3f ms   p99 %6.3f ms   worst %6.3f ms\n", busy.meanMs, busy.p99Ms, busy.worstMs);
    if (out != stdout) std::fclose(out);
    return 0;
}
