#include "game/score.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ScoreBonus, EachTierAppliesToWhatTheTierBeforeLeft) {
    const std::pair<int, int> table[] = {
        {0, 0},     {1, 1},     {2, 3},     {100, 150},  {133, 199},   {134, 251},  {150, 281},
        {199, 372}, {200, 250}, {799, 998}, {800, 1100}, {999, 1372}, {1000, 1100}, {1234, 1357},
    };
    for (const auto& [before, after] : table) EXPECT_EQ(scoreAfterBonus(before), after) << before;
}

TEST(ScoreBlockCell, AddsOnePlusAFiveHundredthOfTheScore) {
    EXPECT_EQ(scoreAfterBlockCell(0), 1);
    EXPECT_EQ(scoreAfterBlockCell(499), 500);
    EXPECT_EQ(scoreAfterBlockCell(500), 502);
    EXPECT_EQ(scoreAfterBlockCell(1000), 1003);
    EXPECT_EQ(scoreAfterBlockCell(1999), 2003);
}

TEST(ScoreSaturation, StopsAtTheLargestIntInsteadOfWrapping) {
    EXPECT_EQ(addPoints(kMax - 5, 5), kMax);
    EXPECT_EQ(addPoints(kMax - 5, 6), kMax);
    EXPECT_EQ(addPoints(kMax, std::int64_t{kMax} + 1), kMax);
    EXPECT_EQ(scoreAfterBlockCell(2'143'194'000), kMax - 3'258);
    EXPECT_EQ(scoreAfterBlockCell(2'143'200'000), kMax);
    EXPECT_EQ(scoreAfterBlockCell(kMax), kMax);
    EXPECT_EQ(scoreAfterBonus(1'952'257'860), kMax - 1);
    EXPECT_EQ(scoreAfterBonus(1'952'257'862), kMax);
    EXPECT_EQ(scoreAfterBonus(kMax), kMax);
}

}  // namespace
