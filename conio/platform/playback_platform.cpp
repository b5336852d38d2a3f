#include "conio/platform/playback_platform.hpp"

namespace platform {

std::uint8_t PlaybackPlatform::readKey() {
    if (keys_.empty()) return shown_.readKey();
    const std::uint8_t key = keys_.front();
    keys_.pop_front();
    return key;
}

}  // namespace platform
