#pragma once
// A fresh console for each test: a new headless platform installed, the console layer's
// state, the generator and the intro's colour counter at their initial values. Also the
// tones and sleeps it recorded, in the forms the tests compare.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "menus/banner.hpp"

struct HeadlessConsole {
    explicit HeadlessConsole(int width = 80, int height = 25) : platform(width, height) {
        conio::resetConioState();
        conio::resetRandForTests();
        resetIntroCounterForTests();
        conio::installPlatform(platform);
    }
    ~HeadlessConsole() {
        conio::uninstallPlatform();
        conio::resetRandForTests();
    }
    HeadlessConsole(const HeadlessConsole&) = delete;
    HeadlessConsole& operator=(const HeadlessConsole&) = delete;

    platform::HeadlessPlatform platform;
};

// Fixture form: tests derived from it get `platform` ready to use.
class HeadlessTest : public ::testing::Test {
protected:
    HeadlessConsole console;
    platform::HeadlessPlatform& platform = console.platform;
};

// (frequency Hz, length ms) of each tone, in the order sounded.
using Tones = std::vector<std::pair<unsigned, unsigned>>;

inline Tones tonesOf(const platform::HeadlessPlatform& platform) {
    Tones tones;
    for (const auto& t : platform.tones()) tones.emplace_back(t.frequencyHz, t.durationMs);
    return tones;
}

// The length of each sleep in ms, in the order slept.
inline std::vector<unsigned> sleepsOf(const platform::HeadlessPlatform& platform) {
    std::vector<unsigned> lengths;
    for (const auto& s : platform.sleeps()) lengths.push_back(s.durationMs);
    return lengths;
}

// How many of `sleeps` lasted exactly `ms`.
inline int sleepsLasting(const std::vector<platform::SleepRecord>& sleeps, unsigned ms) {
    int count = 0;
    for (const auto& s : sleeps) count += s.durationMs == ms;
    return count;
}
