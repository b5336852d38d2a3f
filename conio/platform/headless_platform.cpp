#include "conio/platform/headless_platform.hpp"

#include <algorithm>

namespace platform {

HeadlessPlatform::HeadlessPlatform(int width, int height) : screen_(makeScreenBuffer(width, height)) {}

bool HeadlessPlatform::keyWaiting() { return !keys_.empty() && keys_.front().atMs <= nowMs_; }

std::uint8_t HeadlessPlatform::readKey() {
    if (keys_.empty()) {
        ++exhaustedReads_;
        return 27;
    }
    const ScriptedKey key = keys_.front();
    keys_.pop_front();
    nowMs_ = std::max(nowMs_, key.atMs);
    lastKeyReadAt_ = key.atMs;
    return key.byte;
}

bool HeadlessPlatform::takeFocusLoss() {
    while (!focusLosses_.empty() && focusLosses_.front() <= nowMs_) {
        focusLostAt_ = focusLosses_.front();
        focusLosses_.pop_front();
    }
    if (!focusLostAt_) return false;
    const std::int64_t lostAt = *focusLostAt_;
    focusLostAt_.reset();
    // Keys are read in due order, so a key that came after the loss is either the last one
    // read or one due by now and still waiting.
    if (lastKeyReadAt_ && *lastKeyReadAt_ > lostAt) return false;
    for (const ScriptedKey& key : keys_) {
        if (key.atMs > nowMs_) break;
        if (key.atMs > lostAt) return false;
    }
    return true;
}

void HeadlessPlatform::beep(unsigned frequencyHz, unsigned durationMs) {
    tones_.push_back(ToneRecord{frequencyHz, durationMs, nowMs_});
    nowMs_ += durationMs;
}

void HeadlessPlatform::sleep(unsigned durationMs) {
    sleeps_.push_back(SleepRecord{durationMs, nowMs_});
    nowMs_ += durationMs;
}

std::int64_t HeadlessPlatform::clockSeconds() { return epochSeconds_ + nowMs_ / 1000; }

void HeadlessPlatform::scheduleKey(std::int64_t atMs, std::uint8_t byte) {
    // After every key due at the same time or earlier, so keys keep the order they were given in.
    const auto place = std::upper_bound(keys_.begin(), keys_.end(), atMs,
                                        [](std::int64_t t, const ScriptedKey& k) { return t < k.atMs; });
    keys_.insert(place, ScriptedKey{atMs, byte});
}

void HeadlessPlatform::scheduleKeys(std::int64_t atMs, const std::string& bytes) {
    for (const char c : bytes) scheduleKey(atMs, static_cast<std::uint8_t>(c));
}

void HeadlessPlatform::pushKey(std::uint8_t byte) { scheduleKey(nowMs_, byte); }

void HeadlessPlatform::scheduleFocusLoss(std::int64_t atMs) {
    focusLosses_.insert(std::upper_bound(focusLosses_.begin(), focusLosses_.end(), atMs), atMs);
}

void HeadlessPlatform::clearRecords() {
    tones_.clear();
    sleeps_.clear();
}

std::string HeadlessPlatform::row(int y) const { return rowText(screen_, y); }

std::string HeadlessPlatform::text() const {
    std::string all;
    for (int y = 0; y < screen_.height; ++y) {
        if (y > 0) all += '\n';
        all += row(y);
    }
    return all;
}

std::uint16_t HeadlessPlatform::attributeAt(int x, int y) const { return cellAt(screen_, x, y).attr; }

}  // namespace platform
