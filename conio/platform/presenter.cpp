#include "conio/platform/presenter.hpp"

#include <algorithm>
#include <array>

#include "conio/platform/cp437.hpp"

namespace platform {
namespace {

constexpr std::string_view kSyncBegin = "\x1b[?2026h";
constexpr std::string_view kSyncEnd = "\x1b[?2026l";
constexpr std::string_view kHideCursor = "\x1b[?25l";
constexpr std::string_view kShowCursor = "\x1b[?25h";
constexpr std::string_view kEraseAll = "\x1b[0m\x1b[2J";
constexpr std::uint16_t kReverseBit = 0x4000;
constexpr std::uint16_t kUnderlineBit = 0x8000;

// Console colour order (black, blue, green, cyan, red, magenta, brown, grey) against
// ANSI's (black, red, green, yellow, blue, magenta, cyan, white).
constexpr std::array<int, 8> kAnsiIndex = {0, 4, 2, 6, 1, 5, 3, 7};

// An attribute as SGR parts; only parts that differ are sent when the flags stay the same.
struct Sgr {
    std::string foreground;
    std::string background;
    std::string flags;  // ";1", ";5", ";7", ";4" in that order, each when set
};

std::string colourPart(int colour, bool background, ColorMode colors) {
    if (colors == ColorMode::TrueColor) {
        const Rgb c = kVgaPalette[static_cast<std::size_t>(colour)];
        return std::string(background ? "48;2;" : "38;2;") + std::to_string(c.r) + ';' +
               std::to_string(c.g) + ';' + std::to_string(c.b);
    }
    if (colors == ColorMode::Palette256) {
        return std::string(background ? "48;5;" : "38;5;") + std::to_string(palette256Index(colour));
    }
    const int base = kAnsiIndex[static_cast<std::size_t>(colour & 7)];
    const bool bright = colour >= 8 && colors == ColorMode::Ansi16;
    return std::to_string((background ? 40 : 30) + (bright ? 60 : 0) + base);
}

Sgr sgrFor(std::uint16_t attribute, ColorMode colors) {
    const int fg = attribute & 0x0F;
    const int bg = (attribute >> 4) & 0x0F;
    Sgr s{colourPart(fg, false, colors), colourPart(bg, true, colors), {}};
    if (colors == ColorMode::LinuxConsole && fg >= 8) s.flags += ";1";
    if (colors == ColorMode::LinuxConsole && bg >= 8) s.flags += ";5";
    if (attribute & kReverseBit) s.flags += ";7";
    if (attribute & kUnderlineBit) s.flags += ";4";
    return s;
}

void appendSgrChange(std::string& out, int from, std::uint16_t to, ColorMode colors) {
    const Sgr next = sgrFor(to, colors);
    if (from >= 0) {
        const Sgr previous = sgrFor(static_cast<std::uint16_t>(from), colors);
        if (previous.flags == next.flags) {
            std::string parts;
            if (previous.foreground != next.foreground) parts = next.foreground;
            if (previous.background != next.background) parts += (parts.empty() ? "" : ";") + next.background;
            if (!parts.empty()) out.append("\x1b[").append(parts).append("m");
            return;
        }
    }
    out.append("\x1b[0;").append(next.foreground).append(";").append(next.background)
        .append(next.flags).append("m");
}

void appendMove(std::string& out, int fromColumn, int fromRow, int column, int row) {
    if (fromRow == row && fromColumn >= 0 && fromColumn < column) {
        const int n = column - fromColumn;
        out.append("\x1b[").append(n == 1 ? "" : std::to_string(n)).append("C");
        return;
    }
    out.append("\x1b[").append(std::to_string(row + 1)).append(";").append(std::to_string(column + 1))
        .append("H");
}

// A blank shows only its background, so it can be drawn in whatever foreground is set: the
// blanks that erase a moving glyph then need no colour of their own. Not where reverse video
// (the foreground fills the cell) or an underline (drawn in the foreground) is on.
bool showsAlike(Cell cell, int sgrAttribute) {
    const char32_t glyph = cp437ToUnicode(cell.ch);
    if (sgrAttribute < 0 || (glyph != U' ' && glyph != U'\u00A0')) return false;
    const auto set = static_cast<std::uint16_t>(sgrAttribute);
    return ((set ^ cell.attr) & 0xF0) == 0 && ((set | cell.attr) & (kReverseBit | kUnderlineBit)) == 0;
}

bool sameLayout(const Layout& a, const Layout& b) {
    return a.fits == b.fits && a.originColumn == b.originColumn && a.originRow == b.originRow &&
           a.shownRows == b.shownRows;
}

// Appends the cells that differ from `shown` (all of them when `everything`), updating it.
void appendChangedCells(std::string& out, ShownFrame& shown, const ScreenBuffer& buffer, Region region,
                        const PresenterOptions& options, bool everything) {
    const Layout& layout = options.layout;
    const int rows = std::min(region.height, layout.shownRows);
    int atColumn = -1;
    int atRow = -1;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < region.width; ++x) {
            const Cell cell = cellAt(buffer, region.left + x, region.top + y);
            Cell& known = shown.cells[static_cast<std::size_t>(y * region.width + x)];
            if (!everything && cell == known) continue;
            const int column = layout.originColumn + x;
            const int row = layout.originRow + y;
            if (column != atColumn || row != atRow) appendMove(out, atColumn, atRow, column, row);
            if (cell.attr != shown.sgrAttribute && !showsAlike(cell, shown.sgrAttribute)) {
                appendSgrChange(out, shown.sgrAttribute, cell.attr, options.colors);
                shown.sgrAttribute = cell.attr;
            }
            out.append(cp437ToUtf8(cell.ch));
            known = cell;
            atRow = row;
            // Past the last cell of a row the terminal keeps the cursor on it (no autowrap).
            atColumn = x + 1 < region.width ? column + 1 : -1;
        }
    }
}

// Shows, moves, reshapes or hides the cursor to match the buffer's.
void appendCursor(std::string& out, ShownFrame& shown, const ScreenBuffer& buffer, Region region,
                  const PresenterOptions& options, bool cellsDrawn) {
    const int x = buffer.cursorX - region.left;
    const int y = buffer.cursorY - region.top;
    const bool inside = x >= 0 && x < region.width && y >= 0 && y < std::min(region.height, options.layout.shownRows);
    const int size = inside ? std::clamp(buffer.cursorSize, 0, 100) : 0;
    if (size == 0) {
        if (shown.cursorSize > 0 && !cellsDrawn) out.append(kHideCursor);  // else hidden before the cells
        shown.cursorSize = 0;
        return;
    }
    const int column = options.layout.originColumn + x;
    const int row = options.layout.originRow + y;
    const bool moved = column != shown.cursorColumn || row != shown.cursorRow;
    if (!cellsDrawn && !moved && size == shown.cursorSize) return;
    appendMove(out, -1, -1, column, row);
    const bool underline = size <= 50;
    if (options.colors != ColorMode::LinuxConsole &&
        (shown.cursorSize == 0 || underline != (shown.cursorSize <= 50))) {
        out.append(underline ? "\x1b[3 q" : "\x1b[1 q");  // blinking, as a console cursor is
    }
    out.append(kShowCursor);
    shown.cursorSize = size;
    shown.cursorColumn = column;
    shown.cursorRow = row;
}

}  // namespace

Region visibleRegion(const ScreenBuffer& buffer) {
    const int left = std::max(0, buffer.window.left);
    const int top = std::max(0, buffer.window.top);
    const int right = std::min(buffer.width - 1, buffer.window.right);
    const int bottom = std::min(buffer.height - 1, buffer.window.bottom);
    return {left, top, std::max(0, right - left + 1), std::max(0, bottom - top + 1)};
}

Layout layoutFor(int terminalColumns, int terminalRows, int windowWidth, int windowHeight) {
    if (terminalColumns < windowWidth || terminalRows < windowHeight - 1) return {};
    const int shownRows = std::min(terminalRows, windowHeight);
    return {true, (terminalColumns - windowWidth) / 2, (terminalRows - shownRows) / 2, shownRows};
}

std::string sgrParameters(std::uint16_t attribute, ColorMode colors) {
    const Sgr s = sgrFor(attribute, colors);
    return "0;" + s.foreground + ";" + s.background + s.flags;
}

std::string present(ShownFrame& shown, const ScreenBuffer& buffer, const PresenterOptions& options) {
    const Region region = visibleRegion(buffer);
    const bool everything = !shown.valid || shown.width != region.width || shown.height != region.height ||
                            !sameLayout(shown.layout, options.layout);
    std::string erase;
    std::string out;
    if (everything) {
        // The terminal may show anything (a resize, a return from suspension): clear it all.
        erase = kEraseAll;
        out.append(kHideCursor);
        shown = ShownFrame{true, options.layout, region.width, region.height,
                           std::vector<Cell>(static_cast<std::size_t>(region.width * region.height))};
    } else if (shown.cursorSize > 0) {
        out.append(kHideCursor);  // kept off the cells while they are drawn
    }
    const std::size_t before = out.size();
    appendChangedCells(out, shown, buffer, region, options, everything);
    const bool cellsDrawn = out.size() > before;
    if (!cellsDrawn && !everything) out.clear();  // the cursor, if shown, stays where it is
    appendCursor(out, shown, buffer, region, options, cellsDrawn);
    if (out.empty()) return out;
    return erase + std::string(kSyncBegin) + out + std::string(kSyncEnd);
}

std::vector<std::string> noticeLines(int columns, std::string_view text) {
    const auto width = static_cast<std::size_t>(std::max(1, columns));
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view word = text.substr(start, std::min(end - start, width));
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width) lines.emplace_back();
        if (!lines.back().empty()) lines.back() += ' ';
        lines.back() += word;
        start = end + 1;
    }
    return lines;
}

std::vector<NoticeLine> placeNotice(int columns, int rows, std::string_view text) {
    const std::vector<std::string> lines = noticeLines(columns, text);
    const int first = std::max(0, (rows - static_cast<int>(lines.size())) / 2);
    std::vector<NoticeLine> placed;
    for (std::size_t i = 0; i < lines.size() && first + static_cast<int>(i) < rows; ++i) {
        const int column = std::max(0, (columns - static_cast<int>(lines[i].size())) / 2);
        placed.push_back(NoticeLine{column, first + static_cast<int>(i), lines[i]});
    }
    return placed;
}

std::string noticeBytes(int terminalColumns, int terminalRows, std::string_view text) {
    std::string out = std::string(kEraseAll) + std::string(kSyncBegin) + std::string(kHideCursor);
    for (const NoticeLine& line : placeNotice(terminalColumns, terminalRows, text)) {
        appendMove(out, -1, -1, line.column, line.row);
        out += line.text;
    }
    return out + std::string(kSyncEnd);
}

}  // namespace platform
