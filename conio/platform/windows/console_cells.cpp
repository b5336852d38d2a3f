#include "conio/platform/windows/console_cells.hpp"

#include <algorithm>
#include <cstddef>

#include "conio/platform/cp437.hpp"

namespace platform {

// A console call is a round trip to the console's own process, and under wine also a
// terminal update; the cells it carries cost little beside that. Timed under wine a call
// cost as much as about 8000 cells and a typical play frame went out 47 times faster as
// one rectangle than as its 24 runs; on Windows a call is cheaper, so a call is reckoned
// here as 1024 cells: runs win only when changes far apart would make a huge rectangle.
const WriteCost kConsoleWriteCost{1.0, 1.0 / 1024};

ConsoleChar consoleChar(Cell cell) {
    return ConsoleChar{static_cast<char16_t>(cp437ToUnicode(cell.ch)), cell.attr};
}

namespace {

std::size_t indexOf(int width, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

double costOf(const std::vector<Rect>& rects, WriteCost cost) {
    double total = 0;
    for (const Rect& r : rects) {
        total += cost.perCall + cost.perCell * (r.right - r.left + 1) * (r.bottom - r.top + 1);
    }
    return total;
}

// The changed runs of row y, joined across gaps that cost less to write than a call.
void appendRowRuns(std::vector<Rect>& runs, const std::vector<Cell>& shown, const std::vector<Cell>& next,
                   int width, int y, WriteCost cost) {
    const std::size_t firstRun = runs.size();
    for (int x = 0; x < width; ++x) {
        if (shown[indexOf(width, x, y)] == next[indexOf(width, x, y)]) continue;
        const bool joins = runs.size() > firstRun &&
                           cost.perCell * (x - runs.back().right - 1) < cost.perCall;
        if (joins) {
            runs.back().right = x;
        } else {
            runs.push_back(Rect{x, y, x, y});
        }
    }
}

Rect boundingRect(const std::vector<Rect>& rects) {
    Rect box = rects.front();
    for (const Rect& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

}  // namespace

std::vector<Rect> planWrites(const std::vector<Cell>& shown, const std::vector<Cell>& next, int width,
                             int height, WriteCost cost) {
    std::vector<Rect> runs;
    const std::size_t cells = static_cast<std::size_t>(std::max(0, width)) * static_cast<std::size_t>(std::max(0, height));
    if (shown.size() < cells || next.size() < cells) return runs;
    for (int y = 0; y < height; ++y) appendRowRuns(runs, shown, next, width, y, cost);
    if (runs.size() <= 1) return runs;
    const std::vector<Rect> box{boundingRect(runs)};
    return costOf(box, cost) <= costOf(runs, cost) ? box : runs;
}

std::vector<ConsoleChar> consoleChars(const std::vector<Cell>& cells, int width, Rect rect) {
    std::vector<ConsoleChar> out;
    out.reserve(static_cast<std::size_t>(rect.right - rect.left + 1) * static_cast<std::size_t>(rect.bottom - rect.top + 1));
    for (int y = rect.top; y <= rect.bottom; ++y) {
        for (int x = rect.left; x <= rect.right; ++x) out.push_back(consoleChar(cells[indexOf(width, x, y)]));
    }
    return out;
}

}  // namespace platform
