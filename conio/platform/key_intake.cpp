#include "conio/platform/key_intake.hpp"

#include <algorithm>

namespace platform {

bool queueKeys(std::deque<std::uint8_t>& queue, const std::string& keys) {
    if (queue.size() + keys.size() > kKeyBufferBytes) return false;
    for (char key : keys) queue.push_back(static_cast<std::uint8_t>(key));
    return true;
}

void takeBytes(KeyIntake& intake, std::string_view bytes, std::int64_t nowMs) {
    for (const char byte : bytes) {
        const DecodedInput input = decode(intake.decoder, static_cast<std::uint8_t>(byte), nowMs);
        if (input.focus == FocusReport::Lost) loseFocus(intake);
        takeKeys(intake, input.keys);
    }
}

// Any key after a focus loss means the player is back, even one the full queue refuses.
void takeKeys(KeyIntake& intake, const std::string& keys, int presses) {
    if (keys.empty()) return;
    intake.focusLost = false;
    for (int i = 0; i < presses; ++i) {
        if (!queueKeys(intake.keys, keys)) break;
    }
}

void loseFocus(KeyIntake& intake) { intake.focusLost = true; }

void takeIdle(KeyIntake& intake, std::int64_t nowMs) { takeKeys(intake, onIdle(intake.decoder, nowMs)); }

int waitLimitMs(const KeyIntake& intake, int timeoutMs, std::int64_t nowMs) {
    const auto deadline = idleDeadline(intake.decoder);
    if (!deadline) return timeoutMs;
    const int untilDue = static_cast<int>(std::max<std::int64_t>(0, *deadline - nowMs));
    return timeoutMs < 0 ? untilDue : std::min(timeoutMs, untilDue);
}

std::optional<std::uint8_t> nextKey(KeyIntake& intake) {
    if (intake.keys.empty()) return std::nullopt;
    const std::uint8_t key = intake.keys.front();
    intake.keys.pop_front();
    return key;
}

bool takeFocusLoss(KeyIntake& intake) {
    const bool lost = intake.focusLost;
    intake.focusLost = false;
    return lost;
}

}  // namespace platform
