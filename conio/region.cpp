#include "conio/region.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

// The cells of a rectangle that lie inside the buffer, as half-open index ranges
// [x0, x1) x [y0, y1) counted from the rectangle's top-left corner.
struct Span {
    int x0, x1, y0, y1;
};

Span clipSpan(const ScreenBuffer& buffer, Rect r) {
    return Span{std::max(0, -r.left), std::min(widthOf(r), buffer.width - r.left),
                std::max(0, -r.top), std::min(heightOf(r), buffer.height - r.top)};
}

Span intersect(Span a, Span b) {
    return Span{std::max(a.x0, b.x0), std::min(a.x1, b.x1), std::max(a.y0, b.y0),
                std::min(a.y1, b.y1)};
}

// A working block in the caller's layout: 4 x width x height bytes from the heap.
std::uint8_t* takeBlock(Rect r) {
    const std::size_t cells = static_cast<std::size_t>(widthOf(r)) * heightOf(r);
    return static_cast<std::uint8_t*>(std::malloc(cells * kCellBytes));
}

void storeCell(std::uint8_t* at, Cell cell) {
    at[0] = cell.ch;
    std::memcpy(at + 2, &cell.attr, sizeof cell.attr);
}

Cell loadCell(const std::uint8_t* at) {
    Cell cell;
    cell.ch = at[0];
    std::memcpy(&cell.attr, at + 2, sizeof cell.attr);
    return cell;
}

template <typename Visit>
void forEachCell(Span span, int width, Visit visit) {
    for (int y = span.y0; y < span.y1; ++y) {
        for (int x = span.x0; x < span.x1; ++x) {
            visit(x, y, static_cast<std::size_t>(y) * width + x);
        }
    }
}

// Reads the span's cells of r into `out` (caller's layout, second byte left alone)
// through a working block. False when the block cannot be had: nothing is copied then.
bool readCells(const ScreenBuffer& buffer, Rect r, Span span, std::uint8_t* out) {
    std::uint8_t* block = takeBlock(r);
    if (block == nullptr) return false;
    const int width = widthOf(r);
    forEachCell(span, width, [&](int x, int y, std::size_t i) {
        storeCell(block + i * kCellBytes, platform::cellAt(buffer, r.left + x, r.top + y));
    });
    forEachCell(span, width, [&](int, int, std::size_t i) {
        storeCell(out + i * kCellBytes, loadCell(block + i * kCellBytes));
    });
    std::free(block);
    return true;
}

// Writes the span's cells of r from `in` (caller's layout, second byte ignored) through
// a working block; nothing is written when the block cannot be had.
void writeCells(ScreenBuffer& buffer, Rect r, Span span, const std::uint8_t* in) {
    std::uint8_t* block = takeBlock(r);
    if (block == nullptr) return;
    const int width = widthOf(r);
    forEachCell(span, width, [&](int, int, std::size_t i) {
        storeCell(block + i * kCellBytes, loadCell(in + i * kCellBytes));
    });
    forEachCell(span, width, [&](int x, int y, std::size_t i) {
        platform::putCell(buffer, r.left + x, r.top + y, loadCell(block + i * kCellBytes));
    });
    std::free(block);
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

void movetext(int left, int top, int right, int bottom, int newleft, int newtop) {
    refreshWindow();
    Rect source;
    if (!bufferRect(left, top, right, bottom, source)) return;
    std::uint8_t* saved = takeBlock(source);
    if (saved == nullptr) return;
    ScreenBuffer& buffer = screen();
    const Span read = clipSpan(buffer, source);
    if (readCells(buffer, source, read, saved)) {
        refreshWindow();
        const int destLeft = consoleColumn(newleft);
        const int destTop = consoleRow(newtop);
        const Rect dest{destLeft, destTop, destLeft + widthOf(source) - 1,
                        destTop + heightOf(source) - 1};
        // A cell whose source lies outside the buffer was never read; its destination
        // keeps what it shows rather than taking unread memory.
        writeCells(buffer, dest, intersect(read, clipSpan(buffer, dest)), saved);
    }
    std::free(saved);
}

void _conio_gettext(int left, int top, int right, int bottom, void* buffer) {
    refreshWindow();
    Rect r;
    if (!bufferRect(left, top, right, bottom, r)) return;
    const ScreenBuffer& console = screen();
    readCells(console, r, clipSpan(console, r), static_cast<std::uint8_t*>(buffer));
}

void puttext(int left, int top, int right, int bottom, const void* buffer) {
    refreshWindow();
    Rect r;
    if (!bufferRect(left, top, right, bottom, r)) return;
    ScreenBuffer& console = screen();
    writeCells(console, r, clipSpan(console, r), static_cast<const std::uint8_t*>(buffer));
}

}  // namespace conio
