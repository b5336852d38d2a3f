#pragma once
// Where a platform's input becomes the key bytes the program reads: the key decoder for
// what a terminal sends, the bounded queue of keys waiting, and whether the player has
// looked away. Every platform feeds it what it reads and asks it for keys, so the queue's
// bound, the ESC deadline and the focus rule hold alike on every target.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "conio/platform/key_decoder.hpp"

namespace platform {

// Key bytes that can wait unread. Bounded like a console's keyboard buffer (which holds
// fifteen keys), with room for a quick burst of typing or a scripted run of keys.
constexpr std::size_t kKeyBufferBytes = 64;

// Appends decoded keys to the waiting queue in order. A full queue refuses them whole
// (false), so a held key runs on for a bounded time after release and a two-byte key is
// never split.
bool queueKeys(std::deque<std::uint8_t>& queue, const std::string& keys);

struct KeyIntake {
    KeyDecoder decoder;
    std::deque<std::uint8_t> keys;  // waiting to be read, at most kKeyBufferBytes
    bool focusLost = false;         // the player looked away and no key has come since
};

// Bytes a terminal sent, all received at nowMs: their keys are queued, a focus report
// of a loss noted, in the order they came.
void takeBytes(KeyIntake& intake, std::string_view bytes, std::int64_t nowMs);
// Keys already decoded (a console's key record), pressed `presses` times; the presses
// that the full queue refuses are lost.
void takeKeys(KeyIntake& intake, const std::string& keys, int presses = 1);
// The player looked away now: keys taken before stay waiting, the next key ends the loss.
void loseFocus(KeyIntake& intake);
// Called when nothing arrived: gives up a sequence left incomplete past the ESC timeout.
void takeIdle(KeyIntake& intake, std::int64_t nowMs);
// A wait of timeoutMs (-1: no limit) shortened so that it ends when a pending sequence
// is due to be given up.
int waitLimitMs(const KeyIntake& intake, int timeoutMs, std::int64_t nowMs);

// The next waiting key byte, consumed.
std::optional<std::uint8_t> nextKey(KeyIntake& intake);
// True once for a loss that no key has followed; clears it.
bool takeFocusLoss(KeyIntake& intake);

}  // namespace platform
