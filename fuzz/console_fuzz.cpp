// A random program of calls to every console operation and formatted output, with any
// arguments (negative, huge, inverted rectangles) over a screen buffer of any size with any
// window. After every call the buffer keeps its shape, the cursor stays in it, a plain
// window's outside is left alone by the operations that work inside it, and a caller's cell
// buffer, text-info record or password buffer is touched only where the contract allows.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "conio/attributes.hpp"
#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/region.hpp"
#include "conio/services.hpp"
#include "fuzz/fuzz_check.hpp"
#include "fuzz/guarded_buffer.hpp"

namespace {

using platform::Cell;
using platform::ScreenBuffer;

constexpr std::int64_t kMaxCallerCells = 1 << 16;  // the largest cell buffer a caller hands over here

// Mostly values near the screen, sometimes anything, sometimes the edges of int and of 16 bits.
int anyInt(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0: return data.ConsumeIntegralInRange(-3, 90);
        case 1: return data.ConsumeIntegralInRange(-400, 400);
        case 2: {
            constexpr std::int64_t kEdges[] = {INT_MIN, INT_MAX, -65536, -32769, -32768, 255, 256, 32767, 32768, 65535, 65536};
            const std::int64_t edge = kEdges[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kEdges) - 1)];
            return static_cast<int>(std::clamp<std::int64_t>(edge + data.ConsumeIntegralInRange(-2, 2), INT_MIN, INT_MAX));
        }
        default: return data.ConsumeIntegral<int>();
    }
}

struct Rectangle {
    int left, top, right, bottom;
    std::int64_t width() const { return std::int64_t{right} - left + 1; }
    std::int64_t height() const { return std::int64_t{bottom} - top + 1; }
    bool inverted() const { return width() <= 0 || height() <= 0; }
    // Cells, 0 when inverted; anything beyond what a caller hands over counts as one more.
    std::int64_t cells() const {
        if (inverted()) return 0;
        if (width() > kMaxCallerCells || height() > kMaxCallerCells) return kMaxCallerCells + 1;
        return width() * height();
    }
};

Rectangle anyRectangle(FuzzedDataProvider& data) { return {anyInt(data), anyInt(data), anyInt(data), anyInt(data)}; }

// The console cell of a caller position when no 16-bit truncation is involved; INT64_MIN otherwise.
std::int64_t plainCell(int origin, int position) {
    const std::int64_t cell = std::int64_t{origin} + position - 1;
    return cell >= INT16_MIN && cell <= INT16_MAX ? cell : INT64_MIN;
}

bool plainRectangle(const Rectangle& r, std::int64_t& left, std::int64_t& top) {
    left = plainCell(conio::__CONIO_LEFT, r.left);
    top = plainCell(conio::__CONIO_TOP, r.top);
    return left != INT64_MIN && top != INT64_MIN && plainCell(conio::__CONIO_LEFT, r.right) != INT64_MIN &&
           plainCell(conio::__CONIO_TOP, r.bottom) != INT64_MIN;
}

Cell cellOrNothing(const std::vector<Cell>& cells, const ScreenBuffer& b, std::int64_t x, std::int64_t y, bool& inside) {
    inside = x >= 0 && y >= 0 && x < b.width && y < b.height;
    return inside ? cells[static_cast<std::size_t>(y * b.width + x)] : Cell{};
}

Cell loadCell(const std::uint8_t* at) {
    Cell cell{at[0], 0};
    std::memcpy(&cell.attr, at + 2, 2);
    return cell;
}

void checkGettext(FuzzedDataProvider& data, const ScreenBuffer& screen) {
    const Rectangle r = anyRectangle(data);
    const std::int64_t cells = r.cells();
    if (cells > kMaxCallerCells) return;
    GuardedBuffer buffer(static_cast<std::size_t>(cells) * 4, data.ConsumeIntegral<std::uint32_t>());
    conio::_conio_gettext(r.left, r.top, r.right, r.bottom, buffer.data());
    require(buffer.guardsIntact(), "_conio_gettext wrote outside the caller's cell buffer");
    for (std::size_t i = 1; i < buffer.size(); i += 4) {
        require(buffer.data()[i] == buffer.before[kGuard + i], "_conio_gettext wrote a cell's second byte");
    }
    std::int64_t left = 0;
    std::int64_t top = 0;
    if (cells == 0 || !plainRectangle(r, left, top)) return;
    for (std::int64_t i = 0; i < cells; ++i) {
        bool inside = false;
        const Cell expected = cellOrNothing(screen.cells, screen, left + i % r.width(), top + i / r.width(), inside);
        const std::uint8_t* at = buffer.data() + i * 4;
        if (inside) require(loadCell(at) == expected, "_conio_gettext read a wrong cell");
        else require(std::memcmp(at, buffer.before.data() + kGuard + i * 4, 4) == 0, "_conio_gettext wrote for a cell off the screen");
    }
}

// The caller's cells exactly sized on the heap, so a read beyond them is a memory error.
void checkPuttext(FuzzedDataProvider& data, ScreenBuffer& screen) {
    const Rectangle r = anyRectangle(data);
    const std::int64_t cells = r.cells();
    if (cells > kMaxCallerCells) return;
    const auto size = static_cast<std::size_t>(cells) * 4;
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[std::max<std::size_t>(size, 1)]);
    const std::vector<std::uint8_t> given = data.ConsumeBytes<std::uint8_t>(size);
    std::fill(buffer.get(), buffer.get() + size, 0);
    std::copy(given.begin(), given.end(), buffer.get());
    const std::vector<std::uint8_t> copy(buffer.get(), buffer.get() + size);
    const std::vector<Cell> before = screen.cells;
    conio::puttext(r.left, r.top, r.right, r.bottom, buffer.get());
    require(std::equal(copy.begin(), copy.end(), buffer.get()), "puttext changed the caller's cells");
    std::int64_t left = 0;
    std::int64_t top = 0;
    if (!plainRectangle(r, left, top)) return;
    std::vector<Cell> expected = before;
    for (std::int64_t i = 0; i < cells; ++i) {
        bool inside = false;
        const std::int64_t x = left + i % r.width();
        const std::int64_t y = top + i / r.width();
        cellOrNothing(before, screen, x, y, inside);
        if (inside) expected[static_cast<std::size_t>(y * screen.width + x)] = loadCell(buffer.get() + i * 4);
    }
    require(screen.cells == expected, "puttext wrote other cells than the rectangle's");
}

void checkMovetext(FuzzedDataProvider& data, ScreenBuffer& screen) {
    const Rectangle r = anyRectangle(data);
    const int newLeft = anyInt(data);
    const int newTop = anyInt(data);
    // Working blocks the size of a rectangle no caller could mean, on a screen of at most
    // 300 x 300, would only measure the allocator.
    if (r.cells() > kMaxCallerCells) return;
    const std::vector<Cell> before = screen.cells;
    conio::movetext(r.left, r.top, r.right, r.bottom, newLeft, newTop);
    const Rectangle dest{newLeft, newTop, static_cast<int>(std::clamp<std::int64_t>(std::int64_t{newLeft} + r.right - r.left, INT_MIN, INT_MAX)),
                         static_cast<int>(std::clamp<std::int64_t>(std::int64_t{newTop} + r.bottom - r.top, INT_MIN, INT_MAX))};
    std::int64_t left = 0, top = 0, destLeft = 0, destTop = 0;
    if (r.inverted()) {
        require(screen.cells == before, "movetext of an inverted rectangle changed the screen");
        return;
    }
    if (!plainRectangle(r, left, top) || !plainRectangle(dest, destLeft, destTop)) return;
    std::vector<Cell> expected = before;
    for (std::int64_t i = 0; i < r.cells(); ++i) {
        bool fromInside = false;
        bool toInside = false;
        const Cell cell = cellOrNothing(before, screen, left + i % r.width(), top + i / r.width(), fromInside);
        const std::int64_t x = destLeft + i % r.width();
        const std::int64_t y = destTop + i / r.width();
        cellOrNothing(before, screen, x, y, toInside);
        if (fromInside && toInside) expected[static_cast<std::size_t>(y * screen.width + x)] = cell;
    }
    require(screen.cells == expected, "movetext did not copy the rectangle as it was");
}

void checkGettextinfo() {
    struct {
        std::uint8_t before[kGuard];
        conio::TextInfo info;
        std::uint8_t after[kGuard];
    } record;
    std::memset(&record, kCanary, sizeof record);
    conio::gettextinfo(&record.info);
    for (std::size_t i = 0; i < kGuard; ++i) {
        require(record.before[i] == kCanary && record.after[i] == kCanary, "gettextinfo wrote outside the record");
    }
    require(std::memcmp(&record.info, &conio::__text_info, sizeof record.info) == 0, "gettextinfo copied something else");
}

// A window as a console keeps it, inside the buffer, of at most 255 x 255 cells (the sizes
// the text-info record holds): the window operations clear and shift it and nothing outside.
// Other windows are thrown at the operations for memory safety only: a fill there runs on
// into the next row, as the console's own fills do.
bool plainWindow(const ScreenBuffer& b) {
    const platform::Rect& w = b.window;
    return w.left >= 0 && w.top >= 0 && w.right < b.width && w.bottom < b.height && w.right >= w.left &&
           w.bottom >= w.top && w.right - w.left < 255 && w.bottom - w.top < 255;
}

bool insideRect(const platform::Rect& r, int x, int y) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; }

void requireOutsideUnchanged(const ScreenBuffer& b, const std::vector<Cell>& before, const platform::Rect& area,
                             const char* operation) {
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * b.width + x;
            if (!insideRect(area, x, y) && !(b.cells[i] == before[i])) fail(std::string(operation) + " changed a cell outside its area");
        }
    }
}

void checkInvariants(const ScreenBuffer& b, int width, int height, const platform::Rect& window) {
    require(b.width == width && b.height == height && b.cells.size() == static_cast<std::size_t>(width) * height, "the buffer changed shape");
    require(platform::inBuffer(b, b.cursorX, b.cursorY), "the cursor left the buffer");
    require(b.cursorSize >= 0 && b.cursorSize <= 100, "cursor size out of range");
    require(!b.wrapPending || (b.cursorX == width - 1 && b.cursorY == height - 1), "a wrap pending away from the last cell");
    require(b.window.left == window.left && b.window.top == window.top && b.window.right == window.right &&
            b.window.bottom == window.bottom, "an operation moved the window");
}

platform::Rect anyWindow(FuzzedDataProvider& data, const ScreenBuffer& b) {
    if (data.ConsumeBool()) {
        const int left = data.ConsumeIntegralInRange(-5, b.width + 5);
        const int top = data.ConsumeIntegralInRange(-5, b.height + 5);
        return {left, top, left + data.ConsumeIntegralInRange(-3, 300), top + data.ConsumeIntegralInRange(-3, 300)};
    }
    return {anyInt(data), anyInt(data), anyInt(data), anyInt(data)};
}

// One operation; those that work inside the window are also checked to stay inside it.
// Returns true when the call was the window's own move rather than an operation.
bool runOne(FuzzedDataProvider& data, platform::HeadlessPlatform& headless) {
    ScreenBuffer& b = headless.screen();
    const std::vector<Cell> before = b.cells;
    const bool plain = plainWindow(b);
    switch (data.ConsumeIntegralInRange(0, 24)) {
        case 0: conio::clrscr(); if (plain) requireOutsideUnchanged(b, before, b.window, "clrscr"); break;
        case 1: conio::gotoxy(anyInt(data), anyInt(data)); break;
        case 2: conio::wherex(); break;
        case 3: conio::wherey(); break;
        case 4: conio::textcolor(anyInt(data)); break;
        case 5: conio::textbackground(anyInt(data)); break;
        case 6: {
            const bool inside = plain && insideRect(b.window, b.cursorX, b.cursorY);
            const platform::Rect rest{b.cursorX, b.cursorY, b.window.right, b.cursorY};
            conio::clreol();
            if (inside) requireOutsideUnchanged(b, before, rest, "clreol");
            for (std::size_t i = 0; i < before.size(); ++i) require(b.cells[i].attr == before[i].attr, "clreol changed a colour");
            break;
        }
        case 7: conio::delline(); if (plain) requireOutsideUnchanged(b, before, b.window, "delline"); break;
        case 8: conio::insline(); if (plain) requireOutsideUnchanged(b, before, b.window, "insline"); break;
        case 9: checkMovetext(data, b); break;
        case 10: checkGettext(data, b); break;
        case 11: checkPuttext(data, b); break;
        case 12: checkGetpass(data, headless); break;
        case 13: conio::textattr(anyInt(data)); break;
        case 14: conio::normvideo(); break;
        case 15: conio::highvideo(); break;
        case 16: conio::lowvideo(); break;
        case 17: checkGettextinfo(); break;
        case 18: conio::inittextinfo(); break;
        case 19: conio::_setcursortype(anyInt(data)); break;
        case 20: conio::cputsxy(anyInt(data), anyInt(data), anyFuzzText(data).c_str()); break;
        case 21: conio::putchxy(anyInt(data), anyInt(data), static_cast<char>(data.ConsumeIntegral<std::uint8_t>())); break;
        case 22: {
            const std::string format = anyFuzzText(data);
            std::vector<int> arguments(data.ConsumeIntegralInRange(0, 6));
            for (int& argument : arguments) argument = anyInt(data);
            conio::formatOutput(format.c_str(), arguments);
            break;
        }
        case 23: conio::_putch(anyInt(data)); break;
        default: b.window = anyWindow(data, b); return true;  // the player scrolled or resized the window
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const bool large = data.ConsumeIntegralInRange(0, 7) == 0;  // beyond 255 cells: the record's sizes wrap
    const int width = data.ConsumeIntegralInRange(1, large ? 300 : 90);
    const int height = data.ConsumeIntegralInRange(1, large ? 300 : 30);
    platform::HeadlessPlatform headless(width, height);
    conio::resetConioState();
    conio::installPlatform(headless);
    ScreenBuffer& b = headless.screen();
    b.window = anyWindow(data, b);
    for (int step = 0; step < 200 && data.remaining_bytes() > 0; ++step) {
        const platform::Rect window = b.window;
        const bool moved = runOne(data, headless);
        checkInvariants(b, width, height, moved ? b.window : window);
    }
    conio::uninstallPlatform();
    return 0;
}
