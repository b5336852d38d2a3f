#include "conio/platform/windows/console_keys.hpp"

#include <gtest/gtest.h>

#include <string>

#include "conio/platform/key_intake.hpp"

using platform::ConsoleKeyEvent;
using platform::keyBytes;
using platform::pressCount;

namespace {

ConsoleKeyEvent down(std::uint16_t virtualKey, char16_t ch = 0) { return ConsoleKeyEvent{true, 1, virtualKey, 0, ch, 0}; }

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

}  // namespace

TEST(ConsoleKeys, NavigationAndFunctionKeysGiveTheirPrefixAndCode) {
    EXPECT_EQ(keyBytes(down(0x26)), bytes({224, 72}));  // up
    EXPECT_EQ(keyBytes(down(0x28)), bytes({224, 80}));  // down
    EXPECT_EQ(keyBytes(down(0x25)), bytes({224, 75}));  // left
    EXPECT_EQ(keyBytes(down(0x27)), bytes({224, 77}));  // right
    EXPECT_EQ(keyBytes(down(0x24)), bytes({224, 71}));  // Home
    EXPECT_EQ(keyBytes(down(0x23)), bytes({224, 79}));  // End
    EXPECT_EQ(keyBytes(down(0x21)), bytes({224, 73}));  // PgUp
    EXPECT_EQ(keyBytes(down(0x22)), bytes({224, 81}));  // PgDn
    EXPECT_EQ(keyBytes(down(0x2D)), bytes({224, 82}));  // Ins
    EXPECT_EQ(keyBytes(down(0x2E)), bytes({224, 83}));  // Del
    EXPECT_EQ(keyBytes(down(0x70)), bytes({0, 59}));    // F1
    EXPECT_EQ(keyBytes(down(0x79)), bytes({0, 68}));    // F10
    EXPECT_EQ(keyBytes(down(0x7A)), bytes({224, 133}));  // F11
    EXPECT_EQ(keyBytes(down(0x7B)), bytes({224, 134}));  // F12
}

TEST(ConsoleKeys, EnterBackspaceAndEscapeHaveFixedBytesWhateverCharacterComes) {
    EXPECT_EQ(keyBytes(down(0x0D, u'\r')), "\r");
    EXPECT_EQ(keyBytes(down(0x0D, u'\n')), "\r");  // Ctrl+Enter reports a line feed
    EXPECT_EQ(keyBytes(down(0x08, 0x7F)), "\b");
    EXPECT_EQ(keyBytes(down(0x1B, 0)), "\x1b");  // wine gives ESC no character
    EXPECT_EQ(keyBytes(down(0x1B, 0x1B)), "\x1b");
}

TEST(ConsoleKeys, CharactersGoThroughCodePage437) {
    EXPECT_EQ(keyBytes(down(0x41, u'a')), "a");
    EXPECT_EQ(keyBytes(down(0x41, u'A')), "A");
    EXPECT_EQ(keyBytes(down(0x20, u' ')), " ");
    EXPECT_EQ(keyBytes(down(0x43, 0x03)), "\x03");  // Ctrl+C when it is read as a key
    EXPECT_EQ(keyBytes(down(0xBA, u'\u00C7')), bytes({128}));  // Ç
    EXPECT_EQ(keyBytes(down(0xBA, u'\u00ED')), bytes({161}));  // í
    EXPECT_EQ(keyBytes(down(0, u'\u20AC')), "?");  // € has no byte
    EXPECT_EQ(keyBytes(down(0, u'\u03B1')), "?");  // α is the prefix byte 224
    EXPECT_EQ(keyBytes(down(0, 0xD83D)), "?");     // half of a surrogate pair
}

TEST(ConsoleKeys, ReleasesAndLoneModifiersGiveNothing) {
    ConsoleKeyEvent release = down(0x41, u'a');
    release.keyDown = false;
    EXPECT_EQ(keyBytes(release), "");
    EXPECT_EQ(pressCount(release), 0);
    EXPECT_EQ(keyBytes(down(0x10)), "");  // Shift
    EXPECT_EQ(keyBytes(down(0x11)), "");  // Ctrl
    EXPECT_EQ(keyBytes(down(0x14)), "");  // Caps Lock
}

TEST(ConsoleKeys, AutoRepeatCountsAsPressesWithinTheQueueBound) {
    ConsoleKeyEvent held = down(0x26);
    held.repeatCount = 3;
    EXPECT_EQ(pressCount(held), 3);
    held.repeatCount = 0;
    EXPECT_EQ(pressCount(held), 1);
    held.repeatCount = 65535;
    EXPECT_EQ(pressCount(held), static_cast<int>(platform::kKeyBufferBytes));
}

TEST(ConsoleKeys, AltGrGivesItsCharacterDeadKeysAndModifiersGiveNothing) {
    constexpr std::uint32_t kLeftCtrl = 0x0008;
    constexpr std::uint32_t kRightAlt = 0x0001;
    ConsoleKeyEvent altGr = down(0x51, u'@');  // AltGr+Q on a German layout
    altGr.controlKeyState = kLeftCtrl | kRightAlt;
    EXPECT_EQ(keyBytes(altGr), "@");
    altGr = down(0x45, u'\u20AC');  // AltGr+E: € has no byte in the page
    altGr.controlKeyState = kLeftCtrl | kRightAlt;
    EXPECT_EQ(keyBytes(altGr), "?");
    ConsoleKeyEvent ctrl = down(0x11);  // AltGr's own key-downs: Ctrl, then Alt
    ctrl.controlKeyState = kLeftCtrl;
    EXPECT_EQ(keyBytes(ctrl), "");
    EXPECT_EQ(keyBytes(down(0x12)), "");
    EXPECT_EQ(keyBytes(down(0xA5)), "");         // Right Alt on its own
    EXPECT_EQ(keyBytes(down(0x5B)), "");         // Windows key
    EXPECT_EQ(keyBytes(down(0x10, u'\u0010')), "");  // Shift even with a stray character
    EXPECT_EQ(keyBytes(down(0xDE)), "");         // dead key ´: no character yet
    EXPECT_EQ(keyBytes(down(0x41, u'\u00E1')), bytes({160}));  // then á
}
