#pragma once
// The Windows console's records as plain structs, so that the console logic (key mapping,
// cell conversion, present planning, the session and the platform) builds and is tested on
// any machine. Field for field they are what the console API reads and writes.
#include <cstdint>

#include "conio/platform/screen_buffer.hpp"

namespace platform {

// One cell as WriteConsoleOutputW takes it (CHAR_INFO): a UTF-16 unit and the attribute word.
struct ConsoleChar {
    char16_t ch = u' ';
    std::uint16_t attr = 7;
    friend bool operator==(const ConsoleChar&, const ConsoleChar&) = default;
};

// A key event as ReadConsoleInputW gives it (KEY_EVENT_RECORD).
struct ConsoleKeyEvent {
    bool keyDown = false;
    std::uint16_t repeatCount = 1;
    std::uint16_t virtualKeyCode = 0;
    std::uint16_t virtualScanCode = 0;
    char16_t unicodeChar = 0;
    std::uint32_t controlKeyState = 0;
};

struct ConsoleEvent {
    // FocusLost: a FOCUS_EVENT record of the console window losing focus.
    enum class Kind { Key, Resize, FocusLost, Other };
    Kind kind = Kind::Other;
    ConsoleKeyEvent key;
};

// A screen buffer's size and its visible window (inclusive buffer cells).
struct ConsoleView {
    int columns = 0;
    int rows = 0;
    Rect window;
};

struct CursorShape {
    unsigned size = 25;  // percent of the cell, 1..100
    bool visible = true;
    friend bool operator==(const CursorShape&, const CursorShape&) = default;
};

// Opaque handle of a console screen buffer; 0 is none.
using ConsoleBuffer = std::uintptr_t;

}  // namespace platform
