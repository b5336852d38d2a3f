// The waveOut player on the machine it runs on (under wine here, with no sound device). The
// exact timing of what is heard is checked on a fake device (console_wave_feed_test); here,
// the deadlines the player hands out, which no late wake-up can change.
#include <gtest/gtest.h>

#include <chrono>

#include "conio/platform/tones.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

}  // namespace

// Muted, or sounding (or with no device, as here), tones and rests queued one after another
// end exactly their lengths apart on one timeline: the intro's tone-and-pause pattern and a
// run of very short tones keep their total length.
TEST(WaveOutTones, TonesAndRestsEndTheirExactLengthsApart) {
    for (const bool muted : {true, false}) {
        platform::TonePlayer player(muted);
        if (muted) {
            EXPECT_FALSE(player.audible());
        }
        const Clock::time_point first = player.schedule(554, 25);
        Clock::time_point end = first;
        for (int i = 0; i < 9; ++i) {
            end = player.schedule(0, 10);
            end = player.schedule(554, 25);
        }
        EXPECT_EQ(end - first, milliseconds(9 * 35)) << muted;
        const Clock::time_point runStart = player.schedule(3000, 2);
        Clock::time_point runEnd = runStart;
        for (int i = 1; i < 150; ++i) runEnd = player.schedule(i % 2 == 0 ? 3000 : 5000, 2);
        EXPECT_EQ(runEnd - runStart, milliseconds(149 * 2)) << muted;
        // A rest queued before the run has ended follows it at once.
        EXPECT_EQ(player.schedule(0, 7), runEnd + milliseconds(7)) << muted;
    }
}
