#pragma once
// The text of a game's keys, one item a tick, as the replay tool's --keys and the recording
// files write them: comma-separated, a decimal byte 0..255 for the key that tick reads, an
// empty item or "-" for no key waiting.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using TickKeys = std::vector<std::optional<std::uint8_t>>;

// A plain unsigned decimal within max: no sign, no blanks, no other characters.
std::optional<unsigned long long> parseDecimal(std::string_view text, unsigned long long max);

// Appends the list's keys. On the first item that is none of the above, returns that item's
// text (the items before it appended), or nothing when every item is valid.
std::optional<std::string> parseKeyList(std::string_view list, TickKeys& keys);

// The list as parseKeyList reads it back; no key is written as an empty item.
std::string formatKeyList(const TickKeys& keys);
