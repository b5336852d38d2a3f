#include "game/score.hpp"

#include <algorithm>
#include <limits>

std::int32_t saturate(std::int64_t value) {
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, lo, hi));
}

std::int32_t addPoints(std::int32_t score, std::int64_t points) {
    return saturate(std::int64_t{score} + points);
}

std::int32_t scoreAfterBlockCell(std::int32_t score) {
    return addPoints(score, 1 + std::int64_t{score} / 500);
}

std::int32_t scoreAfterBonus(std::int32_t score) {
    std::int64_t s = score;
    if (s <= 199) s += s / 2;
    if (s >= 200 && s <= 999) s += s / 4;
    if (s >= 1000) s += s / 10;
    return saturate(s);
}
