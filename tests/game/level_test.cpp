#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "game/level.hpp"

namespace {

struct LevelRow {
    int level, frameDelay, maxEnemies, enemySpawnOdds, enemyMoveOdds;
};

constexpr std::array<LevelRow, 23> kLevels = {{
    {0, 50, 10, 30, 50},  {1, 44, 12, 26, 44},  {2, 39, 14, 23, 39},  {3, 35, 16, 20, 35},
    {4, 31, 19, 17, 31},  {5, 27, 22, 15, 27},  {6, 24, 26, 13, 24},  {7, 21, 31, 11, 21},
    {8, 18, 37, 9, 18},   {9, 16, 44, 8, 16},   {10, 14, 52, 7, 14},  {11, 12, 62, 6, 12},
    {12, 10, 74, 5, 10},  {13, 8, 88, 4, 8},    {14, 7, 105, 3, 7},   {15, 6, 126, 2, 6},
    {16, 5, 151, 1, 5},   {17, 4, 181, 1, 4},   {18, 3, 217, 1, 3},   {19, 2, 260, 1, 2},
    {20, 1, 312, 1, 1},   {21, 0, 374, 1, 1},   {22, 0, 448, 1, 1},
}};

void expectRow(const GameState& state, const Tuning& tuning, const LevelRow& row) {
    SCOPED_TRACE(::testing::Message() << "level " << row.level);
    EXPECT_EQ(state.level, row.level);
    EXPECT_EQ(tuning.frameDelay, row.frameDelay);
    EXPECT_EQ(tuning.maxEnemies, row.maxEnemies);
    EXPECT_EQ(tuning.enemySpawnOdds, row.enemySpawnOdds);
    EXPECT_EQ(tuning.enemyMoveOdds, row.enemyMoveOdds);
}

}  // namespace

TEST(LevelCheck, TuningRunsThroughTheSameSequenceEveryGame) {
    GameState state;
    Tuning tuning;
    expectRow(state, tuning, kLevels[0]);
    for (std::size_t i = 1; i < kLevels.size(); ++i) {
        state.score = tuning.levelThreshold + 1;
        checkLevel(state, tuning);
        expectRow(state, tuning, kLevels[i]);
    }
    // Past level 21 only maxEnemies keeps growing; the delay and the odds stay at their floors.
    for (int expected : {537, 644}) {
        state.score = tuning.levelThreshold + 1;
        checkLevel(state, tuning);
        EXPECT_EQ(tuning.maxEnemies, expected);
        EXPECT_EQ(tuning.frameDelay, 0);
        EXPECT_EQ(tuning.enemySpawnOdds, 1);
        EXPECT_EQ(tuning.enemyMoveOdds, 1);
    }
}

TEST(LevelCheck, ThresholdFollowsTheScoreAtTheCrossing) {
    GameState state;
    Tuning tuning;
    const std::array<std::array<int, 2>, 8> crossings = {{
        {121, 217}, {218, 392}, {393, 707}, {708, 1274},
        {1275, 2295}, {2296, 4132}, {4133, 7439}, {7440, 13392},
    }};
    for (const auto& [score, threshold] : crossings) {
        state.score = score - 1;
        checkLevel(state, tuning);  // equal to the threshold: no level
        ASSERT_EQ(tuning.levelThreshold, score - 1);
        state.score = score;
        checkLevel(state, tuning);
        EXPECT_EQ(tuning.levelThreshold, threshold);
    }
    EXPECT_EQ(state.level, 8);

    for (const auto& [score, threshold] : {std::array<int, 2>{150, 270}, {300, 540}}) {
        GameState jump;
        Tuning fresh;
        jump.score = score;
        checkLevel(jump, fresh);
        EXPECT_EQ(fresh.levelThreshold, threshold);
        EXPECT_EQ(jump.level, 1);
        checkLevel(jump, fresh);  // the new threshold is above the score: one level per tick
        EXPECT_EQ(jump.level, 1);
    }
}

TEST(LevelCheck, HugeValuesSaturateInsteadOfWrapping) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    GameState state;
    Tuning tuning;
    state.score = 2'000'000'000;
    tuning.levelThreshold = 1'999'999'999;
    tuning.maxEnemies = 1'900'000'000;
    checkLevel(state, tuning);
    EXPECT_EQ(state.level, 1);
    EXPECT_EQ(tuning.levelThreshold, kMax);
    EXPECT_EQ(tuning.maxEnemies, kMax);

    // A saturated threshold can never be exceeded, so the climb ends there.
    state.score = kMax;
    checkLevel(state, tuning);
    EXPECT_EQ(state.level, 1);

    // 1'300'000'000 x 9 / 5 overflows 32 bits in the intermediate product only.
    GameState mid;
    Tuning midTuning;
    mid.score = 1'000'000'000;
    midTuning.maxEnemies = 1'000'000'000;
    checkLevel(mid, midTuning);
    EXPECT_EQ(midTuning.levelThreshold, 1'800'000'000);
    EXPECT_EQ(midTuning.maxEnemies, 1'200'000'000);
}
