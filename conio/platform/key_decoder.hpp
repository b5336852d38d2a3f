#pragma once
// Turns the bytes a terminal sends into console key bytes: a pure function of the bytes
// and the time they arrived, so the caller (and the tests) pass the time in.
// Two-byte keys come out as a prefix then the code (224 72 for up, 0 59 for F1, ...).
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// How long an ESC waits for the rest of a sequence before it counts as the ESC key.
// A terminal sends a key's whole sequence in one write, so its bytes arrive together
// locally and within a few milliseconds through ssh or a multiplexer; 40 ms leaves room
// for that and stays below the ~50 ms at which a key starts to feel late. A sequence
// still incomplete by then was typed by hand (ESC, then '[', ...), so it is given up:
// the ESC key, then the bytes after it as the keys they are.
constexpr std::int64_t kEscTimeoutMs = 40;

struct KeyDecoder {
    std::string pending;              // bytes of an escape sequence or UTF-8 character not yet complete
    std::int64_t pendingSinceMs = 0;  // arrival of pending's first byte
    bool overlong = false;            // the sequence outgrew pending; it is dropped when it ends
};

// Takes one byte received at nowMs; returns the key bytes it completes (often none).
std::string feed(KeyDecoder& decoder, std::uint8_t byte, std::int64_t nowMs);

// The terminal's focus reports (ESC [ O when its window loses focus, ESC [ I when it gets
// it back), sent while focus reporting is on. They are never keys.
enum class FocusReport { None, Lost, Gained };

struct DecodedInput {
    std::string keys;  // as feed returns them
    FocusReport focus = FocusReport::None;  // a focus report this byte completed
};

// feed, telling the focus reports as well. A byte completes either keys or a report.
DecodedInput decode(KeyDecoder& decoder, std::uint8_t byte, std::int64_t nowMs);
// Called when nothing arrived: an ESC older than the timeout whose sequence is still
// incomplete becomes the ESC key, followed by the bytes after it.
std::string onIdle(KeyDecoder& decoder, std::int64_t nowMs);
// When onIdle next has something to do, or nothing when it has not.
std::optional<std::int64_t> idleDeadline(const KeyDecoder& decoder);

}  // namespace platform
