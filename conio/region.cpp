#include "conio/region.hpp"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <span>

#include "conio/conio.hpp"
#include "conio/services.hpp"

namespace conio {
namespace {

using platform::Cell;
using platform::Rect;
using platform::ScreenBuffer;

constexpr std::size_t kCellBytes = 4;

ScreenBuffer& screen() { return activePlatform().screen(); }

int widthOf(Rect r) { return r.right - r.left + 1; }
int heightOf(Rect r) { return r.bottom - r.top + 1; }

// False for a rectangle that is inverted as given or once its corners are truncated:
// such a rectangle reads and writes nothing. Truncation never makes a rectangle larger
// than the caller's, so the caller's cell buffer always holds it.
bool bufferRect(int left, int top, int right, int bottom, Rect& r) {
    r = Rect{consoleColumn(left), consoleRow(top), consoleColumn(right), consoleRow(bottom)};
    return left <= right && top <= bottom && widthOf(r) > 0 && heightOf(r) > 0;
}

// A working copy of a rectangle's cells from the heap. Taken without throwing: when the
// storage cannot be had the block is null and the operation does nothing at all.
using Block = std::unique_ptr<Cell[]>;

std::size_t cellCount(Rect r) { return static_cast<std::size_t>(widthOf(r)) * static_cast<std::size_t>(heightOf(r)); }
Block takeBlock(Rect r) { return Block(new (std::nothrow) Cell[cellCount(r)]); }
std::span<Cell> cellsOf(const Block& block, Rect r) { return {block.get(), cellCount(r)}; }

// The caller's layout: character, a byte left alone, then the attribute in native order.
void loadCells(const std::uint8_t* in, std::span<Cell> cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i].ch = in[i * kCellBytes];
        std::memcpy(&cells[i].attr, in + i * kCellBytes + 2, sizeof cells[i].attr);
    }
}

void storeCells(std::span<const Cell> cells, std::uint8_t* out) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out[i * kCellBytes] = cells[i].ch;
        std::memcpy(out + i * kCellBytes + 2, &cells[i].attr, sizeof cells[i].attr);
    }
}

// The band of the window from the cursor's row down to the window's last row. False when
// the cursor's row is not a row of the window: the line operations never touch rows
// outside it.
bool bandFromCursor(const ScreenBuffer& buffer, Rect& band) {
    band = Rect{__CONIO_LEFT, buffer.cursorY, __CONIO_LEFT + __text_info.winwidth - 1,
                __CONIO_TOP + __text_info.winheight - 1};
    return buffer.cursorY >= __CONIO_TOP && buffer.cursorY <= band.bottom;
}

// Deleting or inserting on the window's last row blanks that row, as on any other row:
// the band is then that one row, and it is shifted out and refilled.
void shiftLines(int dy) {
    refreshWindow();
    ScreenBuffer& buffer = screen();
    const int x = buffer.cursorX;
    const int y = buffer.cursorY;
    Rect band;
    if (bandFromCursor(buffer, band)) {
        platform::scrollBand(buffer, band, dy, Cell{32, currentAttribute()});
    }
    platform::moveCursor(buffer, x, y);
}

}  // namespace

void clreol() {
    refreshWindow();
    ScreenBuffer& buffer = screen();
    const int x = buffer.cursorX;
    const int y = buffer.cursorY;
    const int count = __text_info.winwidth - __text_info.cursorx + 1;
    if (count > 0) platform::fillChars(buffer, x, y, count, 32);
    platform::moveCursor(buffer, x, y);
}

void delline() { shiftLines(-1); }

void insline() { shiftLines(1); }

// The screen buffer's rectangle copies read and write only the cells inside it. A cell
// whose source lies outside was never read, so its destination keeps what it shows: the
// block starts as a copy of the destination, then takes the whole source before any write.
void movetext(int left, int top, int right, int bottom, int newleft, int newtop) {
    refreshWindow();
    Rect source;
    if (!bufferRect(left, top, right, bottom, source)) return;
    Block block = takeBlock(source);
    if (!block) return;
    const std::span<Cell> cells = cellsOf(block, source);
    ScreenBuffer& buffer = screen();
    const int destLeft = consoleColumn(newleft);
    const int destTop = consoleRow(newtop);
    const Rect dest{destLeft, destTop, destLeft + widthOf(source) - 1, destTop + heightOf(source) - 1};
    platform::readRect(buffer, dest, cells);
    platform::readRect(buffer, source, cells);
    refreshWindow();
    platform::writeRect(buffer, dest, cells);
}

// Cells outside the screen buffer are not read; the caller's buffer keeps what it held there.
void _conio_gettext(int left, int top, int right, int bottom, void* buffer) {
    refreshWindow();
    Rect r;
    if (!bufferRect(left, top, right, bottom, r)) return;
    Block block = takeBlock(r);
    if (!block) return;
    const std::span<Cell> cells = cellsOf(block, r);
    auto* out = static_cast<std::uint8_t*>(buffer);
    loadCells(out, cells);
    platform::readRect(screen(), r, cells);
    storeCells(cells, out);
}

void puttext(int left, int top, int right, int bottom, const void* buffer) {
    refreshWindow();
    Rect r;
    if (!bufferRect(left, top, right, bottom, r)) return;
    Block block = takeBlock(r);
    if (!block) return;
    const std::span<Cell> cells = cellsOf(block, r);
    loadCells(static_cast<const std::uint8_t*>(buffer), cells);
    platform::writeRect(screen(), r, cells);
}

}  // namespace conio
