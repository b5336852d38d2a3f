#pragma once
// The console as the game needs it for a run, and as the player had it afterwards: a screen
// buffer of the session's own, active for the run and as large as the window the player
// has (the window is never resized: a pseudo console cannot be, and the player chose it),
// so the player's buffer and its scrollback come back untouched; the input modes for raw
// keys; all restored on every way out (a normal end, Ctrl-C, Ctrl-Break, closing the
// window, a crash).
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
// Output mode: the classic console draws the grid and underscore attribute bits only with it.
constexpr std::uint32_t kEnableLvbGridWorldwide = 0x0010;

// The input mode for the run: keys one by one without echo (no line input), size changes
// reported (window input), no Quick Edit (a click would freeze the output until a key) and no
// mouse or VT input. Ctrl-C stays processed, so it reaches the control handler.
std::uint32_t sessionInputMode(std::uint32_t original);

bool sameView(const ConsoleView& a, const ConsoleView& b);

// Gives `buffer` the size columns x rows and the window `window` in the order the classic
// console accepts (the window shrunk or moved inside the new size first, the buffer sized,
// then the window grown), the window kept within the largest the console allows. On a
// pseudo console only the buffer is sized: its window is the terminal's, and setting it
// would only change the console's idea of the size, not the terminal's.
void sizeBuffer(ConsolePort& port, ConsoleBuffer buffer, int columns, int rows, Rect window);

// Makes the buffer exactly as large as its window, with the window at its top-left: no
// scrollback to scroll into. True when anything had to change.
bool fitBufferToWindow(ConsolePort& port, ConsoleBuffer buffer);

struct ConsoleSession {
    ConsoleBuffer original = 0;  // the player's active buffer
    ConsoleView originalView;
    bool pseudo = false;
    bool haveCodePage = false;
    unsigned codePage = 0;
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

// Saves what it will change, then sets the input mode and makes a buffer of the player's
// window size active, underline drawn where the console can. False when standard output is
// not a console buffer at all.
bool enterSession(ConsolePort& port, ConsoleSession& session);

// Makes the player's buffer active again with its size, window, modes and cursor, and
// restores the input mode and output code page. Safe from any thread and more than once:
// only the first call acts; a second waits until the first has finished. The session's
// buffer is closed only when closeOwn is set (a handler ending the process leaves that to
// the system).
void leaveSession(ConsolePort& port, ConsoleSession& session, bool closeOwn);

}  // namespace platform
