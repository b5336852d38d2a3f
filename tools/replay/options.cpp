#include "tools/replay/options.hpp"

#include <limits>

namespace {

// A plain unsigned decimal within max: no sign, no blanks, no other characters.
std::optional<unsigned long long> parseDecimal(const std::string& text, unsigned long long max) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (max - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// Comma-separated, one item per tick: a byte 0..255, or empty or "-" for no key.
bool parseKeys(const std::string& list, std::vector<std::optional<std::uint8_t>>& keys) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (item.empty() || item == "-") {
            keys.emplace_back(std::nullopt);
        } else {
            const auto byte = parseDecimal(item, 255);
            if (!byte) return false;
            keys.emplace_back(static_cast<std::uint8_t>(*byte));
        }
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

ParsedOptions failure(std::string message) { return {std::nullopt, std::move(message)}; }

// An argument as it may appear in the one-line message: control bytes shown as '?' so the
// message stays one line whatever was typed, and long values shortened.
std::string shown(const std::string& argument) {
    std::string text = "'";
    for (std::size_t i = 0; i < argument.size() && i < 40; ++i) {
        const auto c = static_cast<unsigned char>(argument[i]);
        text += (c < 0x20 || c == 0x7F) ? '?' : argument[i];
    }
    return text + (argument.size() > 40 ? "...'" : "'");
}

}  // namespace

ParsedOptions parseReplayOptions(const std::vector<std::string>& arguments) {
    ReplayOptions options;
    bool seen[4] = {false, false, false, false};  // --seed, --ticks, --keys, --screen
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        const int which = name == "--seed" ? 0 : name == "--ticks" ? 1 : name == "--keys" ? 2 : name == "--screen" ? 3 : -1;
        if (which < 0) return failure("unknown argument " + shown(name));
        if (seen[which]) return failure(name + " given twice");
        seen[which] = true;
        if (which == 3) {
            options.screen = true;
            continue;
        }
        if (i + 1 == arguments.size()) return failure(name + " needs a value");
        const std::string& value = arguments[++i];
        if (which == 0) {
            const auto seed = parseDecimal(value, std::numeric_limits<std::uint32_t>::max());
            if (!seed) return failure("--seed wants a number 0..4294967295, not " + shown(value));
            options.seed = static_cast<std::uint32_t>(*seed);
        } else if (which == 1) {
            const auto ticks = parseDecimal(value, std::numeric_limits<std::int32_t>::max());
            if (!ticks) return failure("--ticks wants a number 0..2147483647, not " + shown(value));
            options.ticks = static_cast<long long>(*ticks);
        } else if (!parseKeys(value, options.keys)) {
            return failure("--keys wants comma-separated bytes 0..255, '-' or nothing, not " + shown(value));
        }
    }
    if (!seen[0]) return failure("--seed S is required");
    return {options, ""};
}
