#include "conio/attributes.hpp"

#include <gtest/gtest.h>

#include "conio/conio.hpp"
#include "tests/support/headless.hpp"

using conio::__BACKGROUND;
using conio::__FOREGROUND;

namespace {

std::uint16_t consoleAttribute(HeadlessConsole& console) { return console.platform.screen().attribute; }

}  // namespace

TEST(TextAttr, SplitsTheValueIntoColoursUnmasked) {
    HeadlessConsole console;
    conio::textattr(30);
    EXPECT_EQ(__FOREGROUND, 14);
    EXPECT_EQ(__BACKGROUND, 1);
    EXPECT_EQ(consoleAttribute(console), 30);
    conio::textcolor(15);
    EXPECT_EQ(consoleAttribute(console), 31);

    conio::textattr(500);
    EXPECT_EQ(__FOREGROUND, 4);
    EXPECT_EQ(__BACKGROUND, 31);
    EXPECT_EQ(consoleAttribute(console), 500);

    conio::textattr(-1);
    EXPECT_EQ(__FOREGROUND, 15);
    EXPECT_EQ(__BACKGROUND, -1);
    EXPECT_EQ(consoleAttribute(console), 65535);
}

TEST(BrightAndDimVideo, MoveTheForegroundByEightOnlyAcrossSeven) {
    HeadlessConsole console;
    conio::textbackground(2);
    conio::highvideo();
    EXPECT_EQ(__FOREGROUND, 15);
    EXPECT_EQ(consoleAttribute(console), 15 + 32);
    conio::highvideo();
    EXPECT_EQ(__FOREGROUND, 15);

    conio::lowvideo();
    EXPECT_EQ(__FOREGROUND, 7);
    EXPECT_EQ(consoleAttribute(console), 7 + 32);
    conio::lowvideo();
    EXPECT_EQ(__FOREGROUND, 7);
    EXPECT_EQ(__BACKGROUND, 2);

    conio::textcolor(20);
    conio::lowvideo();
    EXPECT_EQ(__FOREGROUND, 12);
    conio::textcolor(-3);
    conio::highvideo();
    EXPECT_EQ(__FOREGROUND, 5);
    EXPECT_EQ(consoleAttribute(console), 5 + 32);
}

TEST(BrightAndDimVideo, NoChangeMeansNoConsoleCall) {
    HeadlessConsole console;
    conio::textcolor(15);
    console.platform.screen().attribute = 0x1234;
    conio::highvideo();
    EXPECT_EQ(consoleAttribute(console), 0x1234);
    conio::textcolor(7);
    console.platform.screen().attribute = 0x1234;
    conio::lowvideo();
    EXPECT_EQ(consoleAttribute(console), 0x1234);
}

TEST(NormalVideo, RestoresTheNormalAttribute) {
    HeadlessConsole console;
    conio::textattr(0x4E);
    conio::normvideo();
    EXPECT_EQ(__FOREGROUND, 7);
    EXPECT_EQ(__BACKGROUND, 0);
    EXPECT_EQ(consoleAttribute(console), 7);

    conio::textattr(0x1E);
    conio::gotoxy(5, 6);
    conio::inittextinfo();
    EXPECT_EQ(conio::__text_info.normalattr, 0x1E);
    EXPECT_EQ(conio::__text_info.cursorx, 1);  // nothing else is refreshed
    EXPECT_EQ(conio::__text_info.attribute, 7);
    conio::textattr(0);
    conio::normvideo();
    EXPECT_EQ(__FOREGROUND, 14);
    EXPECT_EQ(__BACKGROUND, 1);
    EXPECT_EQ(consoleAttribute(console), 0x1E);
}

TEST(TextInfoCopy, RefreshesThenCopiesTheRecord) {
    HeadlessConsole console(100, 60);
    console.platform.screen().window = platform::Rect{10, 20, 59, 29};
    conio::refreshWindow();
    conio::gotoxy(4, 3);
    conio::textcolor(4);
    conio::TextInfo info{};
    conio::gettextinfo(&info);
    EXPECT_EQ(info.cursorx, 4);
    EXPECT_EQ(info.cursory, 3);
    EXPECT_EQ(info.attribute, 4);
    EXPECT_EQ(info.normalattr, 7);
    EXPECT_EQ(info.winwidth, 50);
    EXPECT_EQ(info.winheight, 10);
}

TEST(CursorShape, HidesShowsAndRefusesSizesOutsideOneToHundred) {
    HeadlessConsole console;
    auto& screen = console.platform.screen();
    screen.cursorSize = 50;
    conio::_setcursortype(0);
    EXPECT_EQ(screen.cursorSize, 0);
    conio::_setcursortype(25);
    EXPECT_EQ(screen.cursorSize, 25);
    conio::_setcursortype(101);
    conio::_setcursortype(-1);
    EXPECT_EQ(screen.cursorSize, 25);
    conio::_setcursortype(100);
    EXPECT_EQ(screen.cursorSize, 100);
}

TEST(PositionedWrite, WritesAtTheWindowPositionInTheCurrentAttribute) {
    HeadlessConsole console;
    conio::textattr(0x1F);
    conio::cputsxy(5, 3, "Ola");
    conio::putchxy(1, 1, static_cast<char>(200));
    EXPECT_EQ(console.platform.row(2).substr(4, 3), "Ola");
    EXPECT_EQ(console.platform.attributeAt(4, 2), 0x1F);
    EXPECT_EQ(console.platform.screen().cells[0].ch, 200);

    // Refused position: the text goes wherever the cursor stood.
    conio::gotoxy(10, 10);
    conio::cputsxy(0, 0, "x");
    EXPECT_EQ(console.platform.row(9).substr(9, 1), "x");
}

TEST(PositionedWrite, UsesTheOriginOfTheLastRefresh) {
    HeadlessConsole console(80, 60);
    console.platform.screen().window = platform::Rect{0, 30, 79, 54};
    conio::putchxy(1, 1, 'a');  // not refreshed yet: origin still (0, 0)
    EXPECT_EQ(console.platform.screen().cells[0].ch, 'a');
    conio::refreshWindow();
    conio::putchxy(1, 1, 'b');
    EXPECT_EQ(console.platform.row(30).substr(0, 1), "b");
}
