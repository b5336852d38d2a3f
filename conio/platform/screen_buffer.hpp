#pragma once
// The in-memory text console: the only truth about what the screen shows.
// Coordinates here are 0-based buffer cells (x column, y row). Nothing here can write
// outside the grid, whatever it is given.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Cell {
    std::uint8_t ch = ' ';      // code page 437 byte
    std::uint16_t attr = 7;     // foreground bits 0..3, background 4..7, flags above
    friend bool operator==(const Cell&, const Cell&) = default;
};

// Inclusive rectangle of buffer cells.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ScreenBuffer {
    int width = 80;
    int height = 25;
    std::vector<Cell> cells = std::vector<Cell>(80 * 25);  // row-major
    int cursorX = 0;
    int cursorY = 0;
    std::uint16_t attribute = 7;       // attribute of text written from now on
    Rect window{0, 0, 79, 24};         // visible window inside the buffer
    bool wrapPending = false;          // the last write filled the bottom-right cell
    int cursorSize = 0;                // 0 hidden; 1..100 visible, percent of the cell
};

ScreenBuffer makeScreenBuffer(int width, int height);

bool inBuffer(const ScreenBuffer& buffer, int x, int y);
// The cell at (x, y); a blank in attribute 0 outside the buffer.
Cell cellAt(const ScreenBuffer& buffer, int x, int y);
// Sets one cell; ignored outside the buffer.
void putCell(ScreenBuffer& buffer, int x, int y, Cell cell);

// Moves the cursor; a position outside the buffer is refused (false) and leaves it.
bool moveCursor(ScreenBuffer& buffer, int x, int y);
void setAttribute(ScreenBuffer& buffer, std::uint16_t attribute);

// Fill a run of `count` cells from (x, y), going on at the start of the next rows,
// stopping at the end of the buffer. One changes the characters only, the other the
// attributes only. Neither moves the cursor.
void fillChars(ScreenBuffer& buffer, int x, int y, int count, std::uint8_t ch);
void fillAttributes(ScreenBuffer& buffer, int x, int y, int count, std::uint16_t attr);

// Writes bytes at the cursor in the current attribute. Every byte is a glyph except
// '\n' (column 0 of the next row). The cursor wraps at the right edge; writing the
// bottom-right cell leaves the wrap pending instead of scrolling, and only another
// byte (or '\n') on the last row scrolls the buffer up one row, filled with blanks
// in the current attribute.
void writeBytes(ScreenBuffer& buffer, std::string_view bytes);

// Shifts the contents of `band` (clipped to the buffer) by dy rows (negative: up).
// Rows uncovered inside the band take `fill`; what leaves the band is lost.
void scrollBand(ScreenBuffer& buffer, Rect band, int dy, Cell fill);

// Rectangle copies in row order, clipped to the buffer: readRect writes `out[i]` only
// for the cells of `rect` that lie inside the buffer (out must hold the rectangle's
// width x height cells); writeRect writes only those cells. An inverted rectangle
// does nothing.
void readRect(const ScreenBuffer& buffer, Rect rect, std::span<Cell> out);
void writeRect(ScreenBuffer& buffer, Rect rect, std::span<const Cell> cells);

// Row y's bytes (code page 437), and as UTF-8 with byte 0 shown as a blank.
std::string rowBytes(const ScreenBuffer& buffer, int y);
std::string rowText(const ScreenBuffer& buffer, int y);

}  // namespace platform
