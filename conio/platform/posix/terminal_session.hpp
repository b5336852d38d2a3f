#pragma once
// The terminal's raw mode and screen modes for the life of the program, restored on every
// way out: a normal return, a terminating signal, a crash, and Ctrl-Z (re-entered on SIGCONT).
#include <string_view>

namespace platform {

// True when standard input and standard output are both terminals.
bool stdioIsTerminal();

struct TerminalSize {
    int columns = 0;  // 0 when the terminal does not say
    int rows = 0;
};

// What the signal handlers have noticed since the last look.
struct TerminalEvents {
    bool resized = false;
    bool continued = false;  // back from a stop: the terminal is in cooked mode and shows anything
};

// Writes all of `bytes` with one write() loop (short writes and interruptions resumed).
// False when the descriptor fails for good.
bool writeAll(int fd, std::string_view bytes);

// One per process. Enters raw mode (no echo, no line editing, no flow control, no CR/NL
// translation, signals kept), the alternate screen, a hidden cursor and no autowrap, and
// installs the signal handlers; the destructor undoes all of it exactly. active() is false
// when standard input is not a terminal (then nothing was changed).
class TerminalSession {
public:
    explicit TerminalSession(bool linuxConsole);
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    bool active() const { return active_; }
    // Readable when a signal has something to report; poll it beside standard input.
    int wakeFd() const;
    TerminalEvents takeEvents();
    // After a stop: raw mode and the screen modes again, the Ctrl-Z handler back.
    void reenter();
    TerminalSize size() const;
    // The cursor was given a shape, so leaving puts back the terminal's default one.
    void noteCursorShaped();

private:
    bool active_ = false;
};

}  // namespace platform
