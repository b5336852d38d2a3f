#include <gtest/gtest.h>

#include <random>

#include "conio/services.hpp"
#include "game/setup.hpp"
#include "game/tick.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/play_state.hpp"

namespace {

// Keys worth pressing in play, with the arrow prefix and stray bytes mixed in. ESC is
// left out so that games end only by losing.
std::uint8_t randomKey(std::mt19937& keys) {
    static constexpr std::uint8_t kPlayKeys[] = {
        224, kKeyUp, kKeyDown, kKeyLeft, kKeyRight, 'a', 'A', 'a', 'A', 'w', 'W', 'e', 'E', 32,
    };
    if (keys() % 4 == 0) {
        const auto stray = static_cast<std::uint8_t>(keys() % 256);
        return stray == kKeyEsc ? 0 : stray;
    }
    return kPlayKeys[keys() % std::size(kPlayKeys)];
}

// What must hold after every tick, whatever was pressed.
void expectConsistent(const Game& g) {
    const PlayField& f = g.field;
    int enemies = 0;
    for (int x = 1; x <= 49; ++x) {
        for (int y = 1; y <= 24; ++y) {
            for (const CellLayer* layer :
                 {&f.shipLayer, &f.shotLayer, &f.enemyLayer, &f.enemyShotLayer, &f.blockLayer,
                  &f.weaponPickupLayer, &f.scorePickupLayer, &f.lifePickupLayer}) {
                ASSERT_TRUE((*layer)[x][y] == Cell::Empty || (*layer)[x][y] == Cell::Live)
                    << "(" << x << ", " << y << ")";
            }
            if (f.enemyLayer[x][y] != Cell::Live) continue;
            ++enemies;
            ASSERT_TRUE(x >= 2 && x <= 49 && y >= 2 && y <= 23) << x << ", " << y;
            ASSERT_GE(f.enemyGlyphLayer[x][y], 3);
            ASSERT_LE(f.enemyGlyphLayer[x][y], 6);
        }
    }
    ASSERT_EQ(g.state.enemyCount, enemies);
    ASSERT_LE(g.state.enemyCount, g.tuning.maxEnemies);
    ASSERT_EQ(cellsIn(f.shipLayer, Cell::Live), (CellList{{g.state.shipX, g.state.shipY}}));
    ASSERT_GE(g.state.lives, 0);
}

TEST(LongGame, RandomKeysKeepEveryRuleConsistentOverManyGames) {
    for (const unsigned seed : {1u, 20240601u, 987654321u}) {
        SCOPED_TRACE(seed);
        HeadlessConsole console;
        std::mt19937 keys(seed);
        Game g;
        startProcess(g);
        setUpGame(g);
        conio::srand(seed);
        // One life per game, so the run goes through many GAME OVERs and fresh set-ups.
        g.state.lives = 1;
        int games = 1;
        std::int32_t lastScore = 0;
        for (int tick = 0; tick < 3000; ++tick) {
            if (keys() % 3 != 0) console.platform.pushKey(randomKey(keys));
            runTick(g);
            ASSERT_NO_FATAL_FAILURE(expectConsistent(g)) << "tick " << tick;
            ASSERT_GE(g.state.score, lastScore);
            lastScore = g.state.score;
            if (g.state.key == kKeyEsc) {
                ASSERT_EQ(g.state.lives, 0) << "only a lost game ends without ESC";
                setUpGame(g);
                g.state.lives = 1;
                lastScore = 0;
                ++games;
            }
        }
        EXPECT_GE(games, 2) << "the run should pass through GAME OVER and a new game";
    }
}

}  // namespace
