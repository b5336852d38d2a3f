#pragma once
// The console calls the Windows platform makes, one function per console API call, so that
// the session and the platform run on the real console (win32_console.cpp) and on a fake
// one in tests. Results are reported, never thrown; a call that cannot be made fails.
#include <chrono>
#include <cstdint>
#include <vector>

#include "conio/platform/windows/console_types.hpp"

namespace platform {

class ConsolePort {
public:
    virtual ~ConsolePort() = default;

    // The screen buffer standard output writes to, active when the program starts.
    virtual ConsoleBuffer standardOutput() = 0;
    // True when the console is a pseudo console (Windows Terminal and other terminals): its
    // window is the terminal's and no program can size it.
    virtual bool pseudoConsole() = 0;
    // CreateConsoleScreenBuffer; 0 when it fails.
    virtual ConsoleBuffer createBuffer() = 0;
    virtual void closeBuffer(ConsoleBuffer buffer) = 0;
    virtual bool setActiveBuffer(ConsoleBuffer buffer) = 0;

    virtual bool inputMode(std::uint32_t& mode) = 0;
    virtual bool setInputMode(std::uint32_t mode) = 0;
    virtual bool outputMode(ConsoleBuffer buffer, std::uint32_t& mode) = 0;
    virtual bool setOutputMode(ConsoleBuffer buffer, std::uint32_t mode) = 0;
    virtual bool cursorShape(ConsoleBuffer buffer, CursorShape& shape) = 0;
    virtual bool setCursorShape(ConsoleBuffer buffer, CursorShape shape) = 0;
    virtual bool setCursorPosition(ConsoleBuffer buffer, int column, int row) = 0;

    // GetConsoleScreenBufferInfo's size and window.
    virtual bool view(ConsoleBuffer buffer, ConsoleView& view) = 0;
    virtual bool setBufferSize(ConsoleBuffer buffer, int columns, int rows) = 0;
    virtual bool setWindow(ConsoleBuffer buffer, Rect window) = 0;
    // GetLargestConsoleWindowSize: the largest window the screen and font allow.
    virtual bool largestWindow(ConsoleBuffer buffer, int& columns, int& rows) = 0;

    // GetConsoleOutputCP and SetConsoleOutputCP.
    virtual bool outputCodePage(unsigned& codePage) = 0;
    virtual bool setOutputCodePage(unsigned codePage) = 0;

    // WriteConsoleOutputW of `cells` (row-major, exactly the rectangle's size) into `target`.
    virtual bool writeCells(ConsoleBuffer buffer, const std::vector<ConsoleChar>& cells, Rect target) = 0;

    // Waits up to timeoutMs (-1: without end) for console input; true when some is waiting.
    virtual bool waitForInput(int timeoutMs) = 0;
    // Waits until `end` at the latest for console input, to the timer's finest resolution.
    virtual bool waitForInputUntil(std::chrono::steady_clock::time_point end) = 0;
    // Reads the input events waiting now, without blocking, appended to `events`.
    virtual void readInput(std::vector<ConsoleEvent>& events) = 0;
};

}  // namespace platform
