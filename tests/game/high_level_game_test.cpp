#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "conio/services.hpp"
#include "game/setup.hpp"
#include "game/tick.hpp"
#include "tests/support/headless.hpp"

namespace {

// A game as fast and crowded as level 21 makes it, with blocks and pickups on nearly
// every chance so every phase meets every other.
void startFastGame(Game& g) {
    setUpGame(g);
    g.state.level = 21;
    g.state.bombCharges = 40;
    g.state.volleyCharges = 40;
    g.tuning.frameDelay = 0;
    g.tuning.enemySpawnOdds = 1;
    g.tuning.enemyMoveOdds = 1;
    g.tuning.enemyFireOdds = 1;
    g.tuning.blockSpawnOdds = 1;
    g.tuning.pickupOdds = 100;
    g.tuning.maxEnemies = 374;
}

std::uint8_t randomKey(std::minstd_rand& keys) {
    constexpr std::uint8_t kPlayKeys[] = {'a', 'A', 'w', 'W', 'e', 'E', 0, 224,
                                          72, 80, 75, 77, 27, 32, 'x'};
    if (keys() % 4 == 0) return static_cast<std::uint8_t>(keys() % 256);
    return kPlayKeys[keys() % std::size(kPlayKeys)];
}

// After the render pass every visible cell is Empty or Live, glyphs go with their enemies,
// and nothing outside the field's index range has come alive.
void expectSettledField(const Game& g) {
    const PlayField& f = g.field;
    const CellLayer* layers[] = {&f.shipLayer, &f.shotLayer, &f.enemyLayer, &f.enemyShotLayer,
                                 &f.blockLayer, &f.weaponPickupLayer, &f.scorePickupLayer,
                                 &f.lifePickupLayer};
    int enemies = 0;
    for (int x = 0; x < kLayerColumns; ++x) {
        for (int y = 0; y < kLayerRows; ++y) {
            const bool visible = x >= 1 && x <= 49 && y >= 1 && y <= 24;
            for (const CellLayer* layer : layers) {
                const Cell cell = (*layer)[x][y];
                if (visible) {
                    ASSERT_TRUE(cell == Cell::Empty || cell == Cell::Live) << x << "," << y;
                } else if (layer != &f.blockLayer) {
                    ASSERT_EQ(cell, Cell::Empty) << x << "," << y;
                }
            }
            const bool enemy = f.enemyLayer[x][y] == Cell::Live;
            enemies += enemy;
            const int glyph = f.enemyGlyphLayer[x][y];
            ASSERT_TRUE(enemy ? glyph >= 3 && glyph <= 6 : glyph == 0) << x << "," << y;
        }
    }
    ASSERT_EQ(enemies, g.state.enemyCount);
}

}  // namespace

TEST(HighLevelGame, RandomKeysForManyTicksKeepEveryRuleConsistent) {
    HeadlessConsole console;
    Game g;
    startProcess(g);
    startFastGame(g);
    std::minstd_rand keys(20240611);
    int games = 1;
    int maxLevel = 0;
    int bombs = 0;
    bool completeBlock = false;
    std::int32_t lastScore = 0;
    for (int tick = 0; tick < 6000; ++tick) {
        if (keys() % 2 == 0) console.platform.pushKey(randomKey(keys));
        const std::int32_t bombsBefore = g.state.bombCharges;
        runTick(g);
        bombs += g.state.bombCharges < bombsBefore;
        SCOPED_TRACE(::testing::Message() << "tick " << tick << " game " << games);
        ASSERT_NO_FATAL_FAILURE(expectSettledField(g));
        ASSERT_GE(g.state.score, lastScore);
        ASSERT_GE(g.state.bombCharges, 0);
        ASSERT_GE(g.state.volleyCharges, 0);
        ASSERT_TRUE(g.state.blockStage >= 0 && g.state.blockStage <= 6);
        ASSERT_TRUE(g.state.blockTimer >= 0 && g.state.blockTimer <= 20);
        ASSERT_GE(g.tuning.frameDelay, 0);
        ASSERT_GE(g.tuning.enemySpawnOdds, 1);
        ASSERT_GE(g.tuning.enemyMoveOdds, 1);
        lastScore = g.state.score;
        maxLevel = std::max(maxLevel, g.state.level);
        completeBlock = completeBlock || g.state.blockStage == 6;
        if (g.state.lives < 1) {
            startFastGame(g);  // blockTimer carries on into the next game
            lastScore = 0;
            ++games;
        }
    }
    // The run really went through the heavy paths: deaths, bombs, a whole block, new levels.
    EXPECT_GT(games, 1);
    EXPECT_GT(bombs, 10);
    EXPECT_TRUE(completeBlock);
    EXPECT_GT(maxLevel, 21);
}
