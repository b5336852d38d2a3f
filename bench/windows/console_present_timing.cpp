// Times presents on the real console (run it in a console window, or under wine in a
// terminal): what one WriteConsoleOutputW costs per call and per cell, and microseconds per
// present of the console platform for a full redraw and a typical play frame, with the
// plan it chooses and with each way forced. The figures go to the file named on the command
// line (standard output when none), after the console is given back.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/play_frame.hpp"
#include "conio/platform/tones.hpp"
#include "conio/platform/windows/console_platform.hpp"
#include "conio/platform/windows/console_session.hpp"
#include "conio/platform/windows/win32_console.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double microsSince(Clock::time_point start, int count) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

double writeMicros(platform::ConsolePort& port, platform::ConsoleBuffer buffer, int width, int height, int count) {
    const std::vector<platform::ConsoleChar> cells(static_cast<std::size_t>(width * height), {u'x', 14});
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) port.writeCells(buffer, cells, platform::Rect{i % 8, 2, i % 8 + width - 1, 1 + height});
    return microsSince(start, count);
}

double playFrameMicros(platform::ConsolePort& port, platform::ConsoleBuffer buffer, platform::WriteCost cost, int count) {
    platform::TonePlayer tones(true);
    platform::ConsolePlatform windows(port, buffer, tones, cost);
    windows.screen() = gameScreen();
    windows.present();
    const auto start = Clock::now();
    for (int tick = 0; tick < count; ++tick) {
        drawPlayTick(windows.screen(), tick);
        windows.present();
    }
    return microsSince(start, count);
}

double fullRedrawMicros(platform::ConsolePort& port, platform::ConsoleBuffer buffer, int count) {
    platform::TonePlayer tones(true);
    platform::ConsolePlatform windows(port, buffer, tones);
    windows.screen() = gameScreen();
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        for (auto& cell : windows.screen().cells) cell.attr = static_cast<std::uint16_t>(cell.attr ^ 0x10);
        windows.present();
    }
    return microsSince(start, count);
}

}  // namespace

int main(int argc, char** argv) {
    platform::Win32Console console;
    platform::ConsoleSession session;
    if (!platform::enterSession(console, session)) {
        std::fputs("vexamor-console-bench: standard output is not a console\n", stderr);
        return 1;
    }
    const int n = 300;
    const double oneCell = writeMicros(console, session.own, 1, 1, n);
    const double oneRow = writeMicros(console, session.own, 48, 1, n);
    const double screen = writeMicros(console, session.own, 80, 23, n);
    const double perCell = (screen - oneCell) / (80 * 23 - 1);
    const double chosen = playFrameMicros(console, session.own, platform::kConsoleWriteCost, n);
    const double runs = playFrameMicros(console, session.own, platform::WriteCost{1.0, 1e9}, n);
    const double box = playFrameMicros(console, session.own, platform::WriteCost{1.0, 0.0}, n);
    const double full = fullRedrawMicros(console, session.own, n / 3);
    platform::leaveSession(console, session, true);

    FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
    if (out == nullptr) return 1;
    std::fprintf(out, "WriteConsoleOutputW, 1 cell:       %8.1f us per call\n", oneCell);
    std::fprintf(out, "WriteConsoleOutputW, 48 x 1:       %8.1f us per call\n", oneRow);
    std::fprintf(out, "WriteConsoleOutputW, 80 x 23:      %8.1f us per call\n", screen);
    std::fprintf(out, "per cell beyond the first:         %8.3f us (a call costs about %.0f cells)\n", perCell,
                 perCell > 0 ? oneCell / perCell : 0.0);
    std::fprintf(out, "present, play frame, chosen plan:  %8.1f us\n", chosen);
    std::fprintf(out, "present, play frame, runs only:    %8.1f us\n", runs);
    std::fprintf(out, "present, play frame, one box:      %8.1f us\n", box);
    std::fprintf(out, "present, full redraw:              %8.1f us\n", full);
    if (out != stdout) std::fclose(out);
    return 0;
}
