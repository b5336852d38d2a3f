#include "conio/platform/presenter.hpp"

#include <gtest/gtest.h>

#include <string>

#include "conio/platform/cp437.hpp"

using platform::Cell;
using platform::ColorMode;
using platform::Layout;
using platform::PresenterOptions;
using platform::ScreenBuffer;
using platform::ShownFrame;

namespace {

// A small console filled with blanks in attribute 7, its whole area the visible window.
ScreenBuffer smallBuffer(int width, int height) {
    ScreenBuffer b;
    b.width = width;
    b.height = height;
    b.cells.assign(static_cast<std::size_t>(width * height), Cell{});
    b.window = {0, 0, width - 1, height - 1};
    return b;
}

void put(ScreenBuffer& b, int x, int y, std::uint8_t ch, std::uint16_t attr) {
    b.cells[static_cast<std::size_t>(y * b.width + x)] = Cell{ch, attr};
}

PresenterOptions optionsAt(int column, int row, int rows, ColorMode colors = ColorMode::Ansi16) {
    return PresenterOptions{colors, Layout{true, column, row, rows}};
}

// Removes the presenter's own escape sequences (ESC [ parameters final), leaving the text.
std::string withoutEscapes(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\x1b') {
            text += bytes[i];
            continue;
        }
        EXPECT_EQ(bytes[i + 1], '[') << "only CSI sequences are written";
        i += 2;
        while (i < bytes.size() && !(bytes[i] >= 0x40 && bytes[i] <= 0x7E)) ++i;
    }
    return text;
}

}  // namespace

TEST(Presenter, BlankToKnownScreenThenOneChangedCell) {
    ScreenBuffer b = smallBuffer(4, 2);
    put(b, 0, 0, 'H', 0x1E);
    put(b, 1, 0, 'i', 0x1E);
    ShownFrame shown;
    const PresenterOptions options = optionsAt(10, 3, 2);
    EXPECT_EQ(platform::present(shown, b, options),
              "\x1b[0m\x1b[2J\x1b[?2026h\x1b[?25l"
              "\x1b[4;11H\x1b[0;93;44mHi\x1b[37;40m  "
              "\x1b[5;11H    "
              "\x1b[?2026l");
    EXPECT_EQ(platform::present(shown, b, options), "") << "nothing changed, nothing written";

    put(b, 1, 1, 'X', 0x4F);
    EXPECT_EQ(platform::present(shown, b, options), "\x1b[?2026h\x1b[5;12H\x1b[97;41mX\x1b[?2026l");

    // Two changes on one row: a short forward move, and SGR only where the attribute changes.
    put(b, 0, 0, 3, 0x4F);
    put(b, 3, 0, 4, 0x4F);
    EXPECT_EQ(platform::present(shown, b, options),
              "\x1b[?2026h\x1b[4;11H\xe2\x99\xa5\x1b[2C\xe2\x99\xa6\x1b[?2026l");

    // Adjacent changes need no move; a new layout (a resize) repaints everything.
    put(b, 1, 1, 'a', 0x4F);
    put(b, 2, 1, 'b', 0x4F);
    EXPECT_EQ(platform::present(shown, b, options), "\x1b[?2026h\x1b[5;12Hab\x1b[?2026l");
    EXPECT_NE(platform::present(shown, b, optionsAt(0, 0, 2)).find("\x1b[2J"), std::string::npos);
}

TEST(Presenter, EveryByteShowsAsItsGlyphAndNoControlByteEscapes) {
    ScreenBuffer b = smallBuffer(16, 16);
    std::string glyphs;
    for (int i = 0; i < 256; ++i) {
        put(b, i % 16, i / 16, static_cast<std::uint8_t>(i), static_cast<std::uint16_t>(i * 257));
        glyphs += platform::cp437ToUtf8(static_cast<std::uint8_t>(i));
    }
    for (ColorMode colors : {ColorMode::Ansi16, ColorMode::TrueColor, ColorMode::LinuxConsole}) {
        ShownFrame shown;
        const std::string out = platform::present(shown, b, optionsAt(0, 0, 16, colors));
        const std::string text = withoutEscapes(out);
        EXPECT_EQ(text, glyphs);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            ASSERT_FALSE(c < 0x20 || c == 0x7F) << "control byte " << int(c) << " at " << i;
            if (c == 0xC2) {
                ASSERT_GE(static_cast<unsigned char>(text[i + 1]), 0xA0) << "C1 control at " << i;
            }
        }
    }
}

TEST(Presenter, ConsoleColoursMapToTerminalColours) {
    using platform::sgrParameters;
    // Console order differs from ANSI's: blue 1 is 4, cyan 3 is 6, red 4 is 1, brown 6 is 3.
    EXPECT_EQ(sgrParameters(0x01, ColorMode::Ansi16), "0;34;40");
    EXPECT_EQ(sgrParameters(0x03, ColorMode::Ansi16), "0;36;40");
    EXPECT_EQ(sgrParameters(0x64, ColorMode::Ansi16), "0;31;43");
    EXPECT_EQ(sgrParameters(0x9F, ColorMode::Ansi16), "0;97;104");
    EXPECT_EQ(sgrParameters(0x08, ColorMode::Ansi16), "0;90;40");
    EXPECT_EQ(sgrParameters(0xC007, ColorMode::Ansi16), "0;37;40;7;4") << "reverse and underline bits";
    EXPECT_EQ(sgrParameters(0x0107, ColorMode::Ansi16), "0;37;40") << "other high bits show nothing";
    EXPECT_EQ(sgrParameters(0x86, ColorMode::TrueColor), "0;38;2;170;85;0;48;2;85;85;85");
    EXPECT_EQ(sgrParameters(0x19, ColorMode::TrueColor), "0;38;2;85;85;255;48;2;0;0;170");
    EXPECT_EQ(sgrParameters(0x9E, ColorMode::LinuxConsole), "0;33;44;1;5");
    EXPECT_EQ(sgrParameters(0x17, ColorMode::LinuxConsole), "0;37;44");
    EXPECT_EQ(sgrParameters(0x86, ColorMode::Palette256), "0;38;5;130;48;5;240");
    EXPECT_EQ(sgrParameters(0x4007, ColorMode::Palette256), "0;38;5;248;48;5;16;7");
}

// Everything between the synchronized-update marks is one picture; an erase there loses
// tmux the text drawn after it, so a full repaint erases first.
TEST(Presenter, FullRepaintsEraseBeforeTheSynchronizedBlock) {
    const auto eraseInsideBlock = [](const std::string& bytes) {
        const std::size_t begin = bytes.find("\x1b[?2026h");
        const std::size_t end = bytes.find("\x1b[?2026l");
        EXPECT_NE(begin, std::string::npos);
        EXPECT_NE(end, std::string::npos);
        return bytes.substr(begin, end - begin).find("\x1b[2J") != std::string::npos;
    };
    ScreenBuffer b = smallBuffer(4, 2);
    put(b, 1, 1, 'x', 0x1E);
    ShownFrame shown;
    const std::string first = platform::present(shown, b, optionsAt(0, 0, 2));
    const std::string resized = platform::present(shown, b, optionsAt(3, 1, 2));
    const std::string notice = platform::noticeBytes(20, 5, platform::kTooSmallNotice);
    for (const std::string& bytes : {first, resized, notice}) {
        EXPECT_EQ(bytes.rfind("\x1b[0m\x1b[2J\x1b[?2026h", 0), 0u) << bytes;
        EXPECT_FALSE(eraseInsideBlock(bytes)) << bytes;
    }
    EXPECT_NE(resized.find("\x1b[3;4H \x1b[93;44mx"), std::string::npos) << "everything drawn again";
}

// Erasing a moving glyph writes a blank in the glyph's colour: a blank shows only its
// background, so it goes out in whatever colour is set, unless reverse video or an
// underline would show that colour.
TEST(Presenter, BlanksKeepTheColourSetUnlessItWouldShow) {
    ScreenBuffer b = smallBuffer(6, 1);
    put(b, 0, 0, 2, 0x02);
    put(b, 1, 0, ' ', 0x05);
    put(b, 2, 0, 255, 0x0E);
    put(b, 3, 0, 2, 0x02);
    put(b, 4, 0, ' ', 0x15);
    put(b, 5, 0, ' ', 0x8002);
    ShownFrame shown;
    EXPECT_EQ(platform::present(shown, b, optionsAt(0, 0, 1)),
              "\x1b[0m\x1b[2J\x1b[?2026h\x1b[?25l\x1b[1;1H\x1b[0;32;40m\xe2\x98\xbb \xc2\xa0\xe2\x98\xbb"
              "\x1b[35;44m \x1b[0;32;40;4m \x1b[?2026l");

    put(b, 0, 0, ' ', 0x4002);  // reverse video shows the foreground as the cell's colour
    put(b, 3, 0, ' ', 0x07);
    EXPECT_EQ(platform::present(shown, b, optionsAt(0, 0, 1)),
              "\x1b[?2026h\x1b[1;1H\x1b[0;32;40;7m \x1b[2C\x1b[0;37;40m \x1b[?2026l");
}

TEST(Presenter, FlagChangeResetsAndColourChangeSendsOnlyWhatDiffers) {
    ScreenBuffer b = smallBuffer(3, 1);
    put(b, 0, 0, 'a', 0x07);
    put(b, 1, 0, 'b', 0x01);
    put(b, 2, 0, 'c', 0x4001);
    ShownFrame shown;
    EXPECT_EQ(platform::present(shown, b, optionsAt(0, 0, 1)),
              "\x1b[0m\x1b[2J\x1b[?2026h\x1b[?25l\x1b[1;1H\x1b[0;37;40ma\x1b[34mb\x1b[0;34;40;7mc\x1b[?2026l");
}

TEST(Presenter, TerminalOneRowShortHidesTheLastRow) {
    const Layout exact = platform::layoutFor(80, 24, 80, 25);
    EXPECT_TRUE(exact.fits);
    EXPECT_EQ(exact.shownRows, 24);
    EXPECT_EQ(exact.originRow, 0);
    const Layout large = platform::layoutFor(101, 31, 80, 25);
    EXPECT_TRUE(large.fits);
    EXPECT_EQ(large.originColumn, 10);
    EXPECT_EQ(large.originRow, 3);
    EXPECT_EQ(large.shownRows, 25);
    EXPECT_FALSE(platform::layoutFor(79, 50, 80, 25).fits);
    EXPECT_FALSE(platform::layoutFor(200, 23, 80, 25).fits);

    ScreenBuffer b = smallBuffer(2, 3);
    put(b, 0, 2, 'Z', 7);
    ShownFrame shown;
    const std::string out = platform::present(shown, b, optionsAt(0, 0, 2));
    EXPECT_EQ(withoutEscapes(out), "    ");
    EXPECT_EQ(out.find("\x1b[3;"), std::string::npos) << "nothing drawn on the hidden row";
}

TEST(Presenter, CursorShownOnlyWhenItHasASize) {
    ScreenBuffer b = smallBuffer(4, 2);
    ShownFrame shown;
    const PresenterOptions options = optionsAt(0, 0, 2);
    EXPECT_EQ(platform::present(shown, b, options).find("\x1b[?25h"), std::string::npos);

    b.cursorX = 2;
    b.cursorY = 1;
    b.cursorSize = 25;
    EXPECT_EQ(platform::present(shown, b, options), "\x1b[?2026h\x1b[2;3H\x1b[3 q\x1b[?25h\x1b[?2026l");
    EXPECT_EQ(platform::present(shown, b, options), "");

    b.cursorSize = 100;
    EXPECT_EQ(platform::present(shown, b, options), "\x1b[?2026h\x1b[2;3H\x1b[1 q\x1b[?25h\x1b[?2026l");

    put(b, 0, 0, 'q', 7);  // drawing hides the cursor meanwhile and puts it back after
    EXPECT_EQ(platform::present(shown, b, options),
              "\x1b[?2026h\x1b[?25l\x1b[1;1Hq\x1b[2;3H\x1b[?25h\x1b[?2026l");

    b.cursorSize = 0;
    EXPECT_EQ(platform::present(shown, b, options), "\x1b[?2026h\x1b[?25l\x1b[?2026l");
}

TEST(Presenter, NoticeIsCentredAndWrapsOnNarrowTerminals) {
    const std::string text = "Aumente a janela para pelo menos 80 x 24";
    const std::string wide = platform::noticeBytes(60, 10, text);
    EXPECT_NE(wide.find("\x1b[2J"), std::string::npos);
    EXPECT_NE(wide.find("\x1b[5;11H" + text), std::string::npos);

    const std::string narrow = platform::noticeBytes(20, 9, text);
    EXPECT_EQ(withoutEscapes(narrow), "Aumente a janelapara pelo menos 80 x24");
    EXPECT_NE(narrow.find("\x1b[4;3HAumente a janela"), std::string::npos);
    EXPECT_NE(narrow.find("\x1b[6;10H24"), std::string::npos);
}
