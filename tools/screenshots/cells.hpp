#pragma once
// A screen as the screenshot renderer reads it: a first line "WIDTH HEIGHT", then one line
// per row of cells "CODEPOINT:FB" or "CODEPOINT:FBu" (hex code point of the glyph, foreground
// and background colour 0..f after reverse video, u when underlined), separated by blanks.
#include <string>

#include "conio/platform/screen_buffer.hpp"

std::string cellsText(const platform::ScreenBuffer& screen);
// False when the file cannot be written whole.
bool writeCellsFile(const std::string& path, const platform::ScreenBuffer& screen);
