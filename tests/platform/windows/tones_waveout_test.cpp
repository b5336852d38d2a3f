// The waveOut player on the machine it runs on (under wine here, with no sound device). The
// exact timing of what is heard is checked on a fake device (console_wave_feed_test); here,
// the deadlines the player hands out, read from a clock the test moves itself.
#include <gtest/gtest.h>

#include "conio/platform/tones.hpp"
#include "tests/support/tone_clock.hpp"

// Muted, or sounding (or with no device, as here).
TEST(WaveOutTones, TonesAndRestsEndTheirExactLengthsApart) {
    for (const bool muted : {true, false}) {
        SCOPED_TRACE(muted);
        FakeToneClock clock;
        platform::TonePlayer player(muted, clock.source());
        if (muted) {
            EXPECT_FALSE(player.audible());
        }
        expectDeadlinesEndToEnd(player, clock);
    }
}
