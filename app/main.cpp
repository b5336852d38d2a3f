// The program entry: checks the terminal, sets up the terminal platform, runs the program.
#include <cstdio>

#include "app/args.hpp"
#include "conio/platform/posix/terminal_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/state.hpp"

int main(int argc, char** argv) {
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.exitNow) return commandLine.exitStatus;
    if (!platform::stdioIsTerminal()) {
        std::fputs("vexamor: a entrada e a sa\xc3\xad" "da precisam ser um terminal\n", stderr);
        return 1;
    }
    platform::TerminalPlatform terminal(platform::TerminalOptions{.muted = commandLine.muted});
    conio::installPlatform(terminal);
    Game game;
    return runProgram(game);
}
