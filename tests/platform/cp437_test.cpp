#include "conio/platform/cp437.hpp"

#include <gtest/gtest.h>

#include <string>

using platform::cp437ToUtf8;
using platform::unicodeToCp437;

TEST(Cp437, EveryByteIsAPrintableGlyph) {
    for (int b = 0; b < 256; ++b) {
        const std::string_view glyph = cp437ToUtf8(static_cast<std::uint8_t>(b));
        ASSERT_FALSE(glyph.empty()) << b;
        const auto first = static_cast<unsigned char>(glyph[0]);
        EXPECT_FALSE(first < 0x20 || first == 0x7F) << "byte " << b << " shows as a control";
        if (glyph.size() == 2) {  // no C1 controls (U+0080..U+009F) either
            EXPECT_FALSE(first == 0xC2 && static_cast<unsigned char>(glyph[1]) < 0xA0) << b;
        }
    }
}

TEST(Cp437, GameGlyphsAndLetters) {
    EXPECT_EQ(cp437ToUtf8(0), " ");
    EXPECT_EQ(cp437ToUtf8(3), "\u2665");
    EXPECT_EQ(cp437ToUtf8(15), "\u263C");
    EXPECT_EQ(cp437ToUtf8(27), "\u2190");
    EXPECT_EQ(cp437ToUtf8(127), "\u2302");
    EXPECT_EQ(cp437ToUtf8(128), "\u00C7");
    EXPECT_EQ(cp437ToUtf8(161), "\u00ED");
    EXPECT_EQ(cp437ToUtf8(179), "\u2502");
    EXPECT_EQ(cp437ToUtf8(201), "\u2554");
    EXPECT_EQ(cp437ToUtf8(241), "\u00B1");
    EXPECT_EQ(cp437ToUtf8('A'), "A");
}

TEST(Cp437, UnicodeBackToBytes) {
    EXPECT_EQ(unicodeToCp437(U'\u00E7'), 135);
    EXPECT_EQ(unicodeToCp437(U'\u00E1'), 160);
    EXPECT_EQ(unicodeToCp437(U'\u00E9'), 130);
    EXPECT_EQ(unicodeToCp437(U'\u00C7'), 128);
    EXPECT_EQ(unicodeToCp437(U'a'), 'a');
    EXPECT_EQ(unicodeToCp437(U'\u263A'), -1);  // control-range glyphs are never returned
    EXPECT_EQ(unicodeToCp437(U'\u4E2D'), -1);
}
