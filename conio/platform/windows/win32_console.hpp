#pragma once
// The real Windows console behind ConsolePort, and the process-wide pieces of a session:
// the check that both ends of standard I/O are a console, the UTF-8 output code page for
// printed text, the 1 ms timer resolution, and the restore on Ctrl-C, Ctrl-Break, closing
// the window and a crash.
#include "conio/platform/windows/console_port.hpp"
#include "conio/platform/windows/console_session.hpp"

namespace platform {

class Win32Console final : public ConsolePort {
public:
    Win32Console();

    ConsoleBuffer standardOutput() override;
    ConsoleBuffer createBuffer() override;
    void closeBuffer(ConsoleBuffer buffer) override;
    bool setActiveBuffer(ConsoleBuffer buffer) override;
    bool inputMode(std::uint32_t& mode) override;
    bool setInputMode(std::uint32_t mode) override;
    bool outputMode(ConsoleBuffer buffer, std::uint32_t& mode) override;
    bool setOutputMode(ConsoleBuffer buffer, std::uint32_t mode) override;
    bool cursorShape(ConsoleBuffer buffer, CursorShape& shape) override;
    bool setCursorShape(ConsoleBuffer buffer, CursorShape shape) override;
    bool setCursorPosition(ConsoleBuffer buffer, int column, int row) override;
    bool view(ConsoleBuffer buffer, ConsoleView& view) override;
    bool setBufferSize(ConsoleBuffer buffer, int columns, int rows) override;
    bool setWindow(ConsoleBuffer buffer, Rect window) override;
    bool writeCells(ConsoleBuffer buffer, const std::vector<ConsoleChar>& cells, Rect target) override;
    bool waitForInput(int timeoutMs) override;
    void readInput(std::vector<ConsoleEvent>& events) override;

private:
    void* input_;
    void* output_;
};

// True when standard input and standard output are both a console.
bool stdioIsConsole();

// Text printed to a console on stdout or stderr goes out as UTF-8 (the console would read
// the bytes in its own code page otherwise); restoreConsoleOutputCodePage writes out what is
// waiting and puts the player's code page back.
void useUtf8ConsoleOutput();
void restoreConsoleOutputCodePage();

// Timer resolution of 1 ms while it lives, so sleeps and waits end on time.
struct TimerResolution {
    TimerResolution();
    ~TimerResolution();
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;
};

// From now on Ctrl-C, Ctrl-Break, closing the console window and an unhandled crash leave
// the session (on the console the handler runs on, from any thread) before the process
// ends: with 0xC000013A, as a console program ended by Ctrl-C, or with the crash's own code.
void installEmergencyRestore(ConsolePort& port, ConsoleSession& session);
void removeEmergencyRestore();

}  // namespace platform
