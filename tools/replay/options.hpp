#pragma once
// The command line of vexamor-replay: --seed S [--ticks N] [--keys LIST] [--screen].
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ReplayOptions {
    std::uint32_t seed = 0;
    long long ticks = 1000;
    std::vector<std::optional<std::uint8_t>> keys;  // one per tick; empty: no key waiting
    bool screen = false;
};

// The options, or a one-line message saying what is wrong with the arguments.
struct ParsedOptions {
    std::optional<ReplayOptions> options;
    std::string error;
};

ParsedOptions parseReplayOptions(const std::vector<std::string>& arguments);
