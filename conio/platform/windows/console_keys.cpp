#include "conio/platform/windows/console_keys.hpp"

#include <algorithm>

#include "conio/platform/cp437.hpp"
#include "conio/platform/key_intake.hpp"

namespace platform {
namespace {

// Windows' virtual-key codes of the keys that have a code of their own.
constexpr std::uint16_t kVkBack = 0x08;
constexpr std::uint16_t kVkTab = 0x09;
constexpr std::uint16_t kVkReturn = 0x0D;
constexpr std::uint16_t kVkEscape = 0x1B;
constexpr std::uint16_t kVkF1 = 0x70;
constexpr std::uint16_t kVkF10 = 0x79;
constexpr std::uint16_t kVkF11 = 0x7A;
constexpr std::uint16_t kVkF12 = 0x7B;

// Keys that only modify others (Shift, Ctrl, Alt, the Windows and menu keys, the locks):
// their own key-downs give nothing, whatever character a host may report with them.
constexpr std::uint16_t kModifierKeys[] = {
    0x10, 0x11, 0x12, 0x14, 0x5B, 0x5C, 0x5D, 0x90, 0x91, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5,
};

struct ExtendedKey {
    std::uint16_t virtualKey;
    std::uint8_t code;
};

// PgUp, PgDn, End, Home, the arrows, Ins and Del: the prefix 224, then the key's code.
constexpr ExtendedKey kExtendedKeys[] = {
    {0x21, 73}, {0x22, 81}, {0x23, 79}, {0x24, 71}, {0x25, 75},
    {0x26, 72}, {0x27, 77}, {0x28, 80}, {0x2D, 82}, {0x2E, 83},
    {kVkF11, 133}, {kVkF12, 134},
};

std::string singleKey(const ConsoleKeyEvent& event) {
    const std::uint16_t vk = event.virtualKeyCode;
    for (const std::uint16_t modifier : kModifierKeys) {
        if (vk == modifier) return {};
    }
    for (const ExtendedKey& key : kExtendedKeys) {
        if (key.virtualKey == vk) return {'\xE0', static_cast<char>(key.code)};
    }
    if (vk >= kVkF1 && vk <= kVkF10) return {'\0', static_cast<char>(59 + (vk - kVkF1))};
    // These have fixed bytes whatever character the console reports with them (some
    // consoles give ESC no character at all).
    if (vk == kVkReturn) return "\r";
    if (vk == kVkBack) return "\b";
    if (vk == kVkEscape) return "\x1b";
    if (vk == kVkTab) return "\t";
    // AltGr arrives as Left Ctrl + Right Alt with the character it makes, which is what counts;
    // a dead key's own key-down has no character and gives nothing (the next key brings the
    // composed one).
    const char16_t c = event.unicodeChar;
    if (c == 0) return {};
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    // Surrogates and everything the page has no glyph for read as '?'. Byte 224 (α) would
    // pair with the next key into a false extended key, so it is refused too.
    const int byte = (c >= 0xD800 && c <= 0xDFFF) ? -1 : unicodeToCp437(c);
    if (byte < 0 || byte == 0xE0) return "?";
    return std::string(1, static_cast<char>(byte));
}

}  // namespace

std::string keyBytes(const ConsoleKeyEvent& event) {
    if (!event.keyDown) return {};
    return singleKey(event);
}

int pressCount(const ConsoleKeyEvent& event) {
    if (!event.keyDown) return 0;
    return std::clamp<int>(event.repeatCount, 1, static_cast<int>(kKeyBufferBytes));
}

}  // namespace platform
