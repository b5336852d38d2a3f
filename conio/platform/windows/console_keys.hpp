#pragma once
// Console key events to the bytes a console program's getch returns for them.
#include <string>

#include "conio/platform/windows/console_types.hpp"

namespace platform {

// The key bytes of one event: nothing for a key release, a modifier key's own key-down
// (Shift, Ctrl, Alt, ...) or a dead key. Arrows, Home, End, PgUp, PgDn, Ins, Del, F11 and F12 are 224 then their
// code, F1..F10 are 0 then 59..68; Enter 13, Backspace 8, ESC 27. A character goes through
// code page 437, '?' where the page has none.
std::string keyBytes(const ConsoleKeyEvent& event);

// How many presses the event stands for: an auto-repeated key counts each repeat, bounded
// by what the key queue could hold anyway. 0 for a release.
int pressCount(const ConsoleKeyEvent& event);

}  // namespace platform
