#include "conio/platform/windows/console_cells.hpp"

#include <gtest/gtest.h>

#include <vector>

using platform::Cell;
using platform::ConsoleChar;
using platform::planWrites;
using platform::Rect;
using platform::WriteCost;

namespace {

std::vector<Cell> blank(int width, int height) { return std::vector<Cell>(static_cast<std::size_t>(width * height)); }

void change(std::vector<Cell>& cells, int width, int x, int y) {
    cells[static_cast<std::size_t>(y * width + x)] = Cell{'*', 14};
}

// Every changed cell lies in some rectangle and the rectangles do not overlap.
void expectCovers(const std::vector<Rect>& rects, const std::vector<Cell>& a, const std::vector<Cell>& b, int width) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        const int x = static_cast<int>(i) % width;
        const int y = static_cast<int>(i) / width;
        int covering = 0;
        for (const Rect& r : rects) covering += x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
        EXPECT_LE(covering, 1) << x << "," << y;
        if (!(a[i] == b[i])) {
            EXPECT_EQ(covering, 1) << x << "," << y;
        }
    }
}

int cellsIn(const std::vector<Rect>& rects) {
    int total = 0;
    for (const Rect& r : rects) total += (r.right - r.left + 1) * (r.bottom - r.top + 1);
    return total;
}

}  // namespace

TEST(ConsoleCells, GlyphsGoOutAsUnicodeAndTheAttributeWordUnchanged) {
    EXPECT_EQ(platform::consoleChar(Cell{'A', 0x1E}), (ConsoleChar{u'A', 0x1E}));
    EXPECT_EQ(platform::consoleChar(Cell{201, 7}), (ConsoleChar{u'\u2554', 7}));    // ╔
    EXPECT_EQ(platform::consoleChar(Cell{241, 14}), (ConsoleChar{u'\u00B1', 14}));  // ±, the ship
    EXPECT_EQ(platform::consoleChar(Cell{27, 7}), (ConsoleChar{u'\u2190', 7}));     // a glyph, never ESC
    EXPECT_EQ(platform::consoleChar(Cell{0, 7}), (ConsoleChar{u' ', 7}));
    EXPECT_EQ(platform::consoleChar(Cell{'x', 0xC01F}), (ConsoleChar{u'x', 0xC01F}));  // reverse + underscore bits
}

TEST(ConsoleCells, NothingChangedMeansNoWrite) {
    EXPECT_TRUE(planWrites(blank(80, 25), blank(80, 25), 80, 25).empty());
    EXPECT_TRUE(planWrites(blank(2, 2), blank(80, 25), 80, 25).empty());  // mismatched sizes are refused
}

TEST(ConsoleCells, ScatteredChangesGoOutAsRunsNeverCellByCell) {
    const std::vector<Cell> shown = blank(80, 25);
    std::vector<Cell> next = shown;
    // A play frame: the ship moved, two shots, an enemy and the score, on rows far apart.
    for (int x : {24, 25}) change(next, 80, x, 22);
    change(next, 80, 10, 5);
    change(next, 80, 10, 6);
    change(next, 80, 40, 1);
    for (int x = 63; x < 67; ++x) change(next, 80, x, 8);
    const std::vector<Rect> rects = planWrites(shown, next, 80, 25, WriteCost{1.0, 1.0 / 64});
    expectCovers(rects, shown, next, 80);
    EXPECT_EQ(rects.size(), 5u);  // one per run, the ship's two cells in one
    EXPECT_EQ(cellsIn(rects), 9);
}

TEST(ConsoleCells, RunsCloseTogetherJoinAndDenseChangesBecomeOneRectangle) {
    const std::vector<Cell> shown = blank(80, 25);
    std::vector<Cell> near = shown;
    change(near, 80, 5, 3);
    change(near, 80, 9, 3);  // three unchanged cells between: cheaper to write than a call
    const auto joined = planWrites(shown, near, 80, 25, WriteCost{1.0, 1.0 / 64});
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_EQ(joined[0].left, 5);
    EXPECT_EQ(joined[0].right, 9);

    std::vector<Cell> dense = shown;
    for (int y = 2; y < 20; ++y)
        for (int x = 2; x < 48; x += 2) change(dense, 80, x, y);
    const auto box = planWrites(shown, dense, 80, 25, WriteCost{1.0, 1.0 / 64});
    expectCovers(box, shown, dense, 80);
    ASSERT_EQ(box.size(), 1u);
    EXPECT_EQ(box[0].top, 2);
    EXPECT_EQ(box[0].bottom, 19);
    // When a cell costs more than a call, only changed cells are written.
    const auto exact = planWrites(shown, dense, 80, 25, WriteCost{1.0, 10.0});
    expectCovers(exact, shown, dense, 80);
    EXPECT_EQ(cellsIn(exact), 18 * 23);
}

TEST(ConsoleCells, ConvertsTheCellsOfARectangleInRowOrder) {
    std::vector<Cell> cells = blank(4, 3);
    cells[5] = Cell{'a', 1};
    cells[6] = Cell{'b', 2};
    cells[9] = Cell{'c', 3};
    const auto out = platform::consoleChars(cells, 4, Rect{1, 1, 2, 2});
    const std::vector<ConsoleChar> expected{{u'a', 1}, {u'b', 2}, {u'c', 3}, {u' ', 7}};
    EXPECT_EQ(out, expected);
}
