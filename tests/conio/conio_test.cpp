#include "conio/conio.hpp"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/headless.hpp"

using conio::currentAttribute;
using conio::textbackground;
using conio::textcolor;

TEST_F(HeadlessTest, AttributeRuleIsUnmaskedAndTruncatedTo16Bits) {
    textcolor(14);
    EXPECT_EQ(platform.screen().attribute, 14);  // background starts at 0
    textcolor(2);
    textbackground(6);
    EXPECT_EQ(platform.screen().attribute, 98);
    textbackground(0);
    for (const auto& [colour, attribute] : {std::pair{16, 16}, {18, 18}, {31, 31}, {32, 32}, {255, 255}, {256, 256}, {-1, 65535}}) {
        textcolor(colour);
        EXPECT_EQ(platform.screen().attribute, attribute) << colour;
    }
    textcolor(65536 + 5);
    EXPECT_EQ(currentAttribute(), 5);
    EXPECT_EQ(conio::__FOREGROUND, 65541);  // stored as given
}

TEST_F(HeadlessTest, GotoxyThenWhereReturnsThePosition) {
    conio::gotoxy(25, 23);
    EXPECT_EQ(conio::wherex(), 25);
    EXPECT_EQ(conio::wherey(), 23);
    conio::printf("ab");
    EXPECT_EQ(conio::wherex(), 27);
    conio::gotoxy(0, 0);  // outside the buffer: refused, the cursor stays
    EXPECT_EQ(conio::wherex(), 27);
    EXPECT_EQ(conio::wherey(), 23);
    conio::gotoxy(80, 25);
    EXPECT_EQ(conio::wherex(), 80);
    conio::gotoxy(81, 1);
    EXPECT_EQ(conio::wherex(), 80);
}

TEST_F(HeadlessTest, ClrscrFillsTheWindowFromTheLayersColoursAndHomesTheCursor) {
    conio::gotoxy(10, 10);
    conio::printf("xyz");
    textbackground(1);
    conio::clrscr();
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 80; ++x) ASSERT_EQ(platform::cellAt(platform.screen(), x, y), (platform::Cell{' ', 0x17})) << x << "," << y;
    }
    EXPECT_EQ(conio::wherex(), 1);
    EXPECT_EQ(conio::wherey(), 1);
}

TEST(ConioWindow, ScrolledWindowOriginMapsCoordinatesAndWrapsIn8Bits) {
    HeadlessConsole console(300, 60);
    platform::ScreenBuffer& screen = console.platform.screen();
    screen.window = platform::Rect{10, 20, 89, 44};
    conio::gotoxy(1, 1);  // no refresh yet: origin (0, 0)
    EXPECT_EQ(screen.cursorX, 0);
    conio::refreshWindow();
    EXPECT_EQ(conio::__CONIO_LEFT, 10);
    EXPECT_EQ(conio::__CONIO_TOP, 20);
    conio::gotoxy(5, 3);
    EXPECT_EQ(screen.cursorX, 14);
    EXPECT_EQ(screen.cursorY, 22);
    EXPECT_EQ(conio::wherex(), 5);
    EXPECT_EQ(conio::wherey(), 3);

    platform::moveCursor(screen, 299, 2);  // far right of and above the window
    EXPECT_EQ(conio::wherex(), 34);   // 290 in 8 bits
    EXPECT_EQ(conio::wherey(), 239);  // -17 in 8 bits

    screen.window = platform::Rect{0, 0, 299, 59};
    conio::refreshWindow();
    EXPECT_EQ(conio::__text_info.winwidth, 44);  // 300 in 8 bits
    EXPECT_EQ(conio::__text_info.winheight, 60);

    // Edges as far apart as int allows: the size wraps like any other, without overflow.
    screen.window = platform::Rect{INT_MIN, -5, 9, INT_MAX};
    conio::refreshWindow();
    EXPECT_EQ(conio::__text_info.winwidth, 10);   // 2^31 + 10 in 8 bits
    EXPECT_EQ(conio::__text_info.winheight, 5);    // 2^31 + 5 in 8 bits
}

TEST(ConioState, InitialValues) {
    HeadlessConsole console;
    EXPECT_EQ(conio::__FOREGROUND, 7);
    EXPECT_EQ(conio::__BACKGROUND, 0);
    const conio::TextInfo& info = conio::__text_info;
    EXPECT_EQ(info.cursorx, 1);
    EXPECT_EQ(info.cursory, 1);
    EXPECT_EQ(info.attribute, 7);
    EXPECT_EQ(info.normalattr, 7);
    EXPECT_EQ(info.winwidth, 80);
    EXPECT_EQ(info.winheight, 25);
}
