#include <gtest/gtest.h>

#include "conio/services.hpp"
#include "game/pickups.hpp"
#include "tests/support/play_state.hpp"

namespace {

// The roll, the column draw, the row draw and the sweep draw of one tick.
void rollOnce(PlayField& field, int roll, int column, int row, int sweep = 3499) {
    conio::resetRandForTests();
    conio::scriptRand({roll, column, row, sweep});
    rollPickups(field, Tuning{});
    EXPECT_EQ(conio::scriptedRandLeft(), 0u) << "four draws every tick";
}

}  // namespace

TEST(PickupRoll, RollValuePicksTheKind) {
    struct Case {
        int roll;
        int weapon, score, life;
    };
    const Case cases[] = {
        {0, 1, 0, 0},  {9, 1, 0, 0},  {10, 0, 0, 0}, {11, 0, 1, 0}, {69, 0, 1, 0},
        {70, 0, 0, 0}, {72, 0, 0, 0}, {73, 0, 0, 1}, {79, 0, 0, 1}, {80, 0, 0, 0},
        {14999, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.roll);
        PlayField field;
        // Column draw 47 -> x 49, row draw 22 -> y 24: the far corner of the field.
        rollOnce(field, c.roll, 47, 22);
        EXPECT_EQ(liveCells(field.weaponPickupLayer), c.weapon);
        EXPECT_EQ(liveCells(field.scorePickupLayer), c.score);
        EXPECT_EQ(liveCells(field.lifePickupLayer), c.life);
        EXPECT_EQ(field.weaponPickupLayer[49][24] == Cell::Live, c.weapon == 1);
        EXPECT_EQ(field.scorePickupLayer[49][24] == Cell::Live, c.score == 1);
        EXPECT_EQ(field.lifePickupLayer[49][24] == Cell::Live, c.life == 1);
    }
}

TEST(PickupRoll, RollIsTakenModuloPickupOdds) {
    PlayField field;
    conio::resetRandForTests();
    conio::scriptRand({15000 + 75, 0, 0, 3499});
    rollPickups(field, Tuning{});
    EXPECT_EQ(field.lifePickupLayer[2][2], Cell::Live);
}

TEST(PickupRoll, PlacementOverwritesOnlyItsOwnLayer) {
    PlayField field;
    field.shipLayer[10][10] = Cell::Live;
    field.scorePickupLayer[10][10] = Cell::Live;
    field.weaponPickupLayer[10][10] = Cell::Erase;
    rollOnce(field, 5, 8, 8);  // weapon at (10, 10)
    EXPECT_EQ(field.weaponPickupLayer[10][10], Cell::Live);
    EXPECT_EQ(field.scorePickupLayer[10][10], Cell::Live);
    EXPECT_EQ(field.shipLayer[10][10], Cell::Live);
}

TEST(PickupSweep, ErasesEveryPickupIncludingThisTicksOwn) {
    PlayField field;
    field.weaponPickupLayer[2][2] = Cell::Live;
    field.scorePickupLayer[49][24] = Cell::Live;
    field.lifePickupLayer[30][12] = Cell::Live;
    field.lifePickupLayer[31][12] = Cell::Erase;
    field.enemyLayer[30][12] = Cell::Live;
    rollOnce(field, 40, 3, 3, 9);  // a score pickup at (5, 5), then a sweep
    EXPECT_EQ(field.weaponPickupLayer[2][2], Cell::Erase);
    EXPECT_EQ(field.scorePickupLayer[49][24], Cell::Erase);
    EXPECT_EQ(field.lifePickupLayer[30][12], Cell::Erase);
    EXPECT_EQ(field.scorePickupLayer[5][5], Cell::Erase);
    EXPECT_EQ(field.lifePickupLayer[31][12], Cell::Erase);
    EXPECT_EQ(field.enemyLayer[30][12], Cell::Live);

    PlayField kept;
    kept.lifePickupLayer[30][12] = Cell::Live;
    rollOnce(kept, 100, 0, 0, 10);  // 10 is the first sweep value that does nothing
    EXPECT_EQ(kept.lifePickupLayer[30][12], Cell::Live);
}
