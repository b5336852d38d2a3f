#pragma once
// The command line of vexamor-replay: --seed S [--ticks N] [--keys LIST | --keys-file PATH] [--screen],
// or --recording FILE [--check | --screen].
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ReplayOptions {
    std::uint32_t seed = 0;
    long long ticks = 1000;
    std::vector<std::optional<std::uint8_t>> keys;  // one per tick; empty: no key waiting
    std::optional<std::string> keysFile;  // the list is read from this file ("-": standard input)
    bool screen = false;
    std::optional<std::string> recordingFile;  // seed, keys and ticks come from this recording
    bool check = false;  // with a recording: one line saying whether the replay matches it
};

// The options, or a one-line message saying what is wrong with the arguments.
struct ParsedOptions {
    std::optional<ReplayOptions> options;
    std::string error;
};

// An argument as it may appear in a one-line message, quoted: control bytes shown as '?' so
// the message stays one line whatever was typed, and long values shortened.
std::string quotedArgument(const std::string& argument);

ParsedOptions parseReplayOptions(const std::vector<std::string>& arguments);

// Fills keys from the text of a key file: the list as --keys takes it, with blanks and line
// ends allowed around it. Empty if the text is valid, or a one-line message saying why not.
std::string parseKeyFileText(const std::string& path, const std::string& text,
                             std::vector<std::optional<std::uint8_t>>& keys);
