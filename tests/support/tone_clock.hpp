#pragma once
// A clock for the tone player that moves only when the test moves it, and the check every
// tone backend must pass on it: the deadlines it hands out lie end to end on one timeline.
#include <gtest/gtest.h>

#include <chrono>

#include "conio/platform/tones.hpp"

// Starts a second after the steady clock's epoch: long past, so play() and rest(), which
// wait on the steady clock, never wait for its deadlines.
struct FakeToneClock {
    platform::ToneClock::time_point now = platform::ToneClock::time_point{} + std::chrono::seconds(1);
    platform::ToneClockSource source() {
        return [this] { return now; };
    }
};

// For a fresh player on `clock`: tones and rests lie end to end, and a caller back up to
// 5 ms after each end (drawing, a late wake-up) loses nothing, so the intro's tone-and-pause
// pattern and a run of very short tones keep their exact lengths; after a longer gap the
// next wait starts when it is asked for. play() and rest() join the same timeline.
inline void expectDeadlinesEndToEnd(platform::TonePlayer& player, FakeToneClock& clock) {
    using std::chrono::milliseconds;
    const platform::ToneClock::time_point start = clock.now;
    platform::ToneClock::time_point end;
    for (int i = 0; i < 10; ++i) {
        end = player.schedule(554, 25);
        EXPECT_EQ(end, start + milliseconds(35 * i + 25));
        clock.now = end + milliseconds(i % 6);
        end = player.schedule(0, 10);
        EXPECT_EQ(end, start + milliseconds(35 * i + 35));
        clock.now = end + milliseconds(5 - i % 6);
    }
    for (int i = 0; i < 150; ++i) {
        end = player.schedule(i % 2 == 0 ? 3000 : 5000, 2);
        clock.now = end + milliseconds(i % 5);
    }
    EXPECT_EQ(end, start + milliseconds(350 + 300));
    clock.now = end + milliseconds(6);
    EXPECT_EQ(player.schedule(0, 7), end + milliseconds(13)) << "a fresh timeline after 6 ms";
    player.play(800, 4);
    player.rest(3);
    EXPECT_EQ(player.schedule(0, 1), end + milliseconds(21));
}
