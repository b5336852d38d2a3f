#include "conio/conio.hpp"

namespace conio {

int __FOREGROUND = 7;
int __BACKGROUND = 0;
int __CONIO_LEFT = 0;
int __CONIO_TOP = 0;
TextInfo __text_info{};

}  // namespace conio
