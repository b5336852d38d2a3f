#include <gtest/gtest.h>

#include <chrono>

#include "conio/platform/tones.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

// Muted, or with no sound device (wine here has none), a run of short tones and the
// intro's tone-and-pause pattern keep their exact total length on the timeline.
TEST(WaveOutTones, SilentOrAudibleEveryToneKeepsItsLength) {
    for (const bool muted : {true, false}) {
        platform::TonePlayer player(muted);
        if (muted) {
            EXPECT_FALSE(player.audible());
        }
        auto start = Clock::now();
        for (int i = 0; i < 150; ++i) player.play(i % 2 == 0 ? 3000 : 5000, 2);
        const double run = secondsSince(start);
        start = Clock::now();
        for (int i = 0; i < 10; ++i) {
            player.play(554, 25);
            player.rest(10);
        }
        const double intro = secondsSince(start);
        EXPECT_GE(run, 0.3 - 0.005) << muted;
        EXPECT_LT(run, 0.6) << muted;
        EXPECT_GE(intro, 0.35 - 0.005) << muted;
        EXPECT_LT(intro, 0.7) << muted;
    }
}
