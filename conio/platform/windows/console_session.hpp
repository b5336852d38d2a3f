#pragma once
// The console as the game needs it for a run, and as the player had it afterwards: a screen
// buffer of the session's own, active for the run, so the player's buffer and its
// scrollback come back untouched; the input modes for raw keys; both restored on every way
// out (a normal end, Ctrl-C, Ctrl-Break, closing the window, a crash).
#include <cstdint>
#include <mutex>

#include "conio/platform/windows/console_port.hpp"

namespace platform {

// Console mode bits (the console API's values).
constexpr std::uint32_t kEnableProcessedInput = 0x0001;
constexpr std::uint32_t kEnableLineInput = 0x0002;
constexpr std::uint32_t kEnableEchoInput = 0x0004;
constexpr std::uint32_t kEnableWindowInput = 0x0008;
constexpr std::uint32_t kEnableMouseInput = 0x0010;
constexpr std::uint32_t kEnableQuickEditMode = 0x0040;
constexpr std::uint32_t kEnableExtendedFlags = 0x0080;
constexpr std::uint32_t kEnableVirtualTerminalInput = 0x0200;

// The input mode for the run: keys one by one without echo (no line input), size changes
// reported (window input), no Quick Edit (a click would freeze the output until a key) and no
// mouse or VT input. Ctrl-C stays processed, so it reaches the control handler.
std::uint32_t sessionInputMode(std::uint32_t original);

struct ConsoleSession {
    ConsoleBuffer original = 0;  // the player's active buffer
    ConsoleView originalView;
    ConsoleBuffer own = 0;       // the session's buffer; the player's own if none could be made
    bool ownCreated = false;
    bool haveInputMode = false;
    std::uint32_t inputMode = 0;
    bool haveOutputMode = false;
    std::uint32_t outputMode = 0;
    bool haveCursor = false;
    CursorShape cursor;
    bool active = false;
    std::mutex restoring;  // leaveSession may run on the control handler's thread
};

// Saves what it will change, then sets the input mode and makes a buffer of columns x rows
// active (the window first shrunk to fit it, then set to show all of it). False when standard
// output is not a console buffer at all.
bool enterSession(ConsolePort& port, ConsoleSession& session, int columns, int rows);

// Makes the player's buffer active again with its modes and cursor, and restores the input
// mode. Safe from any thread and more than once: only the first call acts; a second waits
// until the first has finished. The session's buffer is closed only when closeOwn is set
// (a handler ending the process leaves that to the system).
void leaveSession(ConsolePort& port, ConsoleSession& session, bool closeOwn);

}  // namespace platform
