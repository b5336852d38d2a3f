// The whole program under a storm of keys: random bytes at random moments through the intro,
// the menu, the colour pages, games, pauses and farewells. Nothing may crash, hang or leave
// the state outside its ranges; the sanitizer build runs this too.
#include <gtest/gtest.h>

#include <random>

#include "game/flow.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/random_play.hpp"

namespace {

// What a player hammers on, with an ESC now and then to end games and quit the menu.
std::uint8_t programKey(std::mt19937& rng) {
    return rng() % 50 == 0 ? kKeyEsc : randomKey(rng);
}

// From any state: Enters finish the colour pages, ESC ends a game or a pause, and with the
// intro cut short by a waiting key, ESC in the menu ends the program.
void scheduleQuit(platform::HeadlessPlatform& platform, std::int64_t atMs) {
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < 6; ++i) platform.scheduleKey(atMs += 60, 13);
        for (int i = 0; i < 3; ++i) platform.scheduleKey(atMs += 60, 27);
    }
}

}  // namespace

TEST(RandomKeys, WholeProgramSurvivesAndKeepsItsState) {
    for (const unsigned seed : {1u, 77u, 2024u}) {
        SCOPED_TRACE(seed);
        HeadlessConsole console;
        std::mt19937 rng(seed);
        std::int64_t at = 0;
        for (int i = 0; i < 6000; ++i) {
            // Mostly bursts and typing speed, sometimes a long pause that lets the intro or a game run.
            at += rng() % 10 == 0 ? rng() % 3000 : rng() % 120;
            console.platform.scheduleKey(at, programKey(rng));
        }
        scheduleQuit(console.platform, at);

        // ESC in the menu ends the program; like a player, start it again until every key
        // is used. Each round of the quit sequence ends with an ESC the menu reads.
        int runs = 0;
        while (console.platform.keysLeft() > 0) {
            Game g;
            EXPECT_EQ(runProgram(g), 0);
            ++runs;
            EXPECT_EQ(g.menuState, kMenuQuit);
            for (const int colour : {g.colors.shipColor, g.colors.enemyColor, g.colors.screenColor,
                                     g.colors.enemyShotColor, g.colors.shotColor, g.colors.messageColor}) {
                EXPECT_GE(colour, 1);
                EXPECT_LE(colour, 15);
            }
            EXPECT_GE(g.state.blockTimer, 0);
            EXPECT_LE(g.state.blockTimer, 20);
            EXPECT_GE(g.state.score, 0);
            EXPECT_EQ(g.palette, kDefaultPalette);
        }
        EXPECT_GT(runs, 1);
        EXPECT_EQ(console.platform.exhaustedReads(), 0);
        EXPECT_GT(console.platform.nowMs(), at);
        const platform::ScreenBuffer& screen = console.platform.screen();
        EXPECT_TRUE(platform::inBuffer(screen, screen.cursorX, screen.cursorY));
    }
}
