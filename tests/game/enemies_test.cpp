#include "game/enemies.hpp"

#include <gtest/gtest.h>

#include "conio/services.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/play_state.hpp"

namespace {

constexpr int kWanderCells = 49 * 23;
constexpr int kNoMove = 1;  // not divisible by the default move odds of 50

struct Mover {
    int x, y;
    std::vector<int> targetDraws;  // what follows its winning draw
};

// The draws of one wander pass in which only the cells of `movers` (in scan order)
// draw a move.
std::vector<int> wanderScript(const std::vector<Mover>& movers) {
    std::vector<int> draws;
    std::size_t next = 0;
    for (int y = 1; y <= 23; ++y) {
        for (int x = 1; x <= 49; ++x) {
            if (next < movers.size() && movers[next].x == x && movers[next].y == y) {
                draws.push_back(0);
                draws.insert(draws.end(), movers[next].targetDraws.begin(),
                             movers[next].targetDraws.end());
                ++next;
            } else {
                draws.push_back(kNoMove);
            }
        }
    }
    return draws;
}

void placeEnemy(PlayField& field, int x, int y, int glyph = 3) {
    field.enemyLayer[x][y] = Cell::Live;
    field.enemyGlyphLayer[x][y] = glyph;
}

TEST(EnemySpawn, DrawsNothingAtTheCap) {
    HeadlessConsole console;
    Game game = gameWithOnlyTheShip();
    game.state.enemyCount = game.tuning.maxEnemies;
    spawnEnemy(game.field, game.state, game.tuning);
    EXPECT_EQ(conio::randDraws(), 0u);
    EXPECT_TRUE(cellsIn(game.field.enemyLayer, Cell::Live).empty());
}

TEST(EnemySpawn, DrawsChanceThenColumnThenGlyph) {
    HeadlessConsole console;
    Game game = gameWithOnlyTheShip();
    conio::scriptRand({60, 53, 6});  // 60 % 30 == 0; column 53 % 48 + 2 = 7; glyph 6 % 4 + 3 = 5
    spawnEnemy(game.field, game.state, game.tuning);
    EXPECT_EQ(cellsIn(game.field.enemyLayer, Cell::Live), (CellList{{7, 2}}));
    EXPECT_EQ(game.field.enemyGlyphLayer[7][2], 5);
    EXPECT_EQ(game.state.enemyCount, 1);
    EXPECT_EQ(conio::scriptedRandLeft(), 0u);

    conio::scriptRand({31, 0, 0});
    spawnEnemy(game.field, game.state, game.tuning);
    EXPECT_EQ(conio::scriptedRandLeft(), 2u) << "a failed chance draws nothing more";
    EXPECT_EQ(game.state.enemyCount, 1);
}

TEST(EnemySpawn, RefusedByAnyCellThatIsNotEmptyWithoutDrawingTheGlyph) {
    for (const Cell held : {Cell::Live, Cell::Erase, Cell::Moved}) {
        HeadlessConsole console;
        Game game = gameWithOnlyTheShip();
        game.field.enemyLayer[7][2] = held;
        game.state.enemyCount = 3;
        conio::scriptRand({0, 5, 2});
        spawnEnemy(game.field, game.state, game.tuning);
        EXPECT_EQ(game.field.enemyLayer[7][2], held);
        EXPECT_EQ(game.field.enemyGlyphLayer[7][2], 0);
        EXPECT_EQ(game.state.enemyCount, 3);
        EXPECT_EQ(conio::scriptedRandLeft(), 1u);
    }
}

TEST(EnemyWander, DrawsOnceForEveryScannedCell) {
    HeadlessConsole console;
    Game game = gameWithOnlyTheShip();
    game.tuning.enemyMoveOdds = 1;
    wanderEnemies(game.field, game.tuning);
    EXPECT_EQ(conio::randDraws(), std::uint64_t{kWanderCells});
}

struct Step {
    int x, y, drawX, drawY, wantX, wantY;
};

TEST(EnemyWander, TargetsAreDrawnFromTheNeighbourhoodClippedToTheArea) {
    const Step steps[] = {
        {2, 2, 1, 1, 3, 3},      {2, 2, 2, 2, 2, 2},     {49, 2, 0, 1, 48, 3},
        {49, 2, 1, 0, 49, 2},    {49, 2, 2, 0, 48, 2},    {2, 23, 1, 0, 3, 22},   {2, 23, 1, 1, 3, 23},
        {49, 23, 0, 0, 48, 22},  {25, 23, 2, 2, 26, 22}, {25, 2, 0, 2, 24, 2},
        {2, 10, 2, 2, 2, 11},    {49, 10, 1, 0, 49, 9},  {25, 10, 0, 2, 24, 11},
        {25, 10, 2, 0, 26, 9},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(::testing::Message() << "(" << s.x << ", " << s.y << ") draws "
                                          << s.drawX << ", " << s.drawY);
        HeadlessConsole console;
        Game game = gameWithOnlyTheShip();
        placeEnemy(game.field, s.x, s.y, 4);
        conio::scriptRand(wanderScript({{s.x, s.y, {s.drawX, s.drawY}}}));

        wanderEnemies(game.field, game.tuning);

        EXPECT_EQ(conio::scriptedRandLeft(), 0u);
        const bool moves = s.wantX != s.x || s.wantY != s.y;
        EXPECT_EQ(game.field.enemyLayer[s.wantX][s.wantY], moves ? Cell::Moved : Cell::Live);
        EXPECT_EQ(game.field.enemyGlyphLayer[s.wantX][s.wantY], 4);
        if (moves) {
            EXPECT_EQ(game.field.enemyLayer[s.x][s.y], Cell::Erase);
            EXPECT_EQ(game.field.enemyGlyphLayer[s.x][s.y], 0);
        }
        settleEnemies(game.field);
        EXPECT_EQ(cellsIn(game.field.enemyLayer, Cell::Live), (CellList{{s.wantX, s.wantY}}));
    }
}

TEST(EnemyWander, BoxedInEnemyStaysWhateverItDraws) {
    for (int drawX = 0; drawX < 3; ++drawX) {
        for (int drawY = 0; drawY < 3; ++drawY) {
            HeadlessConsole console;
            Game game = gameWithOnlyTheShip();
            for (int x = 9; x <= 11; ++x) {
                for (int y = 9; y <= 11; ++y) placeEnemy(game.field, x, y);
            }
            // Cells another enemy has just left or entered block as well as Live ones.
            game.field.enemyLayer[9][9] = Cell::Erase;
            game.field.enemyLayer[11][11] = Cell::Moved;
            const PlayField before = game.field;
            conio::scriptRand(wanderScript({{10, 10, {drawX, drawY}}}));

            wanderEnemies(game.field, game.tuning);

            EXPECT_EQ(game.field.enemyLayer, before.enemyLayer);
            EXPECT_EQ(game.field.enemyGlyphLayer, before.enemyGlyphLayer);
        }
    }
}

TEST(EnemyWander, EnemyThatStepsRightIsNotMovedAgain) {
    HeadlessConsole console;
    Game game = gameWithOnlyTheShip();
    placeEnemy(game.field, 10, 5, 6);
    // The enemy steps to (11, 5); the draw at (11, 5) would let a Live enemy move again.
    conio::scriptRand(wanderScript({{10, 5, {2, 1}}, {11, 5, {}}}));

    wanderEnemies(game.field, game.tuning);

    EXPECT_EQ(conio::scriptedRandLeft(), 0u);
    EXPECT_EQ(conio::randDraws(), std::uint64_t{kWanderCells + 2});
    EXPECT_EQ(game.field.enemyLayer[11][5], Cell::Moved);
    EXPECT_EQ(game.field.enemyGlyphLayer[11][5], 6);
    EXPECT_EQ(game.field.enemyLayer[12][5], Cell::Empty);
}

TEST(EnemyShotAdvance, FallsOneRowAndLeavesBelowRow24) {
    Game game = gameWithOnlyTheShip();
    game.field.enemyShotLayer[5][3] = Cell::Live;
    game.field.enemyShotLayer[6][24] = Cell::Live;
    game.field.enemyShotLayer[7][23] = Cell::Live;

    advanceEnemyShots(game.field);
    EXPECT_EQ(cellsIn(game.field.enemyShotLayer, Cell::Moved), (CellList{{5, 4}, {7, 24}}));
    EXPECT_EQ(cellsIn(game.field.enemyShotLayer, Cell::Erase),
              (CellList{{5, 3}, {6, 24}, {7, 23}}));
    settleEnemyShots(game.field);
    EXPECT_EQ(cellsIn(game.field.enemyShotLayer, Cell::Live), (CellList{{5, 4}, {7, 24}}));
}

TEST(EnemyShotAdvance, HeldBackByAPlayerShotOrTheCellOneJustLeft) {
    for (const Cell below : {Cell::Live, Cell::Erase}) {
        Game game = gameWithOnlyTheShip();
        game.field.enemyShotLayer[8][10] = Cell::Live;
        game.field.shotLayer[8][11] = below;
        advanceEnemyShots(game.field);
        EXPECT_EQ(cellsIn(game.field.enemyShotLayer, Cell::Live), (CellList{{8, 10}}));
        EXPECT_TRUE(cellsIn(game.field.enemyShotLayer, Cell::Moved).empty());
    }
}

TEST(EnemyShotAdvance, TwoStackedShotsMergeInTheLowerCell) {
    Game game = gameWithOnlyTheShip();
    game.field.enemyShotLayer[8][10] = Cell::Live;
    game.field.enemyShotLayer[8][11] = Cell::Live;
    advanceEnemyShots(game.field);
    settleEnemyShots(game.field);
    EXPECT_EQ(cellsIn(game.field.enemyShotLayer, Cell::Live), (CellList{{8, 11}}));
    EXPECT_EQ(cellsIn(game.field.enemyShotLayer, Cell::Erase), (CellList{{8, 10}}));
}

TEST(EnemyFire, ScansFromBottomRightAndDrawsOnlyForLiveEnemies) {
    HeadlessConsole console;
    Game game = gameWithOnlyTheShip();
    placeEnemy(game.field, 10, 5);
    placeEnemy(game.field, 20, 5);
    placeEnemy(game.field, 10, 23);
    game.field.enemyLayer[30][5] = Cell::Moved;
    game.field.enemyLayer[31][5] = Cell::Erase;
    game.field.enemyShotLayer[10][24] = Cell::Erase;
    // Scan order: (10, 23), then (20, 5), then (10, 5).
    conio::scriptRand({200, 7, 100});

    fireEnemyShots(game.field, game.tuning);

    EXPECT_EQ(conio::scriptedRandLeft(), 0u);
    EXPECT_EQ(conio::randDraws(), 3u);
    EXPECT_EQ(cellsIn(game.field.enemyShotLayer, Cell::Live), (CellList{{10, 6}, {10, 24}}));
}

}  // namespace
