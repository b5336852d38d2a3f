#include "conio/platform/key_decoder.hpp"
#include "conio/platform/key_intake.hpp"

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using platform::feed;
using platform::KeyDecoder;
using platform::kEscTimeoutMs;
using platform::onIdle;

namespace {

// Feeds every byte at the same instant, as one read delivers them.
std::string feedAll(KeyDecoder& d, std::string_view bytes, std::int64_t nowMs = 1000) {
    std::string out;
    for (char c : bytes) out += feed(d, static_cast<std::uint8_t>(c), nowMs);
    return out;
}

std::string decode(std::string_view bytes) {
    KeyDecoder d;
    return feedAll(d, bytes);
}

std::string ext(int code) { return std::string{'\xe0', static_cast<char>(code)}; }
std::string fkey(int n) {
    return n <= 10 ? std::string{'\0', static_cast<char>(58 + n)} : ext(122 + n);
}

// The parts one after another. Appending, rather than "literal" + std::string, also keeps
// GCC 12 at -O3 from a false -Wrestrict inside libstdc++'s insert at the front.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const std::string_view part : parts) out += part;
    return out;
}

}  // namespace

TEST(KeyDecoder, ArrowsAndEditingKeysInEveryTerminalForm) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\x1b[A", ext(72)},   {"\x1b[B", ext(80)},   {"\x1b[D", ext(75)},    {"\x1b[C", ext(77)},
        {"\x1bOA", ext(72)},   {"\x1bOB", ext(80)},   {"\x1bOD", ext(75)},    {"\x1bOC", ext(77)},
        {"\x1b[H", ext(71)},   {"\x1bOH", ext(71)},   {"\x1b[1~", ext(71)},   {"\x1b[7~", ext(71)},
        {"\x1b[F", ext(79)},   {"\x1bOF", ext(79)},   {"\x1b[4~", ext(79)},   {"\x1b[8~", ext(79)},
        {"\x1b[2~", ext(82)},  {"\x1b[3~", ext(83)},  {"\x1b[5~", ext(73)},   {"\x1b[6~", ext(81)},
        // modifiers do not change the key: xterm's parameters, rxvt's finals and letters
        {"\x1b[1;5A", ext(72)}, {"\x1b[1;2D", ext(75)}, {"\x1b[3;5~", ext(83)}, {"\x1b[5^", ext(73)},
        {"\x1b[2$", ext(82)},  {"\x1b[6@", ext(81)},  {"\x1b[a", ext(72)},    {"\x1bOd", ext(75)},
        {"\x1bO5C", ext(77)},
    };
    for (const auto& [sequence, key] : cases) EXPECT_EQ(decode(sequence), key) << sequence.substr(1);
}

TEST(KeyDecoder, FunctionKeysInEveryTerminalForm) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"\x1bOP", 1},    {"\x1bOQ", 2},    {"\x1bOR", 3},    {"\x1bOS", 4},    // xterm, tmux
        {"\x1b[[A", 1},   {"\x1b[[B", 2},   {"\x1b[[C", 3},   {"\x1b[[D", 4},   {"\x1b[[E", 5},  // Linux
        {"\x1b[11~", 1},  {"\x1b[12~", 2},  {"\x1b[13~", 3},  {"\x1b[14~", 4},  // rxvt
        {"\x1b[15~", 5},  {"\x1b[17~", 6},  {"\x1b[18~", 7},  {"\x1b[19~", 8},
        {"\x1b[20~", 9},  {"\x1b[21~", 10}, {"\x1b[23~", 11}, {"\x1b[24~", 12},
        {"\x1b[1;2P", 1}, {"\x1b[1;5S", 4}, {"\x1b[15;3~", 5}, {"\x1b[24;5~", 12}, {"\x1b[17^", 6},
    };
    for (const auto& [sequence, n] : cases) EXPECT_EQ(decode(sequence), fkey(n)) << sequence.substr(1);
    EXPECT_EQ(fkey(1), std::string("\0;", 2));
    EXPECT_EQ(fkey(12), "\xe0\x86");
}

TEST(KeyDecoder, PlainBytesEnterAndBackspace) {
    EXPECT_EQ(decode("aA 1H"), "aA 1H");
    EXPECT_EQ(decode("\r"), "\r");
    EXPECT_EQ(decode("\n"), "\r");
    EXPECT_EQ(decode("\x7f"), "\b");
    EXPECT_EQ(decode("\b"), "\b");
    EXPECT_EQ(decode("\t"), "\t");
    EXPECT_EQ(decode(std::string_view("\0", 1)), std::string("\0\x03", 2)) << "never a lone prefix byte";
}

TEST(KeyDecoder, KeysQueueInOrderAcrossOneRead) {
    EXPECT_EQ(decode("a\x1b[Ab\x1bOPc\x1b[6~"), joined({"a", ext(72), "b", fkey(1), "c", ext(81)}));
}

TEST(KeyDecoder, SequenceSplitAcrossReadsIsKeptUntilComplete) {
    KeyDecoder d;
    EXPECT_EQ(feedAll(d, "\x1b", 0), "");
    EXPECT_EQ(feedAll(d, "[", 5), "");
    EXPECT_EQ(feedAll(d, "1", 10), "");
    EXPECT_EQ(onIdle(d, kEscTimeoutMs - 2), "") << "still within the timeout";
    EXPECT_EQ(feedAll(d, "5;5", kEscTimeoutMs - 2), "");
    EXPECT_EQ(feedAll(d, "~", kEscTimeoutMs - 1), fkey(5));
    EXPECT_TRUE(d.pending.empty());

    EXPECT_EQ(feedAll(d, "\xc3", 300), "");
    EXPECT_EQ(onIdle(d, 900), "");
    EXPECT_EQ(feedAll(d, "\xa7", 910), "\x87");  // ç
}

TEST(KeyDecoder, BareEscWaitsForTheTimeout) {
    KeyDecoder d;
    EXPECT_EQ(feed(d, 27, 100), "");
    EXPECT_EQ(platform::idleDeadline(d), 100 + kEscTimeoutMs);
    EXPECT_EQ(onIdle(d, 100 + kEscTimeoutMs - 1), "") << "just before the timeout";
    EXPECT_EQ(onIdle(d, 100 + kEscTimeoutMs), "\x1b") << "at the timeout";
    EXPECT_EQ(onIdle(d, 100 + kEscTimeoutMs + 50), "") << "delivered once";
    EXPECT_FALSE(platform::idleDeadline(d));

    // A sequence arriving just before the timeout is still a key; just after, ESC then bytes.
    EXPECT_EQ(feed(d, 27, 1000), "");
    EXPECT_EQ(feedAll(d, "[A", 1000 + kEscTimeoutMs - 1), ext(72));
    EXPECT_EQ(feed(d, 27, 2000), "");
    EXPECT_EQ(feedAll(d, "x", 2000 + kEscTimeoutMs), "\x1bx");
}

// ESC then '[' typed by hand, and 'a' (fire) a moment later: ESC, '[' and 'a', never an arrow.
TEST(KeyDecoder, AStalledSequenceIsGivenUpAtTheTimeoutAsALoneEscIs) {
    KeyDecoder d;
    EXPECT_EQ(feedAll(d, "\x1b[", 100), "");
    EXPECT_EQ(platform::idleDeadline(d), 100 + kEscTimeoutMs);
    EXPECT_EQ(onIdle(d, 100 + kEscTimeoutMs - 1), "");
    EXPECT_EQ(onIdle(d, 100 + kEscTimeoutMs), "\x1b[");
    EXPECT_FALSE(platform::idleDeadline(d));
    EXPECT_EQ(feedAll(d, "a", 300), "a");

    EXPECT_EQ(feedAll(d, "\x1b[", 1000), "");
    EXPECT_EQ(feedAll(d, "a", 1000 + kEscTimeoutMs), "\x1b[a") << "given up as the late byte comes";
    EXPECT_EQ(feedAll(d, "\x1b[1;", 2000), "");
    EXPECT_EQ(feedAll(d, "5D", 2000 + kEscTimeoutMs + 5), "\x1b[1;5D") << "parameters come out as they were";
    EXPECT_EQ(feedAll(d, "\x1bO", 3000), "");
    EXPECT_EQ(feedAll(d, "P\x1b[A", 3000 + kEscTimeoutMs), joined({"\x1bOP", ext(72)}));
    EXPECT_EQ(feedAll(d, "\x1b[[", 4000), "");
    EXPECT_EQ(onIdle(d, 4000 + kEscTimeoutMs), "\x1b[[") << "the Linux console's F-key form as well";
}

TEST(KeyDecoder, EscFollowedByOtherBytes) {
    EXPECT_EQ(decode("\x1bx"), "\x1bx") << "ESC then a letter is both keys (fast typing or Alt)";
    EXPECT_EQ(decode("\x1b\r"), "\x1b\r");
    KeyDecoder d;
    EXPECT_EQ(feedAll(d, "\x1b\x1b", 0), "\x1b") << "a second ESC starts afresh";
    EXPECT_EQ(onIdle(d, kEscTimeoutMs), "\x1b");
    EXPECT_EQ(decode("\x1b\x1b[B"), joined({"\x1b", ext(80)}));
}

TEST(KeyDecoder, Utf8LettersBecomeCodePageBytes) {
    const std::vector<std::pair<std::string, int>> letters = {
        {"ç", 135}, {"á", 160}, {"é", 130}, {"í", 161}, {"ó", 162}, {"ú", 163}, {"â", 131}, {"ê", 136},
        {"ô", 147}, {"à", 133}, {"ü", 129}, {"Ç", 128}, {"ñ", 164}, {"Ñ", 165}, {"É", 144}, {"ß", 225},
        {"π", 227}, {"Σ", 228}, {"ƒ", 159}, {"ª", 166}, {"ÿ", 152},
    };
    for (const auto& [text, byte] : letters) EXPECT_EQ(decode(text), std::string(1, static_cast<char>(byte))) << text;
    // Characters that are not letters of the page, or not in it at all, are '?'.
    for (const char* other : {"ã", "õ", "€", "£", "░", "→", "😀", "÷"}) EXPECT_EQ(decode(other), "?") << other;
    EXPECT_EQ(decode("αH"), "?H") << "α's byte is the two-byte-key prefix; alone it would make a false arrow";
    EXPECT_EQ(decode("aéb"), "a\x82" "b");
}

TEST(KeyDecoder, GarbageAndBrokenSequencesAreDroppedWhole) {
    const std::vector<std::string> dropped = {
        "\x1b[99~",       "\x1b[E",          "\x1b[Z",          "\x1b[?1;2c",   "\x1b[<0;3;4M",
        "\x1b[[Z",        "\x1bOz",          "\x1b[1 q",        "\x1b[200~",    "\x1b[99999999999A",
        "\x80",           "\xbf\xff\xfe",    "\xc0\xaf",        "\xe0\x80\xaf", "\xed\xa0\x80",
        "\xf4\x90\x80\x80",
        "\x1b[" + std::string(100, '1') + "A",  // overlong
    };
    for (const auto& garbage : dropped) {
        KeyDecoder d;
        EXPECT_EQ(feedAll(d, garbage), "") << garbage.substr(1);
        EXPECT_EQ(feedAll(d, "k"), "k") << "decoder recovers after " << garbage.substr(1);
    }
    // A sequence broken by a byte that cannot belong to it is dropped; that byte counts.
    EXPECT_EQ(decode("\x1b[1\x1b[B"), ext(80));
    EXPECT_EQ(decode("\x1b[12\r"), "\r");
    EXPECT_EQ(decode("\xc3x"), "x");
    EXPECT_EQ(decode("\xe2\x82\x1b[A"), ext(72));
}

TEST(KeyQueue, KeysWaitInOrderAndAFullQueueRefusesWholeKeys) {
    std::deque<std::uint8_t> queue;
    EXPECT_TRUE(platform::queueKeys(queue, "a"));
    EXPECT_TRUE(platform::queueKeys(queue, ext(72)));
    EXPECT_EQ(queue, (std::deque<std::uint8_t>{'a', 224, 72}));
    while (queue.size() < platform::kKeyBufferBytes - 1) ASSERT_TRUE(platform::queueKeys(queue, "x"));
    EXPECT_FALSE(platform::queueKeys(queue, ext(80))) << "a two-byte key that does not fit is refused whole";
    EXPECT_EQ(queue.size(), platform::kKeyBufferBytes - 1);
    EXPECT_TRUE(platform::queueKeys(queue, "y"));
    EXPECT_FALSE(platform::queueKeys(queue, "z"));
    EXPECT_EQ(queue.back(), 'y');
}

namespace {

// Checks that `keys` is a run of whole console keys: each prefix byte (0 or 224) followed by
// a code the console sends under it, and no byte a key never is (10 and 127 are translated).
::testing::AssertionResult wholeKeys(const std::string& keys) {
    static const std::string extendedCodes = {72, 80, 75, 77, 71, 79, 73, 81, 82, 83, '\x85', '\x86'};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(keys[i]);
        if (byte == 10 || byte == 127) return ::testing::AssertionFailure() << "untranslated byte " << int(byte);
        if (byte != 0 && byte != 224) continue;
        if (i + 1 == keys.size()) return ::testing::AssertionFailure() << "prefix " << int(byte) << " without its code";
        const auto code = static_cast<std::uint8_t>(keys[++i]);
        const bool known = byte == 0 ? (code == 3 || (code >= 59 && code <= 68))
                                     : extendedCodes.find(static_cast<char>(code)) != std::string::npos;
        if (!known) return ::testing::AssertionFailure() << "prefix " << int(byte) << " with code " << int(code);
    }
    return ::testing::AssertionSuccess();
}

// Bytes a terminal might send, weighted toward the pieces of escape sequences and UTF-8.
std::uint8_t randomTerminalByte(std::mt19937& random) {
    static const std::string pieces = "\x1b\x1b\x1b[[[OO0123456789;;:~~^$@ABCDEFHPQRSZabcdq<?\r\n\x7f\b";
    switch (random() % 4) {
        case 0: return static_cast<std::uint8_t>(pieces[random() % pieces.size()]);
        case 1: return static_cast<std::uint8_t>(0x80 + random() % 0x80);  // UTF-8 leads and continuations
        default: return static_cast<std::uint8_t>(random() % 256);
    }
}

}  // namespace

TEST(KeyDecoder, RandomByteStreamsGiveOnlyWholeKeysInBoundedMemory) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        KeyDecoder d;
        std::deque<std::uint8_t> queue;
        std::int64_t now = 0;
        for (int step = 0; step < 20000; ++step) {
            now += random() % 4 == 0 ? static_cast<std::int64_t>(random() % (3 * kEscTimeoutMs)) : 0;
            const std::string keys = random() % 8 == 0 ? onIdle(d, now) : feed(d, randomTerminalByte(random), now);
            ASSERT_TRUE(wholeKeys(keys)) << "seed " << seed << " step " << step;
            ASSERT_LE(d.pending.size(), 32u) << "seed " << seed << " step " << step;
            platform::queueKeys(queue, keys);
            ASSERT_LE(queue.size(), platform::kKeyBufferBytes);
            if (random() % 3 == 0 && !queue.empty()) queue.pop_front();
        }
        // Whatever came before, a clean arrow key after a pause is read as one.
        const std::string after = feedAll(d, "\x1b[A", now + 1000);
        ASSERT_GE(after.size(), 2u) << "seed " << seed;
        EXPECT_EQ(after.substr(after.size() - 2), ext(72)) << "seed " << seed;
        EXPECT_TRUE(d.pending.empty());
    }
}
