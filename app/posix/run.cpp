// The POSIX terminal: both ends of standard I/O must be a terminal; the terminal platform
// puts it in raw mode for the run and restores it on every way out.
#include <cstdio>

#include "app/program_run.hpp"
#include "app/target.hpp"
#include "conio/platform/posix/terminal_platform.hpp"
#include "conio/services.hpp"

int runOnTarget(const CommandLine& commandLine) {
    ProgramRun run;
    if (!prepareRun(commandLine, run)) return 2;
    if (!platform::stdioIsTerminal()) {
        std::fputs("vexamor: a entrada e a sa\xc3\xad" "da precisam ser um terminal\n", stderr);
        return 1;
    }
    int status = 0;
    {
        platform::TerminalPlatform terminal(platform::TerminalOptions{.muted = commandLine.muted, .colors = commandLine.colors});
        conio::installPlatform(terminal);
        status = playRun(run);
        conio::uninstallPlatform();
    }
    return finishRun(run, status);  // the terminal is restored: its messages stay readable
}
