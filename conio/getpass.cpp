#include "conio/getpass.hpp"

#include <cstdint>

#include "conio/conio.hpp"
#include "conio/services.hpp"

namespace conio {
namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;

}  // namespace

char* getpass(const char* prompt, char* buffer) {
    const int maximum = static_cast<std::int8_t>(buffer[0]);
    int count = 0;
    _cputs(prompt);
    refreshWindow();
    const int start = __text_info.cursorx;
    const int row = __text_info.cursory;
    for (int key = _getch(); key != kEnter; key = _getch()) {
        if (key == kBackspace) {
            if (count > 0) {
                --count;
                gotoxy(start + count, row);
                _putch(' ');
            }
            gotoxy(start + count, row);
        } else if (count < maximum) {
            gotoxy(start + count, row);
            _putch('*');
            buffer[2 + count] = static_cast<char>(key & 0xFF);
            ++count;
        }
    }
    buffer[1] = static_cast<char>(count);
    buffer[2 + count] = '\0';
    return buffer + 2;
}

}  // namespace conio
