#include <gtest/gtest.h>

#include <vector>

#include "conio/services.hpp"
#include "game/block.hpp"
#include "tests/support/play_state.hpp"

namespace {

bool rowLive(const CellLayer& layer, int y, int x0) {
    for (int x = x0; x < x0 + 5; ++x) {
        if (layer[x][y] != Cell::Live) return false;
    }
    return true;
}

// One phase run with exactly these draws; fails if it draws more or fewer.
void tick(PlayField& field, GameState& state, std::vector<int> draws = {}) {
    conio::resetRandForTests();
    conio::scriptRand(draws);
    updateBlock(field, state, Tuning{});
    EXPECT_EQ(conio::randDraws(), draws.size());
}

}  // namespace

TEST(FallingBlock, FirstGameRollsOnItsSecondTick) {
    PlayField field;
    GameState state;  // the timer starts at 20 at process start
    tick(field, state);
    EXPECT_EQ(state.blockTimer, 0);
    tick(field, state, {1});  // the roll misses
    EXPECT_EQ(state.blockStage, 0);
    for (int i = 0; i < 20; ++i) tick(field, state);
    tick(field, state, {15, 0});  // 15 % 15 hits: column 0 + 4
    EXPECT_EQ(state.blockStage, 1);
    EXPECT_EQ(state.blockColumn, 4);
    EXPECT_TRUE(rowLive(field.blockLayer, 2, 4));
}

TEST(FallingBlock, CourseOfAnUntouchedBlock) {
    PlayField field;
    GameState state;
    state.blockTimer = 0;
    const int ds[] = {2, -2, 0, 1, -1};
    int t = 0;  // ticks after the spawn tick A
    auto runUntil = [&](int target) {
        for (; t < target; ++t) {
            const bool grows = (t + 1) % 21 == 0 && (t + 1) / 21 <= 5;
            if (grows) tick(field, state, {ds[(t + 1) / 21 - 1] + 2});
            else tick(field, state);
        }
    };

    tick(field, state, {0, 16});  // tick A: spawn at column 20
    EXPECT_EQ(state.blockStage, 1);
    EXPECT_TRUE(rowLive(field.blockLayer, 2, 20));

    runUntil(21);
    EXPECT_EQ(state.blockStage, 2);
    EXPECT_TRUE(rowLive(field.blockLayer, 3, 20));
    EXPECT_TRUE(rowLive(field.blockLayer, 2, 22));
    EXPECT_EQ(field.blockLayer[20][2], Cell::Erase);
    EXPECT_EQ(liveCells(field.blockLayer), 10);

    runUntil(105);
    EXPECT_EQ(state.blockStage, 6);
    const int rowStarts[] = {20, 22, 18, 20, 21, 19};  // first row lowest, on row 7
    for (int row = 0; row < 6; ++row) EXPECT_TRUE(rowLive(field.blockLayer, 7 - row, rowStarts[row]));
    EXPECT_EQ(liveCells(field.blockLayer), 30);

    runUntil(462);
    EXPECT_TRUE(rowLive(field.blockLayer, 24, 20));
    runUntil(483);
    EXPECT_EQ(field.blockLayer[20][24], Cell::Erase);
    EXPECT_TRUE(rowLive(field.blockLayer, 24, 22));
    EXPECT_EQ(liveCells(field.blockLayer), 25);
    for (const auto& column : field.blockLayer) EXPECT_NE(column[25], Cell::Live);

    runUntil(567);
    EXPECT_EQ(liveCells(field.blockLayer), 5);
    runUntil(588);
    EXPECT_EQ(liveCells(field.blockLayer), 0);
    EXPECT_EQ(state.blockStage, 6);
    runUntil(589);
    EXPECT_EQ(state.blockStage, 0);

    runUntil(608);
    tick(field, state, {3});  // A + 609: the next roll
    EXPECT_EQ(state.blockStage, 0);
}

TEST(FallingBlock, ColumnFiftyIsCarriedButNotCounted) {
    PlayField field;
    GameState state;
    state.blockTimer = 0;
    tick(field, state, {0, 42});
    EXPECT_EQ(state.blockColumn, 46);
    EXPECT_TRUE(rowLive(field.blockLayer, 2, 46));

    for (int i = 0; i < 20; ++i) tick(field, state);
    tick(field, state, {4});  // d = +2: the row would cover 48..52
    EXPECT_TRUE(rowLive(field.blockLayer, 3, 46));
    EXPECT_EQ(field.blockLayer[48][2], Cell::Live);
    EXPECT_EQ(field.blockLayer[50][2], Cell::Live);
    // Cells past the layer are dropped: nothing after the block layer in memory is touched.
    EXPECT_EQ(liveCells(field.weaponPickupLayer), 0);
    EXPECT_EQ(liveCells(field.blockLayer), 8);

    // Only the divider column is left: the clear check ignores it and ends the block.
    PlayField edge;
    GameState complete;
    complete.blockStage = 6;
    complete.blockTimer = 5;
    edge.blockLayer[50][10] = Cell::Live;
    tick(edge, complete);
    EXPECT_EQ(complete.blockStage, 0);
}

TEST(FallingBlock, GrowthFromColumnFortyFiveStaysInTheLayer) {
    PlayField field;
    GameState state;
    state.blockStage = 3;
    state.blockColumn = 45;
    state.blockTimer = 0;
    tick(field, state, {4});  // x0 = 47
    EXPECT_EQ(state.blockStage, 4);
    for (int x = 47; x <= 50; ++x) EXPECT_EQ(field.blockLayer[x][2], Cell::Live);
    EXPECT_EQ(liveCells(field.blockLayer), 4);
    EXPECT_EQ(liveCells(field.weaponPickupLayer), 0);
}

TEST(FallingBlock, StacksFallTogetherAndRow24Vanishes) {
    PlayField field;
    GameState state;
    state.blockStage = 6;
    state.blockTimer = 0;
    field.blockLayer[10][5] = Cell::Live;
    field.blockLayer[10][6] = Cell::Live;
    field.blockLayer[12][24] = Cell::Live;
    field.shipLayer[10][7] = Cell::Live;
    tick(field, state);
    EXPECT_EQ(field.blockLayer[10][5], Cell::Erase);
    EXPECT_EQ(field.blockLayer[10][6], Cell::Live);
    EXPECT_EQ(field.blockLayer[10][7], Cell::Live);
    EXPECT_EQ(field.blockLayer[12][24], Cell::Erase);
    EXPECT_EQ(field.blockLayer[12][25], Cell::Empty);
    EXPECT_EQ(field.shipLayer[10][7], Cell::Live);
    EXPECT_EQ(state.blockStage, 6);
    EXPECT_EQ(state.blockTimer, 1);
}
