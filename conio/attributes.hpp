#pragma once
#include "conio/conio.hpp"

namespace conio {

void textattr(int attribute);
void normvideo();
void highvideo();
void lowvideo();
void gettextinfo(TextInfo* info);
void inittextinfo();
void _setcursortype(int size);   // 0 hides the cursor; 1..100 shows it, percent of the cell
void cputsxy(int x, int y, const char* text);
void putchxy(int x, int y, char ch);

}  // namespace conio
