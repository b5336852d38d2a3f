// The program entry: checks the terminal, sets up the terminal platform, runs the program.
#include <cstdio>

#include "conio/platform/terminal_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/state.hpp"

int main() {
    if (!platform::stdioIsTerminal()) {
        std::fputs("vexamor: a entrada e a sa\xc3\xad" "da precisam ser um terminal\n", stderr);
        return 1;
    }
    platform::TerminalPlatform terminal(platform::TerminalOptions{.muted = false});
    conio::installPlatform(terminal);
    Game game;
    return runProgram(game);
}
