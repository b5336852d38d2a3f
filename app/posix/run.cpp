// The POSIX terminal: both ends of standard I/O must be a terminal; the terminal platform
// puts it in raw mode for the run and restores it on every way out.
#include <cstdio>

#include "app/target.hpp"
#include "conio/platform/posix/terminal_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/state.hpp"

int runOnTarget(const CommandLine& commandLine) {
    if (!platform::stdioIsTerminal()) {
        std::fputs("vexamor: a entrada e a sa\xc3\xad" "da precisam ser um terminal\n", stderr);
        return 1;
    }
    platform::TerminalPlatform terminal(platform::TerminalOptions{.muted = commandLine.muted, .colors = commandLine.colors});
    conio::installPlatform(terminal);
    Game game;
    return runProgram(game);
}
