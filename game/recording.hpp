#pragma once
// A recorded game as a versioned text file, one value a line: what set-up gave the game
// (seed, carried-over values, colours), how it ended (score, level, ticks, the way it
// ended) and the key each tick read. Enough to replay it exactly on any target.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/key_list.hpp"
#include "game/observer.hpp"
#include "game/state.hpp"

inline constexpr int kRecordingFormatVersion = 1;
// Readers refuse larger files before parsing them: a game's file is far smaller.
inline constexpr std::size_t kMaxRecordingBytes = std::size_t{4} << 20;

struct Recording {
    int formatVersion = kRecordingFormatVersion;
    std::string gameVersion;       // letters, digits and . + - ~, as "1.0.0"
    std::string date;              // UTC, "2026-12-10T14:03:07Z"
    std::uint32_t seed = 0;        // what set-up gave srand
    CarriedOver carried;
    ColorScheme colors;
    std::int32_t score = 0;
    std::int32_t level = 0;
    std::int64_t ticks = 0;        // keys.size()
    GameEnd ended = GameEnd::GameOver;  // never Stopped
    TickKeys keys;                 // one per tick; nothing when no key was read
};

// The name of an ending as the 'ended' line writes it ("stopped" for Stopped).
const char* endedName(GameEnd end);

// The file's text, every line ended by "\n".
std::string formatRecording(const Recording& recording);

// The recording, or one line saying what is wrong and on which line ("linha 4: ...").
// Refuses anything but exactly the lines formatRecording writes, in its order ("\r\n"
// line ends and a missing final newline allowed); nothing is kept of a refused text.
struct ParsedRecording {
    std::optional<Recording> recording;
    std::string error;
};
ParsedRecording parseRecording(std::string_view text);

// The recording line's date for seconds of the clock (UTC): "2026-12-10T14:03:07Z".
std::string recordingDate(std::int64_t epochSeconds);

// "vexamor-20261210-140307-1234.vxr": a listing sorts by date, the score in the name.
std::string recordingFileName(const Recording& recording);
