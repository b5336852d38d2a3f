#include "conio/platform/screen_buffer.hpp"

#include <algorithm>
#include <cstdint>

#include "conio/platform/cp437.hpp"

namespace platform {
namespace {

std::size_t indexOf(const ScreenBuffer& buffer, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(buffer.width) + static_cast<std::size_t>(x);
}

void scrollWholeBufferUp(ScreenBuffer& buffer) {
    const auto rowLength = static_cast<std::ptrdiff_t>(buffer.width);
    std::copy(buffer.cells.begin() + rowLength, buffer.cells.end(), buffer.cells.begin());
    std::fill(buffer.cells.end() - rowLength, buffer.cells.end(), Cell{' ', buffer.attribute});
}

void newLine(ScreenBuffer& buffer) {
    buffer.cursorX = 0;
    if (buffer.cursorY + 1 < buffer.height) {
        ++buffer.cursorY;
    } else {
        scrollWholeBufferUp(buffer);
    }
}

void putGlyph(ScreenBuffer& buffer, std::uint8_t byte) {
    if (buffer.wrapPending) {
        buffer.wrapPending = false;
        newLine(buffer);
    }
    buffer.cells[indexOf(buffer, buffer.cursorX, buffer.cursorY)] = Cell{byte, buffer.attribute};
    if (buffer.cursorX + 1 < buffer.width) {
        ++buffer.cursorX;
    } else if (buffer.cursorY + 1 < buffer.height) {
        buffer.cursorX = 0;
        ++buffer.cursorY;
    } else {
        // The bottom-right cell: scrolling now would lose the top row for nothing
        // if the next thing the program does is move the cursor.
        buffer.wrapPending = true;
    }
}

// The part of `rect` that lies inside the buffer, in 64-bit arithmetic so that extreme
// coordinates cannot overflow. Empty when right < left or bottom < top.
struct Clip {
    std::int64_t left, top, right, bottom;
    bool empty() const { return right < left || bottom < top; }
};

Clip clipToBuffer(const ScreenBuffer& buffer, Rect rect) {
    return Clip{std::max<std::int64_t>(rect.left, 0), std::max<std::int64_t>(rect.top, 0),
                std::min<std::int64_t>(rect.right, buffer.width - 1),
                std::min<std::int64_t>(rect.bottom, buffer.height - 1)};
}

template <typename Visit>
void forEachClippedCell(const ScreenBuffer& buffer, Rect rect, std::size_t available, Visit visit) {
    if (rect.right < rect.left || rect.bottom < rect.top) return;
    // Unsigned: the offsets are never negative inside the clip, and a rectangle spanning the
    // whole int range gives an index past 2^63, beyond what a signed product can hold.
    const auto width = static_cast<std::uint64_t>(std::int64_t{rect.right} - rect.left + 1);
    const Clip clip = clipToBuffer(buffer, rect);
    if (clip.empty()) return;
    for (std::int64_t y = clip.top; y <= clip.bottom; ++y) {
        for (std::int64_t x = clip.left; x <= clip.right; ++x) {
            const std::uint64_t index = static_cast<std::uint64_t>(y - rect.top) * width +
                                        static_cast<std::uint64_t>(x - rect.left);
            if (index >= available) continue;
            visit(static_cast<int>(x), static_cast<int>(y), static_cast<std::size_t>(index));
        }
    }
}

}  // namespace

ScreenBuffer makeScreenBuffer(int width, int height) {
    ScreenBuffer buffer;
    buffer.width = std::max(width, 1);
    buffer.height = std::max(height, 1);
    buffer.cells.assign(static_cast<std::size_t>(buffer.width) * static_cast<std::size_t>(buffer.height), Cell{});
    buffer.window = Rect{0, 0, std::min(buffer.width, 80) - 1, std::min(buffer.height, 25) - 1};
    return buffer;
}

bool inBuffer(const ScreenBuffer& buffer, int x, int y) {
    return x >= 0 && y >= 0 && x < buffer.width && y < buffer.height;
}

Cell cellAt(const ScreenBuffer& buffer, int x, int y) {
    return inBuffer(buffer, x, y) ? buffer.cells[indexOf(buffer, x, y)] : Cell{' ', 0};
}

void putCell(ScreenBuffer& buffer, int x, int y, Cell cell) {
    if (inBuffer(buffer, x, y)) buffer.cells[indexOf(buffer, x, y)] = cell;
}

bool moveCursor(ScreenBuffer& buffer, int x, int y) {
    if (!inBuffer(buffer, x, y)) return false;
    buffer.cursorX = x;
    buffer.cursorY = y;
    buffer.wrapPending = false;
    return true;
}

void setAttribute(ScreenBuffer& buffer, std::uint16_t attribute) { buffer.attribute = attribute; }

void fillChars(ScreenBuffer& buffer, int x, int y, int count, std::uint8_t ch) {
    if (!inBuffer(buffer, x, y) || count <= 0) return;
    const std::size_t start = indexOf(buffer, x, y);
    const std::size_t end = std::min(buffer.cells.size(), start + static_cast<std::size_t>(count));
    for (std::size_t i = start; i < end; ++i) buffer.cells[i].ch = ch;
}

void fillAttributes(ScreenBuffer& buffer, int x, int y, int count, std::uint16_t attr) {
    if (!inBuffer(buffer, x, y) || count <= 0) return;
    const std::size_t start = indexOf(buffer, x, y);
    const std::size_t end = std::min(buffer.cells.size(), start + static_cast<std::size_t>(count));
    for (std::size_t i = start; i < end; ++i) buffer.cells[i].attr = attr;
}

void writeBytes(ScreenBuffer& buffer, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte == '\n') {
            buffer.wrapPending = false;
            newLine(buffer);
        } else {
            putGlyph(buffer, byte);
        }
    }
}

void scrollBand(ScreenBuffer& buffer, Rect band, int dy, Cell fill) {
    const Clip clip = clipToBuffer(buffer, band);
    if (clip.empty() || dy == 0) return;
    const auto left = static_cast<int>(clip.left);
    const auto right = static_cast<int>(clip.right);
    const auto top = static_cast<int>(clip.top);
    const auto bottom = static_cast<int>(clip.bottom);
    auto copyRow = [&](int to, int from) {
        for (int x = left; x <= right; ++x) {
            buffer.cells[indexOf(buffer, x, to)] =
                (from >= top && from <= bottom) ? buffer.cells[indexOf(buffer, x, from)] : fill;
        }
    };
    const std::int64_t shift = dy;
    if (dy < 0) {
        for (int y = top; y <= bottom; ++y) {
            const std::int64_t from = y - shift;
            copyRow(y, from > bottom ? bottom + 1 : static_cast<int>(from));
        }
    } else {
        for (int y = bottom; y >= top; --y) {
            const std::int64_t from = y - shift;
            copyRow(y, from < top ? top - 1 : static_cast<int>(from));
        }
    }
}

void readRect(const ScreenBuffer& buffer, Rect rect, std::span<Cell> out) {
    forEachClippedCell(buffer, rect, out.size(), [&](int x, int y, std::size_t i) {
        out[i] = buffer.cells[indexOf(buffer, x, y)];
    });
}

void writeRect(ScreenBuffer& buffer, Rect rect, std::span<const Cell> cells) {
    forEachClippedCell(buffer, rect, cells.size(), [&](int x, int y, std::size_t i) {
        buffer.cells[indexOf(buffer, x, y)] = cells[i];
    });
}

std::string rowBytes(const ScreenBuffer& buffer, int y) {
    std::string bytes;
    if (y < 0 || y >= buffer.height) return bytes;
    for (int x = 0; x < buffer.width; ++x) bytes.push_back(static_cast<char>(buffer.cells[indexOf(buffer, x, y)].ch));
    return bytes;
}

std::string rowText(const ScreenBuffer& buffer, int y) {
    std::string text;
    for (const char c : rowBytes(buffer, y)) text += cp437ToUtf8(static_cast<std::uint8_t>(c));
    return text;
}

}  // namespace platform
