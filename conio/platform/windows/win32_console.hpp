#pragma once
// The real Windows console behind ConsolePort, and the process-wide pieces of a session:
// the check that both ends of standard I/O are a console, the UTF-8 output code page for
// printed text, and the restore on Ctrl-C, Ctrl-Break, closing the window and a crash.
#include "conio/platform/windows/console_port.hpp"
#include "conio/platform/windows/console_session.hpp"
#include "conio/platform/windows/win32_timing.hpp"

namespace platform {

class Win32Console final : public ConsolePort {
public:
    Win32Console();

    ConsoleBuffer standardOutput() override;
    bool pseudoConsole() override { return pseudo_; }
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
    bool largestWindow(ConsoleBuffer buffer, int& columns, int& rows) override;
    bool outputCodePage(unsigned& codePage) override;
    bool setOutputCodePage(unsigned codePage) override;
    bool writeCells(ConsoleBuffer buffer, const std::vector<ConsoleChar>& cells, Rect target) override;
    bool waitForInput(int timeoutMs) override;
    bool waitForInputUntil(std::chrono::steady_clock::time_point end) override;
    void readInput(std::vector<ConsoleEvent>& events) override;

private:
    void* input_;
    void* output_;
    bool pseudo_;
    PreciseTimer timer_;
};

// True when standard input and standard output are both a console.
bool stdioIsConsole();

// Text printed to a console on stdout or stderr goes out as UTF-8 (the console would read
// the bytes in its own code page otherwise); restoreConsoleOutputCodePage writes out what is
// waiting and puts the player's code page back.
void useUtf8ConsoleOutput();
void restoreConsoleOutputCodePage();

// From now on Ctrl-C, Ctrl-Break, closing the console window and an unhandled crash leave
// the session (on the console the handler runs on, from any thread) before the process
// ends: with 0xC000013A, as a console program ended by Ctrl-C, or with the crash's own code.
void installEmergencyRestore(ConsolePort& port, ConsoleSession& session);
void removeEmergencyRestore();

}  // namespace platform
