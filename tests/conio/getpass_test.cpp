#include "conio/getpass.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "conio/conio.hpp"
#include "tests/support/headless.hpp"

TEST(Getpass, StoresCountsAndEchoesTheAcceptedKeys) {
    struct Case {
        unsigned char maximum;
        std::string keys;
        std::string text;   // stored text
        std::string echo;   // row 2 from the start column, four cells
        int endColumn;      // cursor column once Enter is read
    };
    const Case cases[] = {
        {10, "\r", "", "    ", 10},                    // Enter first
        {10, "ab\x1b\t\r", "ab\x1b\t", "****", 14},    // Escape and Tab are characters too
        {10, "abc\bd\r", "abd", "*** ", 13},
        {10, "ab\b\b\b\r", "", "    ", 10},            // backspace with nothing left
        {2, "abc\bd\r", "ad", "**  ", 12},             // maximum reached, then freed
        {0, "xyz\b\r", "", "    ", 10},
        {200, "abc\r", "", "    ", 10},                // reads as a negative maximum
        {10, "\xE0H\r", "\xE0H", "**  ", 12},          // a two-byte key counts twice
    };
    for (const Case& c : cases) {
        HeadlessConsole console;
        std::array<char, 16> buffer;
        buffer.fill(0x5A);  // every byte getpass writes shows against this
        buffer[0] = static_cast<char>(c.maximum);
        console.platform.scheduleKeys(0, c.keys);
        conio::gotoxy(3, 2);
        const char* text = conio::getpass("Senha: ", buffer.data());
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(text, buffer.data() + 2);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(buffer[1], static_cast<char>(c.text.size()));
        EXPECT_EQ(buffer[2 + c.text.size()], '\0');
        if (c.maximum <= 12) {
            EXPECT_EQ(buffer[3 + c.maximum], 0x5A);  // the caller's buffer ends here
        }
        EXPECT_EQ(console.platform.row(1).substr(0, 13), "  Senha: " + c.echo);
        EXPECT_EQ(conio::wherex(), c.endColumn);
        EXPECT_EQ(conio::wherey(), 2);
    }
}

TEST(Getpass, EchoesOnThePromptRowOfAScrolledWindow) {
    HeadlessConsole console(100, 60);
    auto& screen = console.platform.screen();
    screen.window = platform::Rect{10, 30, 89, 54};
    conio::refreshWindow();
    std::array<char, 8> buffer{5};
    console.platform.scheduleKeys(0, "ab\bc\r");
    conio::gotoxy(1, 4);
    conio::getpass("> ", buffer.data());
    EXPECT_EQ(console.platform.row(33).substr(8, 8), "  > **  ");
    EXPECT_EQ(std::string(buffer.data() + 2), "ac");
    EXPECT_EQ(screen.cursorX, 14);
    EXPECT_EQ(screen.cursorY, 33);
}
