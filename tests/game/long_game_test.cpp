// Thousands of ticks of random keys, tick by tick, with the whole field checked after each:
// ordinary games through many GAME OVERs, and games as crowded as level 21 makes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "conio/services.hpp"
#include "game/setup.hpp"
#include "game/tick.hpp"
#include "tests/support/crowded_game.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/random_play.hpp"

namespace {

// What a run went through, so a test can tell that it reached the paths it is about.
struct RandomRun {
    int games = 1;
    int maxLevel = 0;
    int bombs = 0;
    bool wholeBlock = false;
};

// Plays `ticks` ticks from `g`, a key pressed before about every other tick, checking the
// field and the counters after each. A lost game is set up again by `newGame`.
void playRandomly(Game& g, HeadlessConsole& console, std::mt19937& keys, int ticks, void (*newGame)(Game&),
                  RandomRun& run) {
    std::int32_t lastScore = g.state.score;
    for (int tick = 0; tick < ticks; ++tick) {
        if (keys() % 2 == 0) console.platform.pushKey(randomKey(keys));
        const std::int32_t bombsBefore = g.state.bombCharges;
        runTick(g);
        SCOPED_TRACE(::testing::Message() << "tick " << tick << " game " << run.games);
        ASSERT_NO_FATAL_FAILURE(expectSettledField(g));
        const GameState& s = g.state;
        ASSERT_GE(s.score, lastScore);
        ASSERT_GE(s.bombCharges, 0);
        ASSERT_GE(s.volleyCharges, 0);
        ASSERT_TRUE(s.blockStage >= 0 && s.blockStage <= 6) << s.blockStage;
        ASSERT_TRUE(s.blockTimer >= 0 && s.blockTimer <= 20) << s.blockTimer;
        ASSERT_GE(g.tuning.frameDelay, 0);
        ASSERT_GE(g.tuning.enemySpawnOdds, 1);
        ASSERT_GE(g.tuning.enemyMoveOdds, 1);
        // No key sent is ESC: a game ends, the key reading ESC, exactly when its last life goes.
        ASSERT_EQ(s.key == static_cast<std::int8_t>(kKeyEsc), s.lives == 0) << "lives " << s.lives;
        lastScore = s.score;
        run.bombs += s.bombCharges < bombsBefore;
        run.maxLevel = std::max(run.maxLevel, s.level);
        run.wholeBlock = run.wholeBlock || s.blockStage == 6;
        if (s.lives == 0) {
            newGame(g);
            lastScore = g.state.score;
            ++run.games;
        }
    }
}

// One life per game, so a run goes through many GAME OVERs and fresh set-ups.
void oneLifeGame(Game& g) {
    setUpGame(g);
    g.state.lives = 1;
}

// The crowded game with bombs enough to empty the field again and again.
void crowdedGame(Game& g) {
    setUpCrowdedGame(g);
    g.state.bombCharges = 40;
}

}  // namespace

TEST(LongGame, RandomKeysThroughManyOrdinaryGames) {
    for (const unsigned seed : {5u, 7u, 20240601u}) {
        SCOPED_TRACE(seed);
        HeadlessConsole console;
        std::mt19937 keys(seed);
        Game g;
        startProcess(g);
        oneLifeGame(g);
        conio::srand(seed);
        RandomRun run;
        ASSERT_NO_FATAL_FAILURE(playRandomly(g, console, keys, 3000, oneLifeGame, run));
        EXPECT_GE(run.games, 2) << "the run should pass through GAME OVER and a new game";
    }
}

TEST(LongGame, RandomKeysThroughCrowdedGamesAtLevel21) {
    HeadlessConsole console;
    std::mt19937 keys(20240611);
    Game g;
    startProcess(g);
    crowdedGame(g);  // blockTimer carries on from game to game
    RandomRun run;
    ASSERT_NO_FATAL_FAILURE(playRandomly(g, console, keys, 6000, crowdedGame, run));
    // The run really went through the heavy paths: deaths, bombs, a whole block, new levels.
    EXPECT_GT(run.games, 1);
    EXPECT_GT(run.bombs, 10);
    EXPECT_TRUE(run.wholeBlock);
    EXPECT_GT(run.maxLevel, 21);
}
