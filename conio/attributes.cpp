#include "conio/attributes.hpp"

#include <cstdint>

#include "conio/services.hpp"

namespace conio {
namespace {

platform::ScreenBuffer& screen() { return activePlatform().screen(); }

}  // namespace

void textattr(int attribute) {
    __FOREGROUND = attribute & 15;
    __BACKGROUND = attribute >> 4;  // arithmetic shift: the rest of the value, unmasked
    platform::setAttribute(screen(), static_cast<std::uint16_t>(attribute));
}

void normvideo() {
    const int normal = __text_info.normalattr;
    __FOREGROUND = normal & 15;
    __BACKGROUND = normal >> 4;
    platform::setAttribute(screen(), static_cast<std::uint16_t>(normal));
}

void highvideo() {
    if (__FOREGROUND > 7) return;
    __FOREGROUND += 8;
    platform::setAttribute(screen(), currentAttribute());
}

void lowvideo() {
    if (__FOREGROUND <= 7) return;
    __FOREGROUND -= 8;
    platform::setAttribute(screen(), currentAttribute());
}

void gettextinfo(TextInfo* info) {
    refreshWindow();
    *info = __text_info;
}

void inittextinfo() { __text_info.normalattr = screen().attribute; }

void _setcursortype(int size) {
    if (size < 0 || size > 100) return;  // the console refuses these and keeps its cursor
    screen().cursorSize = size;
}

void cputsxy(int x, int y, const char* text) {
    gotoxy(x, y);
    _cputs(text);
}

void putchxy(int x, int y, char ch) {
    gotoxy(x, y);
    _putch(static_cast<unsigned char>(ch));
}

}  // namespace conio
