// vexamor-replay: runs one game headless from a seed and one key per tick, and prints a
// JSON line per tick (and, with --screen, the final screen).
#include <cstdio>
#include <string>
#include <vector>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/platform/standard_output.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/screen.hpp"
#include "game/setup.hpp"
#include "game/tick.hpp"
#include "tools/replay/options.hpp"
#include "tools/replay/trace.hpp"

namespace {

// In the game a space pauses; here the pause is taken as ended at once by a second space,
// which clears the screen and draws the frame again before play goes on.
void resumeAtOnce(Game& g) {
    conio::textcolor(g.colors.messageColor);
    conio::gotoxy(75, 24);
    conio::printf("PAUSE");
    conio::clrscr();
    drawFrame(g.colors);
}

void run(const ReplayOptions& options, platform::HeadlessPlatform& headless) {
    Game g;
    startProcess(g);
    headless.setEpochSeconds(options.seed);  // set-up seeds the generator with time(NULL)
    setUpGame(g);
    drawFrame(g.colors);
    for (long long tick = 1; tick <= options.ticks; ++tick) {
        headless.clearRecords();
        const std::size_t index = static_cast<std::size_t>(tick - 1);
        if (index < options.keys.size() && options.keys[index]) headless.pushKey(*options.keys[index]);
        const bool ranToEnd = runTick(g);
        const std::string line = traceLine(tick, g, headless.tones(), headless.sleeps());
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        if (g.state.key == kKeyEsc) break;
        if (!ranToEnd) resumeAtOnce(g);
    }
    if (!options.screen) return;
    for (int y = 0; y < 25; ++y) std::printf("|%s\n", headless.row(y).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    // The trace is compared byte for byte with other builds' traces: "\n" line ends everywhere.
    platform::useBinaryStandardOutput();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedOptions parsed = parseReplayOptions(arguments);
    if (!parsed.options) {
        std::fprintf(stderr, "vexamor-replay: %s\n", parsed.error.c_str());
        return 2;
    }
    platform::HeadlessPlatform headless(80, 25);
    conio::installPlatform(headless);
    run(*parsed.options, headless);
    conio::uninstallPlatform();
    return std::fflush(stdout) == 0 ? 0 : 1;
}
