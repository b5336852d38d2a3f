#pragma once
// Recordings between the program and the page: the page keeps the best games, and starts a
// run of the program to watch one.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Hands the page a finished game's recording text and the time the game took.
void announceRecording(const std::string& text, std::int64_t durationMs);

// The text of the recording the page started this run to watch; nothing when the run plays.
std::optional<std::string> recordingToWatch();

}  // namespace platform
