#pragma once
// Line and rectangle operations on the window. Rectangles are 1-based, window-relative,
// edges inclusive. Cell buffers hold four bytes per cell: character, one byte left alone,
// then the 16-bit attribute (native byte order), top row first.
namespace conio {

void clreol();
void delline();
void insline();
void movetext(int left, int top, int right, int bottom, int newleft, int newtop);
void _conio_gettext(int left, int top, int right, int bottom, void* buffer);
void puttext(int left, int top, int right, int bottom, const void* buffer);

}  // namespace conio
