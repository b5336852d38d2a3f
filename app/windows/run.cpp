// The Windows console: both ends of standard I/O must be a console. The session gives the
// game a console buffer of its own and raw keys, and puts the player's console back on
// every way out.
#include <cstdio>

#include "app/program_run.hpp"
#include "app/target.hpp"
#include "conio/platform/tones.hpp"
#include "conio/platform/windows/console_platform.hpp"
#include "conio/platform/windows/console_session.hpp"
#include "conio/platform/windows/win32_console.hpp"
#include "conio/services.hpp"

namespace {

// Before main: --help and --version print Portuguese in UTF-8, and a console shows it as such.
const bool utf8ConsoleOutput = (platform::useUtf8ConsoleOutput(), true);

// The player's code page is back for the rest of the run, whatever way the run ends.
struct CodePageRestore {
    ~CodePageRestore() { platform::restoreConsoleOutputCodePage(); }
} codePageRestore;

}  // namespace

int runOnTarget(const CommandLine& commandLine) {
    (void)utf8ConsoleOutput;
    ProgramRun run;
    if (!prepareRun(commandLine, run)) return 2;
    if (!platform::stdioIsConsole()) {
        std::fputs("vexamor: a entrada e a sa\xc3\xad" "da precisam ser um console\n", stderr);
        return 1;
    }
    platform::restoreConsoleOutputCodePage();
    platform::Win32Console console;
    platform::ConsoleSession session;
    platform::installEmergencyRestore(console, session);  // before the first change to the console
    if (!platform::enterSession(console, session)) {
        platform::removeEmergencyRestore();
        std::fputs("vexamor: n\xc3\xa3o foi poss\xc3\xadvel preparar o console\n", stderr);
        return 1;
    }
    int status = 0;
    {
        const platform::TimerResolution timer;
        platform::TonePlayer tones(commandLine.muted);
        platform::ConsolePlatform windows(console, session.own, tones);
        conio::installPlatform(windows);
        status = playRun(run);
        conio::uninstallPlatform();
    }
    platform::leaveSession(console, session, true);
    platform::removeEmergencyRestore();
    return finishRun(run, status);
}
