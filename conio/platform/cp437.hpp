#pragma once
// Code page 437 as the console shows it: every byte a glyph, including 0x01..0x1F and 0x7F.
#include <cstdint>
#include <string_view>

namespace platform {

// The Unicode code point of the glyph for a byte (all lie in the Basic Multilingual Plane,
// so each is one UTF-16 unit); byte 0 shows as a blank.
char32_t cp437ToUnicode(std::uint8_t byte);
// UTF-8 text of the glyph for a byte; byte 0 shows as a blank.
std::string_view cp437ToUtf8(std::uint8_t byte);
// The code page 437 byte for a Unicode code point, or -1 when the page has no such glyph.
// Only the printable range is searched (0x20..0xFF), so no control byte comes back.
int unicodeToCp437(char32_t codePoint);

}  // namespace platform
