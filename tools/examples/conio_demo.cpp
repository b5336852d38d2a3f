// Shows the console library's region, password and attribute operations on a real
// terminal: a window of lines scrolled with insline/delline, a rectangle saved under a
// pop-up and put back, and a masked password prompt.
#include <array>
#include <cstdio>

#include "conio/attributes.hpp"
#include "conio/conio.hpp"
#include "conio/getpass.hpp"
#include "conio/platform/posix/terminal_platform.hpp"
#include "conio/region.hpp"
#include "conio/services.hpp"

namespace {

constexpr int kListTop = 4;
constexpr int kListRows = 10;

void waitKey(const char* message) {
    conio::textattr(0x70);
    conio::cputsxy(2, 24, message);
    conio::normvideo();
    conio::_getch();
    conio::gotoxy(1, 24);
    conio::clreol();
}

void drawLine(int row, int number) {
    conio::textcolor(9 + number % 6);
    conio::gotoxy(3, row);
    conio::printf("Linha %i da janela", number);
    conio::clreol();
}

// A list of lines that scrolls up (delline at its top, a new line written at its bottom),
// then back down (insline at its top). Each step is paired with the opposite operation
// just below the list, so the rows under it move away and come back: only the list scrolls.
void scrollList() {
    for (int i = 0; i < kListRows; ++i) drawLine(kListTop + i, i + 1);
    conio::_sleep(600);
    for (int n = kListRows + 1; n <= kListRows + 12; ++n) {
        conio::gotoxy(1, kListTop);
        conio::delline();
        conio::gotoxy(1, kListTop + kListRows);
        conio::insline();
        drawLine(kListTop + kListRows - 1, n);
        conio::_sleep(150);
    }
    for (int n = 12; n >= 1; --n) {
        conio::gotoxy(1, kListTop);
        conio::insline();
        drawLine(kListTop, n);
        conio::gotoxy(1, kListTop + kListRows);
        conio::delline();
        conio::_sleep(150);
    }
}

// Saves the rectangle under a pop-up, draws the pop-up, then puts the saved cells back.
void popUp() {
    constexpr int left = 20, top = 6, right = 60, bottom = 11;
    std::array<unsigned char, 4 * (right - left + 1) * (bottom - top + 1)> saved{};
    conio::_conio_gettext(left, top, right, bottom, saved.data());
    conio::textattr(0x1F);
    for (int y = top; y <= bottom; ++y) {
        conio::gotoxy(left, y);
        for (int x = left; x <= right; ++x) conio::_putch(' ');
    }
    conio::cputsxy(left + 3, top + 2, "Esta janela cobre a lista.");
    conio::cputsxy(left + 3, top + 3, "Ao sair, o fundo volta intacto.");
    waitKey("Tecle algo para fechar a janela ");
    conio::puttext(left, top, right, bottom, saved.data());
}

void askPassword() {
    std::array<char, 23> buffer{20};
    conio::textattr(0x0E);
    conio::gotoxy(3, 20);
    conio::_setcursortype(25);
    conio::getpass("Senha (Enter termina): ", buffer.data());
    conio::_setcursortype(0);
    conio::normvideo();
    conio::gotoxy(3, 21);
    conio::printf("Foram digitados %i caracteres.", static_cast<unsigned char>(buffer[1]));
    waitKey("Tecle algo para sair ");
}

}  // namespace

int main() {
    if (!platform::stdioIsTerminal()) {
        std::fputs("conio_demo: a entrada e a sa\xc3\xad" "da precisam ser um terminal\n", stderr);
        return 1;
    }
    platform::TerminalPlatform terminal;
    conio::installPlatform(terminal);
    conio::_setcursortype(0);
    conio::clrscr();
    conio::textattr(0x0F);
    conio::cputsxy(3, 2, "Exemplo da biblioteca de console");
    conio::normvideo();
    scrollList();
    popUp();
    askPassword();
    return 0;
}
