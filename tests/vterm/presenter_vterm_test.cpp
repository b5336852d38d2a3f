// The presenter's bytes fed to a real terminal emulator: what the terminal then shows must be
// the screen buffer, cell by cell, in every colour mode and layout.
#include <gtest/gtest.h>

#include <string>

#include "conio/platform/presenter.hpp"
#include "game/screen.hpp"
#include "game/setup.hpp"
#include "game/tick.hpp"
#include "tests/support/headless.hpp"
#include "tests/vterm/vterm_screen.hpp"

using ScreenCell = platform::Cell;
using platform::ColorMode;
using platform::PresenterOptions;
using platform::ScreenBuffer;
using platform::ShownFrame;

namespace {

constexpr ColorMode kModes[] = {ColorMode::Ansi16, ColorMode::Palette256, ColorMode::TrueColor, ColorMode::LinuxConsole};

struct TerminalSize {
    int columns;
    int rows;
};
// Exactly the window, centred in a larger terminal, and one row short.
constexpr TerminalSize kSizes[] = {{80, 25}, {101, 31}, {80, 24}};

PresenterOptions optionsFor(ColorMode colors, TerminalSize size, const ScreenBuffer& b) {
    const platform::Region region = platform::visibleRegion(b);
    return {colors, platform::layoutFor(size.columns, size.rows, region.width, region.height)};
}

// Presents b and checks the terminal shows it; returns what was written.
std::string presentAndCompare(emulated::Terminal& terminal, ShownFrame& shown, const ScreenBuffer& b,
                              const PresenterOptions& options) {
    const std::string bytes = platform::present(shown, b, options);
    EXPECT_EQ(emulated::foreignBytes(bytes), "");
    terminal.feed(bytes);
    EXPECT_EQ(emulated::cellMismatch(terminal, b, options), "");
    EXPECT_EQ(emulated::cursorMismatch(terminal, b, options), "");
    EXPECT_EQ(terminal.unrecognised(), 0);
    return bytes;
}

ScreenBuffer gameScreen() {
    HeadlessConsole console;
    Game g;
    startProcess(g);
    setUpGame(g);
    drawFrame(g.colors);
    g.state.score = 1234;
    runTick(g);  // the HUD and the ship
    return console.platform.screen();
}

}  // namespace

TEST(PresenterOnTerminal, GameFrameAndHudInEveryModeAndLayout) {
    const ScreenBuffer b = gameScreen();
    for (const ColorMode colors : kModes) {
        for (const TerminalSize size : kSizes) {
            SCOPED_TRACE(std::to_string(static_cast<int>(colors)) + " " + std::to_string(size.columns) + "x" +
                         std::to_string(size.rows));
            emulated::Terminal terminal(size.columns, size.rows);
            ShownFrame shown;
            presentAndCompare(terminal, shown, b, optionsFor(colors, size, b));
        }
    }
}

TEST(PresenterOnTerminal, EveryByteAndEveryColourPairWithReverseAndUnderline) {
    // Cell i holds byte i in attribute i: all 256 glyphs and all 16 x 16 colour pairs at once.
    ScreenBuffer b = platform::makeScreenBuffer(16, 16);
    for (const std::uint16_t flags : {0x0000, 0x4000, 0x8000, 0xC000, 0x0100}) {
        for (int i = 0; i < 256; ++i) {
            b.cells[static_cast<std::size_t>(i)] = ScreenCell{static_cast<std::uint8_t>(i), static_cast<std::uint16_t>(i | flags)};
        }
        for (const ColorMode colors : kModes) {
            SCOPED_TRACE(std::to_string(static_cast<int>(colors)) + " flags " + std::to_string(flags));
            emulated::Terminal terminal(20, 18);
            ShownFrame shown;
            presentAndCompare(terminal, shown, b, optionsFor(colors, {20, 18}, b));
        }
    }
}

TEST(PresenterOnTerminal, OneChangedCellIsAllThatIsSent) {
    ScreenBuffer b = gameScreen();
    const TerminalSize size{101, 31};
    emulated::Terminal terminal(size.columns, size.rows);
    ShownFrame shown;
    const PresenterOptions options = optionsFor(ColorMode::Ansi16, size, b);
    presentAndCompare(terminal, shown, b, options);

    platform::putCell(b, 30, 10, ScreenCell{3, 0x1C});
    const std::string update = presentAndCompare(terminal, shown, b, options);
    EXPECT_EQ(update, "\x1b[?2026h\x1b[14;41H\x1b[91;44m\xe2\x99\xa5\x1b[?2026l");

    b.cursorX = 5;
    b.cursorY = 3;
    b.cursorSize = 100;
    presentAndCompare(terminal, shown, b, options);
    b.cursorSize = 20;
    presentAndCompare(terminal, shown, b, options);
}

TEST(PresenterOnTerminal, NoticeForASmallWindowIsCentredAndWrapped) {
    const std::string text = "Aumente a janela para pelo menos 80 x 24";
    emulated::Terminal terminal(20, 9);
    terminal.feed("\x1b[1;1Hold text everywhere");
    const std::string bytes = platform::noticeBytes(20, 9, text);
    EXPECT_EQ(emulated::foreignBytes(bytes), "");
    terminal.feed(bytes);
    EXPECT_EQ(terminal.unrecognised(), 0);
    EXPECT_FALSE(terminal.cursorVisible());
    const std::string rows[] = {"                    ", "                    ", "                    ",
                                "  Aumente a janela  ", "para pelo menos 80 x", "         24         ",
                                "                    ", "                    ", "                    "};
    for (int row = 0; row < 9; ++row) EXPECT_EQ(terminal.rowText(row), rows[row]) << row;
}

TEST(PresenterOnTerminal, ChecksSeeWhatIsWrong) {
    ScreenBuffer b = platform::makeScreenBuffer(4, 2);
    emulated::Terminal terminal(4, 2);
    ShownFrame shown;
    const PresenterOptions options = optionsFor(ColorMode::Ansi16, {4, 2}, b);
    terminal.feed(platform::present(shown, b, options));
    EXPECT_EQ(emulated::cellMismatch(terminal, b, options), "");
    platform::putCell(b, 1, 1, ScreenCell{'x', 7});
    EXPECT_NE(emulated::cellMismatch(terminal, b, options), "") << "a cell not presented";
    platform::putCell(b, 1, 1, ScreenCell{' ', 0x17});
    EXPECT_NE(emulated::cellMismatch(terminal, b, options), "") << "a colour not presented";
    b.cursorSize = 50;
    EXPECT_NE(emulated::cursorMismatch(terminal, b, options), "") << "a cursor not shown";
    EXPECT_NE(emulated::foreignBytes("a\x07"), "");
    EXPECT_NE(emulated::foreignBytes("\x1b]0;title\x07"), "");
    EXPECT_NE(emulated::foreignBytes("\x1b[?1049h"), "");
    EXPECT_NE(emulated::foreignBytes("\xc2\x9b"), "") << "C1 control as UTF-8";
    EXPECT_NE(emulated::foreignBytes("\xc3"), "") << "a cut UTF-8 character";
}
