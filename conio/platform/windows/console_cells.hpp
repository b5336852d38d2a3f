#pragma once
// What a present writes to a Windows console: the cells converted for WriteConsoleOutputW
// and the rectangles that carry the changes, planned without touching a console.
#include <vector>

#include "conio/platform/screen_buffer.hpp"
#include "conio/platform/windows/console_types.hpp"

namespace platform {

// The glyph of the cell's code page 437 byte as UTF-16, never through the console's own code
// page, and the attribute word unchanged (the console shows its flag bits, such as 0x4000
// reverse video and 0x8000 underscore, itself).
ConsoleChar consoleChar(Cell cell);

// What one WriteConsoleOutputW costs: a fixed part per call and a part per cell written,
// in the same unit. The plan that costs least is chosen.
struct WriteCost {
    double perCall = 1.0;
    double perCell = 0.0;
};
// The cost the platform plans with (see console_cells.cpp).
extern const WriteCost kConsoleWriteCost;

// The rectangles (inclusive, in cells of a width x height grid) that turn `shown` into
// `next`, both row-major: either the runs of changed cells on each row, runs a few cells
// apart joined when writing the gap is cheaper than another call, or one rectangle around
// every change, whichever costs less. Empty when nothing changed. Unchanged cells outside
// the rectangles are never written, and every changed cell is inside one.
std::vector<Rect> planWrites(const std::vector<Cell>& shown, const std::vector<Cell>& next, int width,
                             int height, WriteCost cost = kConsoleWriteCost);

// The cells of `rect` (inclusive, inside the grid) of a row-major grid, converted.
std::vector<ConsoleChar> consoleChars(const std::vector<Cell>& cells, int width, Rect rect);

}  // namespace platform
