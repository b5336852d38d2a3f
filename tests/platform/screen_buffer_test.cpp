#include "conio/platform/screen_buffer.hpp"

#include <gtest/gtest.h>

using platform::Cell;
using platform::Rect;
using platform::ScreenBuffer;

namespace {

std::string row(const ScreenBuffer& b, int y) { return platform::rowBytes(b, y); }

}  // namespace

TEST(ScreenBufferWrite, BytesAreGlyphsAndNewlineGoesToColumnOneOfNextRow) {
    ScreenBuffer b = platform::makeScreenBuffer(10, 3);
    platform::setAttribute(b, 0x1E);
    platform::writeBytes(b, std::string("a\x1b\x03\nb", 5));
    EXPECT_EQ(row(b, 0).substr(0, 3), "a\x1b\x03");
    EXPECT_EQ(platform::cellAt(b, 1, 0), (Cell{27, 0x1E}));
    EXPECT_EQ(row(b, 1)[0], 'b');
    EXPECT_EQ(b.cursorX, 1);
    EXPECT_EQ(b.cursorY, 1);
}

TEST(ScreenBufferWrite, WrapsAtTheRightEdge) {
    ScreenBuffer b = platform::makeScreenBuffer(4, 3);
    platform::moveCursor(b, 2, 0);
    platform::writeBytes(b, "xyz");
    EXPECT_EQ(row(b, 0), "  xy");
    EXPECT_EQ(row(b, 1), "z   ");
    EXPECT_EQ(b.cursorX, 1);
    EXPECT_EQ(b.cursorY, 1);
}

TEST(ScreenBufferWrite, BottomRightCellNeverScrollsUntilAnotherByteComes) {
    ScreenBuffer b = platform::makeScreenBuffer(4, 2);
    platform::writeBytes(b, "top!");
    platform::moveCursor(b, 3, 1);
    platform::writeBytes(b, "R");
    EXPECT_EQ(row(b, 0), "top!");
    EXPECT_EQ(row(b, 1), "   R");
    EXPECT_TRUE(b.wrapPending);
    EXPECT_EQ(b.cursorX, 3);

    // Moving away cancels the pending wrap: nothing scrolls.
    platform::moveCursor(b, 0, 0);
    platform::writeBytes(b, "T");
    EXPECT_EQ(row(b, 0), "Top!");

    // Another byte after the bottom-right cell scrolls one row and goes on at column 0.
    platform::moveCursor(b, 3, 1);
    platform::setAttribute(b, 0x20);
    platform::writeBytes(b, "RS");
    EXPECT_EQ(row(b, 0), "   R");
    EXPECT_EQ(row(b, 1), "S   ");
    EXPECT_EQ(platform::cellAt(b, 2, 1).attr, 0x20);  // the new row is blank in the current attribute
}

TEST(ScreenBufferWrite, NewlineOnLastRowScrolls) {
    ScreenBuffer b = platform::makeScreenBuffer(3, 2);
    platform::writeBytes(b, "ab\ncd\nef");
    EXPECT_EQ(row(b, 0), "cd ");
    EXPECT_EQ(row(b, 1), "ef ");
}

TEST(ScreenBufferCursor, PositionsOutsideAreRefusedAndLeaveTheCursor) {
    ScreenBuffer b = platform::makeScreenBuffer(80, 25);
    ASSERT_TRUE(platform::moveCursor(b, 79, 24));
    EXPECT_FALSE(platform::moveCursor(b, 80, 0));
    EXPECT_FALSE(platform::moveCursor(b, -1, 3));
    EXPECT_FALSE(platform::moveCursor(b, 3, 25));
    EXPECT_EQ(b.cursorX, 79);
    EXPECT_EQ(b.cursorY, 24);
}

TEST(ScreenBufferFill, RunsGoOnToTheNextRowsAndStopAtTheEnd) {
    ScreenBuffer b = platform::makeScreenBuffer(4, 2);
    platform::fillChars(b, 2, 0, 4, '#');
    EXPECT_EQ(row(b, 0), "  ##");
    EXPECT_EQ(row(b, 1), "##  ");
    platform::fillAttributes(b, 3, 1, 100, 0x4F);
    EXPECT_EQ(platform::cellAt(b, 3, 1), (Cell{' ', 0x4F}));
    EXPECT_EQ(platform::cellAt(b, 2, 1).attr, 7);
    platform::fillChars(b, 9, 9, 5, '!');  // outside: nothing
    platform::fillChars(b, 0, 0, -3, '!');
    EXPECT_EQ(row(b, 0), "  ##");
}

TEST(ScreenBufferScroll, BandMovesUpOrDownWithFillAndClipping) {
    ScreenBuffer b = platform::makeScreenBuffer(3, 4);
    for (int y = 0; y < 4; ++y) platform::fillChars(b, 0, y, 3, static_cast<std::uint8_t>('0' + y));
    platform::scrollBand(b, Rect{0, 1, 1, 3}, -1, Cell{'.', 9});
    EXPECT_EQ(row(b, 0), "000");
    EXPECT_EQ(row(b, 1), "221");
    EXPECT_EQ(row(b, 2), "332");
    EXPECT_EQ(row(b, 3), "..3");
    platform::scrollBand(b, Rect{-5, 0, 99, 99}, 2, Cell{'-', 7});
    EXPECT_EQ(row(b, 0), "---");
    EXPECT_EQ(row(b, 1), "---");
    EXPECT_EQ(row(b, 2), "000");
    EXPECT_EQ(row(b, 3), "221");
}

TEST(ScreenBufferRect, ReadAndWriteClipToTheBufferAndTouchOnlyTheirCells) {
    ScreenBuffer b = platform::makeScreenBuffer(4, 3);
    platform::writeBytes(b, "abcdefghijkl");
    std::vector<Cell> out(6, Cell{'?', 1});
    platform::readRect(b, Rect{2, 1, 4, 2}, out);  // column 4 lies outside
    EXPECT_EQ(out[0].ch, 'g');
    EXPECT_EQ(out[1].ch, 'h');
    EXPECT_EQ(out[2], (Cell{'?', 1}));
    EXPECT_EQ(out[3].ch, 'k');
    EXPECT_EQ(out[5], (Cell{'?', 1}));

    platform::writeRect(b, Rect{-1, 0, 0, 0}, std::vector<Cell>{Cell{'X', 2}, Cell{'Y', 3}});
    EXPECT_EQ(platform::cellAt(b, 0, 0), (Cell{'Y', 3}));

    std::vector<Cell> untouched(1, Cell{'?', 1});
    platform::readRect(b, Rect{3, 3, 1, 1}, untouched);  // inverted
    platform::readRect(b, Rect{-2147483647 - 1, 0, 2147483647, 0}, untouched);  // extreme but short buffer
    constexpr int kMin = -2147483647 - 1;
    platform::readRect(b, Rect{kMin, kMin, 2147483647, 2147483647}, untouched);
    platform::writeRect(b, Rect{kMin, kMin, 2147483647, 2147483647}, untouched);
    EXPECT_EQ(untouched[0], (Cell{'?', 1}));
    EXPECT_EQ(platform::cellAt(b, 0, 0), (Cell{'Y', 3}));
}
