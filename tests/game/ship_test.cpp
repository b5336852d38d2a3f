#include "game/ship.hpp"

#include <gtest/gtest.h>

#include "conio/conio.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/play_state.hpp"

namespace {

struct MoveCase {
    int x, y, key, wantX, wantY;
};

TEST(ShipMovement, MovesOneCellPerArrowCodeInsideTheField) {
    const MoveCase cases[] = {
        {25, 23, kKeyUp, 25, 22},   {25, 3, kKeyUp, 25, 2},     {25, 2, kKeyUp, 25, 2},
        {25, 23, kKeyDown, 25, 24}, {25, 24, kKeyDown, 25, 24}, {48, 10, kKeyRight, 49, 10},
        {49, 10, kKeyRight, 49, 10}, {3, 10, kKeyLeft, 2, 10},  {2, 10, kKeyLeft, 2, 10},
        {2, 2, kKeyLeft, 2, 2},     {49, 24, kKeyDown, 49, 24}, {10, 10, 0, 10, 10},
        {10, 10, -32, 10, 10},      {10, 10, 'a', 10, 10},      {10, 10, 'H' + 32, 10, 10},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "from (" << c.x << ", " << c.y << ") key " << c.key);
        HeadlessConsole console;
        Game game = gameWithOnlyTheShip();
        game.field.shipLayer[25][23] = Cell::Empty;
        game.field.shipLayer[c.x][c.y] = Cell::Live;
        game.state.shipX = c.x;
        game.state.shipY = c.y;
        game.state.key = static_cast<std::int8_t>(c.key);

        moveShip(game.field, game.state);

        EXPECT_EQ(game.state.shipX, c.wantX);
        EXPECT_EQ(game.state.shipY, c.wantY);
        EXPECT_EQ(cellsIn(game.field.shipLayer, Cell::Live), (CellList{{c.wantX, c.wantY}}));
        const bool moved = c.wantX != c.x || c.wantY != c.y;
        const CellList erased = moved ? CellList{{c.x, c.y}} : CellList{};
        EXPECT_EQ(cellsIn(game.field.shipLayer, Cell::Erase), erased);
        EXPECT_EQ(conio::wherex(), c.wantX);
        EXPECT_EQ(conio::wherey(), c.wantY);
    }
}

TEST(ShipMovement, StartsFromTheShipNotFromWhereDrawingLeftTheCursor) {
    HeadlessConsole console;
    Game game = gameWithOnlyTheShip();
    conio::gotoxy(60, 24);
    game.state.key = kKeyLeft;

    moveShip(game.field, game.state);

    EXPECT_EQ(game.state.shipX, 24);
    EXPECT_EQ(game.state.shipY, 23);
    EXPECT_EQ(cellsIn(game.field.shipLayer, Cell::Live), (CellList{{24, 23}}));
}

TEST(ShipMovement, ConsoleTooSmallForTheFieldLeavesShipAndGridsAlone) {
    HeadlessConsole console(20, 10);
    Game game = gameWithOnlyTheShip();
    conio::gotoxy(15, 8);
    game.state.key = kKeyUp;

    moveShip(game.field, game.state);

    EXPECT_EQ(game.state.shipX, 25);
    EXPECT_EQ(game.state.shipY, 23);
    EXPECT_EQ(cellsIn(game.field.shipLayer, Cell::Live), (CellList{{25, 23}}));
    EXPECT_TRUE(cellsIn(game.field.shipLayer, Cell::Erase).empty());
}

TEST(ShotAdvance, ShotFromRow24ClimbsTwentyTwoTicksThenLeaves) {
    Game game = gameWithOnlyTheShip();
    game.state.shipX = 10;
    game.state.shipY = 24;
    game.state.key = 'a';
    fireNormalShot(game.field, game.state);
    game.state.key = 0;

    std::vector<int> rowsDrawn;
    for (int tick = 0; tick < 30; ++tick) {
        const CellList live = cellsIn(game.field.shotLayer, Cell::Live);
        if (live.empty()) break;
        ASSERT_EQ(live.size(), 1u);
        EXPECT_EQ(live[0].first, 10);
        rowsDrawn.push_back(live[0].second);
        clearErased(game.field.shotLayer);
        advanceShots(game.field);
    }
    ASSERT_EQ(rowsDrawn.size(), 22u);
    for (int i = 0; i < 22; ++i) EXPECT_EQ(rowsDrawn[i], 23 - i);
    EXPECT_EQ(cellsIn(game.field.shotLayer, Cell::Erase), (CellList{{10, 2}}));
}

TEST(ShotAdvance, AdjacentShotsBothRiseAndStayAdjacent) {
    Game game = gameWithOnlyTheShip();
    game.field.shotLayer[5][10] = Cell::Live;
    game.field.shotLayer[5][11] = Cell::Live;
    game.field.shotLayer[6][2] = Cell::Live;
    game.field.shotLayer[7][3] = Cell::Live;
    game.field.shotLayer[7][2] = Cell::Live;

    advanceShots(game.field);

    EXPECT_EQ(cellsIn(game.field.shotLayer, Cell::Live), (CellList{{5, 9}, {5, 10}, {7, 2}}));
    EXPECT_EQ(cellsIn(game.field.shotLayer, Cell::Erase), (CellList{{5, 11}, {6, 2}, {7, 3}}));
}

TEST(NormalFire, PlacesAShotAboveTheShipUnlessEnemyAndItsShotAreBothThere) {
    enum Above { Nothing, EnemyOnly, EnemyShotOnly, Both };
    for (const Above above : {Nothing, EnemyOnly, EnemyShotOnly, Both}) {
        SCOPED_TRACE(above);
        Game game = gameWithOnlyTheShip();
        game.state.key = 'A';
        game.state.enemyCount = 4;
        if (above == EnemyOnly || above == Both) {
            game.field.enemyLayer[25][22] = Cell::Live;
            game.field.enemyGlyphLayer[25][22] = 5;
        }
        if (above == EnemyShotOnly || above == Both) game.field.enemyShotLayer[25][22] = Cell::Live;

        fireNormalShot(game.field, game.state);

        if (above == Both) {
            EXPECT_EQ(game.field.shotLayer[25][22], Cell::Empty);
            EXPECT_EQ(game.field.enemyLayer[25][22], Cell::Erase);
            EXPECT_EQ(game.field.enemyShotLayer[25][22], Cell::Erase);
            EXPECT_EQ(game.field.enemyGlyphLayer[25][22], 0);
            EXPECT_EQ(game.state.enemyCount, 3);
        } else {
            EXPECT_EQ(cellsIn(game.field.shotLayer, Cell::Live), (CellList{{25, 22}}));
            EXPECT_EQ(game.state.enemyCount, 4);
            if (above == EnemyOnly) {
                EXPECT_EQ(game.field.enemyGlyphLayer[25][22], 5);
            }
        }
        EXPECT_EQ(game.state.score, 0);
    }
}

TEST(NormalFire, OnlyTheFireKeysFireAndNeverFromTheTopRow) {
    for (const int key : {int{'a'}, int{'A'}, int{'b'}, int{'w'}, 0, int{kKeyUp}}) {
        Game game = gameWithOnlyTheShip();
        game.state.key = static_cast<std::int8_t>(key);
        fireNormalShot(game.field, game.state);
        const bool fires = key == 'a' || key == 'A';
        EXPECT_EQ(cellsIn(game.field.shotLayer, Cell::Live).size(), fires ? 1u : 0u) << key;
    }
    Game top = gameWithOnlyTheShip();
    top.state.shipY = 2;
    top.state.key = 'a';
    fireNormalShot(top.field, top.state);
    EXPECT_TRUE(cellsIn(top.field.shotLayer, Cell::Live).empty());
}

}  // namespace
