#include "conio/conio.hpp"

#include "conio/platform/screen_buffer.hpp"
#include "conio/services.hpp"

namespace conio {

int __FOREGROUND = 7;
int __BACKGROUND = 0;
int __CONIO_LEFT = 0;
int __CONIO_TOP = 0;
TextInfo __text_info{};

namespace {

platform::ScreenBuffer& console() { return activePlatform().screen(); }

// The console takes 16-bit cell coordinates: larger values wrap rather than overflow.
int toConsoleCoordinate(int origin, int position) {
    const auto wrapped = static_cast<std::uint16_t>(static_cast<unsigned>(origin) + static_cast<unsigned>(position) - 1u);
    return static_cast<std::int16_t>(wrapped);
}

// Cells from first to last, in unsigned arithmetic: any window gives its low bits, where
// far-apart edges would overflow a signed difference.
unsigned windowSpan(int first, int last) { return static_cast<unsigned>(last) - static_cast<unsigned>(first) + 1u; }

}  // namespace

void resetConioState() {
    __FOREGROUND = 7;
    __BACKGROUND = 0;
    __CONIO_LEFT = 0;
    __CONIO_TOP = 0;
    __text_info = TextInfo{};
}

std::uint16_t currentAttribute() {
    // Unsigned arithmetic: colours of any size wrap into 16 bits instead of overflowing.
    return static_cast<std::uint16_t>(static_cast<unsigned>(__FOREGROUND) + 16u * static_cast<unsigned>(__BACKGROUND));
}

void refreshWindow() {
    const platform::ScreenBuffer& screen = console();
    __CONIO_LEFT = static_cast<std::int16_t>(screen.window.left);
    __CONIO_TOP = static_cast<std::int16_t>(screen.window.top);
    __text_info.cursorx = static_cast<std::uint8_t>(screen.cursorX - __CONIO_LEFT + 1);
    __text_info.cursory = static_cast<std::uint8_t>(screen.cursorY - __CONIO_TOP + 1);
    __text_info.attribute = screen.attribute;
    __text_info.winwidth = static_cast<std::uint8_t>(windowSpan(screen.window.left, screen.window.right));
    __text_info.winheight = static_cast<std::uint8_t>(windowSpan(screen.window.top, screen.window.bottom));
}

void clrscr() {
    refreshWindow();
    platform::ScreenBuffer& screen = console();
    const std::uint16_t attribute = currentAttribute();
    for (int row = __CONIO_TOP; row < __CONIO_TOP + __text_info.winheight; ++row) {
        platform::fillAttributes(screen, __CONIO_LEFT, row, __text_info.winwidth, attribute);
        platform::fillChars(screen, __CONIO_LEFT, row, __text_info.winwidth, ' ');
    }
    platform::moveCursor(screen, __CONIO_LEFT, __CONIO_TOP);
}

int consoleColumn(int x) { return toConsoleCoordinate(__CONIO_LEFT, x); }
int consoleRow(int y) { return toConsoleCoordinate(__CONIO_TOP, y); }

void gotoxy(int x, int y) { platform::moveCursor(console(), consoleColumn(x), consoleRow(y)); }

int wherex() {
    refreshWindow();
    return __text_info.cursorx;
}

int wherey() {
    refreshWindow();
    return __text_info.cursory;
}

void textcolor(int colour) {
    __FOREGROUND = colour;
    platform::setAttribute(console(), currentAttribute());
}

void textbackground(int colour) {
    __BACKGROUND = colour;
    platform::setAttribute(console(), currentAttribute());
}

}  // namespace conio
