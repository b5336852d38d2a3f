#pragma once
// The command line of vexamor-screens:
//   --seed S --shot MS:NAME [--shot MS:NAME ...] [--keys MS:BYTE,MS:BYTE,...] [--out DIR]
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TimedKey {
    std::int64_t atMs = 0;  // virtual milliseconds since the program started
    std::uint8_t byte = 0;
};

struct Shot {
    std::int64_t atMs = 0;
    std::string name;  // the picture's file name without its extension
};

struct ScreensOptions {
    std::int64_t seed = 0;       // the wall clock's seconds at the start
    std::vector<TimedKey> keys;
    std::vector<Shot> shots;     // in time order
    std::string outDir = ".";
};

struct ParsedScreensOptions {
    std::optional<ScreensOptions> options;
    std::string error;
};

ParsedScreensOptions parseScreensOptions(const std::vector<std::string>& arguments);
