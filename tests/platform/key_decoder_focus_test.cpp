// The terminal's focus reports come out of the key decoder as focus events, in order with
// the keys around them, and never as key bytes.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "conio/platform/key_decoder.hpp"

using platform::FocusReport;
using platform::KeyDecoder;
using platform::kEscTimeoutMs;

namespace {

// Keys as they come, with "<lost>" and "<back>" where a focus report completed.
std::string decodeAll(KeyDecoder& d, std::string_view bytes, std::int64_t nowMs = 1000) {
    std::string out;
    for (const char c : bytes) {
        const platform::DecodedInput input = platform::decode(d, static_cast<std::uint8_t>(c), nowMs);
        out += input.keys;
        if (input.focus == FocusReport::Lost) out += "<lost>";
        if (input.focus == FocusReport::Gained) out += "<back>";
    }
    return out;
}

std::string decodeAll(std::string_view bytes) {
    KeyDecoder d;
    return decodeAll(d, bytes);
}

}  // namespace

TEST(FocusReports, AloneAndAmidOtherInput) {
    EXPECT_EQ(decodeAll("\x1b[O"), "<lost>");
    EXPECT_EQ(decodeAll("\x1b[I"), "<back>");
    EXPECT_EQ(decodeAll("ab\x1b[Ocd\x1b[Ie"), "ab<lost>cd<back>e");
    EXPECT_EQ(decodeAll("\x1b[A\x1b[O\x1b[B\x1b[I\x1bOC"), "\xe0H<lost>\xe0P<back>\xe0M") << "between arrows";
    EXPECT_EQ(decodeAll("\xc3\x1b[O\xc3\xa7"), "<lost>\x87") << "a broken letter is dropped, the report kept";

    // feed alone, as callers that know nothing of focus use it, gives no key for them.
    KeyDecoder d;
    std::string keys;
    for (const char c : std::string_view("\x1b[Ox\x1b[I")) keys += platform::feed(d, static_cast<std::uint8_t>(c), 0);
    EXPECT_EQ(keys, "x");
}

TEST(FocusReports, OnlyTheBareFormIsAReport) {
    EXPECT_EQ(decodeAll("\x1b[1O\x1b[?O\x1b[1;2I"), "") << "with parameters: dropped, no report";
    EXPECT_EQ(decodeAll("\x1bOI\x1bOO"), "") << "SS3 I and O are nothing";
    EXPECT_EQ(decodeAll("\x1b[[O"), "") << "not after the Linux console's ESC [ [";
}

TEST(FocusReports, SplitAcrossReads) {
    KeyDecoder d;
    EXPECT_EQ(decodeAll(d, "x\x1b", 1000), "x");
    EXPECT_EQ(decodeAll(d, "[", 1000 + kEscTimeoutMs - 2), "");
    EXPECT_EQ(decodeAll(d, "O\x1b[", 1000 + kEscTimeoutMs - 1), "<lost>");
    EXPECT_EQ(decodeAll(d, "Iy", 1000 + kEscTimeoutMs), "<back>y");

    // Past the timeout the ESC and '[' were typed: a late O or I is that letter, no report.
    EXPECT_EQ(decodeAll(d, "\x1b[", 2000), "");
    EXPECT_EQ(decodeAll(d, "O", 2000 + kEscTimeoutMs), "\x1b[O");
    EXPECT_EQ(decodeAll(d, "\x1b[", 3000), "");
    EXPECT_EQ(platform::onIdle(d, 3000 + kEscTimeoutMs), "\x1b[");
    EXPECT_EQ(decodeAll(d, "I", 3100), "I");
}

TEST(FocusReports, AfterABareEsc) {
    KeyDecoder d;
    EXPECT_EQ(decodeAll(d, "\x1b", 1000), "");
    EXPECT_EQ(decodeAll(d, "\x1b[O", 1005), "\x1b<lost>") << "the ESC key first, then the report";

    EXPECT_EQ(decodeAll(d, "\x1b", 2000), "");
    EXPECT_EQ(platform::onIdle(d, 2000 + kEscTimeoutMs), "\x1b");
    EXPECT_EQ(decodeAll(d, "\x1b[O", 3000), "<lost>");

    EXPECT_EQ(decodeAll(d, "\x1b", 4000), "");
    EXPECT_EQ(decodeAll(d, "\x1b[O", 4000 + kEscTimeoutMs), "\x1b<lost>") << "timed out as the report came";
}
