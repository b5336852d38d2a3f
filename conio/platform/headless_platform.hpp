#pragma once
// A platform with no terminal: a virtual clock that sleeps and tones advance without
// waiting, keys and focus losses scripted at virtual times, and a record of every tone
// and sleep.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "conio/platform/platform.hpp"

namespace platform {

struct ToneRecord {
    unsigned frequencyHz;
    unsigned durationMs;
    std::int64_t startMs;
    friend bool operator==(const ToneRecord&, const ToneRecord&) = default;
};

struct SleepRecord {
    unsigned durationMs;
    std::int64_t startMs;
    friend bool operator==(const SleepRecord&, const SleepRecord&) = default;
};

struct ScriptedKey {
    std::int64_t atMs;   // becomes available once the virtual clock reaches this
    std::uint8_t byte;
};

class HeadlessPlatform final : public Platform {
public:
    explicit HeadlessPlatform(int width = 80, int height = 25);

    ScreenBuffer& screen() override { return screen_; }
    bool keyWaiting() override;
    // Waits (virtually) for the next scripted key. When the script is used up it returns
    // ESC (27) and counts the read in exhaustedReads(), so a whole-program run always ends.
    std::uint8_t readKey() override;
    // A scripted loss once the clock has reached it, unless a key due after it (and by now)
    // has come: keys due at or before the loss's time came before it.
    bool takeFocusLoss() override;
    void beep(unsigned frequencyHz, unsigned durationMs) override;
    void sleep(unsigned durationMs) override;
    std::int64_t clockSeconds() override;

    // Keys, kept in time order; pushKey makes a key available now.
    void scheduleKey(std::int64_t atMs, std::uint8_t byte);
    void scheduleKeys(std::int64_t atMs, const std::string& bytes);
    void pushKey(std::uint8_t byte);
    // The player looks away at that virtual time. Without any, no loss is ever reported.
    void scheduleFocusLoss(std::int64_t atMs);
    std::size_t keysLeft() const { return keys_.size(); }
    int exhaustedReads() const { return exhaustedReads_; }

    std::int64_t nowMs() const { return nowMs_; }
    void setEpochSeconds(std::int64_t seconds) { epochSeconds_ = seconds; }

    const std::vector<ToneRecord>& tones() const { return tones_; }
    const std::vector<SleepRecord>& sleeps() const { return sleeps_; }
    void clearRecords();

    // The screen as text: row y (0-based) as UTF-8, or all rows joined with '\n'.
    std::string row(int y) const;
    std::string text() const;
    std::uint16_t attributeAt(int x, int y) const;  // 0-based buffer cell

private:
    ScreenBuffer screen_;
    std::deque<ScriptedKey> keys_;
    std::deque<std::int64_t> focusLosses_;      // scripted, in time order, not yet reached
    std::optional<std::int64_t> focusLostAt_;   // the latest loss reached and not yet taken
    std::optional<std::int64_t> lastKeyReadAt_; // due time of the last key read
    std::vector<ToneRecord> tones_;
    std::vector<SleepRecord> sleeps_;
    std::int64_t nowMs_ = 0;
    std::int64_t epochSeconds_ = 1'700'000'000;
    int exhaustedReads_ = 0;
};

}  // namespace platform
