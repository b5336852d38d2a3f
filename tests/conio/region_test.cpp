#include "conio/region.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "tests/support/headless.hpp"

using platform::Cell;
using platform::cellAt;
using platform::putCell;

namespace {

// Every cell distinct: the character names the column, the attribute the row.
Cell patternCell(int x, int y) {
    return Cell{static_cast<std::uint8_t>('A' + x % 26), static_cast<std::uint16_t>(0x100 + y)};
}

void paintPattern(platform::ScreenBuffer& screen) {
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) putCell(screen, x, y, patternCell(x, y));
    }
}

std::vector<std::uint8_t> cellBytes(std::size_t cells, std::uint8_t fill) {
    return std::vector<std::uint8_t>(cells * 4, fill);
}

Cell cellInBuffer(const std::vector<std::uint8_t>& bytes, std::size_t i) {
    Cell cell;
    cell.ch = bytes[i * 4];
    std::memcpy(&cell.attr, &bytes[i * 4 + 2], 2);
    return cell;
}

}  // namespace

TEST(ClearToEndOfLine, BlanksFromTheCursorToTheWindowEdgeKeepingColours) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    paintPattern(screen);
    conio::gotoxy(1, 3);
    conio::clreol();
    for (int x = 0; x < 80; ++x) {
        EXPECT_EQ(cellAt(screen, x, 2), (Cell{32, patternCell(x, 2).attr})) << x;
    }
    EXPECT_EQ(cellAt(screen, 0, 3), patternCell(0, 3));  // the next row is untouched
    EXPECT_EQ(conio::wherex(), 1);
    EXPECT_EQ(conio::wherey(), 3);

    conio::gotoxy(80, 5);
    conio::clreol();
    EXPECT_EQ(cellAt(screen, 79, 4), (Cell{32, patternCell(79, 4).attr}));
    EXPECT_EQ(cellAt(screen, 78, 4), patternCell(78, 4));
    EXPECT_EQ(cellAt(screen, 0, 5), patternCell(0, 5));
    EXPECT_EQ(conio::wherex(), 80);
}

TEST(ClearToEndOfLine, ClearsNothingBeyondTheWindowsRightEdge) {
    HeadlessConsole console(100, 25);
    auto& screen = console.platform.screen();
    paintPattern(screen);
    screen.window = platform::Rect{0, 0, 79, 24};
    platform::moveCursor(screen, 90, 0);  // window is columns 0..79
    conio::clreol();
    for (int x = 0; x < 100; ++x) EXPECT_EQ(cellAt(screen, x, 0), patternCell(x, 0)) << x;
}

TEST(LineShift, DeleteOnFirstRowPullsTheWindowUpAndBlanksTheLastRow) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    paintPattern(screen);
    conio::textcolor(14);
    conio::textbackground(1);
    conio::gotoxy(5, 1);
    conio::delline();
    for (int y = 0; y < 24; ++y) EXPECT_EQ(cellAt(screen, 3, y), patternCell(3, y + 1)) << y;
    for (int x = 0; x < 80; ++x) EXPECT_EQ(cellAt(screen, x, 24), (Cell{32, 30})) << x;
    EXPECT_EQ(screen.cursorX, 4);
    EXPECT_EQ(screen.cursorY, 0);
}

TEST(LineShift, InsertOnFirstRowPushesTheWindowDownAndBlanksTheCursorRow) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    paintPattern(screen);
    conio::gotoxy(1, 1);
    conio::insline();
    for (int x = 0; x < 80; ++x) EXPECT_EQ(cellAt(screen, x, 0), (Cell{32, 7})) << x;
    for (int y = 1; y < 25; ++y) EXPECT_EQ(cellAt(screen, 7, y), patternCell(7, y - 1)) << y;
    EXPECT_EQ(screen.cursorY, 0);
}

TEST(LineShift, OnTheLastRowBothBlankThatRowOnly) {
    for (auto shift : {conio::delline, conio::insline}) {
        HeadlessConsole console;
        auto& screen = console.platform.screen();
        paintPattern(screen);
        conio::gotoxy(10, 25);
        shift();
        for (int x = 0; x < 80; ++x) EXPECT_EQ(cellAt(screen, x, 24), (Cell{32, 7})) << x;
        EXPECT_EQ(cellAt(screen, 9, 23), patternCell(9, 23));
        EXPECT_EQ(screen.cursorX, 9);
        EXPECT_EQ(screen.cursorY, 24);
    }
}

TEST(LineShift, StaysInsideAScrolledWindow) {
    HeadlessConsole console(90, 60);
    auto& screen = console.platform.screen();
    paintPattern(screen);
    screen.window = platform::Rect{5, 20, 84, 44};
    conio::refreshWindow();
    conio::gotoxy(1, 3);
    conio::delline();
    EXPECT_EQ(cellAt(screen, 5, 22), patternCell(5, 23));
    EXPECT_EQ(cellAt(screen, 5, 44), (Cell{32, 7}));
    EXPECT_EQ(cellAt(screen, 4, 22), patternCell(4, 22));    // left of the window
    EXPECT_EQ(cellAt(screen, 85, 22), patternCell(85, 22));  // right of it
    EXPECT_EQ(cellAt(screen, 5, 45), patternCell(5, 45));    // below it
    conio::insline();
    EXPECT_EQ(cellAt(screen, 5, 22), (Cell{32, 7}));
    EXPECT_EQ(cellAt(screen, 5, 44), patternCell(5, 44));
    EXPECT_EQ(cellAt(screen, 5, 45), patternCell(5, 45));

    // A cursor above the window is on no row of it: nothing moves.
    platform::moveCursor(screen, 10, 3);
    const auto before = screen.cells;
    conio::delline();
    conio::insline();
    EXPECT_EQ(screen.cells, before);
}

TEST(MoveText, OverlappingCopyOneColumnRight) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    paintPattern(screen);
    conio::movetext(1, 1, 10, 1, 2, 1);
    EXPECT_EQ(cellAt(screen, 0, 0), patternCell(0, 0));
    for (int x = 1; x <= 10; ++x) EXPECT_EQ(cellAt(screen, x, 0), patternCell(x - 1, 0)) << x;
    EXPECT_EQ(cellAt(screen, 11, 0), patternCell(11, 0));
    EXPECT_EQ(cellAt(screen, 1, 1), patternCell(1, 1));
}

TEST(MoveText, OneCellAndOverlappingUpwards) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    paintPattern(screen);
    conio::movetext(3, 4, 3, 4, 70, 20);
    EXPECT_EQ(cellAt(screen, 69, 19), patternCell(2, 3));
    EXPECT_EQ(cellAt(screen, 70, 19), patternCell(70, 19));
    EXPECT_EQ(cellAt(screen, 69, 20), patternCell(69, 20));

    conio::movetext(1, 2, 4, 5, 1, 1);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(cellAt(screen, 2, y), patternCell(2, y + 1)) << y;
    EXPECT_EQ(cellAt(screen, 2, 4), patternCell(2, 4));
}

TEST(MoveText, SourcePartlyOutsideTheBufferMovesOnlyCellsThatExist) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    paintPattern(screen);
    // Source columns 79..82 (buffer columns 78..81): only 78 and 79 exist.
    conio::movetext(79, 2, 82, 2, 1, 10);
    EXPECT_EQ(cellAt(screen, 0, 9), patternCell(78, 1));
    EXPECT_EQ(cellAt(screen, 1, 9), patternCell(79, 1));
    EXPECT_EQ(cellAt(screen, 2, 9), patternCell(2, 9));  // its source was never read
    EXPECT_EQ(cellAt(screen, 3, 9), patternCell(3, 9));

    // Destination hanging off the bottom-right corner: the part inside is written.
    conio::movetext(1, 1, 3, 3, 79, 24);
    EXPECT_EQ(cellAt(screen, 78, 23), patternCell(0, 0));
    EXPECT_EQ(cellAt(screen, 79, 24), patternCell(1, 1));

    const auto before = screen.cells;
    conio::movetext(5, 5, 4, 6, 1, 1);         // inverted
    conio::movetext(-10, -10, -2, -2, 1, 1);   // wholly outside
    conio::movetext(1, 1, 5, 5, 200, 200);     // destination wholly outside
    EXPECT_EQ(screen.cells, before);
}

TEST(CellBuffer, SaveThenRestoreRoundTripsCharactersAndColours) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    paintPattern(screen);
    auto saved = cellBytes(6 * 3, 0xEE);
    conio::_conio_gettext(10, 5, 15, 7, saved.data());
    EXPECT_EQ(cellInBuffer(saved, 0), patternCell(9, 4));
    EXPECT_EQ(cellInBuffer(saved, 7), patternCell(10, 5));  // row order, left to right
    for (std::size_t i = 0; i < 18; ++i) EXPECT_EQ(saved[i * 4 + 1], 0xEE) << i;

    conio::clrscr();
    conio::puttext(10, 5, 15, 7, saved.data());
    for (int y = 4; y <= 6; ++y) {
        for (int x = 9; x <= 14; ++x) EXPECT_EQ(cellAt(screen, x, y), patternCell(x, y));
    }
    EXPECT_EQ(cellAt(screen, 8, 4), (Cell{32, 7}));
    EXPECT_EQ(cellAt(screen, 15, 4), (Cell{32, 7}));

    std::array<std::uint8_t, 4> one{};
    conio::_conio_gettext(12, 6, 12, 6, one.data());
    EXPECT_EQ(cellInBuffer({one.begin(), one.end()}, 0), patternCell(11, 5));
    const std::uint16_t red = 0x4C;
    one = {'Z', 0x55, 0, 0};
    std::memcpy(&one[2], &red, 2);
    conio::puttext(1, 1, 1, 1, one.data());
    EXPECT_EQ(cellAt(screen, 0, 0), (Cell{'Z', 0x4C}));
    EXPECT_EQ(cellAt(screen, 1, 0), (Cell{32, 7}));
}

TEST(CellBuffer, RectanglesOutsideTheBufferAreClippedAndGuardBytesSurvive) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    paintPattern(screen);
    constexpr std::size_t guard = 16;
    // Columns -1..2 and rows 24..26 of the window: only 0..1 x 23..24 exist.
    auto bytes = cellBytes(4 * 3 + 2 * guard / 4, 0xAB);
    std::uint8_t* cells = bytes.data() + guard;
    conio::_conio_gettext(-1, 24, 2, 26, cells);
    for (std::size_t i = 0; i < guard; ++i) {
        EXPECT_EQ(bytes[i], 0xAB) << i;
        EXPECT_EQ(bytes[bytes.size() - 1 - i], 0xAB) << i;
    }
    const std::vector<std::uint8_t> got(cells, cells + 48);
    EXPECT_EQ(cellInBuffer(got, 2), patternCell(0, 23));
    EXPECT_EQ(cellInBuffer(got, 7), patternCell(1, 24));
    EXPECT_EQ(cellInBuffer(got, 0), (Cell{0xAB, 0xABAB}));   // outside: left as it was
    EXPECT_EQ(cellInBuffer(got, 11), (Cell{0xAB, 0xABAB}));

    conio::clrscr();
    conio::puttext(-1, 24, 2, 26, cells);
    EXPECT_EQ(cellAt(screen, 0, 23), patternCell(0, 23));
    EXPECT_EQ(cellAt(screen, 1, 24), patternCell(1, 24));
    EXPECT_EQ(cellAt(screen, 2, 24), (Cell{32, 7}));

    const auto before = screen.cells;
    auto untouched = cellBytes(10, 0xCD);
    conio::_conio_gettext(4, 4, 3, 5, untouched.data());   // inverted
    conio::_conio_gettext(81, 1, 90, 1, untouched.data()); // right of the buffer
    conio::puttext(4, 4, 3, 5, untouched.data());
    conio::puttext(1, 26, 4, 26, untouched.data());        // below the buffer
    // Inverted as given, though its corners wrap to an upright 16-bit rectangle of
    // 25547 cells: the spare room shows any write.
    auto wide = cellBytes(30000, 0xCD);
    conio::_conio_gettext(40000, 1, 10, 1, wide.data());
    conio::puttext(40000, 1, 10, 1, wide.data());
    conio::movetext(40000, 1, 10, 1, 1, 2);
    EXPECT_EQ(wide, cellBytes(30000, 0xCD));
    EXPECT_EQ(untouched, cellBytes(10, 0xCD));
    EXPECT_EQ(screen.cells, before);
}

TEST(CellBuffer, RectanglesFollowAScrolledWindowOrigin) {
    HeadlessConsole console(80, 60);
    auto& screen = console.platform.screen();
    paintPattern(screen);
    screen.window = platform::Rect{0, 30, 79, 54};
    conio::refreshWindow();
    EXPECT_EQ(conio::__CONIO_TOP, 30);
    auto saved = cellBytes(2, 0);
    conio::_conio_gettext(3, 1, 4, 1, saved.data());
    EXPECT_EQ(cellInBuffer(saved, 0), patternCell(2, 30));
    conio::puttext(3, 25, 4, 25, saved.data());
    EXPECT_EQ(cellAt(screen, 3, 54), patternCell(3, 30));
    conio::movetext(1, 1, 1, 1, 1, 2);
    EXPECT_EQ(cellAt(screen, 0, 31), patternCell(0, 30));
    EXPECT_EQ(cellAt(screen, 0, 1), patternCell(0, 1));
}
