#include "conio/platform/tones.hpp"

#include <chrono>
#include <thread>

namespace platform {

struct TonePlayer::Impl {};

TonePlayer::TonePlayer(bool) : impl_(std::make_unique<Impl>()) {}
TonePlayer::~TonePlayer() = default;
void TonePlayer::play(unsigned, unsigned durationMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(durationMs));
}
void TonePlayer::rest(unsigned durationMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(durationMs));
}
bool TonePlayer::audible() const { return false; }

}  // namespace platform
