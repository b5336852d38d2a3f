#pragma once
// Score arithmetic in exact integer form. The score only grows; every rule here computes
// wide and saturates at the largest int instead of wrapping.
#include <cstdint>

std::int32_t addPoints(std::int32_t score, std::int64_t points);
// A block cell destroyed by a shot or the bomb: score + 1 + score / 500.
std::int32_t scoreAfterBlockCell(std::int32_t score);
// The score pickup: +score/2 while score <= 199, then +score/4 while 200..999, then
// +score/10 from 1000, each test on the score the one before it left.
std::int32_t scoreAfterBonus(std::int32_t score);
// Wide value clamped into a signed 32-bit int.
std::int32_t saturate(std::int64_t value);
