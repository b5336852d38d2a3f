// Bytes as a terminal might send them, at any moments, into the key decoder and the key
// queue: only whole keys come out, the pending bytes and the queue stay bounded, and after
// any noise an ESC and a pause bring the decoder back, so that known keys and focus
// reports then decode exactly and in order.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "conio/platform/key_decoder.hpp"
#include "conio/platform/key_intake.hpp"
#include "fuzz/fuzz_check.hpp"

namespace {

using platform::KeyDecoder;

// A whole key is one byte, or a prefix (0 or 224) and its code.
bool wholeKeys(std::string_view keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(keys[i]);
        if (byte == 0 || byte == 224) {
            if (++i == keys.size()) return false;
        }
    }
    return true;
}

bool wholeKeys(const std::deque<std::uint8_t>& queue) { return wholeKeys(std::string(queue.begin(), queue.end())); }

struct KnownKey {
    std::string_view sent;  // what a terminal sends
    std::string_view key;   // the console key bytes
    platform::FocusReport focus = platform::FocusReport::None;
};

// Keys a terminal sends as a sequence, a UTF-8 letter or a plain byte, and its focus reports.
const std::array<KnownKey, 28> kKnownKeys{{
    {"\x1b[O", "", platform::FocusReport::Lost}, {"\x1b[I", "", platform::FocusReport::Gained},
    {"a", "a"}, {"Z", "Z"}, {" ", " "}, {"\r", "\r"}, {"\n", "\r"}, {"\x7f", "\b"},
    {std::string_view("\0", 1), std::string_view("\0\x03", 2)},
    {"\x1b[A", "\xe0H"}, {"\x1b[B", "\xe0P"}, {"\x1b[C", "\xe0M"}, {"\x1b[D", "\xe0K"},
    {"\x1bOA", "\xe0H"}, {"\x1b[1;5D", "\xe0K"}, {"\x1b[H", "\xe0G"}, {"\x1b[4~", "\xe0O"},
    {"\x1b[2~", "\xe0R"}, {"\x1b[3~", "\xe0S"}, {"\x1b[6~", "\xe0Q"},
    {"\x1bOP", std::string_view("\0;", 2)}, {"\x1b[15~", std::string_view("\0?", 2)},
    {"\x1b[24~", "\xe0\x86"}, {"\x1b[[B", std::string_view("\0<", 2)},
    {"\xc3\xa7", "\x87"}, {"\xc3\x87", "\x80"}, {"\xce\xb1", "?"}, {"\xe2\x82\xac", "?"},
}};

// One key or run of keys decoded, checked, and queued for a reader that takes some now and then.
struct Run {
    KeyDecoder decoder;
    std::deque<std::uint8_t> queue;
    std::int64_t now = 0;

    std::string take(std::string keys) {
        require(wholeKeys(keys), "a split key came out");
        require(decoder.pending.size() <= 32, "pending bytes grew without bound");
        if (!platform::queueKeys(queue, keys)) require(queue.size() + keys.size() > platform::kKeyBufferBytes, "refused with room");
        require(queue.size() <= platform::kKeyBufferBytes, "queue beyond its bound");
        require(wholeKeys(queue), "the queue holds a split key");
        return keys;
    }
};

void readSome(Run& run, std::size_t count) {
    for (std::size_t i = 0; i < count && !run.queue.empty(); ++i) run.queue.pop_front();
    // A reader takes a two-byte key's bytes one after the other: finish the one begun.
    if (!run.queue.empty() && !wholeKeys(run.queue)) run.queue.pop_front();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    Run run;
    // Noise: any bytes, each after a pause of its own, with idle checks and reads between.
    const std::size_t noise = data.ConsumeIntegralInRange<std::size_t>(0, 4096);
    for (std::size_t i = 0; i < noise && data.remaining_bytes() > 0; ++i) {
        const std::uint8_t step = data.ConsumeIntegral<std::uint8_t>();
        run.now += step & 0x3F;
        if (step & 0x40) run.take(platform::onIdle(run.decoder, run.now));
        if (step & 0x80) readSome(run, data.ConsumeIntegralInRange<std::size_t>(0, 8));
        const platform::DecodedInput input = platform::decode(run.decoder, data.ConsumeIntegral<std::uint8_t>(), run.now);
        require(input.focus == platform::FocusReport::None || input.keys.empty(), "a focus report with keys");
        run.take(input.keys);
        const auto deadline = platform::idleDeadline(run.decoder);
        if (deadline) require(*deadline <= run.now + platform::kEscTimeoutMs, "an ESC waits beyond the timeout");
    }
    // Recovery: ESC then a pause longer than the timeout always ends in the ESC key, clean.
    const std::string esc = run.take(platform::feed(run.decoder, 27, run.now));
    run.now += platform::kEscTimeoutMs;
    const std::string after = esc + run.take(platform::onIdle(run.decoder, run.now));
    require(!after.empty() && after.back() == 27 && run.decoder.pending.empty(), "ESC and a pause did not recover");

    // Known keys from the rest, at typing pauses: exactly their console bytes, in order.
    std::string expected;
    std::string decoded;
    std::vector<platform::FocusReport> expectedReports;
    std::vector<platform::FocusReport> reports;
    while (data.remaining_bytes() > 0) {
        const KnownKey& key = kKnownKeys[data.ConsumeIntegralInRange<std::size_t>(0, kKnownKeys.size() - 1)];
        const bool loneEsc = data.ConsumeBool();
        for (const char c : loneEsc ? std::string_view("\x1b") : key.sent) {
            const platform::DecodedInput input = platform::decode(run.decoder, static_cast<std::uint8_t>(c), run.now);
            decoded += input.keys;
            if (input.focus != platform::FocusReport::None) reports.push_back(input.focus);
        }
        expected += loneEsc ? std::string_view("\x1b") : key.key;
        if (!loneEsc && key.focus != platform::FocusReport::None) expectedReports.push_back(key.focus);
        run.now += (loneEsc ? platform::kEscTimeoutMs : 0) + data.ConsumeIntegralInRange(0, 200);
    }
    decoded += platform::onIdle(run.decoder, run.now + platform::kEscTimeoutMs);
    require(decoded == expected, "known keys decoded wrong or out of order");
    require(reports == expectedReports, "focus reports lost, invented or out of order");
    return 0;
}
