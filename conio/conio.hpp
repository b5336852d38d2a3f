#pragma once
// Console cursor, colour and clearing over the platform's screen buffer. Positions are
// 1-based and relative to the visible window; the module state below is the layer's own.
#include <cstdint>

namespace conio {

struct TextInfo {
    std::uint8_t cursorx = 1;       // cursor column relative to the window, 1-based
    std::uint8_t cursory = 1;
    std::uint16_t attribute = 7;    // console attribute as of the last window refresh
    std::uint16_t normalattr = 7;   // what normvideo restores; only inittextinfo changes it
    std::uint8_t winwidth = 80;
    std::uint8_t winheight = 25;
};

// Reserved-looking names kept on purpose: they are the layer's documented state.
extern int __FOREGROUND;
extern int __BACKGROUND;
extern int __CONIO_LEFT;
extern int __CONIO_TOP;
extern TextInfo __text_info;

// Back to the initial values {7, 0, 0, 0, {1, 1, 7, 7, 80, 25}}; for tests.
void resetConioState();

// (__FOREGROUND + 16 * __BACKGROUND) truncated to 16 bits, unmasked.
std::uint16_t currentAttribute();
// Reads cursor, attribute and window from the console into the module state.
void refreshWindow();
// The buffer cell of a window-relative, 1-based column or row, through the window origin
// of the last refresh, truncated to the console's 16-bit coordinates.
int consoleColumn(int x);
int consoleRow(int y);

void clrscr();
void gotoxy(int x, int y);
int wherex();
int wherey();
void textcolor(int colour);
void textbackground(int colour);

}  // namespace conio
