#include "game/collisions.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "conio/conio.hpp"
#include "conio/services.hpp"
#include "game/collision_effects.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/play_state.hpp"

namespace {

const Tones kHit = {{3000, 2}, {900, 2}, {3000, 2}};
const Tones kPickup = {{800, kPickupToneMs}, {800, kPickupToneMs}, {3500, kPickupHighToneMs}};
const Tones kLoss = {{3000, kLossToneMs}, {3000, kLossToneMs}, {800, kLossLowToneMs}};

Tones concat(std::initializer_list<Tones> parts) {
    Tones all;
    for (const Tones& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

void placeEnemy(Game& game, int x, int y) {
    game.field.enemyLayer[x][y] = Cell::Live;
    game.field.enemyGlyphLayer[x][y] = 4;
    ++game.state.enemyCount;
}

// Moves the ship of a started game to (x, y).
void putShip(Game& game, int x, int y) {
    game.field.shipLayer[25][23] = Cell::Empty;
    game.field.shipLayer[x][y] = Cell::Live;
    game.state.shipX = x;
    game.state.shipY = y;
}

void resolve(Game& game) { resolveCollisions(game.field, game.state, game.colors); }

class Collisions : public HeadlessTest {};

TEST_F(Collisions, ShotsScoreAgainstEnemiesAndEnemyShots) {
    Game game = gameWithOnlyTheShip();
    game.state.level = 4;
    placeEnemy(game, 10, 5);
    game.field.shotLayer[10][5] = Cell::Live;
    game.field.shotLayer[11][6] = Cell::Live;
    game.field.enemyShotLayer[11][6] = Cell::Live;

    resolve(game);

    EXPECT_EQ(game.state.score, 5 + 1);
    EXPECT_EQ(game.state.enemyCount, 0);
    EXPECT_EQ(game.field.enemyGlyphLayer[10][5], 0);
    EXPECT_EQ(cellsIn(game.field.shotLayer, Cell::Erase), (CellList{{10, 5}, {11, 6}}));
    EXPECT_EQ(cellsIn(game.field.enemyLayer, Cell::Erase), (CellList{{10, 5}}));
    EXPECT_EQ(cellsIn(game.field.enemyShotLayer, Cell::Erase), (CellList{{11, 6}}));
    EXPECT_EQ(tonesOf(platform), kHit) << "an enemy shot shot down is silent";
}

TEST_F(Collisions, ScoreStopsAtTheLargestInt) {
    Game game = gameWithOnlyTheShip();
    game.state.score = std::numeric_limits<std::int32_t>::max() - 1;
    game.state.level = 4;
    putShip(game, 20, 20);
    game.field.scorePickupLayer[20][20] = Cell::Live;
    placeEnemy(game, 10, 5);
    game.field.shotLayer[10][5] = Cell::Live;
    game.field.shotLayer[11][5] = Cell::Live;
    game.field.blockLayer[11][5] = Cell::Live;
    game.field.shotLayer[12][5] = Cell::Live;
    game.field.enemyShotLayer[12][5] = Cell::Live;

    resolve(game);

    EXPECT_EQ(game.state.score, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(game.state.enemyCount, 0);
}

TEST_F(Collisions, ShotSpentOnTheBlockLeavesTheEnemyInItsCell) {
    Game game = gameWithOnlyTheShip();
    placeEnemy(game, 10, 5);
    game.field.shotLayer[10][5] = Cell::Live;
    game.field.blockLayer[10][5] = Cell::Live;

    resolve(game);

    // The block cell is gone before the block could crush the enemy, and the shot
    // is spent before it could hit it.
    EXPECT_EQ(game.state.score, 1);
    EXPECT_EQ(game.field.enemyLayer[10][5], Cell::Live);
    EXPECT_EQ(game.state.enemyCount, 1);
    EXPECT_EQ(tonesOf(platform), kHit);
}

TEST_F(Collisions, BlockUnderTheShipCrushesWhatSharesItsCellAndStillCostsALife) {
    Game game = gameWithOnlyTheShip();
    putShip(game, 10, 5);
    placeEnemy(game, 10, 5);
    game.field.blockLayer[10][5] = Cell::Live;
    game.field.enemyShotLayer[10][5] = Cell::Live;
    game.state.score = 40;

    resolve(game);

    EXPECT_EQ(game.state.score, 40) << "an enemy crushed by the block is worth nothing";
    EXPECT_EQ(game.state.enemyCount, 0);
    EXPECT_EQ(game.field.enemyLayer[10][5], Cell::Erase);
    EXPECT_EQ(game.field.enemyShotLayer[10][5], Cell::Erase);
    EXPECT_EQ(game.field.blockLayer[10][5], Cell::Erase);
    EXPECT_EQ(game.field.shipLayer[10][5], Cell::Erase);
    EXPECT_EQ(game.state.lives, 2);
    EXPECT_EQ(tonesOf(platform), concat({kHit, kLoss}));
    EXPECT_EQ(cellsIn(game.field.shipLayer, Cell::Live), (CellList{{25, 23}}));
    EXPECT_EQ(game.state.shipX, 25);
    EXPECT_EQ(game.state.shipY, 23);
}

TEST_F(Collisions, LossPlaysTheAnimationInTheCurrentColourAndLeavesTheHitter) {
    Game game = gameWithOnlyTheShip();
    putShip(game, 10, 5);
    game.field.enemyShotLayer[10][5] = Cell::Live;
    conio::textcolor(13);

    resolve(game);

    EXPECT_EQ(game.state.lives, 2);
    EXPECT_EQ(game.field.enemyShotLayer[10][5], Cell::Live);
    EXPECT_EQ(sleepsOf(platform), std::vector<unsigned>(8, 120));
    EXPECT_EQ(platform.row(4).substr(9, 3), "◄") << "the last of the eight frames";
    EXPECT_EQ(platform.attributeAt(9, 4), 13);
    EXPECT_EQ(tonesOf(platform), kLoss);
}

TEST_F(Collisions, ShipCollectsAllThreePickupsInOrder) {
    Game game = gameWithOnlyTheShip();
    putShip(game, 10, 5);
    game.state.score = 100;
    game.field.weaponPickupLayer[10][5] = Cell::Live;
    game.field.scorePickupLayer[10][5] = Cell::Live;
    game.field.lifePickupLayer[10][5] = Cell::Live;
    conio::scriptRand({1});

    resolve(game);

    EXPECT_EQ(conio::scriptedRandLeft(), 0u);
    EXPECT_EQ(game.state.volleyCharges, 5 + 3);
    EXPECT_EQ(game.state.bombCharges, 5);
    EXPECT_EQ(game.state.score, 150);
    EXPECT_EQ(game.state.lives, 4);
    EXPECT_EQ(tonesOf(platform), concat({kPickup, kPickup, kPickup}));
    EXPECT_EQ(game.field.weaponPickupLayer[10][5], Cell::Erase);
    EXPECT_EQ(game.field.scorePickupLayer[10][5], Cell::Erase);
    EXPECT_EQ(game.field.lifePickupLayer[10][5], Cell::Erase);

    Game bomb = gameWithOnlyTheShip();
    bomb.field.weaponPickupLayer[25][23] = Cell::Live;
    bomb.field.weaponPickupLayer[30][23] = Cell::Live;  // no ship there: stays
    conio::scriptRand({0});
    resolve(bomb);
    EXPECT_EQ(bomb.state.bombCharges, 6);
    EXPECT_EQ(bomb.state.volleyCharges, 5);
    EXPECT_EQ(bomb.field.weaponPickupLayer[30][23], Cell::Live);
}

TEST_F(Collisions, LifePickedUpWhereTheShipIsLostLeavesLivesUnchanged) {
    Game game = gameWithOnlyTheShip();
    putShip(game, 10, 5);
    placeEnemy(game, 10, 5);
    game.field.lifePickupLayer[10][5] = Cell::Live;

    resolve(game);

    EXPECT_EQ(game.state.lives, 3);
    EXPECT_EQ(tonesOf(platform), concat({kPickup, kLoss}));
}

TEST_F(Collisions, ReturnedShipMeetsAnEnemyOnItsStartCellOnlyLaterInTheScan) {
    struct Case {
        int shipX, shipY, livesAfter;
    };
    for (const Case c : {Case{10, 5, 1}, Case{25, 22, 1}, Case{25, 24, 2}, Case{30, 5, 2}}) {
        SCOPED_TRACE(::testing::Message() << "ship lost at (" << c.shipX << ", " << c.shipY << ")");
        Game game = gameWithOnlyTheShip();
        putShip(game, c.shipX, c.shipY);
        game.field.enemyShotLayer[c.shipX][c.shipY] = Cell::Live;
        placeEnemy(game, 25, 23);

        resolve(game);

        EXPECT_EQ(game.state.lives, c.livesAfter);
        EXPECT_EQ(game.field.shipLayer[25][23], Cell::Live);
        EXPECT_EQ(game.field.enemyLayer[25][23], Cell::Live);
        EXPECT_EQ(game.state.key, 1);
    }
}

TEST_F(Collisions, GameOverBlanksTheFieldShowsTheScoreAndEndsThePass) {
    Game game = gameWithOnlyTheShip();
    game.state.lives = 1;
    game.state.score = 1234;
    game.colors.messageColor = 11;
    putShip(game, 10, 5);
    game.field.enemyShotLayer[10][5] = Cell::Live;
    placeEnemy(game, 30, 5);  // later in the scan: never reached
    game.field.shotLayer[30][5] = Cell::Live;
    for (int x = 1; x <= 80; ++x) {
        conio::gotoxy(x, 20);
        conio::printf("#");
    }
    conio::textcolor(6);

    resolve(game);

    EXPECT_EQ(game.state.lives, 0);
    EXPECT_EQ(game.state.key, 27);
    EXPECT_EQ(game.state.score, 1234);
    EXPECT_EQ(game.field.enemyLayer[30][5], Cell::Live);
    EXPECT_EQ(game.field.shotLayer[30][5], Cell::Live);
    EXPECT_EQ(tonesOf(platform), kLoss);
    std::vector<unsigned> sleeps(8, 120);
    sleeps.push_back(3000);
    EXPECT_EQ(sleepsOf(platform), sleeps);
    EXPECT_EQ(platform.row(19), "#" + std::string(48, ' ') + std::string(31, '#'));
    EXPECT_EQ(platform.row(11).substr(19, 9), "GAME OVER");
    EXPECT_EQ(platform.row(13).substr(19, 11), "1234 PONTOS");
    EXPECT_EQ(platform.attributeAt(19, 11), 11);
    EXPECT_EQ(platform.attributeAt(1, 19), 6) << "the blanks go in the colour left current";
}

TEST_F(Collisions, CellsOutsideTheScannedRangeNeverCollide) {
    Game game = gameWithOnlyTheShip();
    for (const auto& [x, y] : {std::pair{50, 10}, {10, 25}, {0, 10}}) {
        placeEnemy(game, x, y);
        game.field.shotLayer[x][y] = Cell::Live;
    }
    resolve(game);
    EXPECT_EQ(cellsIn(game.field.enemyLayer, Cell::Live).size(), 3u);
    EXPECT_EQ(game.state.score, 0);
    EXPECT_TRUE(platform.tones().empty());
}

}  // namespace
